#!/bin/bash
# Brings a cross build of make windows up to date; says it was skipped when
# that build was never configured (no make windows, or no mingw-w64).
# Usage: cross_build.sh WINDOWS_BUILD
build=$1
if [[ ! -f $build/CMakeCache.txt ]]; then echo "skipped: no cross build in $build (make windows)"; exit 0; fi
exec cmake --build "$build"

#!/bin/bash
# Runs a program of a Windows build under Wine in a fresh work folder.
# Usage: wine_run.sh WINE WINDOWS_BUILD WORK PROGRAM [ARG...]
# The words BUILD and WORK among the arguments become those folders.
wine=$1 build=$2 work=$3 program=$4
shift 4
if [[ ! -x $wine ]]; then echo "skipped: no Wine for this build's bitness (${wine:-none} is missing)"; exit 0; fi
if ! "$wine" --version >/dev/null 2>&1; then echo "skipped: $wine is installed but cannot run on this system"; exit 0; fi
if [[ ! -f $build/$program ]]; then echo "skipped: no $program in $build (make windows)"; exit 0; fi
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$work/wine-prefix}
rm -rf "$work" && mkdir -p "$work"
args=("${@//BUILD/$build}")
# Through the cross builds' emulator: a program's fault fails the run even
# where Wine exits with 0.
start=$(dirname "$0")/../../cmake/toolchains/wine-start.sh
exec "$start" "$wine" "$build/$program" "${args[@]//WORK/$work}"

#!/bin/bash
# Runs the host round of a Windows build under Wine.
# Usage: wine_host.sh WINE WINDOWS_BUILD WORK
wine=$1 build=$2 work=$3
if [[ ! -x $wine ]]; then echo "skipped: no Wine for this build's bitness (${wine:-none} is missing)"; exit 0; fi
if [[ ! -f $build/host_round.exe ]]; then echo "skipped: no Windows build in $build (make windows)"; exit 0; fi
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$work/wine-prefix}
rm -rf "$work/host" && mkdir -p "$work/host"
exec "$wine" "$build/host_round.exe" "$build/buildtagexpr.dll" "$work/host"

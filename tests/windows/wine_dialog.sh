#!/bin/bash
# Runs the dialog round under Wine on a virtual X display, with Wine
# drawing the window frames itself (no window manager runs there), and
# turns its screenshots into PNGs where ImageMagick is installed.
# Usage: wine_dialog.sh WINE WINDOWS_BUILD WORK
wine=$1 build=$2 work=$3
if ! command -v xvfb-run >/dev/null; then echo "skipped: no xvfb-run (package xvfb)"; exit 0; fi
if [[ ! -x $wine ]]; then echo "skipped: no Wine (${wine:-none} is missing)"; exit 0; fi
if [[ ! -f $build/dialog_round.exe ]]; then echo "skipped: no dialog_round.exe in $build (make windows)"; exit 0; fi
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$work/wine-prefix}
rm -rf "$work" && mkdir -p "$work/shots"
# A Wine server keeps the display its first program had: each run below
# waits for the one before it to end, so that the round gets the virtual
# display (and the display outlives no run).
wineserver=$(dirname "$wine")/wineserver
[[ -x $wineserver ]] || wineserver=wineserver
"$wineserver" -w
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$wineserver" -w
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$wine" "$build/dialog_round.exe" "$build/buildtagexpr.dll" "$work/shots"
status=$?
"$wineserver" -w
if command -v convert >/dev/null; then
  for bmp in "$work"/shots/*.bmp; do
    [[ -f $bmp ]] && convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
fi
exit $status

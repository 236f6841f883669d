#!/bin/bash
# Runs a cross-built program under the Wine named first (the cross builds'
# emulator). Under load, Wine has now and then failed to start a program at
# all: it exited non-zero having printed nothing, before the program's main
# ran. Only such a start is tried once more, and it is said on stderr; a
# program that ran and failed is never run again.
# Usage: wine-start.sh WINE PROGRAM [ARG...]
wine=$1
shift
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$wine" "$@" >"$out" 2>"$err"
status=$?
if ((status != 0)) && [[ ! -s $out && ! -s $err ]]; then
  echo "wine-start: $wine exited with $status before $1 printed anything; started once more" >&2
  "$wine" "$@" >"$out" 2>"$err"
  status=$?
fi
cat "$out"
cat "$err" >&2
exit $status

#!/bin/bash
# Runs a cross-built program under the Wine named first (the cross builds'
# emulator). Under load, Wine itself now and then fails: it exits non-zero
# before the program printed anything, or says that it lost its server
# ("wine client error: ..."), or its own Linux process is killed by a
# signal. Only such a run is tried once more, and it is said on stderr; a
# program that ran and failed is never run again, and a second failure of
# either kind stands.
# A program's own fault is an exception Wine reports ("wine: Unhandled ...")
# and hands to its debugger, and Wine then exits with the exception's code
# or, now and then, with 0: such a run always fails here.
# Usage: wine-start.sh WINE PROGRAM [ARG...]
wine=$1
shift
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
crashed() { grep -q '^wine: Unhandled' "$err"; }
# Why Wine failed on its own, if it did.
wine_failure() {
  crashed && return
  if ((status > 128)); then
    echo "was killed by signal $((status - 128)) running $1"
  elif ((status != 0)) && grep -q '^wine client error:' "$err"; then
    echo "lost its server running $1"
  elif ((status != 0)) && [[ ! -s $out && ! -s $err ]]; then
    echo "exited with $status before $1 printed anything"
  fi
}
"$wine" "$@" >"$out" 2>"$err"
status=$?
again=$(wine_failure "$1")
if [[ -n $again ]]; then
  # The first run's words stay in the log, on stderr so that the output
  # is the second run's alone: Wine's failures are worth seeing.
  cat "$out" "$err" >&2
  echo "wine-start: $wine $again; started once more" >&2
  "$wine" "$@" >"$out" 2>"$err"
  status=$?
fi
cat "$out"
cat "$err" >&2
if ((status == 0)) && crashed; then
  echo "wine-start: $1 raised an unhandled exception, yet Wine exited with 0; failed" >&2
  status=1
fi
exit $status

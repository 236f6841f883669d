#!/bin/bash
# The cross builds' emulator starts a program once more only when Wine
# failed on its own (before the program printed anything, losing its server
# or killed by a signal); a program that ran and failed is run once, and
# one whose fault Wine reported fails even when Wine says 0. A stand-in for
# Wine counts its starts in a file.
# Usage: wine_start_test.sh WINE_START WORK
set -u
start=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
fake=$work/wine
cat >"$fake" <<'FAKE'
#!/bin/bash
# Arguments: COUNTER MODE. Every start prints "ran" except where said.
# silent-once: the first start fails silently. lost-server-once: the first
# start says only that Wine lost its server. lost-server-late-once: the
# first start prints, then loses its server. killed-once: the first start
# is killed by SIGSEGV. killed: every start is. fails: fails on stderr.
# fault-says-0: reports an unhandled exception and exits 0. fault-killed:
# reports one and is killed. passes: passes.
echo x >>"$1"
first=$(( $(wc -l <"$1") == 1 ))
fault() { echo "wine: Unhandled page fault on read access to 0000000000000000" >&2; }
case $2 in
  silent-once) ((first)) && exit 1 ;;
  lost-server-once) ((first)) && { echo "wine client error:0: recvmsg: reset" >&2; exit 1; } ;;
  lost-server-late-once) echo ran; ((first)) && { echo "wine client error:0: read: reset" >&2; exit 1; }; exit 0 ;;
  killed-once) ((first)) && { echo ran; kill -SEGV $$; } ;;
  killed) echo ran; kill -SEGV $$ ;;
  fails) echo "test failed" >&2; exit 3 ;;
  fault-says-0) echo ran; fault; exit 0 ;;
  fault-killed) echo ran; fault; kill -SEGV $$ ;;
esac
echo ran
FAKE
chmod +x "$fake"
failures=0
# expect MODE STATUS STARTS STDOUT
expect() {
  local counter=$work/$1.count output status starts
  output=$("$start" "$fake" "$counter" "$1" 2>/dev/null)
  status=$?
  starts=$(wc -l <"$counter")
  if [[ $status != "$2" || $starts != "$3" || $output != "$4" ]]; then
    echo "$1: status $status, $starts starts, output '$output'; expected $2, $3, '$4'"
    failures=$((failures + 1))
  fi
}
expect silent-once 0 2 ran
expect lost-server-once 0 2 ran
expect lost-server-late-once 0 2 ran
expect killed-once 0 2 ran
expect killed 139 2 ran
expect fails 3 1 ""
expect fault-says-0 1 1 ran
expect fault-killed 139 1 ran
expect passes 0 1 ran
exit $((failures > 0))

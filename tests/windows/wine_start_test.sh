#!/bin/bash
# The cross builds' emulator starts a program once more only when Wine
# failed before the program printed anything; a program that ran and failed
# is run once. A stand-in for Wine counts its starts in a file.
# Usage: wine_start_test.sh WINE_START WORK
set -u
start=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
fake=$work/wine
cat >"$fake" <<'FAKE'
#!/bin/bash
# Arguments: COUNTER MODE. MODE silent-once: the first start fails silently.
# MODE fails: every start prints and fails. MODE passes: prints and passes.
echo x >>"$1"
case $2 in
  silent-once) (( $(wc -l <"$1") > 1 )) && { echo ran; exit 0; }; exit 1 ;;
  fails) echo "test failed" >&2; exit 3 ;;
  passes) echo ran; exit 0 ;;
esac
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
expect fails 3 1 ""
expect passes 0 1 ran
exit $((failures > 0))

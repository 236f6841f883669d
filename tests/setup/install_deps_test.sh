#!/bin/bash
# tools/install-deps against stand-ins for id, sudo, apt-get, dpkg and
# dpkg-query, so that no case installs anything or needs root.
# Usage: install_deps_test.sh path/to/install-deps
set -uo pipefail
script=$1
real_dpkg_query=$(command -v dpkg-query) || { echo "no dpkg-query: not a Debian system"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

stub() {  # stub NAME BODY: a command in $work/bin, with the system's tools
  printf '#!/bin/bash\nPATH=/usr/bin:/bin\n%s\n' "$2" > "$work/bin/$1"
  chmod +x "$work/bin/$1"
}

# A fresh set of stand-ins. Installed state: every package is installed
# except those listed in $work/missing; apt-get install removes them there.
setup() {
  rm -rf "$work/bin" "$work/log" "$work/missing" "$work/i386"
  mkdir -p "$work/bin"
  touch "$work/log" "$work/missing"
  ln -s "$(command -v bash)" "$work/bin/bash"
  ln -s "$(command -v env)" "$work/bin/env"
  stub id 'echo "${FAKE_UID:-1000}"'
  stub apt-get 'echo "apt-get $*" >> '"$work/log"'
if [[ $1 == update && -e '"$work/i386"' && -n ${FAKE_I386_BROKEN:-} ]]; then exit 100; fi
if [[ $1 == install ]]; then for p in "$@"; do sed -i "/^${p%:*}\$/d" '"$work/missing"'; done; fi'
  stub dpkg-query 'for p in "${@:3}"; do grep -qx "$p" '"$work/missing"' || echo "ii  $p"; done'
  stub dpkg 'echo "dpkg $*" >> '"$work/log"'
case $1 in
  --print-foreign-architectures) cat '"$work/i386"' 2>/dev/null ;;
  --add-architecture) echo i386 > '"$work/i386"' ;;
  --remove-architecture) rm -f '"$work/i386"' ;;
esac'
}

use_real_dpkg_query() { ln -sf "$real_dpkg_query" "$work/bin/dpkg-query"; }
with_sudo() { stub sudo 'echo "sudo $*" >> '"$work/log"'; PATH='"$work/bin"' exec "$@"'; }

# run ARGS...: runs the script with only the stand-ins on PATH.
run() {
  PATH="$work/bin" "$script" "$@" > "$work/out" 2> "$work/err"
  status=$?
}

check() {  # check NAME CONDITION...
  local name=$1
  shift
  if ! "$@"; then
    echo "FAIL $name: $*"
    echo "  exit $status; stdout: $(cat "$work/out"); stderr: $(cat "$work/err"); log: $(cat "$work/log")"
    failures=$((failures + 1))
  fi
}
is() { [[ $1 == "$2" ]]; }
has() { grep -qF -- "$2" "$1"; }
lacks() { ! grep -qF -- "$2" "$1"; }
lines() { [[ $(wc -l < "$1") == "$2" ]]; }

setup; use_real_dpkg_query
run demo
check "everything present: silent success" is "$status" 0
check "everything present: no output" lines "$work/err" 0
check "everything present: apt-get untouched" lines "$work/log" 0

setup; use_real_dpkg_query
BTE_EXTRA_PACKAGES=bte-no-such-package run demo
check "no root, no sudo: exit 2" is "$status" 2
check "no root, no sudo: one command" lines "$work/out" 1
check "no root, no sudo: the command installs the package" \
  has "$work/out" "apt-get install -y --no-install-recommends bte-no-such-package"
check "no root, no sudo: apt-get untouched" lines "$work/log" 0

setup; echo cmake > "$work/missing"
FAKE_UID=0 run demo
check "root: installs" is "$status" 0
check "root: updates the lists" has "$work/log" "apt-get update"
check "root: installs only what is missing" \
  has "$work/log" "apt-get install -y --no-install-recommends cmake"
check "root: no sudo" lacks "$work/log" "sudo"

setup; with_sudo; printf 'help2man\nclang\n' > "$work/missing"
run check
check "sudo: installs" is "$status" 0
check "sudo: through sudo" has "$work/log" "sudo env DEBIAN_FRONTEND=noninteractive bash -c"
check "sudo: both packages" has "$work/log" "--no-install-recommends help2man clang"

setup; use_real_dpkg_query
FAKE_UID=0 BTE_EXTRA_PACKAGES=bte-no-such-package run demo
check "apt-get installs nothing: failure" is "$status" 1
check "apt-get installs nothing: says what is missing" has "$work/err" "still missing after apt-get: bte-no-such-package"

setup; echo wine32 > "$work/missing"
FAKE_UID=0 FAKE_I386_BROKEN=1 run wine32
check "broken i386 lists: wine32 fails" is "$status" 1
check "broken i386 lists: architecture removed again" has "$work/log" "dpkg --remove-architecture i386"
check "broken i386 lists: lists updated without it" is "$(tail -n 1 "$work/log")" "apt-get update"
check "broken i386 lists: no i386 left" test ! -e "$work/i386"

setup; echo wine32 > "$work/missing"
FAKE_UID=0 run wine32
check "wine32: installed" is "$status" 0
check "wine32: the i386 package" has "$work/log" "apt-get install -y --no-install-recommends wine32:i386"

setup
run frobnicate
check "unknown command: usage error" is "$status" 2

[[ $failures == 0 ]] && echo "install-deps: all cases pass"
exit $((failures > 0))

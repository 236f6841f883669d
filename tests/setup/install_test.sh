#!/bin/bash
# Installs the build into a temporary prefix and builds the example host
# against it twice, through find_package and through pkg-config, exactly as
# the README's "Use from CMake / pkg-config" shows; both must run and print
# the expected output. Also: an install into a prefix without write access
# stops with one message before anything is copied.
# Usage: install_test.sh BUILD-DIR SOURCE-DIR VERSION
set -uo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"
libdir=$(dirname "$(find "$prefix" -name "libbuildtagexpr.so.$version")")
[[ -n $libdir && -d $libdir ]] || fail "no libbuildtagexpr.so.$version under $prefix"
[[ $(readlink "$libdir/libbuildtagexpr.so.0") == "libbuildtagexpr.so.$version" ]] ||
  fail "libbuildtagexpr.so.0 does not lead to libbuildtagexpr.so.$version"
readelf -d "$libdir/libbuildtagexpr.so.$version" | grep -q "SONAME.*\[libbuildtagexpr.so.0\]" ||
  fail "the module's SONAME is not libbuildtagexpr.so.0"
for file in "$libdir/libpagesift.so.0" "$libdir/libPublishProfiles.so" "$prefix/bin/buildtags" \
            "$prefix/share/man/man1/buildtags.1" "$prefix/include/buildtagexpr.h" \
            "$libdir/cmake/buildtagexpr/buildtagexprConfig.cmake" "$libdir/pkgconfig/buildtagexpr.pc"; do
  [[ -e $file ]] || fail "not installed: ${file#"$prefix"/}"
done
[[ $("$prefix/bin/buildtags" --version) == "buildtags $version" ]] || fail "installed tool does not run"

# The README's snippet is the example's CMakeLists.txt and one pkg-config line.
readme="$source/README.md"
section=$(sed -n '/^## Use from CMake \/ pkg-config/,/^## /p' "$readme")
sed 's/^/    /' "$source/examples/host/CMakeLists.txt" > "$work/quoted"
[[ $section == *"$(cat "$work/quoted")"* ]] ||
  fail "README does not quote examples/host/CMakeLists.txt as it is"
pkg_line=$(grep -m1 'pkg-config --cflags --libs buildtagexpr' <<< "$section" | sed 's/^ *//')
[[ -n $pkg_line ]] || fail "README shows no pkg-config command"

expected="$source/examples/host/expected-output.txt"
cmake -S "$source/examples/host" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" > "$work/cmake.log" 2>&1 &&
  cmake --build "$work/cmake" >> "$work/cmake.log" 2>&1 || fail "find_package build: $(cat "$work/cmake.log")"
"$work/cmake/host" > "$work/cmake.out" && cmp -s "$work/cmake.out" "$expected" ||
  fail "find_package host printed: $(cat "$work/cmake.out")"

mkdir "$work/pc" && cp "$source/examples/host/host.cpp" "$work/pc/"
(cd "$work/pc" && PKG_CONFIG_PATH="$libdir/pkgconfig" bash -c "$pkg_line") \
  > "$work/pc.log" 2>&1 || fail "pkg-config build ($pkg_line): $(cat "$work/pc.log")"
LD_LIBRARY_PATH="$libdir" "$work/pc/host" > "$work/pc.out" && cmp -s "$work/pc.out" "$expected" ||
  fail "pkg-config host printed: $(cat "$work/pc.out")"

# No write access: one clear message, nothing copied.
mkdir -p "$work/locked"
chmod 555 "$work/locked"
chmod 755 "$work"
as_other_user=()
[[ $(id -u) == 0 ]] && as_other_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_other_user[@]}" cmake --install "$build" --prefix "$work/locked/usr" > "$work/locked.log" 2>&1 &&
  fail "install into a locked prefix succeeded"
grep -q "cannot install into $work/locked/usr: no write access" "$work/locked.log" ||
  fail "locked prefix: unclear message: $(cat "$work/locked.log")"
[[ -z $(ls -A "$work/locked") ]] || fail "locked prefix: files were written"

[[ $failures == 0 ]] && echo "install: both hosts build and run"
exit $((failures > 0))

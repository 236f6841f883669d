#!/bin/bash
# Mutation sample: for each one-line fault kept here as a patch, applies it,
# rebuilds the plain build incrementally, runs the whole suite and reverts.
# A mutant is "caught" when a test fails or times out, "missed" when every
# test passes, "broken" when the patch no longer applies or the build fails.
#
#   tests/mutants/run.sh [--build DIR] [--timeout SECONDS] [--jobs N]
#                        [--tests REGEX] [--skip REGEX] [NAME...]
#
# NAME is a patch's name with or without ".patch"; without names, every
# patch runs. DIR (default: build) must be a configured plain build.
# --tests limits the suite to the tests REGEX matches, for trying a
# re-targeted patch; recorded results use the whole suite. --skip leaves
# out the tests REGEX matches (checks that run no product code, such as the
# Windows syntax check, catch no mutant and only cost time). The tree is
# restored after every mutant and on any exit (Ctrl-C included); edits of
# your own in the touched files survive, as the patch is reverted, not
# checked out. A patch whose fault moved elsewhere is re-targeted by hand:
# its header says the fault in words.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build" timeout=300 jobs=2 names=() only=() skip=()
while (($#)); do
  case "$1" in
    --build) build="$(realpath "$2")"; shift 2 ;;
    --timeout) timeout="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --tests) only=(-R "$2"); shift 2 ;;
    --skip) skip=(-E "$2"); shift 2 ;;
    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    *) names+=("${1%.patch}"); shift ;;
  esac
done
[[ -f "$build/CMakeCache.txt" ]] || { echo "run.sh: $build is not a configured build" >&2; exit 2; }
if ((${#names[@]} == 0)); then
  for patch in "$here"/*.patch; do names+=("$(basename "$patch" .patch)"); done
fi
for name in "${names[@]}"; do
  [[ -f "$here/$name.patch" ]] || { echo "run.sh: no patch $name" >&2; exit 2; }
done

cd "$root"
applied=""
revert() {
  if [[ -n "$applied" ]]; then
    git apply -R "$here/$applied.patch" || echo "run.sh: could not revert $applied" >&2
    applied=""
  fi
}
trap revert EXIT
trap 'exit 130' INT TERM

log="$build/mutants"
mkdir -p "$log"
caught=0 missed=0 broken=0
started=$SECONDS
for name in "${names[@]}"; do
  begun=$SECONDS
  if ! git apply "$here/$name.patch" 2> "$log/$name.apply"; then
    status="broken" detail="patch does not apply"
  else
    applied="$name"
    if ! cmake --build "$build" -j "$jobs" > "$log/$name.build" 2>&1; then
      status="broken" detail="build fails (see $log/$name.build)"
    elif ctest --test-dir "$build" -j "$jobs" --timeout "$timeout" --stop-on-failure "${only[@]}" "${skip[@]}" \
         > "$log/$name.test" 2>&1; then
      status="missed" detail=""
    else
      status="caught"
      # The first failed tests, from ctest's closing list.
      detail="$(sed -n '/tests FAILED:/,$p' "$log/$name.test" | sed -nE 's/^\s+[0-9]+ - //p' |
                head -n 3 | paste -sd ';' | sed 's/;/; /g')"
    fi
    revert
  fi
  case "$status" in caught) ((++caught)) ;; missed) ((++missed)) ;; broken) ((++broken)) ;; esac
  printf '%-7s %-50s %4ds  %s\n' "$status" "$name" "$((SECONDS - begun))" "$detail"
done
# Leaves the build matching the restored tree.
cmake --build "$build" -j "$jobs" > "$log/restore.build" 2>&1 ||
  echo "run.sh: rebuilding the restored tree failed (see $log/restore.build)" >&2
printf 'total: %d mutants, %d caught, %d missed, %d broken, in %d s\n' \
  "${#names[@]}" "$caught" "$missed" "$broken" "$((SECONDS - started))"

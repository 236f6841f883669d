#!/bin/bash
# The main job on a generated project of 2,000 topics and 50 RTF documents:
# files and megabytes per second with one and two jobs, against copying the
# same folder with cp -r. Usage: bench/build_bench.sh [build-dir]
set -euo pipefail
build=${1:-build}
tool="$(cd "$build" && pwd)/cli/buildtags"
# In the build folder rather than /tmp: see goals.sh.
work=$(mktemp -d "$build/build-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
src="$work/src"
"$(dirname "$0")/bench_project.sh" "$src"
# Dated back, as a project's files are (files changed within the file
# system's time resolution are read afresh on every link).
find "$src" -exec touch -d '1 hour ago' {} +
files=$(find "$src" -type f | wc -l)
megabytes=$(du -sm "$src" | cut -f1)
echo "project: $files files, $megabytes MB"

seconds() { local start=$(date +%s.%N); "$@" > /dev/null; echo "$(date +%s.%N) - $start" | bc; }
copy=$(seconds cp -r "$src" "$work/copy")
one=$(seconds "$tool" build --quiet --jobs 1 --expr "NOT Beta" "$src" "$work/out1")
two=$(seconds "$tool" build --quiet --jobs 2 --expr "NOT Beta" "$src" "$work/out2")
report() { printf '%-10s %7.2f s  %8.0f files/s  %6.1f MB/s\n' "$1" "$2" \
  "$(echo "$files / $2" | bc -l)" "$(echo "$megabytes / $2" | bc -l)"; }
report "cp -r" "$copy"
report "jobs 1" "$one"
report "jobs 2" "$two"
printf 'jobs 2 speed-up: %.2f; jobs 2 against cp -r: %.1f times the time\n' \
  "$(echo "$one / $two" | bc -l)" "$(echo "$two / $copy" | bc -l)"

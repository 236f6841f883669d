#!/bin/bash
# The speed goals, each measured as a ratio in one run and printed as one
# table next to its goal. Whole-process figures come from /usr/bin/time,
# the command and its anchor run in turn (A B A B ...), the ratio taken
# pair by pair; in-process figures from the benchmark program. Medians are
# quoted with the range of the runs.
#   bench/goals.sh [build-dir] [runs]      (default: build, 3 runs)
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
runs=${2:-3}
here="$(cd "$(dirname "$0")" && pwd)"
tool="$build/cli/buildtags"
gumbo="$build/bench/gumbo_parse"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rows=()

# median and range of numbers, one a line: "median (min-max)"
summary() { sort -g | awk '{v[NR]=$1} END {m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2;
  printf "%.3g (%.3g-%.3g)", m, v[1], v[NR]}'; }
median() { sort -g | awk '{v[NR]=$1} END {print (NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2}'; }
# "seconds peak-kB" of one run of a command, its output thrown away
timed() { /usr/bin/time -f '%e %M' -o "$work/time" "$@" > /dev/null 2>&1 || true; cat "$work/time"; }
# row GOAL MEASURED LIMIT: LIMIT is "<= x" or ">= x"
row() {
  local value=${2%% *} verdict
  verdict=$(awk -v v="$value" -v op="${3%% *}" -v l="${3##* }" \
    'BEGIN { print ((op == "<=" ? v <= l : v >= l) ? "met" : "NOT met") }')
  rows+=("$(printf '%-52s %-24s %-8s %s' "$1" "$2" "$3" "$verdict")")
}

echo "goals: filter-html on a 40 MB topic against gumbo_parse ($runs runs each)" >&2
"$here/large_topic.sh" "$work/large.htm" 40
input_kb=$(( $(stat -c %s "$work/large.htm") / 1024 ))
: > "$work/html-ratio"; : > "$work/html-peak"
for ((i = 0; i < runs; ++i)); do
  read -r ours peak < <(timed "$tool" filter-html -e "NOT Web AND NOT Internal" "$work/large.htm" "$work/large-out.htm")
  read -r theirs _ < <(timed "$gumbo" "$work/large.htm")
  echo "$ours / $theirs" | bc -l >> "$work/html-ratio"
  echo "$peak / $input_kb" | bc -l >> "$work/html-peak"
done
row "filter-html 40 MB topic, time / gumbo's parse" "$(summary < "$work/html-ratio")" "<= 0.2"
row "filter-html 40 MB topic, peak memory / input" "$(summary < "$work/html-peak")" "<= 4"
rm -f "$work/large.htm" "$work/large-out.htm"

echo "goals: in-process benchmarks (10 KB topic, RTF)" >&2
"$build/bench/bte_bench" --benchmark_repetitions="$runs" --benchmark_format=json \
  --benchmark_filter='^(BM_FilterTypicalTopicWithLinks|BareScan|Filter/RemoveExcludedSimple|BM_BareScan|BM_FilterBufferStructured)(/|$)' \
  > "$work/bench.json" 2> /dev/null
# per-run values of a benchmark's field (real_time or a counter)
field() { jq -r --arg n "$1" --arg f "$2" \
  '.benchmarks[] | select(.run_type == "iteration" and (.run_name == $n or (.run_name | startswith($n + "/")))) | .[$f]' "$work/bench.json"; }
if [[ -n "$(field BM_FilterTypicalTopicWithLinks per_gumbo)" ]]; then
  row "10 KB topic in process (links, save) / gumbo" "$(field BM_FilterTypicalTopicWithLinks per_gumbo | summary)" "<= 0.05"
else
  rows+=("10 KB topic in process: skipped (no corpus)")
fi
# time per byte of the filter over that of the scan (the documents differ
# in size: the scan's is the filter's without its annotations)
rtf_ratio() { echo "$(field "$2" bytes_per_second | median) / $(field "$1" bytes_per_second | median)" | bc -l | xargs printf '%.3g'; }
row "filter-rtf simple path / bare scan (per byte)" "$(rtf_ratio Filter/RemoveExcludedSimple BareScan)" "<= 3"
row "filter-rtf table document / bare scan (per byte)" "$(rtf_ratio BM_FilterBufferStructured BM_BareScan)" "<= 4"

echo "goals: the main job on the benchmark project against cp -r" >&2
# Dated an hour back, as a project's files are: the build reads files
# changed within the file system's time resolution afresh on every link.
age() { find "$1" -exec touch -d '1 hour ago' {} +; }
"$here/bench_project.sh" "$work/src"
age "$work/src"
files=$(find "$work/src" -type f | wc -l)
: > "$work/per-copy"; : > "$work/speed-up"
for ((i = 0; i < runs; ++i)); do
  rm -rf "$work/copy" "$work/out1" "$work/out2"
  read -r copy _ < <(timed cp -r "$work/src" "$work/copy")
  read -r one _ < <(timed "$tool" build --quiet --jobs 1 --expr "NOT Beta" "$work/src" "$work/out1")
  read -r two _ < <(timed "$tool" build --quiet --jobs 2 --expr "NOT Beta" "$work/src" "$work/out2")
  echo "$two / $copy" | bc -l >> "$work/per-copy"
  echo "$one / $two" | bc -l >> "$work/speed-up"
  echo "$two" >> "$work/two-jobs"
done
row "build --jobs 2 / cp -r ($files files)" "$(summary < "$work/per-copy")" "<= 5"
row "build: --jobs 1 time / --jobs 2 time" "$(summary < "$work/speed-up")" ">= 1.8"
rm -rf "$work/copy" "$work/out1" "$work/out2"

echo "goals: time per topic on a project of 20,000 topics (one run)" >&2
"$here/bench_project.sh" "$work/big" 20000
age "$work/big"
big_files=$(find "$work/big" -type f | wc -l)
read -r big _ < <(timed "$tool" build --quiet --jobs 2 --expr "NOT Beta" "$work/big" "$work/big-out")
rm -rf "$work/big" "$work/big-out"
small=$(median < "$work/two-jobs")
row "build --jobs 2, time per file, 20,000 / 2,000 topics" \
  "$(echo "($big / $big_files) / ($small / $files)" | bc -l | xargs printf '%.3g')" "<= 1.2"

printf '\n%-52s %-24s %-8s %s\n' "measure (ratio)" "median (min-max)" "goal" ""
printf '%s\n' "${rows[@]}"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"

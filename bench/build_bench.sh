#!/bin/bash
# The main job on a generated project of 2,000 topics and 50 RTF documents:
# files and megabytes per second with one and two jobs, against copying the
# same folder with cp -r. Usage: bench/build_bench.sh [build-dir]
set -euo pipefail
build=${1:-build}
tool="$(cd "$build" && pwd)/cli/buildtags"
samples="$(cd "$(dirname "$0")/../samples/help" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src="$work/src"
mkdir -p "$src/css"
cp "$samples/source/css/help.css" "$src/css/"

# Each topic: a sample topic padded to about 10 KB with tagged paragraphs,
# linking to its neighbours; every tenth one carries a topic-level tag.
topics=("$samples"/source/topics/*.htm)
for i in $(seq 1 40); do
  echo "  <p data-buildtags=\"$([[ $((i % 4)) == 0 ]] && echo Beta || echo Web)\">Paragraph $i of filler text for the benchmark, long enough to matter.</p>"
  echo "  <p>Untagged paragraph $i with a <a href=\"topic$((i * 7 % 2000)).htm\">link</a>.</p>"
done > "$work/filler"
for n in $(seq 0 1999); do
  base=${topics[$((n % ${#topics[@]}))]}
  tag=""
  [[ $((n % 10)) == 0 ]] && tag='<meta name="buildtags" content="Beta">'
  sed -e "s|<head>|<head>$tag|" -e "/<\/body>/e cat $work/filler" \
      -e "s|href=\"[a-z_]*\\.htm\"|href=\"topic$(((n + 1) % 2000)).htm\"|" "$base" > "$src/topic$n.htm"
done
for n in $(seq 1 50); do
  { head -c -2 "$samples/source/manual.rtf"
    for r in $(seq 1 400); do
      echo "\\pard {\\*\\atrfstart $((r + 100))}Repeated tagged paragraph $r.{\\*\\atrfend $((r + 100))}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn{\\*\\annotation{\\*\\atnref $((r + 100))}$([[ $((r % 4)) == 0 ]] && echo Beta || echo Web)}\\par"
    done
    echo "}"; } > "$src/manual$n.rtf"
done
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

#!/bin/bash
# Golden outputs: runs the buildtags tool as users do (build, filter-html,
# filter-rtf and a few reports) on the sample project, the corpus (copies,
# given build tags by add_tags.pl) and the generated benchmark project, and
# compares the SHA-256 of every output file, every non-empty standard output
# and error (timings masked) and every exit code with manifest.txt.
#
#   golden.sh --tool BUILDTAGS --manifest FILE --work DIR [--skip bench] [--update]
#
# The corpus comes from $BTE_CORPUS_DIR, else from the folder the build was
# configured with ($BTE_CONFIGURED_CORPUS_DIR, set by the build), else from
# ../shared/corpus beside the source tree; without it the corpus rows are
# skipped. --skip bench leaves out the benchmark project's rows (20 MB
# through a sanitizer build take many minutes; the plain build covers
# them). Outputs stay in DIR/out for a look after a failure. A change
# meant to change output is accepted with `make golden-update` (the
# --update flag), which rewrites the manifest so that its diff shows what
# changed.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
corpus="${BTE_CORPUS_DIR:-${BTE_CONFIGURED_CORPUS_DIR:-$source_dir/../shared/corpus}}"
tool="" manifest="" work="" update=0
skipped=()  # groups of rows (the first part of their paths) not produced
declare -A why=([bench]="--skip bench")  # why each group is skipped
while (($#)); do
  case "$1" in
    --skip) skipped+=("$2"); shift 2 ;;
    --tool) tool="$(realpath "$2")"; shift 2 ;;
    --manifest) manifest="$(realpath -m "$2")"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    --update) update=1; shift ;;
    *) echo "golden.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
[[ -x "$tool" && -n "$manifest" && -n "$work" ]] ||
  { echo "usage: golden.sh --tool BUILDTAGS --manifest FILE --work DIR [--skip bench] [--update]" >&2
    exit 2; }

# The work folder is wiped first, so it must be one of ours.
if [[ -e "$work" && ! -e "$work/.golden-work" ]]; then
  echo "golden.sh: $work exists and is not a golden work folder" >&2
  exit 2
fi
rm -rf "$work"
mkdir -p "$work/in" "$work/out"
touch "$work/.golden-work"
work="$(cd "$work" && pwd)"
in="$work/in" out="$work/out"
exits="$work/exit-codes"
: > "$exits"
expressions=("" "NOT Print" "NOT Web AND NOT Internal")

# File-name-safe names of the expressions, under "=" + expression (bash
# takes no empty key).
declare -A slug=(["="]=empty ["=NOT Print"]=not-print ["=NOT Beta"]=not-beta
                 ["=NOT Web AND NOT Internal"]=not-web-and-not-internal
                 ["=NOT Web AND NOT Beta"]=not-web-and-not-beta
                 ["=NOT Print AND NOT Beta"]=not-print-and-not-beta)

# run CASE ARGS...: the tool with ARGS, from the input folder (so messages
# name relative paths); its standard output and error are kept as
# CASE.stdout and CASE.stderr, its exit code as a row. The caller makes
# CASE's folder, once for many runs: a mkdir per run costs as much as a run.
run() {
  local case="$1"; shift
  local code=0
  "$tool" "$@" > "$out/$case.stdout" 2> "$out/$case.stderr" || code=$?
  echo "$case.exit $code" >> "$exits"
}

# Empty streams get no row; timings and the work folder's path are masked.
mask_streams() {
  find "$out" -type f \( -name '*.stdout' -o -name '*.stderr' \) -empty -delete
  find "$out" -type f \( -name '*.stdout' -o -name '*.stderr' \) -exec sed -i \
    -e 's/"seconds": [0-9.e+-]*/"seconds": 0/' -e 's/, [0-9.]* s$/, 0 s/' -e "s|$work|WORK|g" {} +
}

# Both targets of the sample project as the demo builds them, its manual
# through filter-rtf, and the reports of the other commands.
sample_rows() {
  cp -r "$source_dir/samples/help" "$in/sample"
  mkdir -p "$out/sample/check" "$out/sample/eval"
  for target in Print Web; do
    run "sample/build-$target" build --quiet --jobs 2 --project sample/project.ini \
      --target "$target" sample/source "$out/sample/build-$target"
  done
  run sample/build-json build --quiet --jobs 2 --json --expr "NOT Beta" sample/source \
    "$out/sample/build-json"
  for expression in "" "NOT Print" "NOT Web AND NOT Beta" "NOT Print AND NOT Beta"; do
    local case="sample/manual.${slug[=$expression]}"
    run "$case" filter-rtf -e "$expression" sample/source/manual.rtf "$out/$case.rtf"
  done
  run sample/manual-to-stdout filter-rtf -e "NOT Web" - < "$in/sample/source/manual.rtf"
  run sample/settings-to-stdout filter-html -e "NOT Beta" sample/source/topics/settings.htm
  run sample/rtf-tags rtf-tags sample/source/manual.rtf
  run sample/scan scan sample/source --project sample/project.ini --json
  local tagsets; mapfile -t tagsets < <(grep -v '^#' "$source_dir/samples/tagsets.txt")
  while IFS='|' read -r name expression; do
    [[ "$name" == \#* ]] && continue
    run "sample/check/$name" check "$expression"
    run "sample/eval/$name" eval "$expression" "${tagsets[@]}"
  done < "$source_dir/samples/targets.txt"
}

# Each help project as it is, and a copy given tags, built with each
# expression; each messy topic given tags and filtered with two expressions,
# and with link removal.
corpus_html_rows() {
  for project in "$corpus"/html/*/; do
    local name; name="$(basename "$project")"
    [[ "$name" == messy ]] && continue
    cp -r "$project" "$in/$name"
    cp -r "$project" "$in/$name-tagged"
    perl "$here/add_tags.pl" topics "$in/$name-tagged"
    mkdir -p "$out/corpus/html/$name"
    run "corpus/html/$name/untagged" build --quiet --jobs 2 --json --expr "NOT Print" "$name" \
      "$out/corpus/html/$name/untagged"
    for expression in "${expressions[@]}"; do
      local case="corpus/html/$name/${slug[=$expression]}"
      run "$case" build --quiet --jobs 2 --json --expr "$expression" "$name-tagged" "$out/$case"
    done
  done
  mkdir -p "$in/messy"
  cp "$corpus"/html/messy/* "$in/messy/"
  perl "$here/add_tags.pl" elements "$in"/messy/*
  for file in "$in"/messy/*; do
    local name; name="$(basename "$file")"
    mkdir -p "$out/corpus/messy/$name"
    for expression in "NOT Print" "NOT Web AND NOT Internal"; do
      local case="corpus/messy/$name/${slug[=$expression]}"
      run "$case" filter-html -e "$expression" "messy/$name" "$out/$case.html"
    done
    local case="corpus/messy/$name/not-web-and-not-internal-links"
    run "$case" filter-html -e "NOT Web AND NOT Internal" --links "messy/$name" "$out/$case.html"
  done
}

# The RTF documents as they are, and copies with ranges: each through
# filter-rtf with one expression, and all of them at once through build
# (the filter object's file interface) with each expression; a process per
# document and expression would cost more than the filtering.
corpus_rtf_rows() {
  mkdir -p "$in/rtf" "$in/ranges" "$out/corpus/rtf"
  cp "$corpus"/rtf/*.rtf "$in/rtf/"
  cp "$corpus"/rtf/*.rtf "$in/ranges/"
  perl "$here/add_tags.pl" rtf-ranges "$in"/ranges/*.rtf
  # Every tenth document with its extension in capitals, as old projects have.
  local count=0
  for file in "$in"/ranges/*.rtf; do
    ((count++ % 10)) || mv "$file" "${file%.rtf}.RTF"
  done
  for file in "$in"/ranges/*; do
    local name; name="$(basename "$file")"
    mkdir -p "$out/corpus/rtf/$name"
    run "corpus/rtf/$name/not-web-and-not-internal" filter-rtf -e "NOT Web AND NOT Internal" \
      "ranges/$name" "$out/corpus/rtf/$name/not-web-and-not-internal.rtf"
  done
  run corpus/rtf/untagged build --quiet --jobs 2 --json --expr "NOT Print" rtf \
    "$out/corpus/rtf/untagged"
  for expression in "${expressions[@]}"; do
    local case="corpus/rtf/ranges-${slug[=$expression]}"
    run "$case" build --quiet --jobs 2 --json --expr "$expression" ranges "$out/$case"
  done
}

# The benchmark project's 2,000 topics repeat a dozen; one row per build
# holds the hash of its file list with their hashes (kept beside it).
bench_rows() {
  "$source_dir/bench/bench_project.sh" "$in/bench"
  mkdir -p "$out/bench"
  for expression in "NOT Beta" "NOT Web AND NOT Internal"; do
    local case="bench/${slug[=$expression]}"
    run "$case" build --quiet --jobs 2 --json --expr "$expression" bench "$work/bench-files"
    (cd "$work/bench-files" && find . -type f -printf '%P\n' | LC_ALL=C sort |
      xargs -d '\n' sha256sum) > "$out/$case.files.sha256"
    rm -rf "$work/bench-files"
  done
}

cd "$in"
sample_rows
if [[ " ${skipped[*]} " != *" bench "* ]]; then bench_rows; fi
if [[ -d "$corpus/html" && -d "$corpus/rtf" ]]; then
  corpus_html_rows
  corpus_rtf_rows
else
  skipped+=(corpus)
  why[corpus]="corpus not found at $corpus"
fi
if ((update && ${#skipped[@]})); then
  echo "golden.sh: the manifest needs every row; not written without ${skipped[*]}" >&2
  exit 2
fi

mask_streams

# The rows: exit codes and a hash per output file, in path order.
actual="$work/manifest.actual"
{
  cat "$exits"
  (cd "$out" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs -d '\n' sha256sum |
    sed -E 's/^([0-9a-f]+)  (.*)$/\2 \1/')
} | LC_ALL=C sort > "$actual"

if ((update)); then
  cp "$actual" "$manifest"
  echo "golden.sh: wrote $(wc -l < "$manifest") rows to $manifest"
  exit 0
fi
expected="$work/manifest.expected"
cp "$manifest" "$expected"
for group in "${skipped[@]}"; do
  echo "${why[$group]}: $(grep -c "^$group/" "$expected") $group rows skipped"
  grep -v "^$group/" "$expected" > "$expected.kept" || true
  mv "$expected.kept" "$expected"
done
if ! diff -u "$expected" "$actual" > "$work/manifest.diff"; then
  echo "golden outputs differ from $manifest ($(grep -c '^[-+][^-+]' "$work/manifest.diff") rows):"
  head -n 80 "$work/manifest.diff"
  echo "outputs are in $out; if the change is meant, run: make golden-update"
  exit 1
fi
echo "golden outputs: $(wc -l < "$actual") rows match"

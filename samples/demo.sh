#!/bin/bash
# The demo: build both targets of the sample help project and show what each
# one left out.
set -euo pipefail
build=${1:-build}
tool="$build/cli/buildtags"
samples="$(cd "$(dirname "$0")" && pwd)"
out="$build/demo"
rm -rf "$out"

# The visible text of a topic or RTF document, one line per source line,
# roughly: markup, RTF destinations and control words stripped.
visible_text() {
  sed -e 's/<[^>]*>//g' -e 's/{\\\*\\[a-z]*[^}]*}//g' -e 's/\\[a-z]*-\{0,1\}[0-9]*//g' \
      -e 's/[{}]//g' -e 's/^ *//' -e 's/ *$//' "$1" | grep -E '[A-Za-z]{3}' || true
}

for target in Print Web; do
  dest="$out/$(echo "$target" | tr '[:upper:]' '[:lower:]')"
  echo "== target $target"
  "$tool" build --quiet --project "$samples/help/project.ini" --target "$target" \
    "$samples/help/source" "$dest"
  echo "-- passages left out of $dest:"
  (cd "$samples/help/source" && find . -type f \( -name '*.htm' -o -name '*.rtf' \) | sort) |
    while read -r file; do
      [[ -f "$dest/$file" ]] || continue
      original="$samples/help/source/$file"
      if [[ "$file" == *.rtf ]]; then
        # Compared without its build-tag markers: what an empty expression keeps.
        "$tool" filter-rtf -e "" "$original" "$out/unfiltered.rtf"
        original="$out/unfiltered.rtf"
      fi
      grep -vxF -f <(visible_text "$dest/$file") <(visible_text "$original") |
        sed "s|^|   ${file#./}: |" || true
    done
  echo
done

# Review copies of both targets (excluded content kept and marked) and one
# report page over them.
echo "== review copies and the report page"
"$tool" build --quiet --review --project "$samples/help/project.ini" --all-targets \
  --report "$out/report.html" "$samples/help/source" "$out/review"
echo "-- open $out/report.html in a browser: counts, a chart, and what each target removes;"
echo "   its file names open the review copies in $out/review/"

#!/bin/bash
# The demo: the buildtags tool deciding what each sample target keeps.
set -euo pipefail
build=${1:-build}
tool="$build/cli/buildtags"
samples="$(dirname "$0")"
mapfile -t tagsets < <(grep -v '^#' "$samples/tagsets.txt")

while IFS='|' read -r target expression; do
  [[ -z "$target" || "$target" == \#* ]] && continue
  echo "== target $target: \"$expression\""
  "$tool" check "$expression" | sed 's/^/   /' || true
  "$tool" eval "$expression" "${tagsets[@]}" | sed 's/^/   /'
done < "$samples/targets.txt"

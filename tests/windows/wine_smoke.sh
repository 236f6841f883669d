#!/bin/bash
# The Windows tool under Wine against the Linux tool: the same commands on
# the samples must give the same bytes (on standard output and in output
# files) and the same exit codes.
# Usage: wine_smoke.sh WINE LINUX_BUILDTAGS WINDOWS_BUILD SAMPLES WORK
set -uo pipefail
wine=$1 linux=$2 windows=$3/buildtags.exe samples=$4 work=$5
if [[ ! -x $wine ]]; then echo "skipped: wine64 is not installed"; exit 0; fi
if [[ ! -f $windows ]]; then echo "skipped: no Windows build in $3 (make windows)"; exit 0; fi
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$work/wine-prefix}
# Through the cross builds' emulator, which starts a run again only where
# Wine itself failed.
start=$(dirname "$0")/../../cmake/toolchains/wine-start.sh
rm -rf "$work/linux" "$work/windows" && mkdir -p "$work/linux" "$work/windows"

rtf=$samples/help/source/manual.rtf
topic=$samples/help/source/topics/printing.htm
failures=0
# run NAME ARGS...: ARGS may name OUT, which becomes a file of each side.
run() {
  local name=$1 side status
  shift
  for side in linux windows; do
    local -a args=("${@//OUT/$work/$side/$name.out}")
    if [[ $side == linux ]]; then
      "$linux" "${args[@]}" >"$work/$side/$name.stdout" 2>/dev/null
    else
      # Windows names the files by drive (Wine's Z: is /): the tool's
      # argument parser takes "/word" for an option there.
      local i
      for i in "${!args[@]}"; do
        [[ ${args[i]} == /* ]] && args[i]=$(printf 'Z:%s' "${args[i]//\//\\}")
      done
      "$start" "$wine" "$windows" "${args[@]}" >"$work/$side/$name.stdout" 2>/dev/null
    fi
    echo $? >"$work/$side/$name.status"
  done
  for part in stdout status out; do
    [[ -f $work/linux/$name.$part || -f $work/windows/$name.$part ]] || continue
    if ! cmp -s "$work/linux/$name.$part" "$work/windows/$name.$part"; then
      echo "FAIL $name: $part differs"
      diff <(od -c "$work/linux/$name.$part" | head -20) \
           <(od -c "$work/windows/$name.$part" | head -20)
      failures=$((failures + 1))
    fi
  done
}

run eval eval "NOT Print AND NOT Beta" Print Web "web;BETA" "" "Print Only"
run eval_broken eval "Print AND" Print
run check check "NOT Print|Web&~Beta"
run rtf_stdout filter-rtf -e "NOT Print" "$rtf" -
run rtf_file filter-rtf -e "Web OR Online Help AND NOT Internal" "$rtf" OUT
run rtf_missing filter-rtf -e "Web" "$work/no-such.rtf" OUT
run html_stdout filter-html -e "NOT Web AND NOT Beta" "$topic" -
run html_file filter-html -e "Web" "$topic" OUT
for topic in "$samples"/help/source/topics/*.htm; do
  run "html_$(basename "$topic" .htm)" filter-html -e "NOT Print" "$topic" OUT
done
# The main job, then the same build again into its output with one output
# edited by hand in between: the same files as the Linux tool's, and the
# second build makes only the edited one anew.
built=$work/windows/built linux_built=$work/linux/built edited=topics/contact.htm
build_on_windows() {
  "$start" "$wine" "$windows" build --quiet --jobs 2 --expr "NOT Print" \
    "$(printf 'Z:%s' "${samples//\//\\}")\\help\\source" "$(printf 'Z:%s' "${built//\//\\}")" \
    >/dev/null 2>&1
}
# "inode path" of every output, the build's own record left aside
inodes() { find "$1" -type f ! -name .buildtags-manifest -printf '%i %P\n' | sort -k 2; }
"$linux" build --quiet --jobs 2 --expr "NOT Print" "$samples/help/source" "$linux_built" >/dev/null 2>&1
if build_on_windows && [[ -f $built/$edited ]]; then
  echo "<p>edited by hand</p>" >>"$built/$edited"
  before=$(inodes "$built")
  if build_on_windows && diff -r -x .buildtags-manifest "$linux_built" "$built" >/dev/null; then
    remade=$(diff <(echo "$before") <(inodes "$built") | sed -n 's/^> [0-9]* //p')
    if [[ $remade != "$edited" ]]; then
      echo "FAIL rebuild: made anew: ${remade:-nothing} (expected $edited only)"
      failures=$((failures + 1))
    fi
  else
    echo "FAIL rebuild: the second build failed or its files differ from the Linux tool's"
    failures=$((failures + 1))
  fi
else
  echo "FAIL build: the Windows tool's build failed"
  failures=$((failures + 1))
fi
[[ $failures == 0 ]] && echo "Windows tool under Wine: same bytes as the Linux tool"
exit $((failures > 0))

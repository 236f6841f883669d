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
[[ $failures == 0 ]] && echo "Windows tool under Wine: same bytes as the Linux tool"
exit $((failures > 0))

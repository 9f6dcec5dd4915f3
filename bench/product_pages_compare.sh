#!/usr/bin/env bash
# The product listing's cost: the synthetic shops of about 10,000 (1x) and 20,000 pages (2x),
# once with their two text sections only and once with a product section of ten goods on every
# page (100,000 and 200,000 goods lines, two templates, a picture on every fourth line copied
# from _obr), generated with `arkona generate` in the same run. Prints wall time (best of
# REPEAT runs), peak memory and written volume of each, how they grow from 1x to 2x, and the
# cost of one goods line (the difference to the text-only site over the number of lines).
# Usage: bench/product_pages_compare.sh [BUILD-FOLDER]
# Environment: REPEAT (default 2), WORK (a folder for the projects; default one in /dev/shm).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
repeat=${REPEAT:-2}
if [ -n "${WORK:-}" ]; then
  work=$WORK
  mkdir -p "$work"
else
  base=/tmp
  [ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
  work=$(mktemp -d "$base/arkona-product-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
export ARKONA_SETTINGS=$work/settings.ini

# Best of N runs of `arkona generate PROJECT` into an empty site folder: "seconds peak-KB".
measure() {
  local project=$1 best="" bestMem=""
  for _ in $(seq "$repeat"); do
    rm -rf "$project/WWW"
    sync
    /usr/bin/time -o "$work/time.txt" -f "%e %M" "$build/bin/arkona" generate "$project" \
      >/dev/null 2>"$work/stderr.txt" || { cat "$work/stderr.txt" >&2; exit 1; }
    local out t m
    out=$(tail -1 "$work/time.txt")
    t=${out% *}
    m=${out#* }
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    if [ -z "$bestMem" ] || [ "$m" -lt "$bestMem" ]; then bestMem=$m; fi
  done
  echo "$best $bestMem"
}

declare -A time mem volume pages linesOf
printf '%-4s %-6s %7s %8s | %8s %9s %8s\n' size kind pages lines "time s" "peak MB" "site MB"
for size in 2 4; do
  for kind in text goods; do
    project=$work/$kind$size
    option=()
    [ "$kind" = goods ] && option=(--goods)
    n=$("$build/bin/bench_make_site" "$project" "$size" "${option[@]}")
    lines=0
    [ "$kind" = goods ] && lines=$(( (n - 1) * 10 ))
    read -r t m < <(measure "$project")
    key=$kind$size
    time[$key]=$t
    mem[$key]=$m
    pages[$key]=$n
    volume[$key]=$(du -sm "$project/WWW" | cut -f1)
    printf '%-4s %-6s %7d %8d | %8.2f %9.1f %8d\n' "$((size / 2))x" "$kind" "$n" "$lines" "$t" \
      "$(echo "$m / 1024" | bc -l)" "${volume[$key]}"
    [ "$kind" = goods ] && linesOf[$size]=$lines
    rm -rf "$project"
  done
done

echo
for kind in text goods; do
  printf '2x against 1x, %-5s: pages %.2f, time %.2f, peak memory %.2f, site volume %.2f\n' \
    "$kind" "$(echo "${pages[${kind}4]} / ${pages[${kind}2]}" | bc -l)" \
    "$(echo "${time[${kind}4]} / ${time[${kind}2]}" | bc -l)" \
    "$(echo "${mem[${kind}4]} / ${mem[${kind}2]}" | bc -l)" \
    "$(echo "${volume[${kind}4]} / ${volume[${kind}2]}" | bc -l)"
done
for size in 2 4; do
  printf '%sx: goods pages take %.2f times the text-only site; one goods line costs %.1f µs\n' \
    "$((size / 2))" "$(echo "${time[goods$size]} / ${time[text$size]}" | bc -l)" \
    "$(echo "(${time[goods$size]} - ${time[text$size]}) * 1000000 / ${linesOf[$size]}" | bc -l)"
done

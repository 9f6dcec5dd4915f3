#!/usr/bin/env bash
# Generates synthetic shops of about 5,000, 10,000 and 20,000 pages (four levels deep, two text
# sections a page) with `arkona generate`, and the same page trees with Hugo (Debian's `hugo`)
# with an open-path navigation menu, in the same run. Prints for each size the wall time (best
# of several runs), pages per second, peak memory and the written volume, then how time and
# memory grow from 1x to 2x and 4x. Every run writes into an empty site folder.
# Usage: bench/generate_compare.sh [BUILD-FOLDER]
# Environment: REPEAT (runs of ours per size, default 3), HUGO_REPEAT (default 1),
# WORK (a folder for the sites; default a fresh folder in /dev/shm, so that the disk of a shared
# machine does not decide the result).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
repeat=${REPEAT:-3}
hugoRepeat=${HUGO_REPEAT:-1}
if [ -n "${WORK:-}" ]; then
  work=$WORK
  mkdir -p "$work"
else
  base=/tmp
  [ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
  work=$(mktemp -d "$base/arkona-generate-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
haveHugo=1
if ! command -v hugo >/dev/null; then
  haveHugo=0
  echo "hugo is not installed (apt-get install hugo): only arkona is measured" >&2
fi

# Best of N runs of a command that writes into an empty folder: "seconds peak-KB".
measure() {
  local runs=$1 clean=$2
  shift 2
  local best="" bestMem=""
  for _ in $(seq "$runs"); do
    rm -rf "$clean"
    sync
    /usr/bin/time -o "$work/time.txt" -f "%e %M" "$@" >/dev/null 2>&1
    local out t m
    out=$(tail -1 "$work/time.txt")
    t=${out% *}
    m=${out#* }
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    if [ -z "$bestMem" ] || [ "$m" -lt "$bestMem" ]; then bestMem=$m; fi
  done
  echo "$best $bestMem"
}

declare -A pages ours oursMem oursMB hugoT hugoMem
printf '%-5s %7s | %9s %10s %9s %8s | %9s %10s %9s | %s\n' size pages "arkona s" "pages/s" \
  "peak MB" "site MB" "hugo s" "pages/s" "peak MB" "hugo/arkona"
for size in 1 2 4; do
  n=$("$build/bin/bench_make_site" "$work/projekt$size" "$size")
  pages[$size]=$n
  read -r t m < <(measure "$repeat" "$work/projekt$size/WWW" \
    "$build/bin/arkona" generate "$work/projekt$size")
  ours[$size]=$t
  oursMem[$size]=$m
  oursMB[$size]=$(du -sm "$work/projekt$size/WWW" | cut -f1)
  line=$(printf '%-5s %7d | %9.2f %10.0f %9.1f %8d' "${size}x" "$n" "$t" \
    "$(echo "$n / $t" | bc -l)" "$(echo "$m / 1024" | bc -l)" "${oursMB[$size]}")
  if [ "$haveHugo" = 1 ]; then
    "$build/bin/bench_make_site" "$work/hugo$size" "$size" --hugo >/dev/null
    read -r h hm < <(measure "$hugoRepeat" "$work/hugo$size/public" \
      hugo --quiet -s "$work/hugo$size" -d "$work/hugo$size/public")
    hugoT[$size]=$h
    hugoMem[$size]=$hm
    line+=$(printf ' | %9.2f %10.0f %9.1f | %6.1fx' "$h" "$(echo "$n / $h" | bc -l)" \
      "$(echo "$hm / 1024" | bc -l)" "$(echo "$h / $t" | bc -l)")
    rm -rf "$work/hugo$size/public"
  fi
  echo "$line"
  rm -rf "$work/projekt$size/WWW"
done

echo
echo "growth against 1x:"
for size in 2 4; do
  printf '  %sx: pages %.2f, site volume %.2f, arkona time %.2f, arkona peak memory %.2f' \
    "$size" "$(echo "${pages[$size]} / ${pages[1]}" | bc -l)" \
    "$(echo "${oursMB[$size]} / ${oursMB[1]}" | bc -l)" \
    "$(echo "${ours[$size]} / ${ours[1]}" | bc -l)" \
    "$(echo "${oursMem[$size]} / ${oursMem[1]}" | bc -l)"
  if [ "$haveHugo" = 1 ]; then
    printf ', hugo time %.2f, hugo peak memory %.2f' "$(echo "${hugoT[$size]} / ${hugoT[1]}" | bc -l)" \
      "$(echo "${hugoMem[$size]} / ${hugoMem[1]}" | bc -l)"
  fi
  echo
done

#!/usr/bin/env bash
# Times `arkona table dump --csv` on a 100,000-row catalogue table beside other dBase readers
# (pgdbf, ogr2ogr, python3-dbfread) in the same run and prints the ratios.
# Usage: bench/dump_compare.sh [BUILD-FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/bench_make_catalogue" "$work/katalog.dbf" 100000

best() { # best of five wall-clock runs, in seconds
  local best=""
  for _ in 1 2 3 4 5; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

ours=$(best "$build/bin/arkona" table dump --csv "$work/katalog.dbf")
printf '%-28s %8.3f s\n' "arkona table dump --csv" "$ours"
report() {
  local name=$1 t=$2
  printf '%-28s %8.3f s   %5.2fx our time\n' "$name" "$t" "$(echo "$t / $ours" | bc -l)"
}
if command -v pgdbf >/dev/null; then
  report "pgdbf -s cp1250 -m" "$(best pgdbf -s cp1250 -m "$work/katalog.dbt" "$work/katalog.dbf")"
fi
if command -v ogr2ogr >/dev/null; then
  report "ogr2ogr -f CSV" "$(best sh -c "rm -f '$work/out.csv'; ogr2ogr -f CSV '$work/out.csv' '$work/katalog.dbf'")"
fi
if /usr/bin/python3 -c 'import dbfread' 2>/dev/null; then
  report "python3-dbfread" "$(best /usr/bin/python3 -c "
import sys
from dbfread import DBF
for r in DBF(sys.argv[1]): pass" "$work/katalog.dbf")"
fi

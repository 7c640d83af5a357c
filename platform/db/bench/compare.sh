#!/usr/bin/env bash
# Appends and index rebuilds of the archive database against SQLite doing the same work,
# run alternately in one go so that a busy machine slows both alike:
#   platform/db/bench/compare.sh [runs] [records]
# runs (default 5) rounds of db_bench and of sqlite_reference.py, each over `records`
# records (default 100,000) in one batch; prints every round and then the medians and
# the ratios ours / SQLite (appends: above 1 is faster; rebuild: below 1 is faster).
# DB_BENCH names the benchmark command: by default the optimised native build in
# build/native-release (see docs/archive-database.md); for the Windows build run
#   SUITE_XVFB=1 scripts/wine-session.sh build/win64 env \
#     DB_BENCH="wine build/win64/tests/db_bench.exe" platform/db/bench/compare.sh
# BENCH_DIR is the folder both write their files in (default a temporary folder).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
runs="${1:-5}"
records="${2:-100000}"
bench="${DB_BENCH:-$root/build/native-release/tests/db_bench}"
work="${BENCH_DIR:-$(mktemp -d)}"
mkdir -p "$work/ours" "$work/sqlite"

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# "records appended: N in S s = R records/s ..." -> R; "rebuild ...: S s" -> S
rate() { sed -n 's/^records appended:.* = \([0-9.]*\) records\/s.*/\1/p' | tr -d '\r'; }
rebuild() { sed -n 's/^rebuild of all 11 indexes: \([0-9.]*\) s.*/\1/p' | tr -d '\r'; }

: >"$work/ours.rates"; : >"$work/sqlite.rates"; : >"$work/ours.rebuild"; : >"$work/sqlite.rebuild"
for round in $(seq 1 "$runs"); do
  # The benchmark writes under the folder it is given; under Wine it takes a Windows path
  # such as Z:\tmp\..., which Wine maps onto the same Linux folder.
  folder="$work/ours"
  case "$bench" in *wine*) folder="Z:${folder//\//\\}" ;; esac
  ours="$($bench "$records" "$folder")"
  theirs="$(python3 "$here/sqlite_reference.py" "$records" "$work/sqlite")"
  echo "$ours" | rate >>"$work/ours.rates"
  echo "$ours" | rebuild >>"$work/ours.rebuild"
  echo "$theirs" | rate >>"$work/sqlite.rates"
  echo "$theirs" | rebuild >>"$work/sqlite.rebuild"
  printf 'round %d: ours %s records/s, rebuild %s s | SQLite %s records/s, REINDEX %s s\n' "$round" \
    "$(tail -1 "$work/ours.rates")" "$(tail -1 "$work/ours.rebuild")" \
    "$(tail -1 "$work/sqlite.rates")" "$(tail -1 "$work/sqlite.rebuild")"
  echo "$ours" | sed -n 's/^calls per filing:/  ours, calls per filing:/p' | tr -d '\r' | sort -u | head -1
done
ours_rate="$(median <"$work/ours.rates")"
sqlite_rate="$(median <"$work/sqlite.rates")"
ours_rebuild="$(median <"$work/ours.rebuild")"
sqlite_rebuild="$(median <"$work/sqlite.rebuild")"
printf 'median appends: ours %.0f records/s, SQLite %.0f records/s: ratio %.2f\n' \
  "$ours_rate" "$sqlite_rate" "$(echo "$ours_rate / $sqlite_rate" | bc -l)"
printf 'median rebuild: ours %.2f s, SQLite REINDEX %.2f s: ratio %.2f\n' \
  "$ours_rebuild" "$sqlite_rebuild" "$(echo "$ours_rebuild / $sqlite_rebuild" | bc -l)"
[ -n "${BENCH_DIR:-}" ] || rm -rf "$work"

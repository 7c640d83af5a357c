#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz preset (scripts/build.sh fuzz first), each for the
# given number of seconds from its seed corpus in fuzz/corpus/<target>, several at once.
#   scripts/fuzz.sh [seconds] [target...]       default: 5 seconds, every target
#   scripts/fuzz.sh runs=N [target...]          N executions each, however long they take:
#                                               the same work on a quiet or a busy machine
#   scripts/fuzz.sh runs=default [target...]    the counts of fuzz/runs.txt (CI)
# New inputs gather in build/fuzz/work/<target> (a longer run goes on from them); an input
# that fails is kept in build/fuzz/crashes/<target>/ and the script ends with 1. Each
# target's log is build/fuzz/logs/<target>.log. FUZZ_FLAGS adds libFuzzer options (a long
# run that goes on past a failure: FUZZ_FLAGS="-fork=1 -ignore_crashes=1"). The mutations
# start from a fixed seed, so that a short run tries much the same inputs every time and a
# failure in CI comes from a change, not from chance; FUZZ_SEED=0 takes a random one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-5}
shift || true
# A count of executions: the time is then only a limit for a hung run.
limit="-max_total_time=$seconds" each="$seconds s"
case "$seconds" in
  runs=default) limit="table" each="the executions of fuzz/runs.txt" ;;
  runs=*) limit="-runs=${seconds#runs=} -max_total_time=1200" each="${seconds#runs=} executions" ;;
esac
export FUZZ_LIMIT="$limit"
bin=build/fuzz/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in fuzz/corpus/*/; do targets+=("$(basename "$t")"); done
fi
mkdir -p build/fuzz/logs
# The targets that read files write each input into a temporary folder: memory is quicker.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

run_one() {
  local t=$1 limit=$FUZZ_LIMIT
  if [ "$limit" = table ]; then
    local n
    n=$(awk -v t="$t" '$1 == t { print $2; found = 1 } $1 == "default" { d = $2 } END { if (!found) print d }' fuzz/runs.txt)
    limit="-runs=$n -max_total_time=1200"
  fi
  local log="build/fuzz/logs/$t.log" result runs failures
  mkdir -p "build/fuzz/work/$t" "build/fuzz/crashes/$t"
  # -rss_limit_mb: a header that makes a reader reserve gigabytes is a finding, not a
  # machine out of memory.
  # shellcheck disable=SC2086
  if "build/fuzz/fuzz/$t" $limit -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 -seed="${FUZZ_SEED:-1}" ${FUZZ_FLAGS:-} \
       -artifact_prefix="build/fuzz/crashes/$t/" "build/fuzz/work/$t" "fuzz/corpus/$t" \
       >"$log" 2>&1; then
    result=ok
  else
    result="FAILED: $(ls -t "build/fuzz/crashes/$t" | head -1)"
  fi
  runs=$(grep -a -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || true)
  # A run in fork mode counts in its progress lines, and goes on past what fails.
  [ -n "$runs" ] || runs=$(grep -a -o '^#[0-9]*: cov' "$log" | tail -1 | tr -dc '0-9')
  failures=$(grep -a -o 'oom/timeout/crash: [0-9/]*' "$log" | tail -1 | grep -o '[0-9/]*$' || true)
  if [ -n "$failures" ] && [ "$failures" != 0/0/0 ]; then
    result="FAILED: oom/timeout/crash $failures, inputs in build/fuzz/crashes/$t/"
  fi
  printf '%-22s %10s executions  %s\n' "$t" "$runs" "$result"
  [ "$result" = ok ] && return 0
  # The report and the input (libFuzzer prints small ones in Base64), so that a failure on
  # a machine whose build folder is gone can still be replayed.
  grep -a -m1 -A12 -E 'ERROR:|runtime error|does not read back|changes when|was not replaced|outside the data' \
    "$log" | cut -c1-400 | sed "s/^/  $t: /"
  grep -a -m1 '^Base64:' "$log" | sed "s/^/  $t: /"
  return 1
}
export -f run_one

for t in "${targets[@]}"; do
  [ -x "$bin/$t" ] || { echo "fuzz.sh: $bin/$t is not built (scripts/build.sh fuzz)" >&2; exit 1; }
done
if printf '%s\n' "${targets[@]}" | xargs -P "${FUZZ_JOBS:-$(nproc)}" -I{} bash -c "run_one {}"; then
  echo "fuzz.sh: ${#targets[@]} targets, $each each: no failure"
else
  echo "fuzz.sh: a target failed; its input is in build/fuzz/crashes/, its log in build/fuzz/logs/" >&2
  exit 1
fi

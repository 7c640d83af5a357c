#!/usr/bin/env bash
# Sets up the machine, builds all presets and runs every test: the portable unit tests
# natively under the sanitizers, a short run of every fuzz target, then every Windows-side
# test of the 64-bit build under Wine in a private X display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
start=$(date +%s)
phase() { echo "test.sh: $1 at $(( $(date +%s) - start )) s"; }
# A failed ctest run ends with a summary of why, so that the end of the log says it.
run_tests() {
  local folder="$1"; shift
  if ! "$@"; then
    scripts/failure-summary.sh "$folder"
    return 1
  fi
}
scripts/setup.sh
phase "machine set up"
# Windows resources are released through their owners, never by hand.
scripts/check-ownership.sh
# A merge left half done would still configure: CMake takes its markers as arguments.
if git grep -nE '^(<{7}|>{7}) ' -- ':!*.md'; then
  echo "test: merge conflict markers left in the files above" >&2
  exit 1
fi
scripts/build.sh native win32 win64 fuzz
phase "built"
scripts/release-check.sh
run_tests build/native ctest --preset native -j "$(nproc)"
phase "native tests passed"
# A count of executions per target, not seconds: the same work on any machine.
scripts/fuzz.sh "${SUITE_FUZZ:-runs=default}"
phase "fuzz runs passed"
run_tests build/win64 env SUITE_XVFB=1 scripts/wine-session.sh build/win64 ctest --preset win64 -j "${SUITE_WINE_JOBS:-4}"
echo "test.sh: all tests passed in $(( $(date +%s) - start )) s"

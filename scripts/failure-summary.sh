#!/usr/bin/env bash
# Prints, for each failed test of the last ctest run in a build folder, its failed checks and
# sanitizer reports with a few lines each, so that the end of a long log says why it failed.
# Usage: scripts/failure-summary.sh <build folder>
set -euo pipefail
log="${1:?build folder}/Testing/Temporary/LastTest.log"
[ -f "$log" ] || exit 0
echo "==== failed checks of the last run in $1 ===="
awk '
  / Testing: / { test = $3; shown = 0; next }
  /: Failure$|^ERROR: [A-Za-z]+Sanitizer|runtime error:|Test timeout|Exception: / {
    if (!shown) { print "---- " test; shown = 1 }
    left = 8
  }
  /^\[  FAILED  \] [A-Za-z0-9_]+\.[A-Za-z0-9_]+ \(/ { if (!shown) { print "---- " test; shown = 1 } print; next }
  /^(ALSA lib|wine: |fixme:|err:|warn:)/ { next }
  left > 0 { print; left--; total++ }
  total > 400 { print "(more left out)"; exit }
' "$log"

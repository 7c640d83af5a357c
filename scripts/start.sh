#!/usr/bin/env bash
# Sets up the machine, builds the 64-bit suite and starts its main program under Wine:
# on the user's display when there is one; otherwise in a private X display, where a
# screenshot is written to build/win64/screenshot.png and the program is then closed.
# Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh win64
build=build/win64
program="$build/suite/kelmor.exe"
class=SKMBROWSER
if [ ! -f "$program" ]; then
  program="$build/tests/skindemo.exe"
  class=SKINDEMO
fi
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-session.sh "$build" wine "$program" "$@"
fi
shot="$PWD/$build/screenshot.png"
SUITE_XVFB=1 scripts/wine-session.sh "$build" bash -c '
  wine "$1" "${@:4}" &
  pid=$!
  wine "$2/tests/testdriver.exe" wait "$3" 20000 >/dev/null
  sleep 2
  import -window root "$0"
  wine "$2/tests/testdriver.exe" send "$3" 10 >/dev/null || true
  for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill $pid 2>/dev/null || true
' "$shot" "$program" "$build" "$class" "$@"
echo "start.sh: no display; a screenshot of the running program is in $shot"

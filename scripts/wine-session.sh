#!/usr/bin/env bash
# Runs a command inside a Wine session of one build folder: an X display (the user's,
# or a private Xvfb when there is none or SUITE_XVFB=1), a persistent wineserver and
# Wine's services, all started here and not by the command. ctest would otherwise start
# them itself and hang on the output pipe that they inherit.
# Usage: scripts/wine-session.sh <build folder> <command...>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export SUITE_BUILD_DIR="$(cd "${1:?build folder}" && pwd)"
shift
"$here/wine-prefix.sh" "$SUITE_BUILD_DIR"
. "$here/wine-env.sh"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ "${SUITE_XVFB:-0}" = 1 ]; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  export SUITE_PRIVATE_DISPLAY=1
fi

wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1 || true
# One hidden window for the whole session keeps Wine's desktop process from being started
# by a test program (it would inherit that program's output pipe, and ctest would wait for it).
driver="$SUITE_BUILD_DIR/tests/testdriver.exe"
if [ -f "$driver" ]; then
  wine "$driver" keepalive SUITESESSIONKEEPER </dev/null >/dev/null 2>&1 &
  wine "$driver" wait SUITESESSIONKEEPER 20000 </dev/null >/dev/null 2>&1 || true
fi
set +e
"$@"
rc=$?
set -e
exit $rc

#!/usr/bin/env bash
# Finds Windows resources released by hand instead of through the owners of
# platform/win/include/win/raii.h: calls of DeleteObject, DeleteDC, CloseHandle,
# FreeLibrary and FindClose in the C++ files that git tracks. platform/win, where the
# owners make these calls, and the two files that wrap the system codecs are left out.
# Usage: scripts/check-ownership.sh [folder...]   (default: the whole tree)
# Lists every call as file:line and exits with 1 when there is any.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

folders=("$@")
[ ${#folders[@]} -eq 0 ] && folders=(.)
patterns=()
for f in "${folders[@]}"; do
  f="${f%/}"
  if [ ! -d "$f" ]; then
    echo "check-ownership: no folder $f" >&2
    exit 2
  fi
  patterns+=("$f/*.cpp" "$f/*.h")
done
patterns+=(":(exclude)platform/win"
        ":(exclude)platform/audio/src/win/acm_decoder.cpp"
        ":(exclude)platform/imaging/src/win/system_codecs.cpp")

found=$(git grep -nE '(^|[^A-Za-z0-9_])(DeleteObject|DeleteDC|CloseHandle|FreeLibrary|FindClose)\(' -- "${patterns[@]}" |
        cut -d: -f1,2 || true)
if [ -n "$found" ]; then
  echo "$found"
  echo "check-ownership: $(echo "$found" | wc -l) hand releases; use the owners of win/raii.h" >&2
  exit 1
fi
echo "check-ownership: no hand releases in ${folders[*]}"

#!/usr/bin/env bash
# The 32-bit release cannot run here, so its code is read instead: the picture loading of
# the release must hold the SSE2 forms of the JPEG decoder's kernels (multiply-adds on
# XMM registers) beside the processor check that chooses them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exe=build/win32/suite/bravik.exe
[ -f "$exe" ] || { echo "check-release-kernels: $exe is not built" >&2; exit 1; }
code=$(mktemp)
trap 'rm -f "$code"' EXIT
i686-w64-mingw32-objdump -d --no-show-raw-insn "$exe" >"$code"
madds=$(grep -c -E 'pmaddwd .*%xmm' "$code" || true)
cpuid=$(grep -c -E '\bcpuid\b' "$code" || true)
if [ "$madds" -lt 8 ] || [ "$cpuid" -lt 1 ]; then
  echo "check-release-kernels: $exe holds $madds SSE2 multiply-adds and $cpuid processor checks" >&2
  exit 1
fi
echo "check-release-kernels: the release holds the SSE2 kernels ($madds multiply-adds) and chooses them at run time"

#!/usr/bin/env bash
# Configures and builds the given presets (default: all three).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(native win32 win64)
for p in "${presets[@]}"; do
  # Configure every time: a folder that gained its CMakeLists.txt is picked up.
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p"
done

#!/usr/bin/env bash
# Installs, quietly and only when missing, everything a clean Debian 12 machine lacks to
# build the three presets and run every test. Safe to run again.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache googletest
  clang libclang-rt-14-dev llvm
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 wine xvfb xauth fonts-wine fonts-liberation
  imagemagick xdotool x11-apps ghostscript python3-olefile python3-pil
  libjpeg-turbo-progs libimage-exiftool-perl sox lame libstb-dev ffmpeg
  gstreamer1.0-plugins-base gstreamer1.0-plugins-ugly gstreamer1.0-libav  # Wine reads WMA through GStreamer
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"

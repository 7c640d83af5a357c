#!/usr/bin/env bash
# Makes the icon of icon_fixture.inc with ImageMagick, as icons are made today: bitmap
# pictures of 16 x 16 and 48 x 48 in plain green, and a PNG-coded 256 x 256 picture, blue
# on the left half and orange on the right. A loader that shows green took a small entry.
# Run by hand when the fixture changes; the output is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 16x16 xc:'#00c800' "$tmp/g16.png"
convert -size 48x48 xc:'#00c800' "$tmp/g48.png"
convert -size 128x256 xc:'#0000ff' -size 128x256 xc:'#ff8000' +append "$tmp/big.png"
convert "$tmp/g16.png" "$tmp/g48.png" "$tmp/big.png" "$tmp/png256.ico"
{
  echo "// Made by make_icon_fixture.sh: an icon of 16 x 16 and 48 x 48 bitmaps and a 256 x 256 PNG."
  echo "inline constexpr unsigned char k_png256_ico[] = {"
  od -An -v -tu1 "$tmp/png256.ico" | tr -s ' ' | sed 's/^ //; s/ $//; s/ /, /g; s/$/,/'
  echo "};"
} > icon_fixture.inc
echo "wrote $(wc -c < icon_fixture.inc) bytes"

#!/usr/bin/env bash
# Makes the JPEG test pictures of jpeg_fixtures.inc with ImageMagick (libjpeg-turbo).
# Each baseline and progressive pair is encoded from the same source with the same
# tables, so both hold the same coefficients and must decode to the same pixels.
# Run by hand when the fixtures change; the output is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 67x45 gradient:'#204080'-'#f0c020' \
  -fill '#e02020' -draw 'circle 20,20 20,8' -fill '#20a040' -draw 'rectangle 40,5 60,30' \
  -fill white -draw 'line 0,44 66,0' "$tmp/source.ppm"
enc() { convert "$tmp/source.ppm" -quality 85 "$@"; }
enc -sampling-factor 2x2 "$tmp/base420.jpg"
enc -sampling-factor 2x2 -interlace Plane "$tmp/prog420.jpg"
enc -sampling-factor 2x1 "$tmp/base422.jpg"
enc -sampling-factor 2x1 -interlace Plane "$tmp/prog422.jpg"
enc -sampling-factor 1x1 "$tmp/base444.jpg"
enc -sampling-factor 1x1 -interlace Plane "$tmp/prog444.jpg"
enc -colorspace Gray "$tmp/basegrey.jpg"
enc -colorspace Gray -interlace Plane "$tmp/proggrey.jpg"
enc -colorspace CMYK "$tmp/cmyk.jpg"
# What libjpeg-turbo decodes from the 4:2:0 file, as raw RGB.
convert "$tmp/base420.jpg" -depth 8 "rgb:$tmp/base420.rgb"
convert "$tmp/source.ppm" -depth 8 "rgb:$tmp/source.rgb"
{
  echo "// Made by make_jpeg_fixtures.sh: JPEG pictures of 67 x 45 pixels and raw RGB pixels."
  for f in source.rgb base420.rgb base420.jpg prog420.jpg base422.jpg prog422.jpg base444.jpg prog444.jpg \
           basegrey.jpg proggrey.jpg cmyk.jpg; do
    name=$(echo "$f" | tr '.' '_')
    echo "inline constexpr unsigned char k_${name}[] = {"
    od -An -v -tu1 "$tmp/$f" | tr -s ' ' | sed 's/^ //; s/ $//; s/ /, /g; s/$/,/'
    echo "};"
  done
} > jpeg_fixtures.inc
echo "wrote $(wc -c < jpeg_fixtures.inc) bytes"

#!/usr/bin/env bash
# Makes jpeg_reference.inc: JPEG files that ImageMagick wrote, with what djpeg
# (libjpeg-turbo-progs) decodes from them as raw RGB, and a camera-like file whose Exif
# thumbnail (put in by exiftool) is another picture than the file's own.
# - tiles: flat 16 x 16 tiles, so that every block holds only its DC coefficient and any
#   inverse transform gives the same samples: decoders must agree on every pixel;
# - photo: a plasma picture, for the bias of each channel;
# - lineart, text, pattern: edges and the finest patterns, for the reduced decodes, with
#   the source pictures reduced by area averaging (ImageMagick's -scale) to 1/2 and 1/4.
# Run by hand when the fixtures change; the output is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert  # ImageMagick's, whatever else is on the path
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

tile() { $convert -size 16x16 "xc:$1" "$2"; }
n=0
for c in black white '#ff0000' '#00ff00' '#0000ff' '#808080' '#ffd020' '#204060'; do
  tile "$c" "t$n.ppm"
  n=$((n + 1))
done
$convert \( t0.ppm t1.ppm t2.ppm t3.ppm +append \) \( t4.ppm t5.ppm t6.ppm t7.ppm +append \) -append tiles.ppm
$convert tiles.ppm -quality 90 -sampling-factor 1x1 tiles444.jpg
$convert tiles.ppm -quality 90 -sampling-factor 2x1 -interlace Plane tiles422p.jpg
$convert tiles.ppm -quality 90 -sampling-factor 2x2 tiles420.jpg

$convert -size 96x64 -seed 7 plasma:'#a06030'-'#3070c0' photo.ppm
$convert photo.ppm -quality 88 -sampling-factor 2x2 photo420.jpg
$convert photo.ppm -quality 88 -sampling-factor 1x1 -interlace Plane photo444p.jpg

$convert -size 96x64 xc:white -fill none -stroke black -draw 'line 0,0 95,63' -draw 'line 0,63 95,0' \
  -draw 'circle 48,32 48,4' -stroke '#d02020' -draw 'rectangle 5,5 40,25' \
  -stroke '#2040c0' -strokewidth 2 -draw 'line 10,50 90,40' -stroke black -strokewidth 1 \
  -draw 'line 60,5 60,58' -draw 'line 62,5 62,58' -draw 'line 64,5 64,58' lineart.ppm
$convert -size 96x64 xc:white -font DejaVu-Sans -fill black -pointsize 11 -annotate +2+12 'The quick brown' \
  -pointsize 8 -annotate +2+24 'fox jumps over the lazy' -fill '#c01010' -pointsize 16 -annotate +2+44 'Text 123' \
  -fill '#1030a0' -pointsize 7 -annotate +2+58 'small print here 0123456' text.ppm
$convert -size 48x32 pattern:gray50 +level-colors '#c02020','#f0f0a0' p1.ppm
$convert -size 48x32 pattern:vertical +level-colors black,white p2.ppm
$convert -size 48x32 pattern:horizontal2 +level-colors '#2040c0',white p3.ppm
$convert -size 48x32 pattern:hs_diagcross +level-colors '#106010','#e0e0e0' p4.ppm
$convert \( p1.ppm p2.ppm +append \) \( p3.ppm p4.ppm +append \) -append pattern.ppm
for f in lineart text pattern; do
  $convert $f.ppm -quality 85 -sampling-factor 2x2 ${f}420.jpg
  $convert $f.ppm -quality 85 -sampling-factor 1x1 ${f}444.jpg
done
$convert text.ppm -quality 85 -sampling-factor 2x1 -interlace Plane text422p.jpg
for f in lineart text pattern; do
  $convert $f.ppm -scale 50% -depth 8 rgb:${f}_half.rgb
  $convert $f.ppm -scale 25% -depth 8 rgb:${f}_quarter.rgb
done

# A 320 x 240 picture, mostly red, whose Exif thumbnail is a blue 160 x 120 picture.
$convert -size 320x240 gradient:'#e03020'-'#a01010' -fill white -draw 'circle 160,120 160,60' -quality 85 exif.jpg
$convert -size 160x120 xc:'#2040e0' -quality 80 thumb.jpg
exiftool -q -overwrite_original '-ThumbnailImage<=thumb.jpg' exif.jpg

raw() {  # djpeg's decoding as raw RGB: the PPM without its header
  local pixels
  pixels=$($convert "$1" -format '%[fx:w*h]' info:)
  djpeg -pnm "$1" | tail -c $((pixels * 3)) > "$2"
}
for f in tiles444 tiles422p tiles420 photo420 photo444p; do raw $f.jpg $f.rgb; done

{
  echo "// Made by make_jpeg_reference.sh: JPEG files that ImageMagick wrote, raw RGB that djpeg"
  echo "// decoded from them, sources reduced by area averaging, a file with a stale Exif thumbnail."
  for f in tiles444.jpg tiles444.rgb tiles422p.jpg tiles422p.rgb tiles420.jpg tiles420.rgb \
           photo420.jpg photo420.rgb photo444p.jpg photo444p.rgb \
           lineart420.jpg lineart444.jpg text420.jpg text444.jpg text422p.jpg pattern420.jpg pattern444.jpg \
           lineart_half.rgb lineart_quarter.rgb text_half.rgb text_quarter.rgb pattern_half.rgb pattern_quarter.rgb \
           exif.jpg; do
    name=$(echo "$f" | tr '.' '_')
    echo "inline constexpr unsigned char k_${name}[] = {"
    od -An -v -tu1 "$f" | tr -s ' ' | sed 's/^ //; s/ $//; s/ /,/g; s/$/,/'
    echo "};"
  done
} > "$OLDPWD/jpeg_reference.inc"
echo "wrote $(wc -c < "$OLDPWD/jpeg_reference.inc") bytes"

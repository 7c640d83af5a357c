#!/usr/bin/env bash
# Makes jpeg_scans.inc: JPEG files that cjpeg (libjpeg-turbo-progs) wrote with scan
# layouts that ImageMagick does not choose, with what djpeg decodes from them as raw RGB:
# - noninterleaved420: a sequential file with one scan per component;
# - restart422: restart markers after every two MCUs;
# - progressive420: the standard progression, spectral selection and refinement;
# - sampling440: colour halved down only;
# - greyprogressive: one component, progressive.
# The picture is 45 x 37 pixels, so that the last blocks and MCUs are partly outside it.
# Run by hand when the fixtures change; the output is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert  # ImageMagick's, whatever else is on the path
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

$convert -size 45x37 -seed 3 plasma:'#c04020'-'#2060d0' -attenuate 0.5 +noise Gaussian picture.ppm
printf '0: 0 63 0 0;\n1: 0 63 0 0;\n2: 0 63 0 0;\n' > noninterleaved.txt
cjpeg -quality 85 -sample 2x2 -scans noninterleaved.txt -outfile noninterleaved420.jpg picture.ppm
cjpeg -quality 85 -sample 2x1 -restart 2B -outfile restart422.jpg picture.ppm
cjpeg -quality 85 -sample 2x2 -progressive -outfile progressive420.jpg picture.ppm
cjpeg -quality 85 -sample 1x2 -outfile sampling440.jpg picture.ppm
cjpeg -quality 85 -grayscale -progressive -outfile greyprogressive.jpg picture.ppm

raw() {  # djpeg's decoding as raw RGB
  djpeg -rgb -pnm "$1" > out.pnm
  $convert out.pnm -depth 8 rgb:"$2"
}
for f in noninterleaved420 restart422 progressive420 sampling440 greyprogressive; do raw $f.jpg $f.rgb; done

{
  echo "// Made by make_jpeg_scans.sh: JPEG files that cjpeg wrote with several scan layouts,"
  echo "// and raw RGB that djpeg decoded from them (45 x 37 pixels)."
  for f in noninterleaved420 restart422 progressive420 sampling440 greyprogressive; do
    for e in jpg rgb; do
      echo "inline constexpr unsigned char k_${f}_${e}[] = {"
      od -An -v -tu1 "$f.$e" | tr -s ' ' | sed 's/^ //; s/ $//; s/ /,/g; s/$/,/'
      echo "};"
    done
  done
} > "$OLDPWD/jpeg_scans.inc"
echo "wrote $(wc -c < "$OLDPWD/jpeg_scans.inc") bytes"

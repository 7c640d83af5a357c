// Every writer of the imaging layer on pictures of any size and content, read back by the
// layer's own readers: a written file must decode, at the size it was written (the formats
// that fit a picture into a fixed size excepted).
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "imglib/codecs.h"
#include "imglib/raster.h"

namespace {

constexpr int kFormats[] = {imglib::kFormatBmp, imglib::kFormatPcx, imglib::kFormatTga, imglib::kFormatRas,
                            imglib::kFormatPsd, imglib::kFormatDcx, imglib::kFormatMsp, imglib::kFormatImg,
                            imglib::kFormatGif, imglib::kFormatPct, imglib::kFormatWpg, imglib::kFormatFpx,
                            imglib::kFormatJpeg};
constexpr int kDepths[] = {1, 4, 8, 24};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  int width = data[0] % 70 + 1, height = data[1] % 70 + 1;
  int depth = kDepths[data[2] % 4];
  imglib::Raster pixels;
  if (!pixels.Allocate(width, height)) return 0;
  size_t at = 3;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t v = size > 3 ? data[at] : 0;
      at = at + 1 < size ? at + 1 : 3;
      pixels.Set(x, y, v, uint8_t(v * 7), uint8_t(v ^ 0x5A));
    }
  for (int format : kFormats) {
    if (!imglib::CanEncode(format)) continue;
    std::string file;
    if (imglib::EncodePicture(pixels, format, depth, 2, file) != imglib::kSuccess) continue;
    imglib::Picture back;
    int status = imglib::DecodePicture(file, back, format);
    if (status != imglib::kSuccess || back.pixels.Width() != width || back.pixels.Height() != height) {
      std::fprintf(stderr, "format %d, %d x %d at %d bits: read back %d, %d x %d\n", format, width, height, depth,
                   status, back.pixels.Width(), back.pixels.Height());
      std::abort();
    }
  }
  return 0;
}

// JPEG (JFIF): a decoder for baseline and progressive Huffman-coded pictures that can
// decode at 1/2, 1/4 and 1/8 of the size (reduced inverse DCT), and a baseline encoder
// with the layer's quality factor. An embedded Exif thumbnail is never shown: editors
// often leave it stale, and it often carries black bars. Portable.
#pragma once
#include <string>
#include <string_view>

#include "imglib/codecs.h"

namespace imglib {

struct JpegHeader {
  int width = 0;
  int height = 0;
  int components = 0;
  bool progressive = false;
  int xDpi = 0;
  int yDpi = 0;
};

// Reads the markers up to the first scan.
int ReadJpegHeader(std::string_view bytes, JpegHeader& header);

// Decodes at the smallest of the sizes 1/1, 1/2, 1/4, 1/8 (rounded up) that still covers
// options.minWidth x options.minHeight (the full size when they are 0); at 1/2 and 1/4
// each pixel is the mean of the samples it stands for. out.info keeps the full size.
// kUnsupported for arithmetic, lossless, hierarchical and 12-bit files.
int DecodeJpeg(std::string_view bytes, Picture& out, const DecodeOptions& options = {});

// The JPEG quality (1 to 100 in the usual scale) that a quality factor stands for: 2 is
// the finest (98); every step up compresses more; 0 and below count as 2.
int JpegQualityForFactor(int qualityFactor);
// Encodes a baseline JFIF stream; grey writes one component. restartInterval: MCUs
// between restart markers (0: none).
int EncodeJpeg(const Raster& pixels, int qualityFactor, bool grey, std::string& out, int restartInterval = 0);

}  // namespace imglib

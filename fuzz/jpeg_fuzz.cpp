// JPEG: the header, the full decode and the scaled decodes that
// thumbnails use (the input's last byte picks the box, so every scale is reached).
#include "fuzz_input.h"
#include "imglib/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  imglib::JpegHeader header;
  if (imglib::ReadJpegHeader(bytes, header) != imglib::kSuccess) return 0;
  imglib::Picture picture;
  imglib::DecodeJpeg(bytes, picture);
  int box = size ? data[size - 1] % 64 + 1 : 1;
  imglib::DecodeOptions scaled;
  scaled.minWidth = scaled.minHeight = box;
  scaled.fitBox = (box & 2) != 0;
  imglib::DecodeJpeg(bytes, picture, scaled);
  return 0;
}

// GIF: the header walk that counts pictures and the decode of the first picture, and the
// bitmap the layer writes from it.
#include "fuzz_input.h"
#include "gif/gif_bmp.h"
#include "gif/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  gif::Image image;
  gif::Decode(bytes, image, true);
  if (gif::Decode(bytes, image) != gif::kOk) return 0;
  // The conversion only copies; a small picture shows its bounds as well as a large one.
  if (int64_t(image.width) * image.height > (1 << 20)) return 0;
  std::string bmp;
  gif::RgbToBmp(image.rgb.data(), image.width, image.height, bmp);
  return 0;
}

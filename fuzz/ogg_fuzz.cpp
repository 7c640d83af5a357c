// Ogg Vorbis files: the layer's Ogg decoder (over stb_vorbis) opening a file, reading its
// samples as a player does (some of them, then again from a seek) and its title.
#include <memory>

#include "audio/stream.h"
#include "fuzz_input.h"

namespace {

// Reads at most a few seconds: the decoder's work per block is the same for a long sound.
void ReadSome(audio::Decoder& decoder) {
  std::vector<int16_t> samples;
  for (int blocks = 0; blocks < 64; ++blocks) {
    samples.clear();
    if (decoder.Read(samples, 4096) == 0) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  int error = 0;
  std::unique_ptr<audio::Decoder> decoder = audio::OpenDecoder(fuzz::WriteInput("sound.ogg", bytes), error);
  if (!decoder) return 0;
  decoder->Format();
  decoder->Title();
  ReadSome(*decoder);
  int64_t total = decoder->TotalFrames();
  if (decoder->Seek(total > 0 ? total / 2 : 0)) ReadSome(*decoder);
  return 0;
}

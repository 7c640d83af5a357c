// WAVE files: the chunk walk, and the layer's own PCM decoder reading the samples from a
// file as a player does (all of them, then again from a seek).
#include <memory>

#include "audio/mp3_frames.h"
#include "audio/stream.h"
#include "audio/wave_file.h"
#include "fuzz_input.h"
#include "sound_files.h"

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
  std::string copy(bytes);
  audio::WaveInfo info;
  if (audio::ParseWave(soundtest::BytesReader(copy), copy.size(), info) == audio::WaveError::kNone) {
    audio::IsPlainPcm(info);
    audio::WaveSampleCount(info);
    audio::AdpcmSamplesPerBlock(info);
  }
  int error = 0;
  std::unique_ptr<audio::Decoder> decoder = audio::OpenDecoder(fuzz::WriteInput("sound.wav", bytes), error);
  if (!decoder) return 0;
  decoder->Format();
  decoder->Title();
  ReadSome(*decoder);
  int64_t total = decoder->TotalFrames();
  if (decoder->Seek(total > 0 ? total / 2 : 0)) ReadSome(*decoder);
  return 0;
}

// The native build's platform: no system codecs, no sound device, no network. Plain PCM
// plays on the silent device; everything else is refused with a clear code.
#include "audio/bass.h"
#include "decoders.h"

namespace audio {

std::unique_ptr<Decoder> OpenCodecDecoder(fileio::File, const WaveInfo&, int& error) {
  error = kBassErrorFormat;
  return nullptr;
}

std::unique_ptr<Decoder> OpenMp3Decoder(fileio::File, Mp3Stream, int& error) {
  error = kBassErrorFormat;
  return nullptr;
}

std::unique_ptr<Output> OpenOutput(const PcmFormat& format, int& error) { return OpenSilentOutput(format, error); }

int FetchStream(const std::string&, const std::string&, std::string&) { return kBassErrorNotAvail; }

}  // namespace audio

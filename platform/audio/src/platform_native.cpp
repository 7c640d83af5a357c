// The native build's platform: no system codecs, no sound device, no network. Plain PCM
// plays on the silent device; everything else is refused with a clear code.
#include <unistd.h>

#include <climits>

#include "audio/bass.h"
#include "decoders.h"
#include "fileio/paths.h"
#include "sound_tap.h"

namespace audio {

std::unique_ptr<Decoder> OpenCodecDecoder(fileio::File, const WaveInfo&, int& error) {
  error = kBassErrorFormat;
  return nullptr;
}

std::unique_ptr<Decoder> OpenMp3Decoder(fileio::File, Mp3Stream, int& error) {
  error = kBassErrorFormat;
  return nullptr;
}

std::unique_ptr<Decoder> OpenWmaDecoder(const std::string&, int& error) {
  error = kBassErrorWmaReader;
  return nullptr;
}

std::unique_ptr<Output> OpenOutput(const PcmFormat& format, int& error) { return OpenSilentOutput(format, error); }

int FetchStream(const std::string&, const std::string&, std::string&) { return kBassErrorNotAvail; }

std::string TapFileStem() {
  char path[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string program = n > 0 ? fileio::StemOf(std::string(path, size_t(n))) : std::string("program");
  return program + "_" + std::to_string(getpid());
}

}  // namespace audio

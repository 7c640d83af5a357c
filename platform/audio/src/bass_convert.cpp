#include "audio/bass_convert.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/stream.h"
#include "encoder_pipe.h"

namespace audio {
int SetBassError(int code);  // bass.cpp
}

namespace {

constexpr uint32_t kDecodeHandleBit = 0x40000000;
constexpr unsigned kEncoderStopMs = 10000;

struct DecodeStream {
  std::mutex mutex;
  std::unique_ptr<audio::Decoder> decoder;
  audio::PcmFormat format;
  int64_t length = -1;        // bytes
  int64_t position = 0;       // bytes handed out
  std::vector<int16_t> held;  // decoded but not yet handed out
  bool ended = false;
  std::unique_ptr<audio::EncoderPipe> encoder;
};

struct Streams {
  std::mutex mutex;
  std::map<uint32_t, std::shared_ptr<DecodeStream>> streams;
  uint32_t next = 1;
};

Streams& S() {
  static Streams s;
  return s;
}

std::shared_ptr<DecodeStream> FindStream(uint32_t handle) {
  std::lock_guard<std::mutex> lock(S().mutex);
  auto it = S().streams.find(handle);
  return it == S().streams.end() ? nullptr : it->second;
}

int Fail(int code) { return audio::SetBassError(code); }

// The canonical header an outside encoder reads first; the sizes say "as long as it runs".
std::string StreamWaveHeader(const audio::PcmFormat& f) {
  auto le32 = [](uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[size_t(i)] = char((v >> (8 * i)) & 0xFF);
    return s;
  };
  auto le16 = [](uint16_t v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
  uint16_t align = uint16_t(f.channels * 2);
  return "RIFF" + le32(0xFFFFFFFFu) + "WAVEfmt " + le32(16) + le16(1) + le16(f.channels) + le32(f.sampleRate) +
         le32(f.sampleRate * align) + le16(align) + le16(16) + "data" + le32(0xFFFFFFFFu - 36);
}

}  // namespace

bool BassIsDecodeStream(uint32_t handle) { return (handle & kDecodeHandleBit) != 0; }

int BASSINIT(int, int) {
  BASSLOAD();
  return audio::SetBassError(kBassOk);
}

int BASSFREE() {
  std::map<uint32_t, std::shared_ptr<DecodeStream>> gone;
  {
    std::lock_guard<std::mutex> lock(S().mutex);
    gone.swap(S().streams);
  }
  for (auto& [handle, s] : gone) {
    std::lock_guard<std::mutex> lock(s->mutex);
    if (s->encoder) s->encoder->Stop(kEncoderStopMs);
  }
  return audio::SetBassError(kBassOk);
}

uint32_t BASSSTREAMDECODEFILE(const std::string& path, int) {
  int error = 0;
  auto decoder = audio::OpenDecoder(path, error);
  if (!decoder) {
    Fail(error ? error : kBassErrorFileForm);
    return 0;
  }
  auto s = std::make_shared<DecodeStream>();
  s->format = decoder->Format();
  int64_t frames = decoder->TotalFrames();
  s->length = frames < 0 ? -1 : frames * int64_t(s->format.BytesPerFrame());
  s->decoder = std::move(decoder);
  std::lock_guard<std::mutex> lock(S().mutex);
  uint32_t handle = kDecodeHandleBit | S().next++;
  S().streams[handle] = std::move(s);
  audio::SetBassError(kBassOk);
  return handle;
}

uint32_t BASSCDSTREAMCREATE(int, int, int) {
  Fail(kBassErrorNoCd);
  return 0;
}

int BASSCDDOOR(int, int) { return Fail(kBassErrorNoCd); }

int64_t BASSCDGETTRACKLENGTH(int, int) {
  Fail(kBassErrorNoCd);
  return -1;
}

int BASSCHANNELGETINFO(uint32_t stream, BassChannelInfo& info) {
  auto s = FindStream(stream);
  if (!s) return Fail(kBassErrorHandle);
  info.frequency = s->format.sampleRate;
  info.channels = s->format.channels;
  info.bitsPerSample = 16;
  return audio::SetBassError(kBassOk);
}

int BASSCHANNELGETDATA(uint32_t stream, void* buffer, int bytes) {
  auto s = FindStream(stream);
  if (!s || !buffer || bytes < 0) {
    Fail(kBassErrorHandle);
    return -1;
  }
  std::lock_guard<std::mutex> lock(s->mutex);
  size_t channels = std::max<size_t>(1, s->format.channels);
  size_t wantSamples = (size_t(bytes) / (2 * channels)) * channels;
  while (s->held.size() < wantSamples && !s->ended) {
    size_t frames = (wantSamples - s->held.size()) / channels;
    if (s->decoder->Read(s->held, std::max<size_t>(frames, 1)) == 0) s->ended = true;
  }
  size_t give = std::min(wantSamples, s->held.size());
  std::memcpy(buffer, s->held.data(), give * 2);
  s->held.erase(s->held.begin(), s->held.begin() + std::ptrdiff_t(give));
  s->position += int64_t(give * 2);
  if (give > 0 && s->encoder && !s->encoder->Write(buffer, give * 2)) {
    Fail(kBassErrorEncoder);
    return -1;
  }
  audio::SetBassError(kBassOk);
  return int(give * 2);
}

int64_t BASSSTREAMGETLENGTH(uint32_t stream) {
  auto s = FindStream(stream);
  if (!s) {
    Fail(kBassErrorHandle);
    return -1;
  }
  return s->length;
}

int BASSDECODEISACTIVE(uint32_t stream) {
  auto s = FindStream(stream);
  if (!s) return 0;
  std::lock_guard<std::mutex> lock(s->mutex);
  return s->ended && s->held.empty() ? 0 : 1;
}

int64_t BASSDECODEGETPOSITION(uint32_t stream) {
  auto s = FindStream(stream);
  if (!s) {
    Fail(kBassErrorHandle);
    return -1;
  }
  std::lock_guard<std::mutex> lock(s->mutex);
  return s->position;
}

int BASSSTREAMFREE(uint32_t stream) {
  std::shared_ptr<DecodeStream> s;
  {
    std::lock_guard<std::mutex> lock(S().mutex);
    auto it = S().streams.find(stream);
    if (it == S().streams.end()) return Fail(kBassErrorHandle);
    s = it->second;
    S().streams.erase(it);
  }
  std::lock_guard<std::mutex> lock(s->mutex);
  if (s->encoder) s->encoder->Stop(kEncoderStopMs);
  return audio::SetBassError(kBassOk);
}

uint32_t BASSWMAENCODEOPENFILE(int, int, int, const std::string&) {
  // Writing WMA takes the system's encoder; none is used by this layer yet.
  Fail(kBassErrorNotAvail);
  return 0;
}

int BASSWMAENCODESETTAG(uint32_t, const std::string&, const std::string&) { return Fail(kBassErrorHandle); }
int BASSWMAENCODEWRITE(uint32_t, const void*, int) { return Fail(kBassErrorHandle); }
int BASSWMAENCODECLOSE(uint32_t) { return Fail(kBassErrorHandle); }

uint32_t BASSENCODESTART(uint32_t stream, const std::string& commandLine, int) {
  auto s = FindStream(stream);
  if (!s) {
    Fail(kBassErrorHandle);
    return 0;
  }
  auto pipe = audio::StartEncoderPipe(commandLine);
  if (!pipe) {
    Fail(kBassErrorEncoder);
    return 0;
  }
  std::string header = StreamWaveHeader(s->format);
  if (!pipe->Write(header.data(), header.size())) {
    pipe->Stop(kEncoderStopMs);
    Fail(kBassErrorEncoder);
    return 0;
  }
  std::lock_guard<std::mutex> lock(s->mutex);
  if (s->encoder) s->encoder->Stop(kEncoderStopMs);
  s->encoder = std::move(pipe);
  audio::SetBassError(kBassOk);
  return stream;
}

int BASSENCODEISACTIVE(uint32_t stream) {
  auto s = FindStream(stream);
  if (!s) return 0;
  std::lock_guard<std::mutex> lock(s->mutex);
  return s->encoder && s->encoder->Active() ? 1 : 0;
}

int BASSENCODESTOP(uint32_t stream) {
  auto s = FindStream(stream);
  if (!s) return Fail(kBassErrorHandle);
  std::lock_guard<std::mutex> lock(s->mutex);
  if (s->encoder) s->encoder->Stop(kEncoderStopMs);
  s->encoder.reset();
  return audio::SetBassError(kBassOk);
}

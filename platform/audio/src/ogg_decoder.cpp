// Ogg Vorbis files through stb_vorbis, from the whole file in memory (the decoder reads
// the pages it needs to seek and to tell the length from there). Portable.
#include <algorithm>
#include <climits>
#include <cstring>

#include "decoders.h"

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

#include "audio/bass.h"
#include "stb_vorbis_memory.h"

namespace audio {

namespace {

// A Vorbis comment "TITLE=..." (the name in any case).
std::string TitleOf(stb_vorbis* v) {
  stb_vorbis_comment c = stb_vorbis_get_comment(v);
  for (int i = 0; i < c.comment_list_length; ++i) {
    const char* entry = c.comment_list[i];
    if (!entry || std::strlen(entry) <= 6) continue;
    std::string name(entry, 6);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char ch) { return ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch; });
    if (name == "TITLE=") return std::string(entry + 6);
  }
  return {};
}

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Whether every length in a Vorbis comment header lies within it. The decoder trusts
// them: a count or a length near 2^32 would have it write past what it allocated.
bool CommentLengthsFit(const std::vector<uint8_t>& p) {
  if (p.size() < 11 || p[0] != 3 || std::memcmp(&p[1], "vorbis", 6) != 0) return false;
  size_t at = 7;
  auto take = [&](uint64_t bytes) {
    if (bytes > p.size() - at) return false;
    at += size_t(bytes);
    return true;
  };
  uint64_t length = Le32(&p[at]);
  if (!take(4) || !take(length) || p.size() - at < 4) return false;
  uint64_t count = Le32(&p[at]);
  if (!take(4) || count > (p.size() - at) / 4) return false;
  for (uint64_t i = 0; i < count; ++i) {
    if (p.size() - at < 4) return false;
    length = Le32(&p[at]);
    if (!take(4) || !take(length)) return false;
  }
  return true;
}

// The second packet of the file's first stream (its comment header), gathered from the
// segments of its pages, passes CommentLengthsFit.
bool CommentHeaderFits(const std::vector<uint8_t>& b) {
  std::vector<uint8_t> packet;
  int packets = 0;
  bool first = true;
  uint32_t serial = 0;
  for (size_t at = 0; at + 27 <= b.size() && std::memcmp(&b[at], "OggS", 4) == 0;) {
    uint32_t pageSerial = Le32(&b[at + 14]);
    size_t segments = b[at + 26], table = at + 27, pos = table + segments;
    if (pos > b.size()) return false;
    if (first) serial = pageSerial;
    first = false;
    for (size_t s = 0; s < segments; ++s) {
      size_t length = b[table + s];
      if (length > b.size() - pos) return false;
      if (pageSerial == serial) {
        auto from = b.begin() + std::ptrdiff_t(pos);
        if (packets == 1) packet.insert(packet.end(), from, from + std::ptrdiff_t(length));
        if (length < 255 && ++packets == 2) return CommentLengthsFit(packet);
      }
      pos += length;
    }
    at = pos;
  }
  return false;
}

class OggDecoder : public Decoder {
 public:
  OggDecoder(std::vector<uint8_t> bytes, stb_vorbis* v) : bytes_(std::move(bytes)), v_(v) {
    stb_vorbis_info info = stb_vorbis_get_info(v_);
    format_.sampleRate = info.sample_rate;
    // More than two channels are mixed down to two by the decoder.
    format_.channels = uint16_t(std::min(2, info.channels));
    unsigned length = stb_vorbis_stream_length_in_samples(v_);
    frames_ = length ? int64_t(length) : -1;
    title_ = TitleOf(v_);
  }
  ~OggDecoder() override { stb_vorbis_close(v_); }
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  PcmFormat Format() const override { return format_; }
  int64_t TotalFrames() const override { return frames_; }
  std::string Title() const override { return title_; }

  size_t Read(std::vector<int16_t>& out, size_t frames) override {
    if (atEnd_ || frames == 0) return 0;
    const int channels = format_.channels;
    frames = std::min<size_t>(frames, size_t(INT_MAX / channels));
    size_t at = out.size();
    out.resize(at + frames * size_t(channels));
    int got = stb_vorbis_get_samples_short_interleaved(v_, channels, out.data() + at, int(frames) * channels);
    got = std::max(got, 0);
    out.resize(at + size_t(got) * size_t(channels));
    if (got == 0) atEnd_ = true;
    return size_t(got);
  }

  bool Seek(int64_t frame) override {
    if (frame < 0 || (frames_ >= 0 && frame > frames_) || frame > int64_t(UINT_MAX)) return false;
    if (frames_ >= 0 && frame == frames_) {
      atEnd_ = true;  // nothing follows the last frame
      return true;
    }
    atEnd_ = false;
    return stb_vorbis_seek(v_, unsigned(frame)) != 0;
  }

 private:
  std::vector<uint8_t> bytes_;  // the decoder reads from here
  stb_vorbis* v_;
  PcmFormat format_;
  int64_t frames_ = -1;
  std::string title_;
  bool atEnd_ = false;
};

}  // namespace

bool LooksLikeOgg(const uint8_t* head, size_t size) { return size >= 4 && std::memcmp(head, "OggS", 4) == 0; }

std::unique_ptr<Decoder> OpenOggDecoder(fileio::File file, int& error) {
  int64_t size = file.Size();
  if (size <= 0 || size > int64_t(INT_MAX)) {
    error = kBassErrorFileForm;
    return nullptr;
  }
  std::vector<uint8_t> bytes(size_t(size), 0);
  size_t got = 0;
  if (file.ReadAt(0, bytes.data(), bytes.size(), got) != fileio::kOk || got != bytes.size()) {
    error = kBassErrorFileOpen;
    return nullptr;
  }
  if (!CommentHeaderFits(bytes)) {
    error = kBassErrorFormat;
    return nullptr;
  }
  int vorbisError = 0;
  SuiteVorbisTrackBegin();
  stb_vorbis* v = stb_vorbis_open_memory(bytes.data(), int(bytes.size()), &vorbisError, nullptr);
  SuiteVorbisTrackEnd(v ? 0 : 1);
  // An Ogg file of another codec (Opus, FLAC, Theora ...) or a damaged one.
  if (!v) {
    error = vorbisError == VORBIS_outofmem ? kBassErrorMemory : kBassErrorFormat;
    return nullptr;
  }
  stb_vorbis_info info = stb_vorbis_get_info(v);
  if (info.channels < 1 || info.sample_rate == 0) {
    stb_vorbis_close(v);
    error = kBassErrorFormat;
    return nullptr;
  }
  return std::make_unique<OggDecoder>(std::move(bytes), v);
}

}  // namespace audio

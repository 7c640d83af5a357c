#include "audio/mp3_frames.h"

#include "audio/byte_order.h"

namespace audio {

namespace {

// Bit rates in kbit/s by [version group][layer - 1][index]: group 0 MPEG-1, 1 MPEG-2/2.5.
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}};
constexpr int kSampleRates[3] = {44100, 48000, 32000};

bool SameStream(const Mp3Header& a, const Mp3Header& b) {
  return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

// Size of an ID3v2 tag (header, body and footer), 0 when the bytes hold none.
uint64_t Id3v2Size(const uint8_t* h) {
  if (h[0] != 'I' || h[1] != 'D' || h[2] != '3' || h[3] == 0xFF || h[4] == 0xFF) return 0;
  for (int i = 6; i < 10; ++i)
    if (h[i] & 0x80) return 0;
  return 10 + uint64_t(SyncSafe32(h + 6)) + ((h[5] & 0x10) ? 10 : 0);
}

// Latin-1 text of an ID3 text frame's body (first byte: the encoding). UTF-16 and UTF-8
// texts keep their ASCII characters; the suite's texts are single-byte.
std::string TextFrame(const std::string& body) {
  if (body.empty()) return std::string();
  unsigned char encoding = static_cast<unsigned char>(body[0]);
  std::string out;
  if (encoding == 1 || encoding == 2) {
    size_t i = 1;
    bool bigEndian = encoding == 2;
    if (i + 1 < body.size()) {
      unsigned char a = static_cast<unsigned char>(body[i]), b = static_cast<unsigned char>(body[i + 1]);
      if (a == 0xFE && b == 0xFF) bigEndian = true, i += 2;
      else if (a == 0xFF && b == 0xFE) bigEndian = false, i += 2;
    }
    for (; i + 1 < body.size(); i += 2) {
      unsigned c = bigEndian ? (static_cast<unsigned char>(body[i]) << 8) | static_cast<unsigned char>(body[i + 1])
                             : static_cast<unsigned char>(body[i]) | (static_cast<unsigned char>(body[i + 1]) << 8);
      if (c == 0) break;
      out += c < 256 ? char(c) : '?';
    }
  } else {
    for (size_t i = 1; i < body.size() && body[i] != '\0'; ++i) {
      unsigned char c = static_cast<unsigned char>(body[i]);
      if (encoding == 3 && c >= 0x80) {
        // UTF-8: a two-byte sequence of Latin-1 keeps its letter, longer ones become "?".
        if ((c & 0xE0) == 0xC0 && i + 1 < body.size()) {
          out += char(((c & 0x1F) << 6) | (static_cast<unsigned char>(body[++i]) & 0x3F));
          continue;
        }
        while (i + 1 < body.size() && (static_cast<unsigned char>(body[i + 1]) & 0xC0) == 0x80) ++i;
        out += '?';
        continue;
      }
      out += char(c);
    }
  }
  return out;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

}  // namespace

bool ParseMp3Header(const uint8_t* p, Mp3Header& h) {
  if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
  int versionBits = (p[1] >> 3) & 3, layerBits = (p[1] >> 1) & 3;
  int bitrateIndex = p[2] >> 4, rateIndex = (p[2] >> 2) & 3;
  if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return false;
  h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 3;
  h.layer = 4 - layerBits;
  int group = h.version == 1 ? 0 : 1;
  h.bitrate = kBitrates[group][h.layer - 1][bitrateIndex] * 1000;
  h.sampleRate = kSampleRates[rateIndex] >> (h.version - 1);
  h.channels = ((p[3] >> 6) & 3) == 3 ? 1 : 2;
  h.padding = (p[2] >> 1) & 1;
  if (h.layer == 1) {
    h.samplesPerFrame = 384;
    h.frameBytes = (12 * h.bitrate / h.sampleRate + (h.padding ? 1 : 0)) * 4;
  } else {
    bool half = h.layer == 3 && h.version != 1;
    h.samplesPerFrame = half ? 576 : 1152;
    h.frameBytes = (half ? 72 : 144) * h.bitrate / h.sampleRate + (h.padding ? 1 : 0);
  }
  return h.frameBytes >= 4;
}

std::string Id3v2Title(const std::string& tag) {
  if (tag.size() < 10) return std::string();
  const uint8_t* h = reinterpret_cast<const uint8_t*>(tag.data());
  int major = h[3];
  if (major < 2 || major > 4) return std::string();
  size_t at = 10;
  // An extended header (version 3 and 4) comes before the frames. Its size is counted in
  // 64 bits and checked before it moves the offset, which must not wrap on 32-bit builds.
  if ((h[5] & 0x40) && major >= 3 && tag.size() >= 14) {
    const uint8_t* e = h + 10;
    uint64_t extended = major == 4 ? uint64_t(SyncSafe32(e)) : uint64_t(Be32(e)) + 4;
    if (extended > tag.size() - at) return std::string();
    at += size_t(extended);
  }
  size_t headerBytes = major == 2 ? 6 : 10;
  while (at + headerBytes <= tag.size()) {
    const uint8_t* f = h + at;
    if (f[0] == 0) break;  // padding
    std::string id(reinterpret_cast<const char*>(f), major == 2 ? 3 : 4);
    uint32_t size;
    if (major == 2) size = Be24(f + 3);
    else if (major == 4) size = SyncSafe32(f + 4);
    else size = Be32(f + 4);
    if (size > tag.size() - at - headerBytes) break;
    if (id == "TIT2" || id == "TT2") return TrimRight(TextFrame(tag.substr(at + headerBytes, size)));
    at += headerBytes + size;
  }
  return std::string();
}

bool ScanMp3(const ByteReader& read, uint64_t begin, uint64_t end, Mp3Stream& stream) {
  stream = Mp3Stream{};
  uint8_t h[10];
  // ID3v1 at the end: 128 bytes from "TAG".
  if (end >= begin + 128) {
    uint8_t tag[128];
    if (read(end - 128, tag, 128) == 128 && tag[0] == 'T' && tag[1] == 'A' && tag[2] == 'G') {
      stream.title = TrimRight(std::string(reinterpret_cast<const char*>(tag) + 3, 30));
      end -= 128;
    }
  }
  uint64_t at = begin;
  if (read(at, h, 10) == 10) {
    if (uint64_t size = Id3v2Size(h)) {
      std::string tag(size_t(std::min<uint64_t>(size, 1 << 20)), '\0');
      tag.resize(read(at, tag.data(), tag.size()));
      std::string title = Id3v2Title(tag);
      if (!title.empty()) stream.title = title;
      at += size;
    }
  }
  // Find the first frame whose successor confirms it; give up after 64 KB of junk.
  constexpr uint64_t kSearchLimit = 64 * 1024;
  const uint64_t searchEnd = std::min(end, at + kSearchLimit);
  bool found = false;
  Mp3Header hd;
  for (; at + 4 <= searchEnd; ++at) {
    if (read(at, h, 4) != 4) return false;
    if (!ParseMp3Header(h, hd)) continue;
    uint64_t next = at + uint64_t(hd.frameBytes);
    Mp3Header nh;
    if (next + 4 > end || (read(next, h, 4) == 4 && ParseMp3Header(h, nh) && SameStream(hd, nh))) {
      found = true;
      break;
    }
  }
  if (!found) return false;
  stream.first = hd;
  while (at + 4 <= end) {
    if (read(at, h, 4) != 4 || !ParseMp3Header(h, hd) || !SameStream(hd, stream.first)) break;
    if (at + uint64_t(hd.frameBytes) > end) break;  // a cut last frame is left out
    stream.frames.push_back(at);
    stream.totalSamples += uint64_t(hd.samplesPerFrame);
    at += uint64_t(hd.frameBytes);
  }
  stream.dataEnd = at;
  return !stream.frames.empty();
}

}  // namespace audio

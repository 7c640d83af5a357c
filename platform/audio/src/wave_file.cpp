#include "audio/wave_file.h"

#include <algorithm>

#include "audio/byte_order.h"

namespace audio {

namespace {

bool IsId(const uint8_t* p, const char* id) { return p[0] == id[0] && p[1] == id[1] && p[2] == id[2] && p[3] == id[3]; }

// The text of an INFO sub-chunk: up to its first zero byte.
std::string ZeroEnded(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

void ReadInfoList(const ByteReader& read, uint64_t offset, uint64_t size, WaveInfo& info) {
  // Titles are short; a damaged size must not make us read megabytes.
  size = std::min<uint64_t>(size, 64 * 1024);
  std::string list(size, '\0');
  list.resize(read(offset, list.data(), list.size()));
  if (list.size() < 4 || !IsId(reinterpret_cast<const uint8_t*>(list.data()), "INFO")) return;
  size_t at = 4;
  while (at + 8 <= list.size()) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(list.data()) + at;
    uint32_t len = Le32(p + 4);
    if (len > list.size() - at - 8) break;
    if (IsId(p, "INAM")) info.title = ZeroEnded(list.substr(at + 8, len));
    at += 8 + len + (len & 1);
  }
}

void ReadFormat(const std::string& f, WaveInfo& info) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(f.data());
  info.formatTag = Le16(p);
  info.channels = Le16(p + 2);
  info.sampleRate = Le32(p + 4);
  info.bytesPerSecond = Le32(p + 8);
  info.blockAlign = Le16(p + 12);
  info.bitsPerSample = Le16(p + 14);
  // WAVE_FORMAT_EXTENSIBLE: the sub-format GUID begins with the real format tag.
  if (info.formatTag == kWaveExtensible && f.size() >= 40) info.formatTag = Le16(p + 24);
}

}  // namespace

WaveError ParseWave(const ByteReader& read, uint64_t fileSize, WaveInfo& info) {
  info = WaveInfo{};
  uint8_t head[12];
  if (read(0, head, 12) != 12 || !IsId(head, "RIFF") || !IsId(head + 8, "WAVE")) return WaveError::kNotRiff;
  bool haveFormat = false, haveData = false;
  uint64_t at = 12;
  while (at + 8 <= fileSize) {
    uint8_t ck[8];
    if (read(at, ck, 8) != 8) break;
    uint64_t size = Le32(ck + 4);
    uint64_t body = at + 8;
    if (IsId(ck, "fmt ")) {
      if (size < 16 || size > 4096) return WaveError::kBadFormat;
      info.formatChunk.assign(size_t(size), '\0');
      if (read(body, info.formatChunk.data(), size_t(size)) != size) return WaveError::kBadFormat;
      ReadFormat(info.formatChunk, info);
      haveFormat = true;
    } else if (IsId(ck, "data")) {
      info.dataOffset = body;
      info.dataSize = std::min(size, fileSize > body ? fileSize - body : 0);
      haveData = true;
    } else if (IsId(ck, "fact") && size >= 4) {
      uint8_t n[4];
      if (read(body, n, 4) == 4) info.factSamples = Le32(n);
    } else if (IsId(ck, "LIST")) {
      ReadInfoList(read, body, size, info);
    }
    // Chunks are padded to an even length.
    at = body + size + (size & 1);
  }
  if (!haveFormat) return WaveError::kNoFormat;
  if (!haveData) return WaveError::kNoData;
  if (info.channels == 0 || info.sampleRate == 0 || info.blockAlign == 0) return WaveError::kBadFormat;
  // Plain PCM is read block by block, one sample of every channel each: a block size
  // below that (careless writers leave 2 for stereo 16-bit) would make the decoder read
  // past each block, so the size the samples need stands instead.
  if (IsPlainPcm(info)) {
    uint32_t frameBytes = uint32_t(info.channels) * (info.bitsPerSample / 8u);
    if (frameBytes > 0xFFFF) return WaveError::kBadFormat;
    if (info.blockAlign < frameBytes) info.blockAlign = uint16_t(frameBytes);
  }
  return WaveError::kNone;
}

bool IsPlainPcm(const WaveInfo& info) {
  if (info.formatTag == kWavePcm)
    return info.bitsPerSample == 8 || info.bitsPerSample == 16 || info.bitsPerSample == 24 ||
           info.bitsPerSample == 32;
  return info.formatTag == kWaveFloat && info.bitsPerSample == 32;
}

uint32_t AdpcmSamplesPerBlock(const WaveInfo& info) {
  // WAVEFORMATEX is 18 bytes; both ADPCM forms put wSamplesPerBlock right after it.
  if (info.formatChunk.size() < 20) return 0;
  if (info.formatTag != kWaveImaAdpcm && info.formatTag != kWaveMsAdpcm) return 0;
  return Le16(reinterpret_cast<const uint8_t*>(info.formatChunk.data()) + 18);
}

uint64_t WaveSampleCount(const WaveInfo& info) {
  if (info.blockAlign == 0) return 0;
  if (IsPlainPcm(info)) return info.dataSize / info.blockAlign;
  if (info.factSamples) return info.factSamples;
  uint32_t perBlock = AdpcmSamplesPerBlock(info);
  return perBlock ? info.dataSize / info.blockAlign * perBlock : 0;
}

}  // namespace audio

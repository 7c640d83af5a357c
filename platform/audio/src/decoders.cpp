#include "decoders.h"

#include <algorithm>
#include <cstring>

#include "audio/bass.h"
#include "audio/play_clock.h"
#include "sound_tap.h"

namespace audio {

namespace {

ByteReader ReaderOf(fileio::File& file) {
  return [&file](uint64_t offset, void* buffer, size_t size) -> size_t {
    size_t got = 0;
    if (file.ReadAt(int64_t(offset), buffer, size, got) != fileio::kOk) return 0;
    return got;
  };
}

class PcmDecoder : public Decoder {
 public:
  PcmDecoder(fileio::File file, const WaveInfo& info) : file_(std::move(file)), info_(info) {
    format_.sampleRate = info.sampleRate;
    format_.channels = uint16_t(std::min<int>(2, info.channels));
    frames_ = int64_t(WaveSampleCount(info));
  }
  PcmFormat Format() const override { return format_; }
  int64_t TotalFrames() const override { return frames_; }
  std::string Title() const override { return info_.title; }

  size_t Read(std::vector<int16_t>& out, size_t frames) override {
    frames = size_t(std::min<int64_t>(int64_t(frames), frames_ - next_));
    if (frames == 0) return 0;
    bytes_.resize(frames * info_.blockAlign);
    size_t got = 0;
    uint64_t offset = info_.dataOffset + uint64_t(next_) * info_.blockAlign;
    if (file_.ReadAt(int64_t(offset), bytes_.data(), bytes_.size(), got) != fileio::kOk) return 0;
    size_t whole = got / info_.blockAlign;
    ConvertToPcm16(bytes_.data(), whole, info_.bitsPerSample, info_.formatTag == kWaveFloat, info_.channels,
                   format_.channels, out);
    next_ += int64_t(whole);
    return whole;
  }

  bool Seek(int64_t frame) override {
    if (frame < 0 || frame > frames_) return false;
    next_ = frame;
    return true;
  }

 private:
  fileio::File file_;
  WaveInfo info_;
  PcmFormat format_;
  int64_t frames_ = 0;
  int64_t next_ = 0;
  std::vector<uint8_t> bytes_;
};

}  // namespace

bool LooksLikeAsf(const uint8_t* head, size_t size) {
  static const uint8_t kAsfHeader[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                         0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
  return size >= sizeof kAsfHeader && std::memcmp(head, kAsfHeader, sizeof kAsfHeader) == 0;
}

std::unique_ptr<Decoder> OpenPcmDecoder(fileio::File file, const WaveInfo& info) {
  return std::make_unique<PcmDecoder>(std::move(file), info);
}

std::unique_ptr<Output> OpenSilentOutput(const PcmFormat& format, int& error) {
  auto out = std::make_unique<SilentOutput>();
  error = out->Open(format);
  if (error) return nullptr;
  out->TapInto(SoundTap::ForNewSound(format));
  return out;
}

std::unique_ptr<Decoder> OpenDecoder(const std::string& path, int& error) {
  fileio::File file;
  if (file.Open(path, fileio::Access::Read, fileio::Share::DenyWrite) != fileio::kOk &&
      file.Open(path, fileio::Access::Read, fileio::Share::DenyNone) != fileio::kOk) {
    error = kBassErrorFileOpen;
    return nullptr;
  }
  int64_t size = file.Size();
  if (size <= 0) {
    error = kBassErrorFileForm;
    return nullptr;
  }
  ByteReader read = ReaderOf(file);
  // Ogg and ASF files say what they are in their first bytes.
  uint8_t head[16] = {};
  size_t headSize = read(0, head, sizeof head);
  if (LooksLikeOgg(head, headSize)) return OpenOggDecoder(std::move(file), error);
  if (LooksLikeAsf(head, headSize)) return OpenWmaDecoder(path, error);
  WaveInfo wave;
  WaveError we = ParseWave(read, uint64_t(size), wave);
  if (we == WaveError::kNone) {
    if (IsPlainPcm(wave)) return OpenPcmDecoder(std::move(file), wave);
    if (wave.formatTag == kWaveMp3) {
      Mp3Stream mp3;
      if (!ScanMp3(read, wave.dataOffset, wave.dataOffset + wave.dataSize, mp3)) {
        error = kBassErrorFileForm;
        return nullptr;
      }
      if (mp3.title.empty()) mp3.title = wave.title;
      return OpenMp3Decoder(std::move(file), std::move(mp3), error);
    }
    return OpenCodecDecoder(std::move(file), wave, error);
  }
  if (we != WaveError::kNotRiff) {
    error = kBassErrorFileForm;
    return nullptr;
  }
  Mp3Stream mp3;
  if (ScanMp3(read, 0, uint64_t(size), mp3)) return OpenMp3Decoder(std::move(file), std::move(mp3), error);
  error = kBassErrorFileForm;
  return nullptr;
}

}  // namespace audio

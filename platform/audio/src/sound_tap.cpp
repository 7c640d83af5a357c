#include "sound_tap.h"

#include <atomic>
#include <cstdlib>

#include "fileio/paths.h"

namespace audio {

namespace {

constexpr uint32_t kHeaderBytes = 44;
// A RIFF file counts its sizes in 32 bits: the tap stops before they would wrap.
constexpr uint32_t kMostDataBytes = 0xFFFFFFFFu - kHeaderBytes;

void Put16(uint8_t*& p, uint32_t v) {
  *p++ = uint8_t(v);
  *p++ = uint8_t(v >> 8);
}
void Put32(uint8_t*& p, uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p, v >> 16);
}
void PutId(uint8_t*& p, const char* id) {
  for (int i = 0; i < 4; ++i) *p++ = uint8_t(id[i]);
}

}  // namespace

std::unique_ptr<SoundTap> SoundTap::ForNewSound(const PcmFormat& format) {
  const char* folder = std::getenv("SUITE_AUDIO_TAP");
  if (!folder || !*folder) return nullptr;
  static std::atomic<int> sounds{0};
  std::string name = TapFileStem() + "_" + std::to_string(++sounds) + ".wav";
  return Open(fileio::JoinPath(folder, name), format);
}

std::unique_ptr<SoundTap> SoundTap::Open(const std::string& path, const PcmFormat& format) {
  if (format.channels == 0 || format.sampleRate == 0) return nullptr;
  auto tap = std::make_unique<SoundTap>();
  fileio::MakeDirectories(fileio::FolderOf(path));
  if (tap->file_.Open(path, fileio::Access::WriteNew, fileio::Share::DenyWrite) != fileio::kOk) return nullptr;
  tap->frameBytes_ = format.BytesPerFrame();
  uint8_t header[kHeaderBytes];
  uint8_t* p = header;
  PutId(p, "RIFF");
  Put32(p, kHeaderBytes - 8);
  PutId(p, "WAVE");
  PutId(p, "fmt ");
  Put32(p, 16);
  Put16(p, 1);  // PCM
  Put16(p, format.channels);
  Put32(p, format.sampleRate);
  Put32(p, format.sampleRate * tap->frameBytes_);
  Put16(p, tap->frameBytes_);
  Put16(p, 16);
  PutId(p, "data");
  Put32(p, 0);
  if (tap->file_.Write(header, sizeof header) != fileio::kOk) return nullptr;
  return tap;
}

void SoundTap::Write(const int16_t* samples, size_t frames) {
  if (failed_ || frames == 0) return;
  const uint64_t bytes = uint64_t(frames) * frameBytes_;
  if (bytes > kMostDataBytes - dataBytes_) {
    failed_ = true;
    return;
  }
  // Samples little-endian, as the file wants them, without a buffer of their own.
  uint8_t chunk[1024];
  size_t used = 0;
  const size_t count = frames * (frameBytes_ / 2);
  for (size_t i = 0; i < count; ++i) {
    uint16_t v = uint16_t(samples[i]);
    chunk[used++] = uint8_t(v);
    chunk[used++] = uint8_t(v >> 8);
    if (used == sizeof chunk || i + 1 == count) {
      if (file_.WriteAt(kHeaderBytes + dataBytes_, chunk, used) != fileio::kOk) {
        failed_ = true;
        return;
      }
      dataBytes_ += uint32_t(used);
      used = 0;
    }
  }
  uint8_t sizes[8];
  uint8_t* p = sizes;
  Put32(p, dataBytes_ + kHeaderBytes - 8);
  Put32(p, dataBytes_);
  failed_ = file_.WriteAt(4, sizes, 4) != fileio::kOk || file_.WriteAt(40, sizes + 4, 4) != fileio::kOk;
}

}  // namespace audio

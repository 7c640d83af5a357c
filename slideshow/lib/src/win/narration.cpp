#include "dunmere/narration.h"

#include <algorithm>

#include "fileio/file.h"
#include "imglib/status.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace dunmere {

namespace {

class WaveInDevice : public CaptureDevice {
 public:
  ~WaveInDevice() override { Close(); }
  MMRESULT Open(HWND window, const WAVEFORMATEX& format) override {
    UINT count = waveInGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
      WAVEINCAPSA caps{};
      if (waveInGetDevCapsA(i, &caps, sizeof caps) != MMSYSERR_NOERROR) continue;
      if (waveInOpen(&device_, i, &format, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) ==
          MMSYSERR_NOERROR)
        return MMSYSERR_NOERROR;
      device_ = nullptr;
    }
    return MMSYSERR_BADDEVICEID;
  }
  MMRESULT Prepare(WAVEHDR& h) override { return waveInPrepareHeader(device_, &h, sizeof h); }
  MMRESULT Unprepare(WAVEHDR& h) override { return waveInUnprepareHeader(device_, &h, sizeof h); }
  MMRESULT Queue(WAVEHDR& h) override { return waveInAddBuffer(device_, &h, sizeof h); }
  MMRESULT Start() override { return waveInStart(device_); }
  void StopAndReset() override {
    if (!device_) return;
    waveInStop(device_);
    waveInReset(device_);
  }
  void Close() override {
    if (device_) waveInClose(device_);
    device_ = nullptr;
  }
  bool Sent(WPARAM value) const override { return device_ && reinterpret_cast<HWAVEIN>(value) == device_; }

 private:
  HWAVEIN device_ = nullptr;
};

}  // namespace

std::unique_ptr<CaptureDevice> MakeWaveInDevice() { return std::make_unique<WaveInDevice>(); }

// ---- Recorder ----------------------------------------------------------------------------------

int NarrationRecorder::Start(HWND window, const std::string& target, int quality,
                             std::unique_ptr<CaptureDevice> device) {
  if (recording_ || !device) return MMSYSERR_INVALPARAM;
  format_ = CaptureFormatFor(quality);
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = WORD(format_.channels);
  format.nSamplesPerSec = DWORD(format_.samplesPerSecond);
  format.wBitsPerSample = WORD(format_.bitsPerSample);
  format.nBlockAlign = WORD(format_.blockAlign);
  format.nAvgBytesPerSec = DWORD(format_.averageBytesPerSecond);
  format.cbSize = 0;
  static_assert(sizeof(WAVEFORMATEX) == 18, "the format chunk holds the whole WAVEFORMATEX");

  device_ = std::move(device);
  target_ = target;
  temp_ = target + ".rec~";
  shortWrite_ = false;
  levelBytes_ = 0;
  fileio::RemoveFile(temp_);

  // OPENWAVEIN, ALLOCWAVEBUFFERS and QUEUEWAVEBUFFERS, CREATEWAVEFILE, each only after the one before.
  int failure = int(device_->Open(window, format));
  if (failure == 0) {
    buffers_.assign(kBuffers, std::vector<char>(kBufferBytes, 0));
    for (int i = 0; i < kBuffers && failure == 0; ++i) {
      WAVEHDR& h = headers_[size_t(i)];
      h = WAVEHDR{};
      h.lpData = buffers_[size_t(i)].data();
      h.dwBufferLength = kBufferBytes;
      failure = int(device_->Prepare(h));
      if (failure == 0) {
        prepared_ = true;
        failure = int(device_->Queue(h));
      }
    }
  }
  if (failure == 0) {
    std::string name = temp_;
    file_ = mmioOpenA(name.data(), nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_ALLOCBUF);
    riff_ = MMCKINFO{};
    riff_.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO fmt{};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    data_ = MMCKINFO{};
    data_.ckid = mmioFOURCC('d', 'a', 't', 'a');
    bool created = file_ && mmioCreateChunk(file_, &riff_, MMIO_CREATERIFF) == MMSYSERR_NOERROR &&
                   mmioCreateChunk(file_, &fmt, 0) == MMSYSERR_NOERROR &&
                   mmioWrite(file_, reinterpret_cast<const char*>(&format), LONG(sizeof format)) ==
                       LONG(sizeof format) &&
                   mmioAscend(file_, &fmt, 0) == MMSYSERR_NOERROR &&
                   mmioCreateChunk(file_, &data_, 0) == MMSYSERR_NOERROR && mmioFlush(file_, 0) == 0;
    if (!created) failure = int(ERROR_CANNOT_MAKE);
  }
  if (failure == 0) failure = int(device_->Start());
  if (failure != 0) {
    Abandon();
    return failure;
  }
  recording_ = true;
  return 0;
}

void NarrationRecorder::Write(WAVEHDR& header) {
  if (!file_ || header.dwBytesRecorded == 0) return;
  DWORD bytes = std::min(header.dwBytesRecorded, header.dwBufferLength);
  LONG want = LONG(bytes);
  if (mmioWrite(file_, header.lpData, want) < want) shortWrite_ = true;
  size_t keep = std::min<size_t>(bytes, level_.size());
  std::copy(header.lpData, header.lpData + keep, level_.begin());
  levelBytes_ = keep;
  header.dwBytesRecorded = 0;
}

NarrationRecorder::Data NarrationRecorder::OnData(WPARAM deviceValue, LPARAM lParam) {
  auto* header = reinterpret_cast<WAVEHDR*>(lParam);
  if (!recording_ || !header || !device_ || !device_->Sent(deviceValue)) return Data::kNotMine;
  Write(*header);
  if (shortWrite_) return Data::kDiskFull;
  device_->Queue(*header);
  return Data::kWritten;
}

void NarrationRecorder::Release() {
  if (device_) {
    device_->StopAndReset();
    // Buffers handed back by the reset still hold sound: it goes into the file first.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE)) {
      auto* header = reinterpret_cast<WAVEHDR*>(msg.lParam);
      bool ours = header && device_->Sent(msg.wParam) && header >= headers_.data() &&
                  header < headers_.data() + headers_.size();
      if (ours && !shortWrite_) Write(*header);
    }
    if (prepared_)
      for (auto& h : headers_) device_->Unprepare(h);
    device_->Close();
  }
  device_.reset();
  prepared_ = false;
  if (file_) {
    // Marking the data chunk dirty makes the ascents write both sizes.
    data_.dwFlags |= MMIO_DIRTY;
    mmioAscend(file_, &data_, 0);
    mmioAscend(file_, &riff_, 0);
    mmioClose(file_, 0);
    file_ = nullptr;
  }
  buffers_.clear();
  recording_ = false;
}

bool NarrationRecorder::Stop() {
  bool was = device_ != nullptr;
  Release();
  if (!was || SKFILESIZE(temp_) < 0) return false;
  if (fileio::MoveFileReplacing(temp_, target_) != fileio::kOk) {
    fileio::RemoveFile(temp_);
    return false;
  }
  return true;
}

void NarrationRecorder::Abandon() {
  bool was = device_ != nullptr || file_ != nullptr;
  Release();
  if (was) fileio::RemoveFile(temp_);
}

NarrationLevel NarrationRecorder::Level() const {
  return PeakLevel(level_.data(), levelBytes_, format_);
}

// ---- Clip playback ----------------------------------------------------------------------------

bool SoundClip::Load(HWND window, const std::string& path) {
  Free();
  if (L_MMInit(&clip_) != imglib::kSuccess) return false;
  if (L_MMLoad(clip_, path) != imglib::kSuccess) {
    Free();
    return false;
  }
  L_MMSetPlayExt(clip_, window, kMmPlayInWindow);
  L_MMAdjustWin(clip_, window);  // a sound has no picture to fit: kUnsupported is no failure
  return true;
}

bool SoundClip::Play() {
  if (!clip_) return false;
  HWND before = GetForegroundWindow();
  bool played = L_MMMarkClip(clip_, 0, 0) == imglib::kSuccess && L_MMPlay(clip_) == imglib::kSuccess;
  if (before && GetForegroundWindow() != before) SetForegroundWindow(before);
  return played;
}

void SoundClip::Free() {
  if (clip_) L_MMFree(&clip_);
  clip_ = nullptr;
}

bool SoundClip::Playing() const { return clip_ && L_MMIsPlaying(clip_) == 1; }

// ---- Level display ----------------------------------------------------------------------------

void DrawNarrationLevel(HDC dc, const RECT& area, const NarrationLevel& level) {
  int width = area.right - area.left, height = area.bottom - area.top;
  if (!dc || width <= 0 || height <= 0) return;
  SKFILLRECT(dc, area.left, area.top, width, height, SKGETSYSCOLOR(kSkinWindowBack));
  int gap = height >= 6 ? 2 : 0;
  int barHeight = std::max(1, (height - gap) / 2);
  COLORREF fill = SKGETSYSCOLOR(kSkinText);
  int values[2] = {level.left, level.right};
  for (int c = 0; c < 2; ++c) {
    int top = area.top + c * (barHeight + gap);
    int filled = width * std::clamp(values[c], 0, 100) / 100;
    if (filled > 0) SKFILLRECT(dc, area.left, top, filled, barHeight, fill);
  }
}

}  // namespace dunmere

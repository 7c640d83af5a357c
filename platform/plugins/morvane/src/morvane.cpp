// morvane.dll: a worker thread takes the window's client area at the frame rate and writes
// it into the AVI file (the FOURCC's compressor when it is installed, else uncompressed
// 24-bit frames), with the wave-in sound beside it when a recording device opens. Every
// Video for Windows call runs on that thread, which opens the file and closes it again.
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "morvane/frame_clock.h"
#include "morvane/morvane.h"
#include "win/raii.h"

namespace {

constexpr int kSoundBuffers = 8;
constexpr DWORD kSoundBufferMs = 250;

struct Recording {
  HWND window = nullptr;
  MvFormat format{};
  std::string output;
  DWORD fourcc = 0;
  win::Handle thread;
  win::Handle stop{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  win::Handle opened{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<bool> openedOk{false};
  LONG soundSamples = 0;  // written by the worker, read after it ended
};

std::unique_ptr<Recording>& Current() {
  static std::unique_ptr<Recording> recording;
  return recording;
}

void Notice(const Recording& r, MvNotice notice) { PostMessageA(r.window, notice, 0, 0); }

// The AVI file and its streams; given back in turn at the end of the worker.
struct AviFile {
  AviFile() { AVIFileInit(); }
  ~AviFile() {
    if (video) AVIStreamRelease(video);
    if (compressed) AVIStreamRelease(compressed);
    if (sound) AVIStreamRelease(sound);
    if (file) AVIFileRelease(file);
    AVIFileExit();
  }
  AviFile(const AviFile&) = delete;
  AviFile& operator=(const AviFile&) = delete;
  PAVIFILE file = nullptr;
  PAVISTREAM video = nullptr;       // what the file holds
  PAVISTREAM compressed = nullptr;  // the compressor in front of it, when there is one
  PAVISTREAM sound = nullptr;
  PAVISTREAM Frames() const { return compressed ? compressed : video; }
};

bool CompressorInstalled(DWORD fourcc) {
  if (fourcc == 0) return false;
  HIC compressor = ICOpen(ICTYPE_VIDEO, fourcc, ICMODE_COMPRESS);
  if (!compressor) return false;
  ICClose(compressor);
  return true;
}

bool OpenVideo(AviFile& avi, const Recording& r, const BITMAPINFOHEADER& header) {
  AVISTREAMINFOA info{};
  info.fccType = streamtypeVIDEO;
  info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
  info.dwScale = 1;
  info.dwRate = DWORD(r.format.framesPerSecond);
  info.dwSuggestedBufferSize = header.biSizeImage;
  SetRect(&info.rcFrame, 0, 0, header.biWidth, header.biHeight);
  if (AVIFileCreateStreamA(avi.file, &avi.video, &info) != 0) return false;
  if (CompressorInstalled(r.fourcc)) {
    AVICOMPRESSOPTIONS options{};
    options.fccType = streamtypeVIDEO;
    options.fccHandler = r.fourcc;
    options.dwQuality = DWORD(ICQUALITY_DEFAULT);
    options.dwFlags = AVICOMPRESSF_VALID;
    if (AVIMakeCompressedStream(&avi.compressed, avi.video, &options, nullptr) != 0) avi.compressed = nullptr;
  }
  BITMAPINFOHEADER format = header;
  if (AVIStreamSetFormat(avi.Frames(), 0, &format, sizeof format) == 0) return true;
  // A compressor that refuses the frames leaves them uncompressed.
  if (!avi.compressed) return false;
  AVIStreamRelease(avi.compressed);
  avi.compressed = nullptr;
  return AVIStreamSetFormat(avi.video, 0, &format, sizeof format) == 0;
}

// The wave-in device and its buffers while it records.
class SoundInput {
 public:
  SoundInput(const MvFormat& format, AviFile& avi) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = 1;
    wave.nSamplesPerSec = DWORD(format.soundRate > 0 ? format.soundRate : 22050);
    wave.wBitsPerSample = WORD(format.soundBits == 8 ? 8 : 16);
    wave.nBlockAlign = WORD(wave.nChannels * wave.wBitsPerSample / 8);
    wave.nAvgBytesPerSec = wave.nSamplesPerSec * wave.nBlockAlign;
    if (waveInOpen(&device_, WAVE_MAPPER, &wave, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
      device_ = nullptr;
      return;
    }
    AVISTREAMINFOA info{};
    info.fccType = streamtypeAUDIO;
    info.dwScale = wave.nBlockAlign;
    info.dwRate = wave.nAvgBytesPerSec;
    info.dwSampleSize = wave.nBlockAlign;
    info.dwQuality = DWORD(-1);
    if (AVIFileCreateStreamA(avi.file, &avi.sound, &info) != 0 ||
        AVIStreamSetFormat(avi.sound, 0, &wave, sizeof wave) != 0) {
      Close();
      return;
    }
    DWORD bytes = wave.nAvgBytesPerSec * kSoundBufferMs / 1000;
    for (size_t i = 0; i < buffers_.size(); ++i) {
      memory_[i].assign(bytes, '\0');
      buffers_[i].lpData = memory_[i].data();
      buffers_[i].dwBufferLength = bytes;
      waveInPrepareHeader(device_, &buffers_[i], sizeof(WAVEHDR));
      waveInAddBuffer(device_, &buffers_[i], sizeof(WAVEHDR));
    }
    waveInStart(device_);
    stream_ = avi.sound;
    blockAlign_ = wave.nBlockAlign;
  }
  ~SoundInput() { Close(); }
  LONG Samples() const { return samples_; }
  SoundInput(const SoundInput&) = delete;
  SoundInput& operator=(const SoundInput&) = delete;

  // Writes the buffers the device has filled and gives them back to it; false on an error.
  bool Drain() {
    bool ok = true;
    if (!device_ || !stream_) return ok;
    for (WAVEHDR& b : buffers_) {
      if (!(b.dwFlags & WHDR_DONE)) continue;
      if (b.dwBytesRecorded > 0) {
        LONG samples = LONG(b.dwBytesRecorded / blockAlign_);
        // Each block goes at the stream's end as the stream itself counts it: a count of
        // our own drifts from that of some implementations (Wine's), which then refuse
        // every block after the first.
        bool written = AVIStreamWrite(stream_, AVIStreamLength(stream_), samples, b.lpData, LONG(samples) * blockAlign_,
                                      0, nullptr, nullptr) == 0;
        if (written) samples_ += samples;
        ok = written && ok;
      }
      b.dwFlags &= ~DWORD(WHDR_DONE);
      waveInAddBuffer(device_, &b, sizeof(WAVEHDR));
    }
    return ok;
  }

 private:
  void Close() {
    if (!device_) return;
    waveInReset(device_);
    for (WAVEHDR& b : buffers_)
      if (b.dwFlags & WHDR_PREPARED) waveInUnprepareHeader(device_, &b, sizeof(WAVEHDR));
    waveInClose(device_);
    device_ = nullptr;
  }

  HWAVEIN device_ = nullptr;
  PAVISTREAM stream_ = nullptr;
  WORD blockAlign_ = 1;
  LONG samples_ = 0;
  std::array<WAVEHDR, kSoundBuffers> buffers_{};
  std::array<std::vector<char>, kSoundBuffers> memory_;
};

// The client area, as the screen shows it, into a bottom-up 24-bit DIB section.
class FrameGrabber {
 public:
  FrameGrabber(HWND window, const BITMAPINFOHEADER& header) : window_(window), memory_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader = header;
    dib_.Reset(CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (dib_) selected_ = std::make_unique<win::SelectObj>(memory_, dib_.Get());
    width_ = header.biWidth;
    height_ = header.biHeight;
  }
  const void* Grab() {
    if (!bits_ || !IsWindow(window_)) return nullptr;
    win::WindowDC client(window_);
    if (!client.Get() || !BitBlt(memory_, 0, 0, width_, height_, client.Get(), 0, 0, SRCCOPY)) return nullptr;
    GdiFlush();
    return bits_;
  }

 private:
  HWND window_;
  win::Bitmap dib_;
  win::CompatibleDC memory_;
  std::unique_ptr<win::SelectObj> selected_;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

DWORD RecordFrames(Recording& r) {
  BITMAPINFOHEADER header = r.format.picture;
  header.biSize = sizeof header;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;  // bottom-up, as AVI keeps them
  header.biSizeImage = DWORD(((header.biWidth * 3 + 3) & ~3) * header.biHeight);
  AviFile avi;
  DeleteFileA(r.output.c_str());
  bool ok = header.biWidth > 0 && header.biHeight > 0 &&
            AVIFileOpenA(&avi.file, r.output.c_str(), OF_CREATE | OF_WRITE | OF_SHARE_EXCLUSIVE, nullptr) == 0 &&
            OpenVideo(avi, r, header);
  r.openedOk = ok;
  SetEvent(r.opened.Get());
  if (!ok) return 1;
  SoundInput sound(r.format, avi);
  FrameGrabber grabber(r.window, header);
  morvane::FrameClock clock(r.format.framesPerSecond);
  LONG index = 0;
  auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  };
  DWORD wait = 0;
  while (WaitForSingleObject(r.stop.Get(), wait) == WAIT_TIMEOUT) {
    morvane::FrameClock::Step step = clock.At(elapsed());
    if (step.take) {
      for (int64_t i = 0; i < step.dropped; ++i) Notice(r, kMvFrameDropped);
      const void* bits = grabber.Grab();
      bool written = bits && AVIStreamWrite(avi.Frames(), index, 1, const_cast<void*>(bits), LONG(header.biSizeImage),
                                            AVIIF_KEYFRAME, nullptr, nullptr) == 0;
      if (written) ++index;
      Notice(r, written ? kMvFrameWritten : kMvError);
    }
    if (!sound.Drain()) Notice(r, kMvError);
    int64_t left = clock.NextDueMs() - elapsed();
    wait = DWORD(left > 0 ? left : 0);
  }
  if (!sound.Drain()) Notice(r, kMvError);
  r.soundSamples = sound.Samples();
  return 0;
}

void PutU32(HANDLE file, size_t at, uint32_t value) {
  unsigned char bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  DWORD put = 0;
  if (SetFilePointer(file, LONG(at), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER)
    WriteFile(file, bytes, sizeof bytes, &put, nullptr);
}

// Header values written again once the file is closed, where some Video for Windows
// implementations (Wine's) store others: the main header's time per frame (Wine: the
// rate's inverse) and the sound stream's length in samples (Wine: the blocks written).
void FixHeaders(const std::string& output, int framesPerSecond, LONG soundSamples) {
  win::Handle file(CreateFileA(output.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return;
  std::string head(4096, '\0');
  DWORD got = 0;
  if (!ReadFile(file.Get(), head.data(), DWORD(head.size()), &got, nullptr)) return;
  head.resize(got);
  size_t at = head.find("avih");
  if (at != std::string::npos && at + 12 <= head.size())
    PutU32(file.Get(), at + 8, uint32_t(1000000 / std::max(1, framesPerSecond)));
  // strh: its type at 8, its length at 8 + 32.
  for (at = head.find("strh"); at != std::string::npos && soundSamples > 0; at = head.find("strh", at + 4)) {
    if (at + 44 > head.size() || head.compare(at + 8, 4, "auds") != 0) continue;
    PutU32(file.Get(), at + 8 + 32, uint32_t(soundSamples));
    break;
  }
}

DWORD WINAPI Record(void* argument) {
  Recording& r = *static_cast<Recording*>(argument);
  DWORD result = RecordFrames(r);
  if (result == 0) FixHeaders(r.output, r.format.framesPerSecond, r.soundSamples);
  return result;
}

}  // namespace

extern "C" {

int WINAPI MVINIT(HWND window, const MvFormat* format, const char* outputFile) {
  if (Current() && Current()->thread) return 0;  // a recording runs
  if (!window || !IsWindow(window) || !format || !outputFile || !*outputFile) return 0;
  auto r = std::make_unique<Recording>();
  r->window = window;
  r->format = *format;
  r->format.framesPerSecond = std::clamp(r->format.framesPerSecond, 1, 30);
  r->output = outputFile;
  if (!r->stop || !r->opened) return 0;
  Current() = std::move(r);
  return 1;
}

int WINAPI MVSTART(DWORD fourcc) {
  Recording* r = Current().get();
  if (!r || r->thread) return 0;
  r->fourcc = fourcc;
  ResetEvent(r->stop.Get());
  ResetEvent(r->opened.Get());
  r->thread.Reset(CreateThread(nullptr, 0, Record, r, 0, nullptr));
  if (!r->thread) return 0;
  WaitForSingleObject(r->opened.Get(), INFINITE);
  if (r->openedOk) return 1;
  WaitForSingleObject(r->thread.Get(), INFINITE);
  r->thread.Reset();
  return 0;
}

int WINAPI MVSTOP() {
  Recording* r = Current().get();
  if (!r || !r->thread) return 0;
  SetEvent(r->stop.Get());
  WaitForSingleObject(r->thread.Get(), INFINITE);
  r->thread.Reset();
  return 1;
}

int WINAPI MVEND() {
  if (!Current()) return 0;
  MVSTOP();
  Current().reset();
  return 1;
}

}  // extern "C"

// A slide's narration (and an archive record's sound comment): recorded from a capture
// device into a RIFF WAVE file, played back as a clip of the imaging library's multimedia
// calls, and its level shown while it records. Windows only; the caller's window gets the
// capture buffers as MM_WIM_DATA and hands them to the recorder.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "dunmere/narration_format.h"
#include "multimedia/l_mm.h"

namespace dunmere {

// Where a recording comes from: the sound card's wave-in device, or a stand-in of a test.
// Filled buffers come back to the window given to Open as MM_WIM_DATA with the device's
// handle value in wParam and the header in lParam.
class CaptureDevice {
 public:
  virtual ~CaptureDevice() = default;
  // MMSYSERR_NOERROR (0) or the failure.
  virtual MMRESULT Open(HWND window, const WAVEFORMATEX& format) = 0;
  virtual MMRESULT Prepare(WAVEHDR& header) = 0;
  virtual MMRESULT Unprepare(WAVEHDR& header) = 0;
  virtual MMRESULT Queue(WAVEHDR& header) = 0;
  virtual MMRESULT Start() = 0;
  // Stops capturing and hands every queued buffer back.
  virtual void StopAndReset() = 0;
  virtual void Close() = 0;
  // Whether an MM_WIM_DATA's wParam names this device.
  virtual bool Sent(WPARAM deviceValue) const = 0;
};

// The first wave-in device (from 0 to waveInGetNumDevs() - 1) that accepts the format.
std::unique_ptr<CaptureDevice> MakeWaveInDevice();

// The recorder: 16 buffers of 1024 bytes, a "fmt " chunk of the whole 18-byte WAVEFORMATEX
// and a "data" chunk that grows. The file is written beside the target (target +
// ".rec~") and put in its place only when the recording ends well, so that a recording
// that cannot start, or fails, leaves an older narration as it was.
class NarrationRecorder {
 public:
  static constexpr int kBuffers = 16;
  static constexpr DWORD kBufferBytes = 1024;

  NarrationRecorder() = default;
  NarrationRecorder(const NarrationRecorder&) = delete;
  NarrationRecorder& operator=(const NarrationRecorder&) = delete;
  ~NarrationRecorder() { Abandon(); }

  // Opens the device for the quality setting's format, queues the buffers, creates the
  // file and starts. 0 on success; else the failure (an MMRESULT, or a Windows error
  // when the file cannot be created), with nothing left open or written.
  int Start(HWND window, const std::string& target, int quality, std::unique_ptr<CaptureDevice> device);

  enum class Data { kNotMine, kWritten, kDiskFull };
  // MM_WIM_DATA: writes the buffer and queues it again. kDiskFull when fewer bytes were
  // written than captured: the buffer is not queued again and the caller stops.
  Data OnData(WPARAM deviceValue, LPARAM header);

  // Ends a recording: stops the device, writes what the buffers still hold, closes the
  // file with its chunk sizes and puts it in place of the target. True when the target
  // now holds the recording.
  bool Stop();
  // Ends a recording and throws the file away.
  void Abandon();

  bool Recording() const { return recording_; }
  const std::string& Target() const { return target_; }
  // The loudness of the last captured buffer.
  NarrationLevel Level() const;

 private:
  void Release();
  void Write(WAVEHDR& header);

  std::unique_ptr<CaptureDevice> device_;
  HMMIO file_ = nullptr;
  MMCKINFO riff_{};
  MMCKINFO data_{};
  std::array<WAVEHDR, kBuffers> headers_{};
  std::vector<std::vector<char>> buffers_;
  bool prepared_ = false;
  bool recording_ = false;
  bool shortWrite_ = false;
  std::string target_;
  std::string temp_;
  CaptureFormat format_;
  std::array<uint8_t, kBufferBytes> level_{};
  size_t levelBytes_ = 0;
};

// A sound played as a clip of the imaging library's multimedia calls.
class SoundClip {
 public:
  SoundClip() = default;
  SoundClip(const SoundClip&) = delete;
  SoundClip& operator=(const SoundClip&) = delete;
  ~SoundClip() { Free(); }

  // LOADCLIP: a new clip of the file, shown (a video) in window. False when it does not load.
  bool Load(HWND window, const std::string& path);
  // PLAYCLIP: plays the whole clip; the window that was in front before stays in front.
  bool Play();
  // FREECLIP.
  void Free();
  bool Playing() const;

 private:
  HMMCLIP clip_ = nullptr;
};

// The level display of a recording: one bar per channel filled to its peak, in the
// skin's colours.
void DrawNarrationLevel(HDC dc, const RECT& area, const NarrationLevel& level);

}  // namespace dunmere

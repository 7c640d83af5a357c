// The narration recorder over a capture device of the test's own: what it writes for a
// recording of nothing and of some sound, and that a device which cannot start leaves an
// older narration as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "dunmere/narration.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/raii.h"

namespace {

using namespace dunmere;

constexpr WPARAM kDevice = 0x5A5A;

// Hands the recorder the buffers it queued: `chunks` as soon as it starts, and at the stop
// the rest of them, the first holding `tail` bytes.
class TestCapture : public CaptureDevice {
 public:
  std::vector<std::string> chunks;
  std::string tail;
  MMRESULT openResult = MMSYSERR_NOERROR, startResult = MMSYSERR_NOERROR;
  bool closed = false;
  int prepared = 0;

  MMRESULT Open(HWND window, const WAVEFORMATEX& format) override {
    window_ = window;
    format_ = format;
    return openResult;
  }
  MMRESULT Prepare(WAVEHDR& h) override {
    ++prepared;
    h.dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
  }
  MMRESULT Unprepare(WAVEHDR& h) override {
    --prepared;
    h.dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
  }
  MMRESULT Queue(WAVEHDR& h) override {
    queued_.push_back(&h);
    return MMSYSERR_NOERROR;
  }
  MMRESULT Start() override {
    if (startResult != MMSYSERR_NOERROR) return startResult;
    for (const std::string& c : chunks) Deliver(c);
    return MMSYSERR_NOERROR;
  }
  void StopAndReset() override {
    std::string rest = tail;
    while (!queued_.empty()) {
      Deliver(rest);
      rest.clear();
    }
  }
  void Close() override { closed = true; }
  bool Sent(WPARAM value) const override { return value == kDevice; }
  const WAVEFORMATEX& Format() const { return format_; }

 private:
  void Deliver(const std::string& bytes) {
    WAVEHDR* h = queued_.front();
    queued_.pop_front();
    std::memcpy(h->lpData, bytes.data(), bytes.size());
    h->dwBytesRecorded = DWORD(bytes.size());
    h->dwFlags |= WHDR_DONE;
    PostMessageA(window_, MM_WIM_DATA, kDevice, reinterpret_cast<LPARAM>(h));
  }
  HWND window_ = nullptr;
  WAVEFORMATEX format_{};
  std::deque<WAVEHDR*> queued_;
};

uint32_t U32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

class Narration : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }
  // Hands the recorder what the device posted so far, as the window procedure does.
  int Pump(NarrationRecorder& r) {
    int written = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE))
      written += r.OnData(msg.wParam, msg.lParam) == NarrationRecorder::Data::kWritten;
    return written;
  }
  HWND window_ = nullptr;
  TempDir dir_;
};

TEST_F(Narration, ARecordingOfNothingIsAWholeEmptyWaveFile) {
  auto device = std::make_unique<TestCapture>();
  TestCapture* d = device.get();
  NarrationRecorder r;
  std::string target = dir_.File("a.wav");
  ASSERT_EQ(r.Start(window_, target, 64, std::move(device)), 0);
  EXPECT_TRUE(r.Recording());
  EXPECT_EQ(d->prepared, NarrationRecorder::kBuffers);
  // Quality 64 is no row of the table: mono, 22050 Hz, 16 bits.
  EXPECT_EQ(d->Format().nChannels, 1);
  EXPECT_EQ(d->Format().nSamplesPerSec, 22050u);
  EXPECT_EQ(d->Format().wBitsPerSample, 16);
  EXPECT_TRUE(r.Stop());
  EXPECT_FALSE(r.Recording());
  std::string wav = dir_.Read("a.wav");
  ASSERT_EQ(wav.size(), kEmptyNarrationBytes);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(U32(wav, 4), 38u);
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(U32(wav, 16), 18u);
  EXPECT_EQ(U16(wav, 20), 1);      // PCM
  EXPECT_EQ(U32(wav, 28), 44100u);  // bytes a second
  EXPECT_EQ(U16(wav, 36), 0);       // cbSize
  EXPECT_EQ(wav.substr(38, 4), "data");
  EXPECT_EQ(U32(wav, 42), 0u);
  EXPECT_EQ(GetFileAttributesA((target + ".rec~").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Narration, EveryCapturedByteArrivesAlsoWhatTheStopHandsBack) {
  auto device = std::make_unique<TestCapture>();
  std::string first(1024, '\x10'), second(1024, '\x20'), third(1024, '\x30');
  // The last buffer before the stop: left channel near full scale.
  for (size_t i = 0; i + 4 <= third.size(); i += 4) third[i + 1] = '\x7F', third[i + 2] = third[i + 3] = 0;
  device->chunks = {first, second, third};
  device->tail = std::string(500, '\x40');
  NarrationRecorder r;
  dir_.Write("b.wav", "an older narration");
  ASSERT_EQ(r.Start(window_, dir_.File("b.wav"), 2048, std::move(device)), 0);
  EXPECT_EQ(Pump(r), 3);
  NarrationLevel level = r.Level();
  EXPECT_GE(level.left, 99);
  EXPECT_LE(level.right, 1);
  // Until the stop the older narration stays.
  EXPECT_EQ(dir_.Read("b.wav"), "an older narration");
  EXPECT_TRUE(r.Stop());
  std::string wav = dir_.Read("b.wav");
  ASSERT_EQ(wav.size(), kEmptyNarrationBytes + 3 * 1024 + 500);
  EXPECT_EQ(U32(wav, 4), uint32_t(wav.size() - 8));
  EXPECT_EQ(U32(wav, 42), 3u * 1024 + 500);
  EXPECT_EQ(wav.substr(46, 1024), first);
  EXPECT_EQ(wav.substr(46 + 2048, 1024), third);
  EXPECT_EQ(wav.substr(46 + 3072), std::string(500, '\x40'));
  EXPECT_EQ(U16(wav, 22), 2);         // channels
  EXPECT_EQ(U32(wav, 24), 44100u);    // samples a second
  EXPECT_EQ(U16(wav, 32), 4);         // block align
}

TEST_F(Narration, ADeviceThatCannotStartLeavesTheOlderNarration) {
  for (bool openFails : {true, false}) {
    auto device = std::make_unique<TestCapture>();
    if (openFails) device->openResult = MMSYSERR_BADDEVICEID;
    else device->startResult = MMSYSERR_NOMEM;
    NarrationRecorder r;
    dir_.Write("c.wav", "an older narration");
    EXPECT_EQ(r.Start(window_, dir_.File("c.wav"), 1, std::move(device)),
              int(openFails ? MMSYSERR_BADDEVICEID : MMSYSERR_NOMEM));
    EXPECT_FALSE(r.Recording());
    EXPECT_FALSE(r.Stop());  // nothing to stop
    EXPECT_EQ(dir_.Read("c.wav"), "an older narration");
    EXPECT_EQ(GetFileAttributesA(dir_.File("c.wav.rec~").c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(Narration, BuffersOfAnotherDeviceAreNotTaken) {
  NarrationRecorder r;
  WAVEHDR h{};
  EXPECT_EQ(r.OnData(kDevice, reinterpret_cast<LPARAM>(&h)), NarrationRecorder::Data::kNotMine);
  ASSERT_EQ(r.Start(window_, dir_.File("d.wav"), 1, std::make_unique<TestCapture>()), 0);
  EXPECT_EQ(r.OnData(kDevice + 1, reinterpret_cast<LPARAM>(&h)), NarrationRecorder::Data::kNotMine);
  r.Abandon();
  EXPECT_EQ(GetFileAttributesA(dir_.File("d.wav").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(dir_.File("d.wav.rec~").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

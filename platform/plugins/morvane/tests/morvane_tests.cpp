// The recorder plug-in on a window of the test's own: frames at the rate into an AVI file
// that the tests' own reader checks, with one notice a frame; its refusals.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "avi_reader.h"
#include "fileio/file.h"
#include "morvane/morvane.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

using namespace std::chrono_literals;

int gNotices[3] = {0, 0, 0};

LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kMvFrameWritten) ++gNotices[0];
  if (m == kMvFrameDropped) ++gNotices[1];
  if (m == kMvError) ++gNotices[2];
  if (m == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(w, &r);
    win::Brush red(CreateSolidBrush(RGB(220, 30, 30)));
    FillRect(reinterpret_cast<HDC>(wp), &r, red.Get());
    return 1;
  }
  return DefWindowProcA(w, m, wp, lp);
}

class Recorder : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_.Reset(LoadLibraryA((SuiteFolder() + "morvane.dll").c_str()));
    ASSERT_TRUE(dll_);
    init_ = Proc<MvInitProc>("MVINIT");
    start_ = Proc<MvStartProc>("MVSTART");
    stop_ = Proc<MvStopProc>("MVSTOP");
    end_ = Proc<MvEndProc>("MVEND");
    ASSERT_TRUE(init_ && start_ && stop_ && end_);
    ASSERT_TRUE(win::RegisterClassOnce({.name = "MORVANETEST", .procedure = CountingProc}));
    RECT r{0, 0, 160, 120};
    AdjustWindowRect(&r, WS_OVERLAPPED | WS_CAPTION, FALSE);
    window_ = CreateWindowExA(WS_EX_TOPMOST, "MORVANETEST", "recorded", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    PumpMessages(100);
    for (int& n : gNotices) n = 0;
  }
  void TearDown() override {
    if (end_) end_();
    if (window_) DestroyWindow(window_);
  }
  template <typename T>
  T Proc(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll_.Get(), name)));
  }
  MvFormat Format(int rate) {
    MvFormat f{};
    f.framesPerSecond = rate;
    f.soundRate = 22050;
    f.soundBits = 16;
    RECT client;
    GetClientRect(window_, &client);
    f.picture.biSize = sizeof f.picture;
    f.picture.biWidth = client.right;
    f.picture.biHeight = client.bottom;
    f.picture.biPlanes = 1;
    f.picture.biBitCount = 24;
    return f;
  }

  TempDir dir_;
  win::Module dll_;
  MvInitProc init_ = nullptr;
  MvStartProc start_ = nullptr;
  MvStopProc stop_ = nullptr;
  MvEndProc end_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(Recorder, TheClientAreaGoesIntoTheFileAtTheRateWithANoticeAFrame) {
  std::string output = dir_.File("show.avi");
  MvFormat format = Format(5);
  ASSERT_EQ(init_(window_, &format, output.c_str()), 1);
  // The suite's codec is not installed here: the frames are written uncompressed.
  ASSERT_EQ(start_(mmioStringToFOURCCA("cscd", 0)), 1);
  PumpMessages(1300);
  ASSERT_EQ(stop_(), 1);
  ASSERT_EQ(end_(), 1);
  PumpMessages(100);
  // About 1.3 s at 5 a second: 7 frames, give or take one on a busy machine.
  int written = gNotices[0];
  EXPECT_GE(written, 5);
  EXPECT_LE(written, 8);
  EXPECT_EQ(gNotices[2], 0);
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(output, bytes), fileio::kOk);
  avitest::AviSummary s;
  std::string error;
  ASSERT_TRUE(avitest::ReadAvi(bytes, s, error)) << error;
  EXPECT_EQ(s.moviFrames, uint32_t(written));
  EXPECT_EQ(s.indexFrames, uint32_t(written));
  EXPECT_TRUE(s.indexMatchesMovi);
  EXPECT_EQ(s.totalFrames, uint32_t(written));
  EXPECT_EQ(s.length, uint32_t(written));
  EXPECT_EQ(s.rate / std::max(1u, s.scale), 5u);
  EXPECT_EQ(s.microSecondsPerFrame, 200000u);
  EXPECT_EQ(s.frameWidth, format.picture.biWidth);
  EXPECT_EQ(s.frameHeight, format.picture.biHeight);
  EXPECT_EQ(s.bitCount, 24);
  // The frames hold the window's red.
  std::string red(3 * 8, '\0');
  for (size_t i = 0; i < red.size(); i += 3) {
    red[i] = char(30);
    red[i + 1] = char(30);
    red[i + 2] = char(220);
  }
  EXPECT_NE(bytes.find(red), std::string::npos);
}

// Records a second and reads the file back; the notices counted meanwhile stay in
// gNotices.
bool RecordASecond(MvInitProc init, MvStartProc start, MvStopProc stop, MvEndProc end, HWND window,
                   const MvFormat& format, const std::string& output, avitest::AviSummary& s, std::string& error) {
  if (init(window, &format, output.c_str()) != 1 || start(0) != 1) {
    error = "the recording did not start";
    return false;
  }
  PumpMessages(1000);
  if (stop() != 1 || end() != 1) {
    error = "the recording did not stop";
    return false;
  }
  PumpMessages(100);
  std::string bytes;
  if (fileio::ReadWholeFile(output, bytes) != fileio::kOk) {
    error = "no file";
    return false;
  }
  return avitest::ReadAvi(bytes, s, error);
}

// Run by the test entry morvane_null_device_tests, whose ALSA configuration makes the null
// device the default one (SUITE_NULL_ALSA tells so): its silence goes beside the frames.
TEST_F(Recorder, TheSoundOfARecordingDeviceGoesBesideTheFrames) {
  if (!std::getenv("SUITE_NULL_ALSA")) GTEST_SKIP() << "run with the null device's ALSA configuration";
  ASSERT_GT(waveInGetNumDevs(), 0u);
  avitest::AviSummary s;
  std::string error;
  MvFormat format = Format(5);
  ASSERT_TRUE(RecordASecond(init_, start_, stop_, end_, window_, format, dir_.File("sound.avi"), s, error)) << error;
  EXPECT_EQ(gNotices[2], 0);
  EXPECT_GT(gNotices[0], 0);
  EXPECT_EQ(s.moviFrames, uint32_t(gNotices[0]));
  EXPECT_EQ(s.streams, 2u);
  ASSERT_TRUE(s.hasAudio);
  EXPECT_EQ(s.audioFormat, WAVE_FORMAT_PCM);
  EXPECT_EQ(s.channels, 1);
  EXPECT_EQ(s.samplesPerSecond, 22050u);
  EXPECT_EQ(s.bitsPerSample, 16);
  // A second at 44100 bytes a second, in blocks of a quarter second: at least half of it
  // came before the end (the null device gives its silence faster than real time, so there
  // is no upper limit), every block whole, and the header counts what the file holds.
  EXPECT_GE(s.audioBytes, 22050u);
  EXPECT_EQ(s.audioSampleSize, 2u);
  EXPECT_EQ(s.audioBytes % 2, 0u);
  EXPECT_EQ(s.audioLength, s.audioBytes / 2);
}

// Wine here offers no recording device unless told to: the frames are recorded alone, and
// nothing is reported wrong.
TEST_F(Recorder, WithoutARecordingDeviceTheFramesAreRecordedAlone) {
  if (waveInGetNumDevs() > 0) GTEST_SKIP() << "this machine has a recording device";
  avitest::AviSummary s;
  std::string error;
  MvFormat format = Format(5);
  ASSERT_TRUE(RecordASecond(init_, start_, stop_, end_, window_, format, dir_.File("mute.avi"), s, error)) << error;
  EXPECT_EQ(gNotices[2], 0);
  EXPECT_GT(gNotices[0], 0);
  EXPECT_EQ(s.moviFrames, uint32_t(gNotices[0]));
  EXPECT_TRUE(s.indexMatchesMovi);
  EXPECT_EQ(s.streams, 1u);
  EXPECT_FALSE(s.hasAudio);
  EXPECT_EQ(s.audioBytes, 0u);
}

TEST_F(Recorder, RefusesWhatItCannotRecord) {
  MvFormat format = Format(5);
  EXPECT_EQ(start_(0), 0);  // not initialised
  EXPECT_EQ(init_(nullptr, &format, dir_.File("a.avi").c_str()), 0);
  EXPECT_EQ(init_(window_, nullptr, dir_.File("a.avi").c_str()), 0);
  EXPECT_EQ(init_(window_, &format, ""), 0);
  // A folder that is not there: the file cannot be made, and nothing runs.
  ASSERT_EQ(init_(window_, &format, dir_.File("no such folder\\a.avi").c_str()), 1);
  EXPECT_EQ(start_(0), 0);
  EXPECT_EQ(stop_(), 0);
  EXPECT_EQ(end_(), 1);
  EXPECT_EQ(end_(), 0);
}

}  // namespace

// Clips in a window of the test's own: an AVI video made by the test plays through the
// media control with length, position, pause, seek, resume and its end; a sound plays
// through the audio layer without a sound card; the events arrive in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "audio/bass.h"
#include "avi_writer.h"
#include "imglib/status.h"
#include "multimedia/l_mm.h"
#include "sound_files.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

using namespace std::chrono_literals;

std::vector<int> gEvents;

int RecordEvent(HMMCLIP, int event, void*) {
  gEvents.push_back(event);
  return 1;
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

HWND VideoWindow() {
  win::RegisterClassOnce({.name = "MMTESTVIDEO",
                          .procedure = PlainProc,
                          .cursor = nullptr,
                          .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
  // Out of the way of other tests' windows, at the bottom right.
  HWND w = CreateWindowExA(WS_EX_TOPMOST, "MMTESTVIDEO", "video", WS_POPUP | WS_VISIBLE, 900, 700, 128, 96, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  PumpMessages(50);
  return w;
}

COLORREF CentrePixel(HWND w) {
  win::WindowDC screen(nullptr);
  RECT r;
  GetWindowRect(w, &r);
  return GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int32_t Position(HMMCLIP clip) {
  int32_t p = -1;
  L_MMGetCurrentPos(clip, &p);
  return p;
}

class Multimedia : public ::testing::Test {
 protected:
  void SetUp() override {
    gEvents.clear();
    L_MMSetEventCallback(RecordEvent, nullptr);
  }
  void TearDown() override {
    if (clip) L_MMFree(&clip);
    if (window) DestroyWindow(window);
    BASSUNLOAD();
  }
  TempDir dir;
  HMMCLIP clip = nullptr;
  HWND window = nullptr;
};

}  // namespace

TEST_F(Multimedia, AviPlaysInTheWindowWithLengthPositionPauseSeekAndEnd) {
  // Two seconds at 10 frames per second: one second grey, one second white (greys,
  // because Wine's video drawing on a 24-bit display swaps the colour channels).
  std::vector<uint32_t> colours(10, 0x808080);
  colours.resize(20, 0xFFFFFF);
  std::string path = dir.Write("clip.avi", avitest::UncompressedAvi(64, 48, 10, colours));
  window = VideoWindow();
  ASSERT_EQ(L_MMInit(&clip), imglib::kSuccess);
  ASSERT_EQ(L_MMLoad(clip, path), imglib::kSuccess);
  ASSERT_EQ(L_MMSetPlayExt(clip, window, kMmPlayInWindow), imglib::kSuccess);
  EXPECT_EQ(L_MMAdjustWin(clip, window), imglib::kSuccess);  // a video
  int w = 0, h = 0;
  ASSERT_EQ(L_MMGetVideoSize(clip, &w, &h), imglib::kSuccess);
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 48);
  int32_t length = 0;
  ASSERT_EQ(L_MMGetLength(clip, &length), imglib::kSuccess);
  EXPECT_EQ(length, 2000);
  ASSERT_EQ(L_MMMarkClip(clip, 0, 0), imglib::kSuccess);
  ASSERT_EQ(L_MMPlay(clip), imglib::kSuccess);
  EXPECT_EQ(L_MMIsPlaying(clip), 1);
  ASSERT_TRUE(PumpUntil([&] { return Position(clip) >= 300; }, kEventLimit));
  // The first second's frames show, stretched over the window.
  ASSERT_TRUE(PumpUntil([&] { return CentrePixel(window) == RGB(128, 128, 128); }, 3s));
  ASSERT_EQ(L_MMPause(clip), imglib::kSuccess);
  PumpMessages(100);
  int32_t held = Position(clip);
  EXPECT_EQ(L_MMIsPlaying(clip), 0);
  PumpMessages(400);
  EXPECT_EQ(Position(clip), held);
  // A paused clip stays paused at the new position.
  ASSERT_EQ(L_MMSetCurrentPos(clip, 1500), imglib::kSuccess);
  PumpMessages(300);
  EXPECT_NEAR(Position(clip), 1500, 100);
  EXPECT_EQ(L_MMIsPlaying(clip), 0);
  ASSERT_EQ(L_MMResume(clip), imglib::kSuccess);
  ASSERT_TRUE(PumpUntil([&] { return CentrePixel(window) == RGB(255, 255, 255); }, 3s));
  ASSERT_TRUE(PumpUntil([&] { return !gEvents.empty() && gEvents.back() == kMmEventStopped; }, kEventLimit));
  EXPECT_EQ(L_MMIsPlaying(clip), 0);
  std::vector<int> expected{kMmEventLoaded, kMmEventPlaying, kMmEventPaused, kMmEventSeeked,
                            kMmEventResumed, kMmEventEnd, kMmEventStopped};
  EXPECT_EQ(gEvents, expected);
}

TEST_F(Multimedia, PlayRangeAndStop) {
  std::string path = dir.Write("range.avi", avitest::UncompressedAvi(32, 32, 10, std::vector<uint32_t>(30, 0x00FF00)));
  window = VideoWindow();
  ASSERT_EQ(L_MMInit(&clip), imglib::kSuccess);
  ASSERT_EQ(L_MMLoad(clip, path), imglib::kSuccess);
  L_MMSetPlayExt(clip, window, kMmPlayInWindow);
  ASSERT_EQ(L_MMMarkClip(clip, 1000, 1500), imglib::kSuccess);
  DWORD start = GetTickCount();
  ASSERT_EQ(L_MMPlay(clip), imglib::kSuccess);
  ASSERT_TRUE(PumpUntil([&] { return !gEvents.empty() && gEvents.back() == kMmEventStopped; }, kEventLimit));
  EXPECT_LT(GetTickCount() - start, 2800u);  // half a second, not the whole three
  EXPECT_NEAR(Position(clip), 1500, 150);
  ASSERT_EQ(L_MMPlay(clip), imglib::kSuccess);
  ASSERT_EQ(L_MMStop(clip), imglib::kSuccess);
  EXPECT_EQ(L_MMIsPlaying(clip), 0);
  EXPECT_EQ(gEvents.back(), kMmEventStopped);
}

TEST_F(Multimedia, SoundsPlayThroughTheAudioLayerWithoutASoundCard) {
  // 0.5 s of PCM at 8 kHz, mono.
  std::string path = dir.Write("half.wav", soundtest::PcmWave(std::vector<int16_t>(4000, 0x1010), 1, 8000));
  ASSERT_EQ(L_MMInit(&clip), imglib::kSuccess);
  // The volume set before the load is kept.
  ASSERT_EQ(L_MMSetVolume(clip, 40), imglib::kSuccess);
  ASSERT_EQ(L_MMLoad(clip, path), imglib::kSuccess);
  int32_t length = 0;
  L_MMGetLength(clip, &length);
  EXPECT_EQ(length, 500);
  EXPECT_EQ(L_MMAdjustWin(clip, nullptr), imglib::kUnsupported);  // no picture
  int w = 0, h = 0;
  EXPECT_EQ(L_MMGetVideoSize(clip, &w, &h), imglib::kUnsupported);
  ASSERT_EQ(L_MMMarkClip(clip, 0, 0), imglib::kSuccess);
  ASSERT_EQ(L_MMPlay(clip), imglib::kSuccess);
  EXPECT_EQ(L_MMIsPlaying(clip), 1);
  ASSERT_TRUE(PumpUntil([&] { return !gEvents.empty() && gEvents.back() == kMmEventStopped; }, kEventLimit));
  EXPECT_EQ(Position(clip), 500);
  std::vector<int> expected{kMmEventVolume, kMmEventLoaded, kMmEventPlaying, kMmEventEnd, kMmEventStopped};
  EXPECT_EQ(gEvents, expected);
}

TEST_F(Multimedia, MissingAndUnknownFilesAndInvalidClips) {
  ASSERT_EQ(L_MMInit(&clip), imglib::kSuccess);
  EXPECT_EQ(L_MMLoad(clip, dir.File("none.avi")), imglib::kFileNotFound);
  EXPECT_EQ(L_MMLoad(clip, dir.Write("notes.xyz", "just text")), imglib::kUnsupported);
  EXPECT_EQ(L_MMPlay(clip), imglib::kFailure);
  EXPECT_EQ(L_MMIsPlaying(clip), 0);
  HMMCLIP stale = clip;
  ASSERT_EQ(L_MMFree(&clip), imglib::kSuccess);
  EXPECT_EQ(clip, nullptr);
  EXPECT_EQ(L_MMPlay(stale), imglib::kInvalidParameter);
  EXPECT_EQ(L_MMFree(&stale), imglib::kInvalidParameter);
}

namespace {

// The clipboard's DIB: its size and the colour (0xRRGGBB) of its centre pixel; false when
// the clipboard holds none.
bool ClipboardFrame(int& width, int& height, uint32_t& centre) {
  if (!OpenClipboard(nullptr)) return false;
  bool ok = false;
  if (HANDLE block = GetClipboardData(CF_DIB)) {
    if (auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(block))) {
      width = header->biWidth;
      height = std::abs(header->biHeight);
      if (header->biBitCount == 24 && header->biCompression == BI_RGB) {
        const unsigned char* bits = reinterpret_cast<const unsigned char*>(header) + header->biSize;
        size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
        const unsigned char* px = bits + stride * size_t(height / 2) + size_t(width / 2) * 3;
        centre = uint32_t(px[2]) << 16 | uint32_t(px[1]) << 8 | px[0];
        ok = true;
      }
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return ok;
}

}  // namespace

TEST_F(Multimedia, CopyFramesPutsTheVideosOwnFrameAtThePositionOnTheClipboard) {
  // Ten frames a second, each its own colour.
  std::vector<uint32_t> colours;
  for (uint32_t i = 0; i < 20; ++i) colours.push_back(0x100000 * (i % 8) + 0x0800 * i + 0x30);
  std::string path = dir.Write("frames.avi", avitest::UncompressedAvi(64, 48, 10, colours));
  ASSERT_EQ(L_MMInit(&clip), imglib::kSuccess);
  ASSERT_EQ(L_MMLoad(clip, path), imglib::kSuccess);
  // No window at all: the frame comes from the file.
  int width = 0, height = 0;
  uint32_t centre = 0;
  for (auto [position, frame] : {std::pair{0, 0}, std::pair{550, 5}, std::pair{1990, 19}, std::pair{60000, 19}}) {
    SCOPED_TRACE(position);
    ASSERT_EQ(L_MMCopyFrames(clip, position, 1), imglib::kSuccess);
    ASSERT_TRUE(ClipboardFrame(width, height, centre));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    EXPECT_EQ(centre, colours[size_t(frame)]);
  }
  EXPECT_EQ(L_MMCopyFrames(clip, 0, 2), imglib::kInvalidParameter);
  EXPECT_EQ(L_MMCopyFrames(clip, -1, 1), imglib::kInvalidParameter);
  EXPECT_EQ(L_MMCopyFrames(nullptr, 0, 1), imglib::kInvalidParameter);
  // A sound has no frames.
  HMMCLIP sound = nullptr;
  ASSERT_EQ(L_MMInit(&sound), imglib::kSuccess);
  std::string wave = dir.Write("s.wav", soundtest::PcmWave(soundtest::Tone(800, 1, 4000), 1, 8000));
  ASSERT_EQ(L_MMLoad(sound, wave), imglib::kSuccess);
  EXPECT_EQ(L_MMCopyFrames(sound, 0, 1), imglib::kUnsupported);
  L_MMFree(&sound);
}

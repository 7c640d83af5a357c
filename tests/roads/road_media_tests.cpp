// The media player's road on a fresh copy of the installed suite: a list of an MP3 file, an
// AVI clip and a JPEG picture (one the suite ships), opened with the player as a user opens
// them, plays through: the sound is heard (the test tap), the clip and the picture are
// shown in turn under their names, and the player ends at the end of the list.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "avi_writer.h"
#include "driver.h"
#include "fileio/file.h"
#include "imaging/suite_classes.h"
#include "installed_suite.h"
#include "program_test.h"
#include "sound_files.h"

namespace roads {
namespace {

constexpr std::chrono::milliseconds kLimit{30000};
// The player's picture window.
constexpr int kPictureWindow = 1002;

std::string Title(const std::string& name) { return "Media player - " + name; }

bool TitleBecomes(HWND frame, const std::string& title) {
  return PumpUntil([&] { return driver::WindowText(frame) == title; }, kLimit, std::chrono::milliseconds(20));
}

// Whether the view shows anything but one colour: a picture or a frame drawn in it.
bool ViewShowsAPicture(HWND view) {
  int width = 0, height = 0;
  std::vector<unsigned char> bgr;
  if (!driver::CaptureWindowPixels(view, width, height, bgr) || width < 8 || height < 8) return false;
  for (size_t i = 3; i + 2 < bgr.size(); i += 3)
    if (bgr[i] != bgr[0] || bgr[i + 1] != bgr[1] || bgr[i + 2] != bgr[2]) return true;
  return false;
}

class MediaRoad : public ::testing::Test {
 protected:
  void SetUp() override { soundtest::SetTapFolder(tap_.Path()); }
  void TearDown() override { soundtest::SetTapFolder(""); }
  TempDir tap_;
};

TEST_F(MediaRoad, AListOfAnMp3AnAviAndAJpegPlaysThrough) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  const std::string media = suite.UserFolder("Media");
  const std::string song = media + "two tones.mp3";
  ASSERT_EQ(fileio::CopyFileTo(TestProgramFolder() + "roads\\two-tones.mp3", song), fileio::kOk);
  // Two seconds of a grey clip with a white band, 10 frames a second.
  std::vector<uint32_t> frames(20, 0x808080);
  const std::string clip = media + "clip.avi";
  ASSERT_EQ(fileio::WriteFileReplacing(clip, avitest::UncompressedAvi(160, 120, 10, frames)), fileio::kOk);
  // A picture the suite ships.
  const std::string picture = suite.Folder() + "picture\\evening.jpg";
  ASSERT_TRUE(fileio::Exists(picture)) << "the suite ships no picture\\evening.jpg";

  const SuiteProgramInfo& p = SuiteProgramNamed("falcet");
  ChildProcess player;
  ASSERT_TRUE(suite.Start(player, p.name, "\"" + song + "\" \"" + clip + "\" \"" + picture + "\""));
  HWND frame = WaitForProgram(player, p);
  ASSERT_NE(frame, nullptr);

  // The MP3 plays and is heard.
  EXPECT_TRUE(TitleBecomes(frame, Title("two tones.mp3"))) << driver::WindowText(frame);
  std::vector<std::string> taps;
  ASSERT_TRUE(PumpUntil([&] { return !(taps = soundtest::TapFiles(tap_.Path(), player.Id())).empty(); }, kLimit,
                        std::chrono::milliseconds(50)))
      << "the MP3 was not heard";
  std::vector<int16_t> heard;
  EXPECT_TRUE(PumpUntil(
      [&] {
        heard = soundtest::PcmSamplesOf(ReadText(taps[0]));
        for (int16_t s : heard)
          if (s > 1000 || s < -1000) return true;
        return false;
      },
      kLimit, std::chrono::milliseconds(50)))
      << "the MP3 played silence";

  // The clip is shown in the video window.
  EXPECT_TRUE(TitleBecomes(frame, Title("clip.avi"))) << driver::WindowText(frame);
  HWND view = driver::FindChildByClass(frame, "QPLAYERVIEW");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(view) != FALSE; }, kLimit));

  // Then the picture, drawn.
  EXPECT_TRUE(TitleBecomes(frame, Title("evening.jpg"))) << driver::WindowText(frame);
  EXPECT_TRUE(PumpUntil(
      [&] {
        HWND shown = driver::FindChild(frame, kPictureWindow);
        return (shown && IsWindowVisible(shown) && ViewShowsAPicture(shown)) || ViewShowsAPicture(frame);
      },
      kLimit, std::chrono::milliseconds(100)))
      << "the picture is not drawn";
  EXPECT_EQ(EndProgram(player, frame, kLimit), 0);
}

}  // namespace
}  // namespace roads

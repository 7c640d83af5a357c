// The audio road on a fresh copy of the installed suite: the audio player plays an MP3
// file the user opens with it; the user shows the effects window from the pane, pulls the
// lowest band of the equaliser down and switches it on; the next time the file plays, what
// is heard (the audio layer's test tap) has lost the low tone and kept the high one.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "driver.h"
#include "fileio/file.h"
#include "imaging/suite_classes.h"
#include "installed_suite.h"
#include "program_test.h"
#include "sound_files.h"

namespace roads {
namespace {

constexpr std::chrono::milliseconds kLimit{30000};
// The pane's effects button; the effects window's lowest band (80 Hz) and its On/Off check.
constexpr int kEffectsButton = 53;
constexpr int kLowestBand = 1;
constexpr int kEqualiserOn = 11;

double Db(double ratio) { return 20.0 * std::log10(ratio); }

// The samples of a tap file once it holds at least the given seconds of sound.
std::vector<int16_t> HeardSeconds(const std::string& tap, double seconds, audio::WaveInfo& info) {
  std::vector<int16_t> heard;
  PumpUntil(
      [&] {
        std::string bytes;
        fileio::ReadWholeFile(tap, bytes);
        heard = soundtest::PcmSamplesOf(bytes, &info);
        return info.channels > 0 && heard.size() >= size_t(seconds * info.sampleRate * info.channels);
      },
      kLimit, std::chrono::milliseconds(100));
  return heard;
}

class SoundRoad : public ::testing::Test {
 protected:
  void SetUp() override { soundtest::SetTapFolder(tap_.Path()); }
  void TearDown() override { soundtest::SetTapFolder(""); }
  std::vector<std::string> WaitForTaps(DWORD processId) {
    std::vector<std::string> taps;
    PumpUntil([&] { return !(taps = soundtest::TapFiles(tap_.Path(), processId)).empty(); }, kLimit,
              std::chrono::milliseconds(50));
    return taps;
  }
  TempDir tap_;
};

TEST_F(SoundRoad, AnMp3PlaysThroughTheEqualiserTheUserSwitchedOn) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  const std::string song = suite.UserFolder("Music") + "two tones.mp3";
  ASSERT_EQ(fileio::CopyFileTo(TestProgramFolder() + "roads\\two-tones.mp3", song), fileio::kOk);
  const SuiteProgramInfo& p = SuiteProgramNamed("jorvel");

  // First play, as the file is: the equaliser is off.
  ChildProcess first;
  ASSERT_TRUE(suite.Start(first, p.name, "\"" + song + "\""));
  HWND frame = WaitForProgram(first, p);
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> taps = WaitForTaps(first.Id());
  ASSERT_FALSE(taps.empty()) << "nothing was played";
  audio::WaveInfo info;
  std::vector<int16_t> plain = HeardSeconds(taps[0], 1.5, info);
  ASSERT_GE(plain.size(), size_t(1.5 * info.sampleRate * info.channels)) << "the MP3 was not played through";

  // The user shows the effects window from the pane, pulls the 80 Hz band to the bottom and
  // switches the equaliser on.
  ASSERT_NE(WaitForWindow("SKPANE", kEventLimitMs, first.Id()), nullptr) << "the player shows no pane";
  ASSERT_TRUE(PumpUntil([&] { return UserCanReach(suite, p.name, first.Id(), kEffectsButton); }, kLimit))
      << "the pane offers no effects button";
  ASSERT_TRUE(PostUserCommand(suite, p.name, frame, kEffectsButton));
  HWND effects = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        effects = WaitForWindow("QFXEFFECT", 0, first.Id());
        return effects && IsWindowVisible(effects) && GetDlgItem(effects, kEqualiserOn);
      },
      kLimit));
  HWND band = GetDlgItem(effects, kLowestBand);
  HWND on = GetDlgItem(effects, kEqualiserOn);
  ASSERT_TRUE(band && IsWindowVisible(band) && on && IsWindowVisible(on));
  SendMessageA(band, TBM_SETPOS, TRUE, 0);
  SendMessageA(effects, WM_COMMAND, MAKEWPARAM(kLowestBand, TB_THUMBPOSITION), LPARAM(band));
  SendMessageA(on, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(effects, WM_COMMAND, MAKEWPARAM(kEqualiserOn, BN_CLICKED), LPARAM(on));
  EXPECT_EQ(EndProgram(first, frame, kLimit), 0);

  // The next time the file plays, the equaliser works on it.
  ChildProcess second;
  ASSERT_TRUE(suite.Start(second, p.name, "\"" + song + "\""));
  frame = WaitForProgram(second, p);
  ASSERT_NE(frame, nullptr);
  taps = WaitForTaps(second.Id());
  ASSERT_FALSE(taps.empty());
  audio::WaveInfo heardInfo;
  std::vector<int16_t> heard = HeardSeconds(taps[0], 1.5, heardInfo);
  ASSERT_EQ(heardInfo.sampleRate, info.sampleRate);
  ASSERT_EQ(heardInfo.channels, info.channels);
  ASSERT_GE(heard.size(), size_t(1.5 * info.sampleRate * info.channels));
  const uint32_t rate = info.sampleRate;
  const size_t from = rate / 4, to = rate * 3 / 2;  // past the decoder's and the filters' start
  double low = soundtest::LevelAt(heard, info.channels, 0, rate, 80, from, to) /
               soundtest::LevelAt(plain, info.channels, 0, rate, 80, from, to);
  double high = soundtest::LevelAt(heard, info.channels, 0, rate, 3000, from, to) /
                soundtest::LevelAt(plain, info.channels, 0, rate, 3000, from, to);
  EXPECT_LE(Db(low), -9.0) << "the 80 Hz band is still heard";
  EXPECT_LT(std::fabs(Db(high)), 1.5) << "the 3 kHz tone changed";
  EXPECT_EQ(EndProgram(second, frame, kLimit), 0);
}

}  // namespace
}  // namespace roads

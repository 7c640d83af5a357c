// The layer through its calls on the silent device (natively: plain PCM): the test tap
// records what is heard, volume applied, and the end of a sound is told from a stop.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "audio/bass.h"
#include "fileio/file.h"
#include "sound_files.h"
#include "temp_dir.h"
#include "wait_until.h"

#ifdef _WIN32
#include <windows.h>
#define CurrentProcessId() uint32_t(GetCurrentProcessId())
#else
#include <unistd.h>
#define CurrentProcessId() uint32_t(getpid())
#endif

using namespace soundtest;
using namespace std::chrono_literals;

namespace {

class Layer : public ::testing::Test {
 protected:
  void TearDown() override {
    BASSUNLOAD();
    BASSSETCONFIG(5, 100);
    BassSetEffects(audio::EffectSettings());
    SetTapFolder("");
  }
  TempDir dir;
};

TEST_F(Layer, TapHoldsWhatWasHeardWithTheVolumeOneFilePerSound) {
  SetTapFolder(dir.File("tap"));
  // 0.25 s, stereo, 8 kHz; then the same again at half the stream volume.
  std::vector<int16_t> tone = Tone(2000, 2, 30000);
  std::string path = dir.Write("tone.wav", PcmWave(tone, 2, 8000));
  for (int volume : {100, 50}) {
    BASSSETCONFIG(5, volume);
    ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
    ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
    ASSERT_TRUE(WaitUntil([] { return BASSCHANNELENDED() == 1; }, kEventLimit));
  }
  std::vector<std::string> taps = TapFiles(dir.File("tap"), CurrentProcessId());
  ASSERT_EQ(taps.size(), 2u);
  for (size_t n = 0; n < taps.size(); ++n) {
    audio::WaveInfo info;
    std::string bytes;
    ASSERT_EQ(fileio::ReadWholeFile(taps[n], bytes), fileio::kOk);
    std::vector<int16_t> heard = PcmSamplesOf(bytes, &info);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.sampleRate, 8000u);
    ASSERT_EQ(heard.size(), tone.size()) << taps[n];
    for (size_t i = 0; i < tone.size(); ++i) {
      ASSERT_EQ(heard[i], n == 0 ? tone[i] : tone[i] / 2) << "sample " << i << " of " << taps[n];
    }
  }
}

TEST_F(Layer, WithoutTheTapFolderNothingIsWritten) {
  std::string path = dir.Write("tone.wav", PcmWave(Tone(400, 1, 30000), 1, 8000));
  ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
  ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELENDED() == 1; }, kEventLimit));
  EXPECT_TRUE(TapFiles(dir.Path(), CurrentProcessId()).empty());
}

TEST_F(Layer, AStoppedMediumHasNotEndedOnePlayedToItsEndHas) {
  std::string path = dir.Write("tone.wav", PcmWave(Tone(1600, 1, 30000), 1, 8000));
  EXPECT_EQ(BASSCHANNELENDED(), 0);  // no medium
  ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
  EXPECT_EQ(BASSCHANNELENDED(), 0);
  ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELGETPOSITION() > 20; }, kEventLimit));
  ASSERT_EQ(BASSSTOP(), kBassOk);
  EXPECT_EQ(BASSCHANNELISACTIVE(), 0);
  EXPECT_EQ(BASSCHANNELGETLEVEL(), 0xFFFFFFFFu);
  EXPECT_EQ(BASSCHANNELENDED(), 0);
  ASSERT_EQ(BASSSTART(), kBassOk);
  ASSERT_TRUE(WaitUntil([] { return BASSCHANNELENDED() == 1; }, kEventLimit));
  EXPECT_EQ(BASSCHANNELISACTIVE(), 0);
  // Played again, or moved, it has not ended any more.
  ASSERT_EQ(BASSCHANNELSETPOSITION(100), kBassOk);
  EXPECT_EQ(BASSCHANNELENDED(), 0);
  ASSERT_EQ(BASSCLOSE(), kBassOk);
  EXPECT_EQ(BASSCHANNELENDED(), 0);
}

// The level of a tone in what a tap file holds, past its first 0.1 s (the filters settle).
double TapLevel(const std::string& tap, double hz) {
  std::string bytes;
  fileio::ReadWholeFile(tap, bytes);
  audio::WaveInfo info;
  std::vector<int16_t> heard = PcmSamplesOf(bytes, &info);
  if (info.sampleRate == 0) return 0;
  return LevelAt(heard, info.channels, 0, info.sampleRate, hz, info.sampleRate / 10, heard.size());
}

TEST_F(Layer, TheEffectsServeTheCurrentMediumAndLaterOnesNeverAFreeChannel) {
  SetTapFolder(dir.File("tap"));
  std::string path = dir.Write("tone.wav", PcmWave(Sine(1000, 8000, 1, 0.4, 8000), 1, 8000));
  audio::EffectSettings cut;
  cut.equaliser = true;
  cut.bands[4] = 0;  // 1000 Hz
  ASSERT_EQ(BassSetEffects(cut), kBassOk);
  auto playCurrent = [&] {
    ASSERT_EQ(BASSOPEN(path, 0), kBassOk);
    ASSERT_EQ(BASSPLAY(0, 0), kBassOk);
    ASSERT_TRUE(WaitUntil([] { return BASSCHANNELENDED() == 1; }, kEventLimit));
  };
  playCurrent();
  uint32_t attached = 0;
  ASSERT_EQ(BASSOPEN(path, 0, &attached), kBassOk);
  ASSERT_EQ(BASSPLAY(0, 0, attached), kBassOk);
  ASSERT_TRUE(WaitUntil([&] { return BASSUSECHANNELISACTIVE(attached) == 0; }, kEventLimit));
  playCurrent();
  std::vector<std::string> taps = TapFiles(dir.File("tap"), CurrentProcessId());
  ASSERT_EQ(taps.size(), 3u);
  EXPECT_LT(TapLevel(taps[0], 1000), 8000 * 0.355) << "the current medium, 9 dB down";
  EXPECT_NEAR(TapLevel(taps[1], 1000), 8000, 80) << "the attached sound as it is";
  EXPECT_LT(TapLevel(taps[2], 1000), 8000 * 0.355) << "the next medium";
}

TEST_F(Layer, TheEffectsWindowsControlsAreReadForTheCurrentMediumOnly) {
  std::map<int, int> window = {{3, 20}, {11, 1}, {16, 1}};
  auto read = [&window](int id) { return window.count(id) ? window[id] : 0; };
  EXPECT_EQ(BassApplyEffectControls(7, {3, 11}, read), kBassErrorNotAvail);
  EXPECT_EQ(BassEffects(), audio::EffectSettings());
  EXPECT_EQ(BassApplyEffectControls(0, {3, 11}, nullptr), kBassErrorNotAvail);
  ASSERT_EQ(BassApplyEffectControls(0, {3, 11, 16}, read), kBassOk);
  audio::EffectSettings s = BassEffects();
  EXPECT_TRUE(s.equaliser);
  EXPECT_EQ(s.bands[2], 20);
  EXPECT_TRUE(s.echo);
  // Reset: every band flat, the rest as it was.
  ASSERT_EQ(BASSRESETEQ(0), kBassOk);
  s = BassEffects();
  EXPECT_EQ(s.bands[2], audio::kEqFlat);
  EXPECT_TRUE(s.echo);
  EXPECT_EQ(BASSRESETEQ(3), kBassErrorNotAvail);
  EXPECT_EQ(BASSDIRECTXVERSION(), 9);
}

}  // namespace

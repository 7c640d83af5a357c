// The mixer volume: the percent scale and what a mute remembers everywhere, and on Windows
// the mixer calls with and without a mixer device.
#include <gtest/gtest.h>

#include "jorvel/mixer_volume.h"

namespace {

TEST(MixerScale, PercentToValueAndBack) {
  EXPECT_EQ(jorvel::MixerValueOfPercent(100), 65500u);
  EXPECT_EQ(jorvel::MixerValueOfPercent(150), 65500u);
  EXPECT_EQ(jorvel::MixerValueOfPercent(-5), 0u);
  EXPECT_EQ(jorvel::PercentOfMixerValue(65535), 100);
  EXPECT_EQ(jorvel::PercentOfMixerValue(32768), 50);
  EXPECT_EQ(jorvel::PercentOfMixerValue(0), 0);
  // A driver whose range goes beyond 16 bits still reads at most 100 %.
  EXPECT_EQ(jorvel::PercentOfMixerValue(0xFFFFFFFFu), 100);
  for (int p = 0; p <= 100; ++p) EXPECT_EQ(jorvel::PercentOfMixerValue(jorvel::MixerValueOfPercent(p)), p);
}

TEST(MixerScale, UnmuteGivesTheRememberedVolumeOrFifty) {
  jorvel::MuteMemory m;
  EXPECT_EQ(m.Restored(), 50);  // unmute without a mute
  m.Remember(37);
  EXPECT_EQ(m.Restored(), 37);
  // A mute at 0 or without a readable mixer remembers nothing.
  m.Remember(0);
  EXPECT_EQ(m.Restored(), 50);
  m.Remember(std::nullopt);
  EXPECT_EQ(m.Remembered(), 0);
  EXPECT_EQ(m.Restored(), 50);
}

#ifdef _WIN32
TEST(MixerVolume, WithoutAMixerNothingIsReadAndChangesAreRefused) {
  EXPECT_FALSE(jorvel::GETMIXERVOLUME(nullptr).has_value());
  EXPECT_FALSE(jorvel::SETMIXERVOLUME(nullptr, 50));
  MIXERCONTROLA record{};
  record.dwControlID = 77;
  EXPECT_FALSE(jorvel::GETMIXERCONTROL(nullptr, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_VOLUME,
                                       record));
  EXPECT_EQ(record.dwControlID, 77u);
}

TEST(MixerVolume, ASpeakerVolumeIsWrittenAndReadBackOnTheScale) {
  HMIXER mixer = jorvel::OpenFirstMixer();
  MIXERCONTROLA record{};
  if (!mixer || !jorvel::GETMIXERCONTROL(mixer, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                         MIXERCONTROL_CONTROLTYPE_VOLUME, record)) {
    if (mixer) mixerClose(mixer);
    GTEST_SKIP() << "no mixer with a speaker volume on this system";
  }
  EXPECT_EQ(record.cbStruct, sizeof record);
  std::optional<int> before = jorvel::GETMIXERVOLUME(mixer);
  ASSERT_TRUE(before.has_value());
  EXPECT_TRUE(jorvel::SETMIXERVOLUME(mixer, 37));
  EXPECT_EQ(jorvel::GETMIXERVOLUME(mixer), 37);
  EXPECT_TRUE(jorvel::SETMIXERVOLUME(mixer, 250));
  EXPECT_EQ(jorvel::GETMIXERVOLUME(mixer), 100);
  jorvel::SETMIXERVOLUME(mixer, *before);
  mixerClose(mixer);
}
#endif

}  // namespace

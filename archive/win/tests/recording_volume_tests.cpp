#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "grilton/recording_volume.h"
#include "jorvel/mixer_volume.h"

namespace {

const char* LineName(grilton::RecordingVolumeLine line) {
  switch (line) {
    case grilton::RecordingVolumeLine::kWaveIn: return "wave-in destination";
    case grilton::RecordingVolumeLine::kMicrophone: return "microphone source";
    case grilton::RecordingVolumeLine::kSpeakers: return "speakers (no recording line)";
    default: return "none";
  }
}

TEST(RecordingVolume, WithoutAMixerNothingIsReadOrWritten) {
  EXPECT_EQ(grilton::ChooseRecordingVolumeLine(nullptr), grilton::RecordingVolumeLine::kNone);
  EXPECT_FALSE(grilton::ReadRecordingVolume(nullptr).has_value());
  EXPECT_FALSE(grilton::WriteRecordingVolume(nullptr, 40));
}

// The bar's value reaches the recording line and comes back from it; where the mixer has
// a recording line, the speaker volume stays as it was.
TEST(RecordingVolume, TheBarDrivesTheRecordingLineAndLeavesTheSpeakersAlone) {
  HMIXER mixer = jorvel::OpenFirstMixer();
  if (!mixer) GTEST_SKIP() << "no mixer on this system";
  const grilton::RecordingVolumeLine line = grilton::ChooseRecordingVolumeLine(mixer);
  std::printf("recording volume line: %s\n", LineName(line));
  RecordProperty("volume_line", LineName(line));
  if (line == grilton::RecordingVolumeLine::kNone) {
    EXPECT_FALSE(grilton::ReadRecordingVolume(mixer).has_value());
    mixerClose(mixer);
    return;
  }
  const auto before = grilton::ReadRecordingVolume(mixer);
  const auto speakers = jorvel::GETMIXERVOLUME(mixer);
  ASSERT_TRUE(before.has_value());
  for (int percent : {30, 70}) {
    ASSERT_TRUE(grilton::WriteRecordingVolume(mixer, percent)) << percent;
    const auto now = grilton::ReadRecordingVolume(mixer);
    ASSERT_TRUE(now.has_value());
    EXPECT_LE(std::abs(*now - percent), 1) << percent;
    if (line != grilton::RecordingVolumeLine::kSpeakers && speakers) {
      EXPECT_EQ(jorvel::GETMIXERVOLUME(mixer), speakers) << percent;
    }
  }
  EXPECT_TRUE(grilton::WriteRecordingVolume(mixer, *before));
  mixerClose(mixer);
}

}  // namespace

#include <gtest/gtest.h>

#include "audio/pcm.h"

TEST(Pcm, EveryPcmFormConvertsTo16Bits) {
  std::vector<int16_t> out;
  const uint8_t eight[] = {0, 128, 255};
  audio::ConvertToPcm16(eight, 3, 8, false, 1, 1, out);
  EXPECT_EQ(out, (std::vector<int16_t>{-32768, 0, 32512}));
  out.clear();
  const uint8_t twentyFour[] = {0x00, 0x34, 0x12, 0xFF, 0xFF, 0x80};
  audio::ConvertToPcm16(twentyFour, 2, 24, false, 1, 1, out);
  EXPECT_EQ(out, (std::vector<int16_t>{0x1234, int16_t(0x80FF)}));
  out.clear();
  float f[3] = {1.0f, -0.5f, 2.0f};
  audio::ConvertToPcm16(reinterpret_cast<const uint8_t*>(f), 3, 32, true, 1, 1, out);
  EXPECT_EQ(out, (std::vector<int16_t>{32767, -16384, 32767}));
}

TEST(Pcm, ChannelsAreDoubledAveragedOrDropped) {
  std::vector<int16_t> out;
  const int16_t mono[] = {100, -200};
  audio::ConvertToPcm16(reinterpret_cast<const uint8_t*>(mono), 2, 16, false, 1, 2, out);
  EXPECT_EQ(out, (std::vector<int16_t>{100, 100, -200, -200}));
  out.clear();
  const int16_t stereo[] = {100, 300};
  audio::ConvertToPcm16(reinterpret_cast<const uint8_t*>(stereo), 1, 16, false, 2, 1, out);
  EXPECT_EQ(out, (std::vector<int16_t>{200}));
  out.clear();
  const int16_t four[] = {1, 2, 3, 4, 5, 6, 7, 8};
  audio::ConvertToPcm16(reinterpret_cast<const uint8_t*>(four), 2, 16, false, 4, 2, out);
  EXPECT_EQ(out, (std::vector<int16_t>{1, 2, 5, 6}));
}

TEST(Pcm, PeakLevelsUseTheMetersScale) {
  const int16_t loudLeft[] = {32767, 0, -32768, 1000, 0, -300};
  audio::Levels l = audio::PeakLevels(loudLeft, 3, 2);
  EXPECT_EQ(l.left, 128);
  EXPECT_EQ(l.right, 4);  // 1000 / 256, rounded up
  const int16_t silence[] = {0, 0, 0};
  l = audio::PeakLevels(silence, 3, 1);
  EXPECT_EQ(l.left, 0);
  EXPECT_EQ(l.right, 0);
  const int16_t mono[] = {16384};
  l = audio::PeakLevels(mono, 1, 1);
  EXPECT_EQ(l.left, 64);
  EXPECT_EQ(l.right, 64);
  EXPECT_EQ(audio::PackLevels({5, 7}), 5u | (7u << 16));
}

TEST(Pcm, VolumeAndPanGiveTheGainsOfBothSides) {
  audio::Gain g = audio::GainOf(100, 0);
  EXPECT_EQ(g.left, 65536);
  EXPECT_EQ(g.right, 65536);
  g = audio::GainOf(50, 100);
  EXPECT_EQ(g.left, 0);
  EXPECT_EQ(g.right, 32768);
  g = audio::GainOf(150, -50);  // volume limited to 100
  EXPECT_EQ(g.left, 65536);
  EXPECT_EQ(g.right, 32768);
  int16_t s[] = {1000, 1000, -32768, 32767};
  audio::ApplyGain(s, 2, 2, audio::GainOf(50, 100));
  EXPECT_EQ(s[0], 0);
  EXPECT_EQ(s[1], 500);
  EXPECT_EQ(s[3], 16383);
  int16_t m[] = {1000};
  audio::ApplyGain(m, 1, 1, audio::GainOf(100, 100));  // mono: the mean of both sides
  EXPECT_EQ(m[0], 500);
}

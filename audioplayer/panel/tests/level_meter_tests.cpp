// The level meter's arithmetic: geometry, colours of the steps, the fading trail.
#include <gtest/gtest.h>

#include "jorvel/level_meter.h"

namespace jorvel {

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kBlue = Rgb(0, 0, 255);

bool AllBlack(const LevelMeter& m) {
  for (int c = 0; c < 2; ++c)
    for (int k = 1; k <= LevelMeter::kSteps; ++k)
      if (m.StepColour(c, k) != 0) return false;
  return true;
}

TEST(LevelMeter, PercentAndDarkerColour) {
  EXPECT_EQ(PERCENTOF(64, 128), 50);
  EXPECT_EQ(PERCENTOF(1, 3), 33);
  EXPECT_EQ(PERCENTOF(2, 3), 67);
  EXPECT_EQ(PERCENTOF(5, 0), 0);
  EXPECT_EQ(DARKERCOLOR(Rgb(255, 44, 31)), Rgb(223, 12, 0));
  EXPECT_EQ(DARKERCOLOR(Rgb(32, 33, 0)), Rgb(0, 1, 0));
  EXPECT_EQ(DARKERCOLOR(0), 0u);
  EXPECT_EQ(MeterTableColour(0), 0u);
  EXPECT_EQ(MeterTableColour(1), kBlue);
  EXPECT_EQ(MeterTableColour(21), Rgb(255, 255, 0));
  EXPECT_EQ(MeterTableColour(33), kRed);
  EXPECT_EQ(MeterTableColour(34), 0u);
}

TEST(LevelMeter, GeometryOfAWindowOf66And20PixelsIs33Bars) {
  MeterGeometry tall = MeterGeometryOf(40, 66);
  EXPECT_EQ(tall.barHeight, 2);
  EXPECT_EQ(tall.barCount, 33);
  EXPECT_EQ(tall.columnWidth, 20);
  MeterGeometry low = MeterGeometryOf(41, 20);
  EXPECT_EQ(low.barHeight, 1);
  EXPECT_EQ(low.barCount, 33);
  EXPECT_EQ(low.columnWidth, 20);
  MeterGeometry big = MeterGeometryOf(30, 100);
  EXPECT_EQ(big.barHeight, 3);
  EXPECT_EQ(big.barCount, 33);
}

TEST(LevelMeter, GeometryIsTakenOnceFromTheFirstWindowWithASize) {
  LevelMeter m;
  EXPECT_FALSE(m.HasGeometry());
  m.TakeGeometry(0, 0);  // no window yet: nothing fixed
  EXPECT_FALSE(m.HasGeometry());
  m.TakeGeometry(40, 66);
  ASSERT_TRUE(m.HasGeometry());
  m.TakeGeometry(10, 200);  // a later resize changes nothing
  EXPECT_EQ(m.Geometry().barHeight, 2);
  EXPECT_EQ(m.Geometry().width, 40);
}

TEST(LevelMeter, FullLevelLightsEveryStepButTheTwoTheTableLeavesBlack) {
  LevelMeter m;
  m.TakeGeometry(40, 66);
  m.Update(128, 64);
  EXPECT_EQ(m.StepColour(0, 1), 0u);
  EXPECT_EQ(m.StepColour(0, 2), 0u);
  EXPECT_EQ(m.StepColour(0, 3), kBlue);
  EXPECT_EQ(m.StepColour(0, 100), kRed);
  EXPECT_EQ(m.StepColour(0, 63), MeterTableColour(21));
  // The right channel is lit to 50 %.
  EXPECT_EQ(m.StepColour(1, 50), MeterTableColour(16));
  EXPECT_EQ(m.StepColour(1, 51), 0u);
  // The top bar shows step 100, the bottom one step 3.
  EXPECT_EQ(m.BarColour(0, 33), kRed);
  EXPECT_EQ(m.BarColour(0, 1), kBlue);
  EXPECT_EQ(m.BarColour(1, 33), 0u);
}

TEST(LevelMeter, ADropFadesOver8CallsAndLeavesAllBlack) {
  LevelMeter m;
  m.TakeGeometry(40, 66);
  m.Update(128, 128);
  m.Update(0, 0);
  // The trail goes on above steps 1 and 2: the red top step is only darker.
  EXPECT_EQ(m.StepColour(0, 100), Rgb(223, 0, 0));
  EXPECT_EQ(m.StepColour(1, 3), Rgb(0, 0, 223));
  for (int call = 2; call <= 7; ++call) m.Update(0, 0);
  EXPECT_FALSE(AllBlack(m));
  EXPECT_EQ(m.StepColour(0, 3), Rgb(0, 0, 31));
  m.Update(0, 0);
  EXPECT_TRUE(AllBlack(m));
}

TEST(LevelMeter, AboveTheFirstBlackStepTheTrailIsCutAtOnce) {
  LevelMeter m;
  m.TakeGeometry(40, 66);
  m.Update(128, 128);
  for (int call = 1; call <= 4; ++call) m.Update(0, 0);
  EXPECT_EQ(m.StepColour(0, 100), Rgb(127, 0, 0));
  EXPECT_NE(m.StepColour(0, 18), 0u);
  // Entry 6 (0, 135, 142) of steps 18 to 20 is black after the fifth call: every step
  // above goes with it; the steps below still fade.
  m.Update(0, 0);
  EXPECT_EQ(m.StepColour(0, 18), 0u);
  EXPECT_EQ(m.StepColour(0, 100), 0u);
  EXPECT_EQ(m.StepColour(0, 17), Rgb(0, 0, 4));
  EXPECT_EQ(m.StepColour(0, 3), Rgb(0, 0, 95));
}

TEST(LevelMeter, NotPlayingReadsZeroAndLevelsAbove128Read128) {
  MeterLevels ended = MeterLevelsOf(0xFFFFFFFFu);
  EXPECT_EQ(ended.left, 0);
  EXPECT_EQ(ended.right, 0);
  MeterLevels loud = MeterLevelsOf(0x0200FFFEu);
  EXPECT_EQ(loud.left, 128);
  EXPECT_EQ(loud.right, 128);
  MeterLevels mid = MeterLevelsOf(uint32_t(40) | (uint32_t(90) << 16));
  EXPECT_EQ(mid.left, 40);
  EXPECT_EQ(mid.right, 90);
  LevelMeter m;
  m.TakeGeometry(40, 66);
  m.Update(-5, 100000);
  EXPECT_EQ(m.StepColour(0, 3), 0u);
  EXPECT_EQ(m.StepColour(1, 100), kRed);
}

}  // namespace

}  // namespace jorvel

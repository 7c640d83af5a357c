// A slide's transition as the maker stores it and the player reads it, which painter
// plays it with which values, and the recorder's level of captured bytes.
#include <gtest/gtest.h>

#include <vector>

#include "dunmere/effect_choice.h"
#include "dunmere/narration_format.h"

using namespace dunmere;

TEST(SlideTransition, TheEntryGivesStepAndTime) {
  SlideTransition spin = ParseSlideTransition("17001|Spin,1,10");
  EXPECT_EQ(spin.id, 17001);
  EXPECT_EQ(spin.step, 1);
  EXPECT_EQ(spin.time, 10);
  // A bare entry: step 0, time 0.
  SlideTransition bare = ParseSlideTransition("17003|Shatter");
  EXPECT_EQ(bare.id, 17003);
  EXPECT_EQ(bare.step, 0);
  EXPECT_EQ(bare.time, 0);
  // The entry's name may hold a "|" of its own; blanks around the file's text do not count.
  EXPECT_EQ(ParseSlideTransition(" 2001|Wipe | right,4,5 \r\n").id, 2001);
  // Numbers only, separated by commas.
  SlideTransition numbers = ParseSlideTransition("17002,2,20");
  EXPECT_EQ(numbers.id, 17002);
  EXPECT_EQ(numbers.step, 2);
  EXPECT_EQ(numbers.time, 20);
  EXPECT_EQ(ParseSlideTransition("12002").id, 12002);
  // Nothing usable: 0, which lets the player choose.
  for (const char* text : {"", "garbage", "|Spin,1,10", "0|Spin"}) EXPECT_EQ(ParseSlideTransition(text).id, 0) << text;
}

TEST(SlideTransition, ThePainterOfEachNumber) {
  TransitionPlan plugin = PlanTransition(17003, 0, 0, 3000);
  EXPECT_EQ(plugin.painter, TransitionPainter::kPlugin);
  EXPECT_EQ(plugin.effect, 3);
  EXPECT_EQ(plugin.step, 0);
  EXPECT_EQ(plugin.time, 0);
  TransitionPlan spin = PlanTransition(17001, 1, 10, 3000);
  EXPECT_EQ(spin.effect, 1);
  EXPECT_EQ(spin.step, 1);
  EXPECT_EQ(spin.time, 10);

  TransitionPlan slow = PlanTransition(17000, 7, 7, kSlowProcessorMhz - 1);
  EXPECT_EQ(slow.painter, TransitionPainter::kPlugin);
  EXPECT_EQ(slow.effect, -1);
  EXPECT_EQ(slow.step, 50);
  EXPECT_EQ(slow.time, 2000);
  TransitionPlan fast = PlanTransition(17000, 7, 7, kSlowProcessorMhz);
  EXPECT_EQ(fast.effect, 0);
  EXPECT_EQ(fast.step, 1);
  EXPECT_EQ(fast.time, 10);

  TransitionPlan wipe = PlanTransition(2000, 5, 5, 3000);
  EXPECT_EQ(wipe.painter, TransitionPainter::kImaging);
  EXPECT_EQ(wipe.effect, 2000);
  // No effect, numbers of no list and a damaged file's number are painted plainly.
  for (int id : {18000, 2004, 2010, 19000, 0, -5, 1999}) EXPECT_EQ(PlanTransition(id, 0, 0, 3000).painter, TransitionPainter::kPlain) << id;
}

TEST(NarrationLevel, PeaksOfEachChannel) {
  CaptureFormat stereo = CaptureFormatFor(2048);  // 16 bits, two channels
  // Left at half scale, right at a quarter (negative), then silence.
  std::vector<uint8_t> bytes = {0x00, 0x40, 0x00, 0xE0, 0, 0, 0, 0};
  NarrationLevel l = PeakLevel(bytes.data(), bytes.size(), stereo);
  EXPECT_EQ(l.left, 50);
  EXPECT_EQ(l.right, 25);
  // 8-bit mono: 128 is silence, 0 full scale; both bars show the one channel.
  CaptureFormat mono8 = CaptureFormatFor(1);
  std::vector<uint8_t> quiet(100, 128);
  EXPECT_EQ(PeakLevel(quiet.data(), quiet.size(), mono8).left, 0);
  quiet[40] = 0;
  NarrationLevel loud = PeakLevel(quiet.data(), quiet.size(), mono8);
  EXPECT_EQ(loud.left, 100);
  EXPECT_EQ(loud.right, 100);
  // A cut frame at the end is not read; nothing at all is silence.
  EXPECT_EQ(PeakLevel(bytes.data(), 3, stereo).left, 0);
  EXPECT_EQ(PeakLevel(nullptr, 10, stereo).left, 0);
  EXPECT_EQ(PeakLevel(bytes.data(), 0, stereo).right, 0);
}

#include "morvane/frame_clock.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(FrameClock, FramesAreDueAtTheRateAndLateOnesDropTheMissed) {
  FrameClock clock(5);  // one every 200 ms
  EXPECT_TRUE(clock.At(0).take);
  EXPECT_EQ(clock.NextDueMs(), 200);
  EXPECT_FALSE(clock.At(150).take);
  FrameClock::Step s = clock.At(210);
  EXPECT_TRUE(s.take);
  EXPECT_EQ(s.dropped, 0);
  EXPECT_EQ(clock.NextDueMs(), 400);
  // 900 ms: frames 2, 3 and 4 were due; one is taken, two are dropped.
  s = clock.At(900);
  EXPECT_TRUE(s.take);
  EXPECT_EQ(s.dropped, 2);
  EXPECT_EQ(clock.NextDueMs(), 1000);
  EXPECT_FALSE(clock.At(999).take);
  EXPECT_TRUE(clock.At(1000).take);
  EXPECT_EQ(clock.Taken(), 4);
  EXPECT_EQ(clock.Dropped(), 2);
  // Taken and dropped together are the frames due so far.
  EXPECT_EQ(clock.Taken() + clock.Dropped(), 1000 * 5 / 1000 + 1);
}

TEST(FrameClock, OddRatesAndTheSlowestRate) {
  FrameClock thirty(30);
  int taken = 0;
  for (int ms = 0; ms < 1000; ++ms) taken += thirty.At(ms).take ? 1 : 0;
  EXPECT_EQ(taken, 30);
  EXPECT_EQ(thirty.Dropped(), 0);
  EXPECT_EQ(thirty.NextDueMs(), 1000);
  FrameClock none(0);  // at least one a second
  EXPECT_TRUE(none.At(0).take);
  EXPECT_FALSE(none.At(999).take);
  EXPECT_TRUE(none.At(1000).take);
  EXPECT_FALSE(none.At(-5).take);
}

}  // namespace
}  // namespace morvane

#include <gtest/gtest.h>

#include <vector>

#include "audio/play_clock.h"
#include "test_time.h"

using soundtest::FakeTime;

TEST(PlayClock, PauseBanksTheTimeRun) {
  FakeTime t;
  audio::PlayClock c(t.Source());
  c.Restart(true);
  t.AdvanceMs(30);
  EXPECT_EQ(c.ElapsedMicroseconds(), 30000);
  c.Pause();
  t.AdvanceMs(500);
  EXPECT_EQ(c.ElapsedMicroseconds(), 30000);
  c.Resume();
  t.AdvanceMs(20);
  EXPECT_EQ(c.ElapsedMicroseconds(), 50000);
  c.Restart(false);
  t.AdvanceMs(20);
  EXPECT_EQ(c.ElapsedMicroseconds(), 0);
}

TEST(SilentOutput, PlaysInRealTimeButNeverMoreThanWasWritten) {
  FakeTime t;
  audio::SilentOutput out(t.Source());
  ASSERT_EQ(out.Open({1000, 2}), 0);
  std::vector<int16_t> samples(2 * 500);
  out.Write(samples.data(), 500);
  EXPECT_EQ(out.Played(), 0);
  t.AdvanceMs(200);
  EXPECT_EQ(out.Played(), 200);
  t.AdvanceMs(1000);
  EXPECT_EQ(out.Played(), 500);  // all of it, and the clock waits
  // After the underrun, new samples play from where the old ones ended.
  t.AdvanceMs(1000);
  out.Write(samples.data(), 500);
  EXPECT_EQ(out.Played(), 500);
  t.AdvanceMs(100);
  EXPECT_EQ(out.Played(), 600);
}

TEST(SilentOutput, PauseHoldsThePositionAndResetStartsAgain) {
  FakeTime t;
  audio::SilentOutput out(t.Source());
  ASSERT_EQ(out.Open({1000, 1}), 0);
  std::vector<int16_t> samples(1000);
  out.Write(samples.data(), 1000);
  t.AdvanceMs(100);
  out.Pause(true);
  t.AdvanceMs(700);
  EXPECT_EQ(out.Played(), 100);
  out.Pause(false);
  t.AdvanceMs(50);
  EXPECT_EQ(out.Played(), 150);
  out.Reset();
  EXPECT_EQ(out.Played(), 0);
  EXPECT_EQ(out.Written(), 0);
  // Written while paused: nothing is heard until the pause ends.
  out.Pause(true);
  out.Write(samples.data(), 1000);
  t.AdvanceMs(300);
  EXPECT_EQ(out.Played(), 0);
  out.Pause(false);
  t.AdvanceMs(300);
  EXPECT_EQ(out.Played(), 300);
}

#include <gtest/gtest.h>

#include "multimedia/clip_range.h"

TEST(ClipRange, EndOfZeroOrPastTheClipIsItsEnd) {
  EXPECT_EQ(mm::NormalizeRange(0, 0, 5000).end, 5000);
  EXPECT_EQ(mm::NormalizeRange(100, 9000, 5000).end, 5000);
  EXPECT_EQ(mm::NormalizeRange(100, 2000, 5000).end, 2000);
  mm::ClipRange r = mm::NormalizeRange(7000, 0, 5000);
  EXPECT_EQ(r.start, 5000);
  EXPECT_EQ(r.end, 5000);
  r = mm::NormalizeRange(-5, -1, 5000);
  EXPECT_EQ(r.start, 0);
  EXPECT_EQ(r.end, 5000);
  // Unknown length: kept as given.
  r = mm::NormalizeRange(10, 0, 0);
  EXPECT_EQ(r.start, 10);
  EXPECT_EQ(r.end, 0);
}

TEST(ClipRange, PositionsStayInsideTheRange) {
  mm::ClipRange r{1000, 3000};
  EXPECT_EQ(mm::ClampToRange(500, r), 1000);
  EXPECT_EQ(mm::ClampToRange(2000, r), 2000);
  EXPECT_EQ(mm::ClampToRange(4000, r), 3000);
  EXPECT_EQ(mm::ClampToRange(4000, mm::ClipRange{0, 0}), 4000);
}

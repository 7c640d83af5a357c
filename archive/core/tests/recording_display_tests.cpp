#include <gtest/gtest.h>

#include <vector>

#include "grilton/recording_display.h"

namespace {

std::vector<uint8_t> Samples(const std::vector<int16_t>& values, size_t bytes) {
  std::vector<uint8_t> copy(bytes, 0);
  for (size_t i = 0; i < values.size() && 2 * i + 1 < bytes; ++i) {
    copy[2 * i] = uint8_t(uint16_t(values[i]) & 0xFF);
    copy[2 * i + 1] = uint8_t(uint16_t(values[i]) >> 8);
  }
  return copy;
}

TEST(RecordingDisplay, SixteenBitSamplesAreCentredAndScaledToTheHeight) {
  std::vector<uint8_t> copy = Samples({0, 32767, -32767, -32768}, 8);
  std::vector<grilton::TracePoint> p = grilton::TracePoints(copy.data(), copy.size(), 16, 160, 63);
  ASSERT_EQ(p.size(), 4u);
  const int scale = 65535 / 63;
  EXPECT_EQ(p[0].y, 63 - 32767 / scale);  // silence: the middle
  EXPECT_EQ(p[1].y, 63 - 65534 / scale);  // loudest up: the top
  EXPECT_EQ(p[2].y, 63);                  // loudest down: the bottom
  EXPECT_EQ(p[3].x, 3);
  for (const auto& point : p) {
    EXPECT_GE(point.y, 0);
    EXPECT_LE(point.y, 63);
  }
}

TEST(RecordingDisplay, EightBitRecordingsAreReadWithoutOffset) {
  std::vector<uint8_t> copy = Samples({0x2000}, 2);
  std::vector<grilton::TracePoint> p = grilton::TracePoints(copy.data(), copy.size(), 8, 10, 100);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].y, 100 - 0x2000 / (65535 / 100));
}

TEST(RecordingDisplay, NeverMorePointsThanTheCaptureCopyHoldsNorThanTheWidth) {
  std::vector<uint8_t> copy(grilton::kCaptureCopyBytes, 0);
  EXPECT_EQ(grilton::TracePoints(copy.data(), copy.size(), 16, 2000, 63).size(), 512u);
  EXPECT_EQ(grilton::TracePoints(copy.data(), copy.size(), 16, 160, 63).size(), 160u);
  // A copy said to be longer than it may be is still read only to its 1024 bytes.
  std::vector<uint8_t> longer(4096, 0);
  EXPECT_EQ(grilton::TracePoints(longer.data(), longer.size(), 16, 3000, 63).size(), 512u);
  EXPECT_EQ(grilton::TracePoints(copy.data(), 3, 16, 160, 63).size(), 1u);
  EXPECT_TRUE(grilton::TracePoints(copy.data(), copy.size(), 16, 0, 63).empty());
  EXPECT_TRUE(grilton::TracePoints(nullptr, 10, 16, 10, 63).empty());
}

TEST(RecordingDisplay, StylesWrapAndShowOneWhenNothingRecords) {
  EXPECT_EQ(grilton::NextDisplayStyle(1, false), 6);
  EXPECT_EQ(grilton::NextDisplayStyle(6, true), 1);
  EXPECT_EQ(grilton::NextDisplayStyle(3, true), 4);
  EXPECT_EQ(grilton::NextDisplayStyle(0, true), 2);
  EXPECT_EQ(grilton::DrawnStyle(5, false), 1);
  EXPECT_EQ(grilton::DrawnStyle(5, true), 5);
  EXPECT_EQ(grilton::DrawnStyle(-2, true), 1);
}

TEST(RecordingDisplay, RampAndAlpha) {
  EXPECT_EQ(grilton::RampColour(0, 63), 0x0000FFu);       // red at the top
  EXPECT_EQ(grilton::RampColour(63, 63), 0xFF0000u);      // blue at the bottom
  EXPECT_EQ(grilton::WithAlpha(0xFF00FFFF, 32), 0x2000FFFFu);
}

}  // namespace

#include <gtest/gtest.h>

#include "avi_writer.h"

namespace {
uint32_t At32(const std::string& s, size_t i) {
  return uint32_t(uint8_t(s[i])) | (uint32_t(uint8_t(s[i + 1])) << 8) | (uint32_t(uint8_t(s[i + 2])) << 16) |
         (uint32_t(uint8_t(s[i + 3])) << 24);
}
}  // namespace

TEST(AviWriter, RiffLayoutFramesAndIndexAgree) {
  std::string avi = avitest::UncompressedAvi(5, 2, 10, {0xFF0000, 0x00FF00, 0x0000FF});
  ASSERT_EQ(avi.substr(0, 4), "RIFF");
  EXPECT_EQ(At32(avi, 4), avi.size() - 8);
  EXPECT_EQ(avi.substr(8, 4), "AVI ");
  // Rows of 5 pixels are padded from 15 to 16 bytes.
  size_t movi = avi.find("movi");
  ASSERT_NE(movi, std::string::npos);
  size_t first = movi + 4;
  EXPECT_EQ(avi.substr(first, 4), "00db");
  EXPECT_EQ(At32(avi, first + 4), 32u);
  // First pixel of frame 1 is red in BGR order.
  EXPECT_EQ(uint8_t(avi[first + 8]), 0);
  EXPECT_EQ(uint8_t(avi[first + 10]), 255);
  size_t idx = avi.find("idx1");
  ASSERT_NE(idx, std::string::npos);
  EXPECT_EQ(At32(avi, idx + 4), 3u * 16u);
  // The second entry points at the second frame, counted from "movi".
  EXPECT_EQ(At32(avi, idx + 8 + 16 + 8), 4u + 8u + 32u);
  EXPECT_EQ(At32(avi, avi.find("avih") + 8 + 16), 3u);  // total frames
}

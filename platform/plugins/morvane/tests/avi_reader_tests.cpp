#include "avi_reader.h"

#include <gtest/gtest.h>

#include "avi_writer.h"

namespace avitest {
namespace {

TEST(AviReader, ReadsTheHeadersFramesAndIndexOfAnUncompressedFile) {
  std::string bytes = UncompressedAvi(40, 30, 5, std::vector<uint32_t>(7, 0x102030));
  AviSummary s;
  std::string error;
  ASSERT_TRUE(ReadAvi(bytes, s, error)) << error;
  EXPECT_EQ(s.totalFrames, 7u);
  EXPECT_EQ(s.microSecondsPerFrame, 200000u);
  EXPECT_EQ(s.width, 40u);
  EXPECT_EQ(s.height, 30u);
  EXPECT_EQ(s.videoStream, 0);
  EXPECT_EQ(s.rate / s.scale, 5u);
  EXPECT_EQ(s.length, 7u);
  EXPECT_EQ(s.frameWidth, 40);
  EXPECT_EQ(s.frameHeight, 30);
  EXPECT_EQ(s.bitCount, 24);
  EXPECT_EQ(s.moviFrames, 7u);
  EXPECT_EQ(s.indexFrames, 7u);
  EXPECT_TRUE(s.indexMatchesMovi);
}

TEST(AviReader, RefusesWhatIsNoAviAndNoticesABrokenIndex) {
  AviSummary s;
  std::string error;
  EXPECT_FALSE(ReadAvi("", s, error));
  EXPECT_FALSE(ReadAvi("RIFF\x04\0\0\0WAVE", s, error));
  std::string bytes = UncompressedAvi(8, 8, 1, std::vector<uint32_t>(3, 0));
  // A chunk whose size runs past the file.
  std::string cut = bytes.substr(0, bytes.size() / 2);
  EXPECT_FALSE(ReadAvi(cut, s, error) && s.indexFrames == 3);
  // An index entry that points beside its frame.
  size_t idx = bytes.find("idx1");
  ASSERT_NE(idx, std::string::npos);
  bytes[idx + 8 + 8] = char(bytes[idx + 8 + 8] + 2);
  ASSERT_TRUE(ReadAvi(bytes, s, error)) << error;
  EXPECT_FALSE(s.indexMatchesMovi);
}

}  // namespace
}  // namespace avitest

// The settings record: byte layout, reading limits, the "#" and short-file cases.
#include <gtest/gtest.h>

#include "bravik/pic_settings.h"

namespace bravik {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += char(v);
  return out;
}

// 100, 50, 700, 500 as int16 little-endian.
const std::string kFixed = Bytes({0x64, 0x00, 0x32, 0x00, 0xBC, 0x02, 0xF4, 0x01});

TEST(PicSettings, ReadsTheRecordAndWritesTheSameBytesBack) {
  std::string file = kFixed + "C:\\p\\|*.JPG#" + Bytes({0x0A, 0x00, 0x14, 0x00});
  PicSettingsRecord r;
  ASSERT_TRUE(DecodePicSettings(file, 200, 150, r));
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.width, 700);
  EXPECT_EQ(r.height, 500);
  EXPECT_EQ(r.folder, "C:\\p\\");
  EXPECT_EQ(r.saveFilter, "*.JPG");
  EXPECT_EQ(r.zoomLeft, 10);
  EXPECT_EQ(r.zoomTop, 20);
  EXPECT_EQ(EncodePicSettings(r), file);
}

TEST(PicSettings, NegativePositionAndSmallSizeAreRaised) {
  // left -5, top -1, width 50, height 10
  std::string file = Bytes({0xFB, 0xFF, 0xFF, 0xFF, 0x32, 0x00, 0x0A, 0x00}) + "C:\\|#" + Bytes({0xF6, 0xFF, 0, 0});
  PicSettingsRecord r;
  ASSERT_TRUE(DecodePicSettings(file, 320, 200, r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.width, 320);
  EXPECT_EQ(r.height, 200);
  // The zoom box may stand left of the screen: it is kept as stored.
  EXPECT_EQ(r.zoomLeft, -10);
}

TEST(PicSettings, AHashInTheFolderOrInTheZoomBytesIsReadCorrectly) {
  // "#" inside the folder name, and a zoom left of 35, which is the byte "#".
  std::string file = kFixed + "C:\\my#pics\\|*.PNG#" + Bytes({0x23, 0x00, 0x23, 0x23});
  PicSettingsRecord r;
  ASSERT_TRUE(DecodePicSettings(file, 200, 150, r));
  EXPECT_EQ(r.folder, "C:\\my#pics\\");
  EXPECT_EQ(r.saveFilter, "*.PNG");
  EXPECT_EQ(r.zoomLeft, 35);
  EXPECT_EQ(r.zoomTop, 0x2323);
  EXPECT_EQ(EncodePicSettings(r), file);
}

TEST(PicSettings, RecordsWithoutZoomOrFilterOrCutShort) {
  PicSettingsRecord r;
  // Without "#": the zoom box stays at 0, 0.
  ASSERT_TRUE(DecodePicSettings(kFixed + "C:\\a\\|*.BMP", 200, 150, r));
  EXPECT_EQ(r.folder, "C:\\a\\");
  EXPECT_EQ(r.saveFilter, "*.BMP");
  EXPECT_EQ(r.zoomLeft, 0);
  EXPECT_EQ(r.zoomTop, 0);
  // Without "|": the whole text after byte 8 is the folder.
  ASSERT_TRUE(DecodePicSettings(kFixed + "C:\\a b\\", 200, 150, r));
  EXPECT_EQ(r.folder, "C:\\a b\\");
  EXPECT_EQ(r.saveFilter, "");
  // A zoom part cut short is not read past the end and does not enter the filter.
  ASSERT_TRUE(DecodePicSettings(kFixed + "C:\\a\\|*.BMP#" + Bytes({0x0A}), 200, 150, r));
  EXPECT_EQ(r.saveFilter, "*.BMP");
  EXPECT_EQ(r.zoomLeft, 0);
  // Only the fixed part.
  ASSERT_TRUE(DecodePicSettings(kFixed, 200, 150, r));
  EXPECT_EQ(r.folder, "");
  EXPECT_EQ(r.width, 700);
}

TEST(PicSettings, FilesShorterThanTheFixedPartGiveNothing) {
  PicSettingsRecord r;
  r.folder = "kept";
  for (size_t n = 0; n < kSettingsFixedBytes; ++n) EXPECT_FALSE(DecodePicSettings(kFixed.substr(0, n), 1, 1, r)) << n;
  EXPECT_EQ(r.folder, "kept");
}

TEST(PicSettings, DefaultsCentreA600By400Window) {
  PicSettingsRecord r = DefaultPicSettings(1280, 1024, "C:\\windows\\");
  EXPECT_EQ(r.left, 340);
  EXPECT_EQ(r.top, 312);
  EXPECT_EQ(r.width, 600);
  EXPECT_EQ(r.height, 400);
  EXPECT_EQ(r.folder, "C:\\windows\\");
  EXPECT_EQ(r.saveFilter, "");
  EXPECT_EQ(r.zoomLeft, 0);
  // A screen smaller than the window: never a negative position.
  r = DefaultPicSettings(500, 300, "C:\\w\\");
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(PicSettingsPath("C:\\t\\", "bravik"), "C:\\t\\bravik.cfg");
}

TEST(PicSettings, ValuesBeyondSixteenBitsAreClamped) {
  PicSettingsRecord r;
  r.left = 70000;
  r.top = -70000;
  std::string bytes = EncodePicSettings(r);
  PicSettingsRecord back;
  ASSERT_TRUE(DecodePicSettings(bytes, 1, 1, back));
  EXPECT_EQ(back.left, 32767);
  EXPECT_EQ(back.top, 0);
}

}  // namespace
}  // namespace bravik

// The tests' BMP writer, read back with the suite's own decoder: rows padded to four bytes
// and stored from the bottom, one-colour pictures, folders made on the way, sizes refused.
#include <gtest/gtest.h>

#include "bmp_file.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imglib/codecs.h"
#include "temp_dir.h"

namespace {

uint32_t U32At(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
         uint32_t(uint8_t(s[at + 3])) << 24;
}

// The colour at (x, y) as 0xRRGGBB.
unsigned PixelAt(const imglib::Raster& r, int x, int y) {
  const uint8_t* p = r.Row(y) + size_t(x) * 3;
  return unsigned(p[2]) << 16 | unsigned(p[1]) << 8 | p[0];
}

}  // namespace

TEST(BmpFile, PixelsComeBackThroughTheSuitesDecoder) {
  // 3 x 2, blue-green-red per pixel, the top row first.
  const std::vector<unsigned char> bgr = {0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0x21, 0x22, 0x23,
                                          0x31, 0x32, 0x33, 0x41, 0x42, 0x43, 0x51, 0x52, 0x53};
  const std::string bytes = BmpBytes(3, 2, bgr);
  // Nine bytes of pixels per row, padded to twelve.
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(U32At(bytes, 2), bytes.size());
  EXPECT_EQ(U32At(bytes, 10), 54u);
  // The file holds the bottom row first.
  EXPECT_EQ(bytes.substr(54, 3), "\x31\x32\x33");
  EXPECT_EQ(bytes.substr(63, 3), std::string(3, '\0'));

  imglib::Picture p;
  ASSERT_EQ(imglib::DecodePicture(bytes, p), imglib::kSuccess);
  EXPECT_EQ(p.info.width, 3);
  EXPECT_EQ(p.info.height, 2);
  EXPECT_EQ(p.info.bitsPerPixel, 24);
  EXPECT_EQ(PixelAt(p.pixels, 0, 0), 0x030201u);
  EXPECT_EQ(PixelAt(p.pixels, 2, 0), 0x232221u);
  EXPECT_EQ(PixelAt(p.pixels, 0, 1), 0x333231u);
  EXPECT_EQ(PixelAt(p.pixels, 2, 1), 0x535251u);
}

TEST(BmpFile, OneColourPictureInAFolderMadeOnTheWay) {
  TempDir dir;
  const std::string path = fileio::JoinPath(fileio::JoinPath(dir.File("pics"), "new"), "one.bmp");
  ASSERT_TRUE(WriteBmp(path, 5, 4, 200, 120, 40));
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(path, bytes), fileio::kOk);
  EXPECT_EQ(bytes.size(), 54u + 4 * 16);
  imglib::Picture p;
  ASSERT_EQ(imglib::DecodePicture(bytes, p), imglib::kSuccess);
  ASSERT_EQ(p.pixels.Width(), 5);
  ASSERT_EQ(p.pixels.Height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(p.pixels, x, y), 0xC87828u) << x << "," << y;
  // Written again, the file is replaced, not appended to.
  ASSERT_TRUE(WriteBmp(path, 1, 1, 0, 0, 0));
  EXPECT_EQ(fileio::FileSize(path), 54 + 4);
}

TEST(BmpFile, SizesWithoutPixelsAreRefused) {
  TempDir dir;
  EXPECT_EQ(BmpBytes(0, 2, {}), "");
  EXPECT_EQ(BmpBytes(2, 2, std::vector<unsigned char>(11)), "");
  const std::string path = dir.File("none.bmp");
  EXPECT_FALSE(WriteBmp(path, -1, 3, 1, 2, 3));
  EXPECT_FALSE(WriteBmp(path, 2, 2, std::vector<unsigned char>(3)));
  EXPECT_FALSE(fileio::Exists(path));
}

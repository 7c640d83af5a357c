#include <gtest/gtest.h>

#include <random>

#include "gif/gif_bmp.h"
#include "gif/gif_decoder.h"
#include "gif_writer.h"

using giftest::Frame;
using giftest::WriteGif;

namespace {

const std::vector<uint8_t> kGlobal = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};  // black red green blue

unsigned Rgb(const gif::Image& im, int x, int y) {
  const uint8_t* p = im.rgb.data() + (size_t(y) * size_t(im.width) + size_t(x)) * 3;
  return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
}

Frame Stripes(int w, int h, int colours) {
  Frame f;
  f.width = w;
  f.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) f.indices.push_back(uint8_t((y + x / 7) % colours));
  return f;
}

}  // namespace

TEST(GifDecoder, PlainInterlacedAndLocalTables) {
  Frame f = Stripes(30, 21, 4);
  gif::Image im;
  ASSERT_EQ(gif::Decode(WriteGif(30, 21, kGlobal, 0, {f}), im), gif::kOk);
  EXPECT_EQ(im.width, 30);
  EXPECT_EQ(im.height, 21);
  EXPECT_EQ(im.colours, 4);
  EXPECT_EQ(Rgb(im, 0, 0), 0x000000u);
  EXPECT_EQ(Rgb(im, 0, 1), 0xFF0000u);
  EXPECT_EQ(Rgb(im, 7, 1), 0x00FF00u);
  const unsigned colours[] = {0x000000u, 0xFF0000u, 0x00FF00u, 0x0000FFu};
  EXPECT_EQ(Rgb(im, 29, 20), colours[(20 + 29 / 7) % 4]);

  gif::Image inter;
  f.interlaced = true;
  ASSERT_EQ(gif::Decode(WriteGif(30, 21, kGlobal, 0, {f}), inter), gif::kOk);
  EXPECT_TRUE(inter.interlaced);
  EXPECT_EQ(inter.rgb, im.rgb);  // interlacing changes the order, not the picture

  Frame local = Stripes(30, 21, 2);
  local.localTable = {255, 255, 0, 0, 255, 255};  // yellow, cyan
  gif::Image l;
  ASSERT_EQ(gif::Decode(WriteGif(30, 21, kGlobal, 0, {local}), l), gif::kOk);
  EXPECT_EQ(Rgb(l, 0, 0), 0xFFFF00u);
  EXPECT_EQ(Rgb(l, 0, 1), 0x00FFFFu);
  EXPECT_EQ(l.colours, 2);
}

TEST(GifDecoder, LongPicturesResetTheTableAndOnlyTheFirstFrameCounts) {
  // 256 colours in noise: the code table fills and clears many times.
  std::vector<uint8_t> table(768);
  for (int i = 0; i < 256; ++i) table[size_t(i) * 3] = uint8_t(i), table[size_t(i) * 3 + 1] = uint8_t(255 - i);
  Frame f;
  f.width = 300;
  f.height = 200;
  std::mt19937 rng(7);
  for (int i = 0; i < 300 * 200; ++i) f.indices.push_back(uint8_t(rng() % 256));
  Frame second = Stripes(300, 200, 3);
  gif::Image im;
  ASSERT_EQ(gif::Decode(WriteGif(300, 200, table, 0, {f, second}), im), gif::kOk);
  bool same = true;
  for (int i = 0; i < 300 * 200 && same; ++i) same = im.rgb[size_t(i) * 3] == f.indices[size_t(i)];
  EXPECT_TRUE(same);
}

TEST(GifDecoder, OffsetsTransparencyAndTheScreen) {
  Frame f = Stripes(4, 3, 4);
  f.left = 2;
  f.top = 1;
  f.transparent = 0;  // black pixels show the background
  gif::Image im;
  ASSERT_EQ(gif::Decode(WriteGif(8, 6, kGlobal, 3, {f}), im), gif::kOk);
  EXPECT_TRUE(im.transparent);
  EXPECT_EQ(Rgb(im, 0, 0), 0x0000FFu);  // background: blue
  EXPECT_EQ(Rgb(im, 2, 1), 0x0000FFu);  // transparent index 0
  EXPECT_EQ(Rgb(im, 2, 2), 0xFF0000u);
  // A screen smaller than the picture grows.
  ASSERT_EQ(gif::Decode(WriteGif(1, 1, kGlobal, 0, {f}), im), gif::kOk);
  EXPECT_EQ(im.width, 6);
  EXPECT_EQ(im.height, 4);
  gif::Image info;
  ASSERT_EQ(gif::Decode(WriteGif(8, 6, kGlobal, 0, {f}), info, true), gif::kOk);
  EXPECT_TRUE(info.rgb.empty());
  EXPECT_EQ(info.width, 8);
}

TEST(GifDecoder, DamagedFiles) {
  gif::Image im;
  EXPECT_EQ(gif::Decode("PNG...", im), gif::kNotGif);
  EXPECT_EQ(gif::Decode("GIF89a", im), gif::kDamaged);
  std::string good = WriteGif(30, 21, kGlobal, 0, {Stripes(30, 21, 4)});
  // Cut inside the picture data: the rows decoded so far are kept.
  std::string cut = good.substr(0, good.size() - 40);
  ASSERT_EQ(gif::Decode(cut, im), gif::kOk);
  EXPECT_TRUE(im.truncated);
  EXPECT_EQ(Rgb(im, 0, 1), 0xFF0000u);
  // A header that claims an enormous picture.
  std::string huge = good;
  huge[6] = huge[7] = huge[8] = huge[9] = char(0xFF);
  size_t comma = huge.find(',');
  for (int i = 5; i < 9; ++i) huge[comma + size_t(i)] = char(0xFF);
  EXPECT_NE(gif::Decode(huge, im), gif::kOk);
}

TEST(GifBmp, WritesBottomUpBgrRowsWithPadding) {
  const uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
  std::string bmp;
  ASSERT_TRUE(gif::RgbToBmp(rgb, 2, 2, bmp));
  ASSERT_EQ(bmp.size(), 54u + 2 * 8);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(uint8_t(bmp[28]), 24);
  // The last row of the picture comes first: blue (0,0,255) as B G R = FF 00 00.
  EXPECT_EQ(uint8_t(bmp[54]), 255);
  EXPECT_EQ(uint8_t(bmp[55]), 0);
  EXPECT_EQ(uint8_t(bmp[57]), 3);  // (1,2,3) as 3 2 1
  EXPECT_FALSE(gif::RgbToBmp(rgb, 0, 2, bmp));
}

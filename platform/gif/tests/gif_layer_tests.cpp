#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include "gif/gif_layer.h"
#include "gif_writer.h"
#include "temp_dir.h"

TEST(GifLayer, ReadsIntoGlobalMemoryAndWritesBmp) {
  TempDir dir;
  giftest::Frame f;
  f.width = 5;
  f.height = 3;
  f.indices = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2};
  std::string path = dir.Write("a.gif", giftest::WriteGif(5, 3, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}, 0, {f}));
  int w = 0, h = 0, colours = 0;
  HGLOBAL block = ImgDLLReadRGBFromGIF(path, w, h, colours);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 3);
  EXPECT_EQ(colours, 4);
  EXPECT_EQ(GlobalSize(block), 45u);
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(block));
  EXPECT_EQ(p[3], 255);  // the second pixel is red
  EXPECT_EQ(ImgDLLSaveRGBToBMP(dir.File("a.g2b"), p, w, h), 1);
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(dir.Read("a.g2b").substr(0, 2), "BM");

  EXPECT_EQ(ImgDLLReadRGBFromGIF(dir.File("missing.gif"), w, h, colours), nullptr);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(ImgDLLReadRGBFromGIF(dir.Write("bad.gif", "GIF89a\x05"), w, h, colours), nullptr);
  EXPECT_EQ(ImgDLLSaveRGBToBMP(dir.File("x.bmp"), nullptr, 5, 3), 0);
}

// Threads that hold the lock around a read and a write never see each other's halves.
TEST(GifLayer, TheLockSerialisesWholeConversions) {
  TempDir dir;
  std::string path = dir.File("shared.g2b");
  std::vector<std::thread> threads;
  std::vector<int> mismatches(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      std::vector<uint8_t> px(3 * 4 * 4, uint8_t(t * 50));
      for (int i = 0; i < 25; ++i) {
        gif::GifLockScope lock;
        ImgDLLSaveRGBToBMP(path, px.data(), 4, 4);
        std::string back = dir.Read("shared.g2b");
        if (back.size() < 55 || uint8_t(back[54]) != uint8_t(t * 50)) ++mismatches[size_t(t)];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int m : mismatches) EXPECT_EQ(m, 0);
}

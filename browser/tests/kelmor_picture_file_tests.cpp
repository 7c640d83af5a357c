// The media browser's thumbnails with pictures whose headers point far past their end: one
// such picture in a folder must not take the browser down. Driven from outside under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "hostile_pictures.h"
#include "kelmor_list_fixture.h"

namespace kelmor {
namespace {

using std::chrono::milliseconds;

constexpr const char* kPictures = "*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.tif;*.tiff;*.pcx;*.tga;*.psd;*.ico;*.wmf;*.emf";

LONG_PTR ItemData(HWND list, int index) { return LONG_PTR(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0)); }

TEST_F(KelmorList, PicturesPointingPastTheirEndKeepPlaceholdersAmongThumbnails) {
  TempDir pictures;
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(WriteBmp(pictures.File("good" + std::to_string(i) + ".bmp"), 40, 30, uint8_t(60 * i), 90, 200));
  pictures.Write("far.bmp", hostile::BmpWithFarPixels());
  pictures.Write("far.tif", hostile::TiffWithFarDirectory());
  pictures.Write("far.tiff", hostile::TiffWithFarDirectory());
  // The file type of every picture, which the browser shows as thumbnails.
  HWND frame = Start(pictures.Path(), kPictures);
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> expected{" far.bmp", " far.tif", " far.tiff", " good0.bmp", " good1.bmp", " good2.bmp"};
  ASSERT_EQ(WaitForList(list_, expected, kEventLimitMs), expected);
  ASSERT_EQ(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0), 106);
  EXPECT_TRUE(PumpUntil([this] { return ItemData(list_, 3) && ItemData(list_, 4) && ItemData(list_, 5); },
                        milliseconds(20000), milliseconds(50)));
  // The filler has ended (the title no longer shows its progress) and the damaged
  // pictures kept their placeholders.
  EXPECT_TRUE(PumpUntil([frame] { return driver::WindowText(frame) == "Media browser"; }, kEventLimit,
                        milliseconds(50)));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ItemData(list_, i), 0) << expected[size_t(i)];
  // The browser still answers and closes as it should.
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer), 0);
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace kelmor

// The slide show maker with pictures whose headers point far past their end among good
// ones: the slides are taken, the good ones get thumbnails, the damaged ones none.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "bmp_file.h"
#include "driver.h"
#include "dunmere_fixture.h"
#include "fileio/file.h"
#include "hostile_pictures.h"
#include "imaging/copydata.h"

namespace {

using namespace std::chrono_literals;
using namespace dunmere;

TEST_F(Dunmere, PicturesPointingPastTheirEndGetNoThumbnailAndTheMakerGoesOn) {
  DunmereFolder& folder = Copy();
  std::string a = folder.File("pics\\a.bmp"), b = folder.File("pics\\b.bmp");
  ASSERT_TRUE(WriteBmp(a, 40, 30, 200, 40, 40));
  ASSERT_TRUE(WriteBmp(b, 40, 30, 40, 40, 200));
  std::string farBmp = folder.Write("pics\\far.bmp", hostile::BmpWithFarPixels());
  std::string farTif = folder.Write("pics\\far.tif", hostile::TiffWithFarDirectory());
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, a + "|" + farBmp + "|" + farTif + "|" + b);
  ASSERT_EQ(WaitSlides(frame, 4).size(), 4u);
  HWND list = List(frame);
  auto thumbnail = [list](int k) { return SendAndWait(list, LB_GETITEMDATA, WPARAM(k), 0) != 0; };
  EXPECT_TRUE(PumpUntil([&] { return thumbnail(0) && thumbnail(3); }, kListLimit));
  EXPECT_TRUE(PumpUntil([frame] { return driver::WindowText(frame) == "Slide show maker"; }, kEventLimit));
  EXPECT_FALSE(thumbnail(1));
  EXPECT_FALSE(thumbnail(2));
  EXPECT_EQ(Close(), 0);
}

}  // namespace

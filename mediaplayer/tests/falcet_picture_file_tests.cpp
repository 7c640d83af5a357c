// The media player with pictures whose headers point far past their end: each is opened
// without a picture, and the player goes on to show the next one.
#include <windows.h>

#include <string>

#include "bmp_file.h"
#include "falcet_test.h"
#include "hostile_pictures.h"

namespace falcet {
namespace {

TEST_F(Falcet, PicturesPointingPastTheirEndOpenWithoutAPictureAndThePlayerGoesOn) {
  FalcetFolder& folder = Copy();
  std::string farBmp = folder.Write("far.bmp", hostile::BmpWithFarPixels());
  std::string farTif = folder.Write("far.tif", hostile::TiffWithFarDirectory());
  std::string good = folder.File("good.bmp");
  ASSERT_TRUE(WriteBmp(good, 40, 30, 200, 40, 40));
  HWND frame = Start(farBmp);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("far.bmp"), kEventLimitMs), 0);
  driver::SendCommand(frame, kCodeOpen, farTif);
  EXPECT_GE(WaitTitle(frame, Title("far.tif"), kEventLimitMs), 0);
  driver::SendCommand(frame, kCodeOpen, good);
  EXPECT_GE(WaitTitle(frame, Title("good.bmp"), kEventLimitMs), 0);
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace falcet

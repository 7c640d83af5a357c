// The picture browser with pictures whose headers point far past their end among good
// ones: the folder is listed and the good pictures are shown; the browser goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "fileio/file.h"
#include "hessam_fixture.h"
#include "hostile_pictures.h"

namespace hessam {
namespace {

TEST_F(Hessam, PicturesPointingPastTheirEndDoNotStopTheStrip) {
  HessamFolder& folder = Copy();
  const COLORREF kRed = RGB(220, 30, 30), kBlue = RGB(40, 60, 220);
  ASSERT_TRUE(WritePicture(folder.Picture("a.bmp"), 80, 60, kRed));
  ASSERT_TRUE(WritePicture(folder.Picture("z.bmp"), 80, 60, kBlue));
  ASSERT_EQ(fileio::WriteFileReplacing(folder.Picture("far.bmp"), hostile::BmpWithFarPixels()), fileio::kOk);
  ASSERT_EQ(fileio::WriteFileReplacing(folder.Picture("far.tif"), hostile::TiffWithFarDirectory()), fileio::kOk);
  Browser browser = StartBrowser("\"" + folder.PicturesFolder() + "\"");
  ASSERT_TRUE(browser.Started());
  // The BMP's header gives its size, so it is listed (and shows no picture); the TIFF
  // without a directory is no picture at all.
  ASSERT_TRUE(browser.WaitCount("3")) << browser.Count();
  EXPECT_TRUE(browser.WaitCell(0, kRed)) << std::hex << browser.CellColour(0);
  EXPECT_TRUE(browser.WaitCell(2, kBlue)) << std::hex << browser.CellColour(2);
  EXPECT_EQ(browser.End(), 0);
}

}  // namespace
}  // namespace hessam

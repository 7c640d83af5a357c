// The picture tool with picture files that test its loading and saving: pictures whose
// headers point far past their end, and encapsulated PostScript, which the tool writes and
// must show again. Driven from outside as a user drives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "bravik_fixture.h"
#include "fileio/file.h"
#include "hostile_pictures.h"
#include "imglib/imglib.h"

namespace bravik {
namespace {

// A picture with damaged offsets shows no picture, only its name and no size in the
// status line; the tool goes on and shows the next picture it is given.
TEST_F(Bravik, PicturesPointingPastTheirEndShowNothingAndTheToolGoesOn) {
  BravikFolder& folder = Copy();
  std::string good = folder.Picture("good.bmp");
  ASSERT_TRUE(WritePicture(good, 41, 27, 30, 160, 220));
  ASSERT_EQ(fileio::WriteFileReplacing(folder.Picture("far.bmp"), hostile::BmpWithFarPixels()), fileio::kOk);
  ASSERT_EQ(fileio::WriteFileReplacing(folder.Picture("far.tif"), hostile::TiffWithFarDirectory()), fileio::kOk);
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  for (const char* name : {"far.bmp", "far.tif"}) {
    EXPECT_TRUE(tool.Open(folder.Picture(name), std::string(name) + " 0 x0")) << name << ": " << tool.Status();
    ASSERT_TRUE(tool.Open(good, "good.bmp 41 x27")) << name << ": " << tool.Status();
  }
  // Both in one list: the tool steps through them and still answers.
  ASSERT_TRUE(tool.Open(folder.Picture("far.bmp") + "|" + folder.Picture("far.tif") + "|" + good, "far.bmp 0 x0"));
  tool.Run(kButtonNext);
  EXPECT_TRUE(tool.WaitStatusHolds(" far.tif 0 x0 ")) << tool.Status();
  tool.Run(kButtonNext);
  EXPECT_TRUE(tool.WaitStatusHolds(" good.bmp 41 x27 ")) << tool.Status();
  EXPECT_EQ(tool.End(), 0);
}

// Saved as EPS, the picture stays shown (read back from the saved file) and can be saved
// again: the file carries a preview that the suite reads.
TEST_F(Bravik, AnEpsSavedStaysShownAndCanBeSavedAgain) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePicture(a, 41, 27, 30, 160, 220));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 41 x27"));
  ASSERT_TRUE(tool.SaveAs("out.eps"));
  EXPECT_TRUE(tool.WaitStatusHolds(" out.eps 41 x27 ")) << tool.Status();
  ImgFileInfo info;
  ASSERT_EQ(L_FileInfo(folder.Picture("out.eps"), &info), imglib::kSuccess);
  EXPECT_EQ(info.width, 41);
  EXPECT_EQ(info.height, 27);
  // Save as writes the picture shown: the same pixels as the first picture (two colours,
  // exact at the EPS file's 8 bits).
  ASSERT_TRUE(tool.SaveAs("again.bmp"));
  imglib::BitmapOwner first, again;
  ASSERT_EQ(L_LoadBitmap(a, first.Get(), 24), imglib::kSuccess);
  ASSERT_EQ(L_LoadBitmap(folder.Picture("again.bmp"), again.Get(), 24), imglib::kSuccess);
  ASSERT_EQ(again->width, 41);
  ASSERT_EQ(again->height, 27);
  for (int y = 0; y < 27; ++y)
    EXPECT_EQ(std::memcmp(first->bits + size_t(y) * size_t(first->stride),
                          again->bits + size_t(y) * size_t(again->stride), 41 * 3),
              0)
        << y;
  EXPECT_EQ(tool.End(), 0);
}

}  // namespace
}  // namespace bravik

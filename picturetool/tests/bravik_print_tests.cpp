// Printing a picture to a PostScript printer on FILE: that the test adds to its Wine
// prefix: the page that comes out holds the picture, scaled and centred.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "bravik_fixture.h"
#include "fileio/file.h"
#include "test_printer.h"

namespace bravik {
namespace {

using testprint::Page;

bool Near(const unsigned char* p, int r, int g, int b) { return testprint::NearColour(p, r, g, b); }

class BravikPrint : public Bravik {
 protected:
  static void SetUpTestSuite() {
    Bravik::SetUpTestSuite();
    ready_ = testprint::EnsureTestPrinter();
  }
  static bool ready_;
};
bool BravikPrint::ready_ = false;

TEST_F(BravikPrint, APrintedPictureIsOnThePostScriptPage) {
  ASSERT_TRUE(ready_);
  BravikFolder& folder = Copy();
  std::string picture = folder.Picture("print.bmp");
  // 60 x 40 in a colour of its own (red 0x20, green 0x80, blue 0xE0).
  ASSERT_TRUE(WritePicture(picture, 60, 40, 0x20, 0x80, 0xE0));
  std::string output = folder.Picture("page.ps");
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(picture, "print.bmp 60 x40"));
  tool.Post(kCmdPrint);
  // The printer's port is FILE:: the system asks where to.
  ASSERT_TRUE(testprint::PrintToFile(tool.ProcessId(), output, kWaitMs));
  ASSERT_TRUE(tool.Answer(1));  // printed
  ASSERT_TRUE(WaitForFile(output, kWaitMs));
  std::string ps;
  ASSERT_EQ(fileio::ReadWholeFile(output, ps), fileio::kOk);
  EXPECT_EQ(ps.rfind("%!PS", 0), 0u);
  EXPECT_NE(ps.find("%%Page: 1"), std::string::npos);
  EXPECT_NE(ps.find("%%EOF"), std::string::npos);
  // The picture itself: an image of its size.
  EXPECT_NE(ps.find("/Width 60"), std::string::npos);
  EXPECT_NE(ps.find("/Height 40"), std::string::npos);
  EXPECT_NE(ps.find("image"), std::string::npos);
  EXPECT_EQ(tool.End(), 0);

  // The page as ghostscript draws it: the picture fills the width between even margins,
  // centred, in its own colour; the paper around it stays white.
  ASSERT_FALSE(testprint::UnixPath(output).empty()) << "not under Wine";
  Page page;
  std::string error;
  ASSERT_TRUE(testprint::RenderFirstPage(output, folder.Picture("page.ppm"), page, error)) << error;
  ASSERT_GT(page.width, 100);
  int middle = page.height / 2;
  EXPECT_TRUE(Near(page.At(page.width / 2, middle), 0x20, 0x80, 0xE0));
  EXPECT_TRUE(Near(page.At(page.width / 2, 3), 255, 255, 255));
  // The picture's edges: where the paper stops being white (the printer's own margins
  // are even too, so the gaps on opposite sides match).
  auto paper = [&page](int x, int y) { return Near(page.At(x, y), 255, 255, 255); };
  int left = 0, right = page.width - 1;
  while (left < page.width && paper(left, middle)) ++left;
  while (right > 0 && paper(right, middle)) --right;
  EXPECT_LE(left, page.width / 10);
  EXPECT_LE(std::abs(left - (page.width - 1 - right)), 2) << left << " " << right;
  int top = 0, bottom = page.height - 1;
  while (top < page.height && paper(page.width / 2, top)) ++top;
  while (bottom > 0 && paper(page.width / 2, bottom)) --bottom;
  // 60 x 40: two thirds as high as wide, and as far from the top as from the bottom.
  EXPECT_NEAR(double(bottom - top + 1) / double(right - left + 1), 40.0 / 60.0, 0.05);
  EXPECT_LE(std::abs(top - (page.height - 1 - bottom)), 2) << top << " " << bottom;
}

}  // namespace
}  // namespace bravik

// Printing the pages to a PostScript printer on FILE: that the test adds to its Wine
// prefix, and the print preview: two pictures of layout 2 come out centred one above the
// other with the gap between them scaled with them; layouts 1 and 4 are two documents; the
// preview is a quarter of the composition.
#include <gtest/gtest.h>
#include <windows.h>

#include "fileio/file.h"
#include "hessam/print_layout.h"
#include "hessam_fixture.h"
#include "test_printer.h"

namespace hessam {
namespace {

const COLORREF kWideColour = RGB(0x20, 0x80, 0xE0), kNarrowColour = RGB(0xE0, 0x40, 0x20);

class HessamPrint : public Hessam {
 protected:
  static void SetUpTestSuite() {
    Hessam::SetUpTestSuite();
    ready_ = testprint::EnsureTestPrinter();
  }

  // Two pictures in the selection (a wide one first), each on a position.
  Browser StartWithSelection(int wideWidth, int wideHeight, int narrowWidth, int narrowHeight, int widePosition,
                             int narrowPosition) {
    wide_ = Copy().Picture("wide.bmp");
    narrow_ = Copy().Picture("narrow.bmp");
    EXPECT_TRUE(WritePicture(wide_, wideWidth, wideHeight, kWideColour));
    EXPECT_TRUE(WritePicture(narrow_, narrowWidth, narrowHeight, kNarrowColour));
    Browser browser = StartBrowser();
    if (!browser.Started() || !browser.Open({wide_, narrow_})) {
      ADD_FAILURE() << "the browser did not take the list";
      return browser;
    }
    browser.ClickStrip(0);
    browser.ClickStrip(1);
    EXPECT_EQ(browser.SelectionLabel(1), "wide.bmp " + std::to_string(wideWidth) + "x" + std::to_string(wideHeight));
    EXPECT_EQ(browser.SelectionLabel(2), "narrow.bmp " + std::to_string(narrowWidth) + "x" +
                                             std::to_string(narrowHeight));
    browser.ClickSelection(0);
    browser.ClickPosition(widePosition);
    browser.ClickSelection(1);
    browser.ClickPosition(narrowPosition);
    return browser;
  }

  static bool ready_;
  std::string wide_, narrow_;
};
bool HessamPrint::ready_ = false;

// The rows and columns of a page where a colour shows.
struct Extent {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Found() const { return right >= 0; }
  int Width() const { return right - left + 1; }
  double CentreX() const { return (left + right) / 2.0; }
};

Extent Find(const testprint::Page& page, COLORREF colour) {
  Extent e;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (testprint::NearColour(page.At(x, y), GetRValue(colour), GetGValue(colour), GetBValue(colour), 20)) {
        e.left = std::min(e.left, x);
        e.right = std::max(e.right, x);
        e.top = std::min(e.top, y);
        e.bottom = std::max(e.bottom, y);
      }
  return e;
}

TEST_F(HessamPrint, LayoutTwoPrintsTwoPicturesCentredOneAboveTheOther) {
  ASSERT_TRUE(ready_);
  Browser browser = StartWithSelection(60, 40, 30, 20, 2, 3);
  ASSERT_TRUE(browser.Started());
  std::string output = Copy().File("page.ps");
  browser.Post(kCmdPrint);
  ASSERT_TRUE(testprint::PrintToFile(browser.ProcessId(), output, kWaitMs));
  ASSERT_TRUE(WaitForFile(output, kWaitMs));
  std::string ps;
  ASSERT_EQ(fileio::ReadWholeFile(output, ps), fileio::kOk);
  EXPECT_NE(ps.find("%%Page: 1"), std::string::npos);
  EXPECT_EQ(ps.find("%%Page: 2"), std::string::npos);
  ASSERT_FALSE(testprint::UnixPath(output).empty()) << "not under Wine";
  testprint::Page page;
  std::string error;
  ASSERT_TRUE(testprint::RenderFirstPage(output, Copy().File("page.ppm"), page, error)) << error;
  Extent wide = Find(page, kWideColour), narrow = Find(page, kNarrowColour);
  ASSERT_TRUE(wide.Found());
  ASSERT_TRUE(narrow.Found());
  // One above the other, each centred, the narrow one half as wide.
  EXPECT_LT(wide.bottom, narrow.top);
  EXPECT_NEAR(wide.CentreX(), narrow.CentreX(), 1.5);
  EXPECT_NEAR(double(narrow.Width()) / wide.Width(), 0.5, 0.05);
  // The gap: 4 of the pictures' pixels, scaled as they are (the wide picture's 60 pixels
  // fill its printed width).
  double scale = wide.Width() / 60.0;
  EXPECT_NEAR(narrow.top - wide.bottom - 1, 4 * scale, 1.5);
  // The composition fills the page's width between even margins.
  EXPECT_NEAR(wide.left, page.width - 1 - wide.right, 2);
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamPrint, PositionsOneAndSevenPrintTwoDocuments) {
  ASSERT_TRUE(ready_);
  Browser browser = StartWithSelection(60, 40, 30, 20, 1, 7);
  ASSERT_TRUE(browser.Started());
  std::string first = Copy().File("first.ps"), second = Copy().File("second.ps");
  browser.Post(kCmdPrint);
  ASSERT_TRUE(testprint::PrintToFile(browser.ProcessId(), first, kWaitMs));
  ASSERT_TRUE(testprint::NameNextPrintFile(browser.ProcessId(), second, kWaitMs));
  ASSERT_TRUE(WaitForFile(first, kWaitMs));
  ASSERT_TRUE(WaitForFile(second, kWaitMs));
  testprint::Page page;
  std::string error;
  ASSERT_TRUE(testprint::RenderFirstPage(first, Copy().File("first.ppm"), page, error)) << error;
  EXPECT_TRUE(Find(page, kWideColour).Found());
  EXPECT_FALSE(Find(page, kNarrowColour).Found());
  ASSERT_TRUE(testprint::RenderFirstPage(second, Copy().File("second.ppm"), page, error)) << error;
  EXPECT_TRUE(Find(page, kNarrowColour).Found());
  EXPECT_FALSE(Find(page, kWideColour).Found());
  EXPECT_EQ(browser.End(), 0);
}

TEST_F(HessamPrint, ThePreviewIsAQuarterOfTheCompositionAndWaitsBetweenPages) {
  Browser browser = StartWithSelection(400, 300, 200, 100, 2, 3);
  ASSERT_TRUE(browser.Started());
  // Layout 4 gets the wide picture too: two pages.
  browser.ClickSelection(0);
  browser.ClickPosition(8);
  browser.Post(kCmdPreview);
  HWND zoom = browser.Zoom();
  ASSERT_NE(zoom, nullptr);
  // Layout 2: 400 x (300 + 4 + 100), a quarter of it inside a border of 4 pixels (the
  // preview stands well inside the main window): the wide picture at the top, the narrow
  // one centred under it, white around them.
  RECT r{};
  Shot shot;
  ASSERT_TRUE(PumpUntil(
      [&] {
        if (!IsWindowVisible(zoom) || !GetWindowRect(zoom, &r)) return false;
        if (r.right - r.left != 100 + 8 || r.bottom - r.top != 101 + 8) return false;
        shot = Capture(zoom);
        return shot.width == 108 && Near(shot.At(4 + 50, 4 + 37), kWideColour) &&
               Near(shot.At(4 + 50, 4 + 76 + 12), kNarrowColour) && Near(shot.At(4 + 10, 4 + 76 + 12), RGB(255, 255, 255));
      },
      std::chrono::milliseconds(kWaitMs)))
      << r.right - r.left << " x " << r.bottom - r.top;
  // The narrow picture is 50 pixels wide: a quarter of 200.
  EXPECT_EQ(shot.Count(0, 4 + 76 + 12, shot.width, 1, kNarrowColour), 50);
  // The next page waits for a key.
  EXPECT_TRUE(PumpUntil([&] { return !browser.Status().empty(); }, std::chrono::milliseconds(kWaitMs)));
  PostMessageA(zoom, WM_KEYDOWN, VK_SPACE, 1);
  // Layout 4 with one picture in its top-right corner: a quarter of 400 x 300.
  ASSERT_TRUE(PumpUntil(
      [&] {
        GetWindowRect(zoom, &r);
        return r.right - r.left == 100 + 8 && r.bottom - r.top == 75 + 8;
      },
      std::chrono::milliseconds(kWaitMs)));
  EXPECT_TRUE(PumpUntil([&] { return browser.Status().empty(); }, std::chrono::milliseconds(kWaitMs)));
  // A click closes the preview.
  PostMessageA(zoom, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(zoom); }, std::chrono::milliseconds(kWaitMs)));
  EXPECT_EQ(browser.End(), 0);
}

}  // namespace
}  // namespace hessam

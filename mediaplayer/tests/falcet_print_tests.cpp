// Printing a picture (button 68) to a PostScript printer on FILE: that the test adds to its
// Wine prefix: the page holds the view, scaled and placed with the player's margins; and
// without a default printer the player says so and prints nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "falcet/player_rules.h"
#include "falcet_test.h"
#include "fileio/file.h"
#include "test_printer.h"
#include "test_windows.h"
#include "win/raii.h"

namespace falcet {
namespace {

using namespace std::chrono_literals;

class FalcetPrint : public Falcet {
 protected:
  static void SetUpTestSuite() {
    Falcet::SetUpTestSuite();
    ready_ = testprint::EnsureTestPrinter();
  }
  static bool ready_;
};
bool FalcetPrint::ready_ = false;

// What the test printer's device context says about its page.
struct PrinterPage {
  int width = 0, height = 0;        // HORZRES, VERTRES
  int offsetX = 0, offsetY = 0;     // where they begin on the paper
  int dpiX = 0, dpiY = 0;
  bool portrait = false;
};

bool TestPrinterPage(PrinterPage& page) {
  win::CreatedDC printer(CreateDCA("WINSPOOL", testprint::kTestPrinter, nullptr, nullptr));
  if (!printer) return false;
  HDC dc = printer.Get();
  page.width = GetDeviceCaps(dc, HORZRES);
  page.height = GetDeviceCaps(dc, VERTRES);
  page.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  page.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  page.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  page.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  page.portrait = GetDeviceCaps(dc, HORZSIZE) < GetDeviceCaps(dc, VERTSIZE);
  return page.width > 0 && page.dpiX > 0 && page.dpiY > 0;
}

TEST_F(FalcetPrint, APictureIsPrintedAsTheViewShowsItAtItsPlaceOnThePage) {
  ASSERT_TRUE(ready_);
  PrinterPage printer;
  ASSERT_TRUE(TestPrinterPage(printer));
  // A blue picture on the view's black ground (option field 21 is 0).
  std::string picture = WritePicture(Copy().File("blue.bmp"), 64, 40, RGB(0x20, 0x40, 0xE0));
  std::string output = Copy().File("page.ps");
  HWND frame = Start(picture);
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("blue.bmp"), kEventLimitMs), 0);
  HWND area = driver::FindChild(frame, kPictureId);
  ASSERT_NE(area, nullptr);
  RECT view;
  GetClientRect(area, &view);
  ASSERT_GT(view.right, 64);
  driver::PostCommand(frame, kPrintButton);
  ASSERT_TRUE(testprint::PrintToFile(Process().Id(), output, 10000));
  ASSERT_TRUE(WaitForFile(output, kEventLimitMs));
  std::string ps;
  ASSERT_TRUE(WaitUntil(
      [&] { return fileio::ReadWholeFile(output, ps) == fileio::kOk && ps.find("%%EOF") != std::string::npos; }, kEventLimit));
  EXPECT_EQ(ps.rfind("%!PS", 0), 0u);
  EXPECT_NE(ps.find("%%Page: 1"), std::string::npos);
  EXPECT_EQ(Close(), 0);

  ASSERT_FALSE(testprint::UnixPath(output).empty()) << "not under Wine";
  testprint::Page page;
  std::string error;
  ASSERT_TRUE(testprint::RenderFirstPage(output, Copy().File("page.ppm"), page, error)) << error;
  // The view's rectangle where the printer's margins put it, in the rendered page's dots.
  Fit f = PrintPlacement(printer.width, printer.height, printer.portrait, view.right, view.bottom);
  ASSERT_GT(f.width, 0);
  auto dotX = [&](int x) { return (printer.offsetX + x) * 30 / printer.dpiX; };
  auto dotY = [&](int y) { return (printer.offsetY + y) * 30 / printer.dpiY; };
  auto paper = [&page](int x, int y) { return testprint::NearColour(page.At(x, y), 255, 255, 255); };
  int middleX = dotX(f.x + f.width / 2), middleY = dotY(f.y + f.height / 2);
  ASSERT_LT(middleX, page.width);
  ASSERT_LT(middleY, page.height);
  // The picture in the middle of the view, the black ground around it.
  EXPECT_TRUE(testprint::NearColour(page.At(middleX, middleY), 0x20, 0x40, 0xE0, 24));
  int left = 0, right = page.width - 1, top = 0, bottom = page.height - 1;
  while (left < page.width && paper(left, middleY)) ++left;
  while (right > 0 && paper(right, middleY)) --right;
  while (top < page.height && paper(middleX, top)) ++top;
  while (bottom > 0 && paper(middleX, bottom)) --bottom;
  EXPECT_TRUE(testprint::NearColour(page.At(left + 2, middleY), 0, 0, 0, 24));
  EXPECT_NEAR(left, dotX(f.x), 2);
  EXPECT_NEAR(right + 1, dotX(f.x + f.width), 2);
  EXPECT_NEAR(top, dotY(f.y), 2);
  EXPECT_NEAR(bottom + 1, dotY(f.y + f.height), 2);
}

TEST_F(FalcetPrint, WithoutADefaultPrinterTheSystemsTextIsShownAndNothingPrints) {
  ASSERT_TRUE(ready_);
  std::string picture = WritePicture(Copy().File("blue.bmp"), 64, 40, RGB(0x20, 0x40, 0xE0));
  HWND frame = Start(picture);
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("blue.bmp"), kEventLimitMs), 0);
  char expected[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 1797, 0, expected,
                 sizeof expected, nullptr);
  std::string text = expected;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  ASSERT_FALSE(text.empty());
  {
    testprint::NoDefaultPrinter none;
    ASSERT_TRUE(none.Ok());
    driver::PostCommand(frame, kPrintButton);
    // The box is named after the window, which names the picture.
    HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::WindowText(box), Title("blue.bmp"));
    std::string said = AnswerBox(Process().Id());
    EXPECT_NE(said.find(text), std::string::npos) << said << " / " << text;
    // No print dialog follows the message.
    PumpMessages(500);
    EXPECT_EQ(FindTopWindow("#32770",
                            [&](HWND w) {
                              DWORD pid = 0;
                              GetWindowThreadProcessId(w, &pid);
                              return pid == Process().Id() && IsWindowVisible(w);
                            }),
              nullptr);
  }
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace falcet

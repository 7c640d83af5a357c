// The picture tool's boxes as a user drives them: the filter box, the size box, the text
// box with its colour pick, and the red-eye touch-up, checked through the files saved.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "bravik_fixture.h"
#include "colorpick.h"
#include "driver.h"
#include "fileio/file.h"
#include "fontbox.h"
#include "imaging/layer_file.h"
#include "imglib/codecs.h"
#include "imglib/imglib.h"
#include "toolbox.h"

namespace bravik {
namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) { return os << c.r << "," << c.g << "," << c.b; }

// The pixels of a saved picture.
class Saved {
 public:
  explicit Saved(const std::string& path) { ok_ = L_LoadBitmap(path, bitmap_.Get(), 24) == imglib::kSuccess; }
  bool Ok() const { return ok_; }
  Rgb At(int x, int y) {
    const uint8_t* p = bitmap_->bits + size_t(y) * size_t(bitmap_->stride) + size_t(x) * 3;
    return Rgb{p[2], p[1], p[0]};
  }
  int Width() { return bitmap_->width; }
  int Height() { return bitmap_->height; }

 private:
  imglib::BitmapOwner bitmap_;
  bool ok_ = false;
};

// A picture of one colour (no darker top row).
bool WritePlain(const std::string& path, int w, int h, unsigned char r, unsigned char g, unsigned char b) {
  imglib::Raster p;
  p.Allocate(w, h);
  p.Fill(r, g, b);
  std::string bytes;
  return imglib::EncodePicture(p, imglib::kFormatBmp, 24, 0, bytes) == imglib::kSuccess &&
         fileio::WriteFileReplacing(path, bytes) == fileio::kOk;
}

std::chrono::milliseconds Ms(DWORD milliseconds) { return std::chrono::milliseconds(milliseconds); }

HWND WaitBox(Tool& tool, const char* className) { return WaitProcessWindow(tool.ProcessId(), className, nullptr, kWaitMs); }

bool WaitBoxGone(const char* className) {
  return PumpUntil([&] { return FindWindowA(className, nullptr) == nullptr; }, std::chrono::milliseconds(kWaitMs));
}

TEST_F(Bravik, TheFilterBoxAppliesItsValueAndCancelLoadsNothing) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 12, 8, 30, 100, 200));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 12 x8"));
  // Contrast 5 (50 for the library): the pixels of the filter's unit test.
  tool.Post(kCmdContrast);
  HWND box = WaitBox(tool, kFilterBoxClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kBoxValueField, kWaitMs), "5"));
  ASSERT_TRUE(PressBoxButton(box, kBoxApply));
  ASSERT_TRUE(WaitBoxGone(kFilterBoxClass));
  ASSERT_TRUE(tool.SaveAs("c.bmp"));
  Saved contrast(folder.Picture("c.bmp"));
  ASSERT_TRUE(contrast.Ok());
  EXPECT_EQ(contrast.At(5, 5), (Rgb{25, 99, 204}));
  // A value typed and then cancelled changes nothing.
  tool.Post(kCmdContrast);
  box = WaitBox(tool, kFilterBoxClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kBoxValueField, kWaitMs), "90"));
  ASSERT_TRUE(PressBoxButton(box, kBoxCancel));
  ASSERT_TRUE(WaitBoxGone(kFilterBoxClass));
  ASSERT_TRUE(tool.SaveAs("d.bmp"));
  Saved cancelled(folder.Picture("d.bmp"));
  ASSERT_TRUE(cancelled.Ok());
  EXPECT_EQ(cancelled.At(5, 5), (Rgb{25, 99, 204}));
  // A box without a value: invert applies at once.
  tool.Post(kCmdContrast + 5);
  box = WaitBox(tool, kFilterBoxClass);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetDlgItem(box, kBoxValueField), nullptr);
  ASSERT_TRUE(PressBoxButton(box, kBoxApply));
  ASSERT_TRUE(WaitBoxGone(kFilterBoxClass));
  ASSERT_TRUE(tool.SaveAs("e.bmp"));
  EXPECT_EQ(Saved(folder.Picture("e.bmp")).At(0, 0), (Rgb{230, 156, 51}));
  EXPECT_EQ(tool.End(), 0);
}

// A window of another program (the test's own), shown behind the tool without taking the
// activation: what the desktop would activate when the tool gave it up.
class OtherWindow {
 public:
  OtherWindow() {
    window_ = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_BORDER, 0, 0, 200, 120, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (window_) ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~OtherWindow() {
    if (window_) DestroyWindow(window_);
  }
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// After Apply in a filter box or the size box the tool stays in front, not another
// program's window.
TEST_F(Bravik, TheToolStaysInFrontAfterApplyInItsBoxes) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 40, 30, 30, 100, 200));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 40 x30"));
  OtherWindow other;
  ASSERT_NE(other.Get(), nullptr);
  auto toolInFront = [&] { return PumpUntil([&] { return GetForegroundWindow() == tool.Frame(); }, Ms(kWaitMs)); };
  ASSERT_TRUE(toolInFront());
  ASSERT_TRUE(tool.ApplyBox(kCmdContrast + 5));  // invert
  EXPECT_TRUE(toolInFront()) << "the foreground is " << GetForegroundWindow() << ", the other window "
                             << other.Get();
  EXPECT_TRUE(IsWindowEnabled(tool.Frame()));
  tool.Post(kCmdResize);
  HWND box = WaitBox(tool, kSizeBoxClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kBoxWidthField, kWaitMs), "20"));
  ASSERT_TRUE(PressBoxButton(box, kBoxApply));
  ASSERT_TRUE(tool.WaitStatusHolds(" 20 x15 "));
  EXPECT_TRUE(toolInFront());
  // The text box's OK too.
  ASSERT_TRUE(tool.AddText("in front"));
  EXPECT_TRUE(toolInFront());
  EXPECT_EQ(tool.End(), 0);
}

// The question about a changed picture, closed without an answer (its close button or
// Escape), keeps the tool open with the change; "No" then ends it without saving.
TEST_F(Bravik, ClosingTheSaveQuestionKeepsTheToolAndTheChange) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 12, 8, 30, 100, 200));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 12 x8"));
  ASSERT_TRUE(tool.ApplyBox(kCmdContrast + 5));  // invert: the picture has changed
  auto question = [&] { return WaitProcessWindow(tool.ProcessId(), "SKMSGBOX", nullptr, kWaitMs); };
  auto questionGone = [&] {
    return PumpUntil([&] { return WaitProcessWindow(tool.ProcessId(), "SKMSGBOX", nullptr, 0) == nullptr; },
                     Ms(kWaitMs));
  };
  // The box's close button.
  PostMessageA(tool.Frame(), WM_CLOSE, 0, 0);
  HWND box = question();
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(driver::BoxText(box), "The picture has changed. Save it first?");
  // A message answered after the close request's handling has returned: the tool is still
  // there then, or it never stays.
  auto stillThere = [&] {
    SendAndWait(tool.Frame(), WM_NULL, 0, 0);
    return IsWindow(tool.Frame()) && IsWindowEnabled(tool.Frame()) && tool.Wait(0) == -1;
  };
  PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(questionGone());
  EXPECT_TRUE(stillThere()) << "the tool ended";
  // Escape.
  PostMessageA(tool.Frame(), WM_CLOSE, 0, 0);
  box = question();
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(questionGone());
  EXPECT_TRUE(stillThere()) << "the tool ended";
  // The same for going on to another picture: the change stays on the screen.
  tool.Post(kButtonReload);
  box = question();
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(questionGone());
  ASSERT_TRUE(tool.SaveAs("kept.bmp"));
  Saved kept(folder.Picture("kept.bmp"));
  ASSERT_TRUE(kept.Ok());
  EXPECT_EQ(kept.At(5, 5), (Rgb{225, 155, 55}));
  EXPECT_EQ(Saved(a).At(5, 5), (Rgb{30, 100, 200}));
  // Saved now: a further change and "No" end the tool without saving it.
  ASSERT_TRUE(tool.ApplyBox(kCmdContrast + 5));
  PostMessageA(tool.Frame(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(tool.Answer(2));
  EXPECT_EQ(tool.Wait(kWaitMs), 0);
  EXPECT_EQ(Saved(folder.Picture("kept.bmp")).At(5, 5), (Rgb{225, 155, 55}));
}

TEST_F(Bravik, ANewPictureIsWhiteAndSizesThatCannotBeMadeAreRefused) {
  BravikFolder& folder = Copy();
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  tool.Post(kCmdNewPicture);
  HWND box = WaitBox(tool, kSizeBoxClass);
  ASSERT_NE(box, nullptr);
  // 0 wide: a message, and the box stays for a better size.
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kBoxWidthField, kWaitMs), "0"));
  ASSERT_TRUE(PressBoxButton(box, kBoxApply));
  ASSERT_TRUE(tool.Answer(1));
  EXPECT_TRUE(IsWindow(box));
  ASSERT_TRUE(driver::SetText(GetDlgItem(box, kBoxWidthField), "320"));
  ASSERT_TRUE(driver::SetText(GetDlgItem(box, kBoxHeightField), "200"));
  ASSERT_TRUE(PressBoxButton(box, kBoxApply));
  EXPECT_TRUE(tool.WaitStatusHolds(" braviktmp.bmp 320 x200 "));
  ASSERT_TRUE(tool.SaveAs("new.bmp"));
  Saved made(folder.Picture("new.bmp"));
  ASSERT_TRUE(made.Ok());
  EXPECT_EQ(made.Width(), 320);
  EXPECT_EQ(made.At(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(made.At(319, 199), (Rgb{255, 255, 255}));
  // Resizing keeps the proportions while the box says so.
  tool.Post(kCmdResize);
  box = WaitBox(tool, kSizeBoxClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kBoxWidthField, kWaitMs), "160"));
  EXPECT_TRUE(PumpUntil([&] { return driver::WindowText(GetDlgItem(box, kBoxHeightField)) == "100"; },
                        std::chrono::milliseconds(kWaitMs)));
  ASSERT_TRUE(PressBoxButton(box, kBoxApply));
  EXPECT_TRUE(tool.WaitStatusHolds(" 160 x100 "));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, TheTextBoxSettingsReachTheSideFile) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 200, 100, 255, 255, 255));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 200 x100"));
  tool.Post(kCmdNewText);
  HWND box = WaitBox(tool, kFontBoxClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(driver::SetText(driver::WaitChild(box, kFontText, kWaitMs), "Red"));
  ASSERT_TRUE(driver::SetText(GetDlgItem(box, kFontSize), "30"));
  int values[4] = {128, 255, 0, 0};
  for (int i = 0; i < 4; ++i) SendMessageA(GetDlgItem(box, kFontAlpha + i), TBM_SETPOS, TRUE, values[i]);
  SendMessageA(GetDlgItem(box, kFontDepth), BM_SETCHECK, BST_CHECKED, 0);
  size_t before = tool.Objects().size();
  ASSERT_TRUE(PressBoxButton(box, kFontOk));
  ASSERT_TRUE(PumpUntil([&] { return tool.Objects().size() == before + 1; }, std::chrono::milliseconds(kWaitMs)));
  ASSERT_TRUE(tool.SaveAs("t.png"));
  layer::Trailer trailer;
  std::vector<layer::Object> objects;
  ASSERT_TRUE(layer::ReadFile(layer::LayerPathFor(folder.Picture("t.png")), trailer, objects));
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].text, "Red");
  EXPECT_EQ(objects[0].size, 30);
  EXPECT_EQ(objects[0].colour, 0x80FF0000u);
  EXPECT_EQ(objects[0].shadow, 2);
  EXPECT_EQ(objects[0].font, "Arial");
  EXPECT_EQ(tool.End(), 0);
}

// The text box and the shape box as they stand on the screen: the character grid and the
// colour swatch lie inside the box, and the swatch leaves the colour labels readable.
TEST_F(Bravik, TheTextAndShapeBoxesKeepTheirControlsInsideAndApart) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 200, 100, 255, 255, 255));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 200 x100"));
  auto screenRect = [](HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
  };
  auto inside = [](const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
  };
  auto check = [&](HWND box, bool text) {
    RECT client{};
    GetClientRect(box, &client);
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
    HWND swatch = driver::WaitChild(box, kFontSwatch, kWaitMs);
    ASSERT_NE(swatch, nullptr);
    RECT s = screenRect(swatch);
    EXPECT_TRUE(inside(s, client)) << "the swatch";
    int labels = 0;
    for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      std::string caption = driver::WindowText(w);
      if (caption != "Alpha" && caption != "Red" && caption != "Green" && caption != "Blue") continue;
      ++labels;
      RECT l = screenRect(w), common{};
      EXPECT_TRUE(inside(l, client)) << caption;
      EXPECT_FALSE(IntersectRect(&common, &l, &s)) << "the swatch covers the label " << caption;
    }
    EXPECT_EQ(labels, 4);
    if (text) {
      HWND grid = GetDlgItem(box, kFontGrid);
      ASSERT_NE(grid, nullptr);
      RECT g = screenRect(grid);
      EXPECT_TRUE(inside(g, client)) << "the grid is " << g.right - g.left << " wide in a box of "
                                     << client.right - client.left;
    }
  };
  tool.Post(kCmdNewText);
  HWND box = WaitBox(tool, kFontBoxClass);
  ASSERT_NE(box, nullptr);
  check(box, true);
  PostMessageA(box, WM_COMMAND, kFontClose, 0);
  ASSERT_TRUE(WaitBoxGone(kFontBoxClass));
  tool.Post(kCmdNewArrow);  // the arrow's box comes without the fill style menu
  box = WaitBox(tool, kDrawBoxClass);
  ASSERT_NE(box, nullptr);
  check(box, false);
  PostMessageA(box, WM_COMMAND, kFontClose, 0);
  ASSERT_TRUE(WaitBoxGone(kDrawBoxClass));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, TheColourPickSetsTheColourBars) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 50, 40, 255, 255, 255));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 50 x40"));
  tool.Post(kCmdNewText);
  HWND box = WaitBox(tool, kFontBoxClass);
  ASSERT_NE(box, nullptr);
  HWND chart = driver::WaitChild(box, kFontPick, kWaitMs);
  ASSERT_NE(chart, nullptr);
  RECT r;
  GetClientRect(chart, &r);
  auto bars = [&] {
    return Rgb{int(SendMessageA(GetDlgItem(box, kFontAlpha + 1), TBM_GETPOS, 0, 0)),
               int(SendMessageA(GetDlgItem(box, kFontAlpha + 2), TBM_GETPOS, 0, 0)),
               int(SendMessageA(GetDlgItem(box, kFontAlpha + 3), TBM_GETPOS, 0, 0))};
  };
  // The chart's left edge: white at the top, pure red half-way down.
  SendAndWait(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
  EXPECT_EQ(bars(), (Rgb{255, 255, 255}));
  SendAndWait(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, r.bottom / 2));
  EXPECT_EQ(bars(), (Rgb{255, 0, 0}));
  EXPECT_EQ(driver::WindowText(GetDlgItem(box, kFontValueLabel + 1)), "255");
  EXPECT_EQ(driver::WindowText(GetDlgItem(box, kFontValueLabel + 2)), "0");
  // Closed without OK: no object.
  PostMessageA(box, WM_COMMAND, kFontClose, 0);
  ASSERT_TRUE(WaitBoxGone(kFontBoxClass));
  EXPECT_TRUE(tool.Objects().empty());
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, RedEyeAtTheCornerGreysEightPixelsAndTheRightButtonRestores) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 10, 10, 200, 20, 20));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 10 x10"));
  tool.Run(kCmdRedEye);
  tool.Click(0, 0);
  ASSERT_TRUE(tool.SaveAs("r1.bmp"));
  Saved one(folder.Picture("r1.bmp"));
  ASSERT_TRUE(one.Ok());
  auto greys = [](Saved& s) {
    int n = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) n += !(s.At(x, y) == Rgb{200, 20, 20});
    return n;
  };
  EXPECT_EQ(greys(one), 8);
  EXPECT_EQ(one.At(2, 2), (Rgb{200, 20, 20}));  // the square's corner
  // A second touch undone by the right button leaves the picture as it was saved.
  tool.Run(kCmdRedEye);
  tool.Click(6, 6);
  tool.Click(6, 6, true);
  ASSERT_TRUE(tool.SaveAs("r2.bmp"));
  Saved two(folder.Picture("r2.bmp"));
  ASSERT_TRUE(two.Ok());
  EXPECT_EQ(greys(two), 8);
  EXPECT_EQ(two.At(6, 6), (Rgb{200, 20, 20}));
  EXPECT_EQ(tool.End(), 0);
}

TEST_F(Bravik, ReliefWorksOnThePictureAsItIsShown) {
  BravikFolder& folder = Copy();
  std::string a = folder.Picture("a.bmp");
  ASSERT_TRUE(WritePlain(a, 20, 20, 200, 20, 20));
  Tool tool = StartTool();
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.Open(a, "a.bmp 20 x20"));
  // A red-eye touch in the middle, then relief: the touched pixels are in the result.
  tool.Run(kCmdRedEye);
  tool.Click(10, 10);
  tool.Run(kCmdReliefFirst + 4);  // light from the north
  ASSERT_TRUE(tool.SaveAs("relief.bmp"));
  Saved relief(folder.Picture("relief.bmp"));
  ASSERT_TRUE(relief.Ok());
  // Flat parts lie under the relief's grey 128: the red halved, the touched grey (73) too.
  EXPECT_EQ(relief.At(2, 2), (Rgb{100, 10, 10}));
  EXPECT_EQ(relief.At(10, 10), (Rgb{37, 37, 37}));
  EXPECT_EQ(tool.End(), 0);
}

}  // namespace
}  // namespace bravik

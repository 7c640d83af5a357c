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

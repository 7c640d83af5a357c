// The test driver program against real windows: a skinned message box pressed from another
// process, texts and lists read across processes, and a window captured to a file.
#include <gtest/gtest.h>

#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "test_windows.h"

namespace {

std::string Driver() { return TestProgramFolder() + "testdriver.exe"; }

TEST(Driver, PressesAMessageBoxButtonFromAnotherProcess) {
  SKINITENGINE("");
  ChildProcess press;
  ASSERT_TRUE(press.Start(Driver(), "press SKMSGBOX 2 10000"));
  SkBoxStyle style;
  style.icon = LoadIcon(nullptr, IDI_QUESTION);
  int answer = SKMSGBOX(nullptr, SKCAPTIONFONT(), "Question", "Keep the picture?|It was changed.", "&Yes|&No|Cancel",
                        style);
  EXPECT_EQ(answer, 2);
  EXPECT_EQ(press.Wait(10000), 0);
}

TEST(Driver, PressesByCaptionAndClosingGivesNoAnswer) {
  SKINITENGINE("");
  ChildProcess press;
  ASSERT_TRUE(press.Start(Driver(), "press SKMSGBOX Cancel 10000"));
  EXPECT_EQ(SKMSGBOX(nullptr, nullptr, "Q", "text", "Yes|No|Cancel", SkBoxStyle{}), 3);
  EXPECT_EQ(press.Wait(10000), 0);
  ChildProcess close;
  ASSERT_TRUE(close.Start(Driver(), "close SKMSGBOX"));
  EXPECT_EQ(SKMSGBOX(nullptr, nullptr, "Q", "text", "Yes|No", SkBoxStyle{}), 0);
  EXPECT_EQ(close.Wait(10000), 0);
}

TEST(Driver, ADisabledOwnerComesBackAfterTheBox) {
  SKINITENGINE("");
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  ChildProcess press;
  ASSERT_TRUE(press.Start(Driver(), "press SKMSGBOX 1 10000"));
  EXPECT_EQ(SKMSGBOX(owner, nullptr, "Note", "Done", "", SkBoxStyle{}), 1);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
  EXPECT_EQ(press.Wait(10000), 0);
}

TEST(Driver, ReadsListsAndTextsOfAnotherProcessAndCaptures) {
  TempDir dir;
  HWND frame = CreateWindowExA(0, "STATIC", "frame \xe9", WS_POPUP | WS_VISIBLE, 20, 20, 220, 160, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(frame, nullptr);
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, frame,
                              reinterpret_cast<HMENU>(INT_PTR(3)), nullptr, nullptr);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(" a.jpg"));
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(" b \xe9.png"));
  // testdriver runs in its own process and finds the frame by its (system) class name,
  // so this test works on the list handle directly and through the program.
  EXPECT_EQ(driver::ListItems(list), (std::vector<std::string>{" a.jpg", " b \xe9.png"}));
  EXPECT_EQ(driver::WindowText(frame), "frame \xe9");
  EXPECT_EQ(driver::FindChild(frame, 3), list);
  PumpMessages(100);
  std::string bmp = dir.File("shot.bmp");
  ASSERT_TRUE(driver::CaptureWindow(frame, bmp));
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(bmp, bytes), fileio::kOk);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  int width = int(uint8_t(bytes[18])) | (int(uint8_t(bytes[19])) << 8);
  EXPECT_EQ(width, 220);
  DestroyWindow(frame);
}

}  // namespace

namespace {

// Reads the pixel at (x, y) of a 24-bit BMP written by CaptureWindow.
COLORREF BmpPixel(const std::string& bytes, int x, int y) {
  auto u32 = [&bytes](size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
  };
  int width = int(u32(18)), height = int(u32(22));
  size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  size_t at = u32(10) + size_t(height - 1 - y) * stride + size_t(x) * 3;
  return RGB(uint8_t(bytes[at + 2]), uint8_t(bytes[at + 1]), uint8_t(bytes[at]));
}

TEST(SkinnedFrame, CaptionBordersHoldersAndBoxInAProgram) {
  TempDir dir;
  ChildProcess demo;
  ASSERT_TRUE(demo.Start(TestProgramFolder() + "skindemo.exe", ""));
  HWND frame = WaitForWindow("SKINDEMO", kEventLimitMs, demo.Id());
  ASSERT_NE(frame, nullptr);
  HWND list = driver::WaitChild(frame, 3, kEventLimitMs);
  ASSERT_NE(list, nullptr);

  // The client area sits inside the skin's borders and caption.
  const SkinTheme skin = DefaultSkin();
  RECT wr, cr;
  GetWindowRect(frame, &wr);
  GetClientRect(frame, &cr);
  POINT origin{0, 0};
  ClientToScreen(frame, &origin);
  EXPECT_EQ(origin.x - wr.left, skin.Metric(kSkinLeftBorder));
  EXPECT_EQ(origin.y - wr.top, skin.Metric(kSkinCaptionHeight));
  EXPECT_EQ((wr.right - wr.left) - cr.right, skin.Metric(kSkinLeftBorder) + skin.Metric(kSkinRightBorder));
  // The holders fill it: the menu holder on top, the status line at the bottom.
  HWND status = driver::FindChildByClass(frame, "SKSTATUS");
  ASSERT_NE(status, nullptr);
  RECT sr;
  GetWindowRect(status, &sr);
  EXPECT_EQ(sr.bottom - sr.top, skin.Metric(kSkinStatusHeight));
  EXPECT_EQ(sr.bottom, wr.bottom - skin.Metric(kSkinBottomBorder));

  // The caption is painted in the skin's caption colour.
  SetForegroundWindow(frame);
  PumpMessages(300);
  std::string shot = dir.File("frame.bmp");
  ASSERT_TRUE(driver::CaptureWindow(frame, shot));
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(shot, bytes), fileio::kOk);
  EXPECT_EQ(BmpPixel(bytes, (wr.right - wr.left) / 2, skin.Metric(kSkinCaptionHeight) / 2 - 6),
            COLORREF(skin.Colour(kSkinCaptionBack)));

  // A command opens the engine's box; its answer reaches the program.
  driver::PostCommand(frame, 1);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return driver::WindowText(status) == "answer 2"; }, std::chrono::seconds(10)))
      << driver::WindowText(status);

  // Code 10 closes it, and it ends with exit code 0.
  driver::SendCommand(frame, kCodeClose, "");
  EXPECT_EQ(demo.Wait(10000), 0);
}

}  // namespace

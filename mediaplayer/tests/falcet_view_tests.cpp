// The picture view: a picture at full size under scroll bars (menu item 401).
#include <windows.h>

#include <vector>

#include "avi_writer.h"
#include "bmp_file.h"
#include "falcet_test.h"
#include "test_windows.h"

namespace falcet {
namespace {

using namespace std::chrono_literals;

// A 2000 x 1500 picture of 50-pixel squares: red by the square's row, green by its column,
// and the last ten rows blue, so that a pixel of the view tells where the picture stands.
std::string WriteSquares(const std::string& path) {
  const int width = 2000, height = 1500;
  std::vector<unsigned char> bgr(size_t(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* px = &bgr[(size_t(y) * width + x) * 3];
      bool edge = y >= height - 10;
      px[0] = edge ? 255 : 64;
      px[1] = edge ? 0 : ((x / 50) % 2 ? 255 : 0);
      px[2] = edge ? 0 : ((y / 50) % 2 ? 255 : 0);
    }
  EXPECT_TRUE(WriteBmp(path, width, height, bgr));
  return path;
}

struct Rgb {
  int red = -1, green = -1, blue = -1;
};

// A pixel of the area's client part, read from the screen.
Rgb PixelAt(HWND area, int x, int y) {
  int width = 0, height = 0;
  std::vector<unsigned char> bgr;
  if (!driver::CaptureWindowPixels(area, width, height, bgr)) return {};
  POINT origin{0, 0};
  ClientToScreen(area, &origin);
  RECT window;
  GetWindowRect(area, &window);
  int cx = origin.x - window.left + x, cy = origin.y - window.top + y;
  if (cx < 0 || cy < 0 || cx >= width || cy >= height) return {};
  const unsigned char* px = &bgr[(size_t(cy) * width + cx) * 3];
  return {px[2], px[1], px[0]};
}

TEST_F(Falcet, APictureAtFullSizeScrollsFiftyPixelsALineToItsEdge) {
  Copy().SetOption(16, "1");  // menu item 401 (scroll bars) from the start
  std::string picture = WriteSquares(Copy().File("squares.bmp"));
  HWND frame = Start(picture);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("squares.bmp"), kEventLimitMs), 0);
  HWND area = driver::FindChildByClass(frame, "SKCTL");
  ASSERT_NE(area, nullptr);
  SetForegroundWindow(frame);
  auto at = [&](int x, int y, int red, int green, int blue) {
    return WaitUntil([&] {
      Rgb c = PixelAt(area, x, y);
      return c.red == red && c.green == green && c.blue == blue;
    }, 5s, 50ms);
  };
  // The picture's top-left square at full size (not shrunk to fit: the next column of
  // squares starts 50 pixels on).
  EXPECT_TRUE(at(5, 5, 0, 0, 64));
  EXPECT_TRUE(at(55, 5, 0, 255, 64));
  // A line down: the second row of squares at the top.
  SendMessageA(area, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_TRUE(at(5, 5, 255, 0, 64));
  // A line right: the second column.
  SendMessageA(area, WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_TRUE(at(5, 5, 255, 255, 64));
  // Down to the edge: the last rows fill the bottom of the view, and no more lines take it
  // past them.
  for (int i = 0; i < 40; ++i) SendMessageA(area, WM_VSCROLL, SB_LINEDOWN, 0);
  RECT client;
  GetClientRect(area, &client);
  EXPECT_TRUE(at(5, client.bottom - 1, 0, 0, 255));
  EXPECT_TRUE(at(5, client.bottom - 12, (((1490 - 11) / 50) % 2) ? 255 : 0, 255, 64));
  // The whole way back up.
  SendMessageA(area, WM_VSCROLL, SB_TOP, 0);
  EXPECT_TRUE(at(5, 5, 0, 255, 64));
  EXPECT_EQ(Close(), 0);
}

// A built show plays as the automatic slide show (variant 2); with the scroll bars on, its
// wipe from the left still paints frames between the two pictures into the view.
TEST_F(Falcet, TheAutomaticShowPaintsItsTransitionUnderTheScrollBars) {
  FalcetFolder& folder = Copy();
  folder.SetOption(16, "1");   // menu item 401 (scroll bars)
  folder.SetOption(20, "60");  // each step of a transition takes 60 ms at least
  std::string show = folder.File("show\\");
  WritePicture(show + "00000001.bmp", 1200, 900, RGB(200, 0, 0));
  WritePicture(show + "00000002.bmp", 1200, 900, RGB(0, 0, 200));
  folder.Write("show\\00000002.sfx", "2000,0,0");
  folder.Write("show\\falcet.ssf", "[|0|0|0|0|0|4000|0]\r\n@path@00000001.bmp,1000\r\n@path@00000002.bmp,60000\r\n");
  HWND frame = Start(show + "falcet.ssf");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs), 0);
  HWND area = driver::FindChild(frame, kPictureId);
  ASSERT_NE(area, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000002.bmp"), kEventLimitMs), 0);
  RECT client;
  GetClientRect(area, &client);
  auto isRed = [](const Rgb& c) { return c.red > 150 && c.blue < 60; };
  auto isBlue = [](const Rgb& c) { return c.blue > 150 && c.red < 60; };
  // Half way: the new picture on the left, the old one still on the right.
  bool between = PumpUntil(
      [&] {
        Rgb left = PixelAt(area, 20, client.bottom / 2), right = PixelAt(area, client.right - 20, client.bottom / 2);
        return isBlue(left) && isRed(right);
      },
      5s, 10ms);
  EXPECT_TRUE(between);
  // And it ends on the new picture.
  EXPECT_TRUE(PumpUntil([&] { return isBlue(PixelAt(area, client.right - 20, client.bottom / 2)); }, 10s, 50ms));
  EXPECT_EQ(Close(), 0);
}

// The clipboard's DIB: its size and its centre pixel; false without one.
bool ClipboardPicture(int& width, int& height, Rgb& centre) {
  // Another program may hold the clipboard open for a moment.
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5s, 20ms)) return false;
  bool ok = false;
  if (HANDLE block = GetClipboardData(CF_DIB)) {
    if (auto* h = static_cast<const BITMAPINFOHEADER*>(GlobalLock(block))) {
      width = h->biWidth;
      height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
      if (h->biBitCount == 24) {
        const unsigned char* bits = reinterpret_cast<const unsigned char*>(h) + h->biSize;
        size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
        const unsigned char* px = bits + stride * size_t(height / 2) + size_t(width / 2) * 3;
        centre = {px[2], px[1], px[0]};
        ok = true;
      }
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return ok;
}

TEST_F(Falcet, CopyPutsThePicturesBitsOnTheClipboardAndRefusesAVideo) {
  std::string picture = WritePicture(Copy().File("red.bmp"), 40, 30, RGB(200, 40, 40));
  HWND frame = Start(picture);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("red.bmp"), kEventLimitMs), 0);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  driver::PostCommand(frame, kCopyButton);
  std::string said = AnswerBox(Process().Id());
  EXPECT_NE(said.find(" is on the clipboard."), std::string::npos) << said;
  int width = 0, height = 0;
  Rgb centre;
  ASSERT_TRUE(ClipboardPicture(width, height, centre));
  EXPECT_EQ(width, 40);
  EXPECT_EQ(height, 30);
  EXPECT_EQ(centre.red, 200);
  EXPECT_EQ(centre.green, 40);
  EXPECT_EQ(centre.blue, 40);
  // A video is no picture to copy.
  std::string clip = Copy().Write("clip.avi", avitest::UncompressedAvi(64, 48, 10, std::vector<uint32_t>(50, 0x808080)));
  driver::SendCommand(frame, kCodeOpen, clip);
  EXPECT_GE(WaitTitle(frame, Title("clip.avi"), kEventLimitMs), 0);
  driver::PostCommand(frame, kCopyButton);
  EXPECT_EQ(AnswerBox(Process().Id()), "This works on pictures only.");
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace falcet

// The marquee on a test pane: its place, size and transparency, its title, its move of two
// pixels a tick, and how it follows its owner.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "jorvel/marquee.h"
#include "test_windows.h"
#include "win/raii.h"

namespace {

class Marquee : public ::testing::Test {
 protected:
  void SetUp() override {
    pane = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 240, 80, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(pane, nullptr);
  }
  void TearDown() override {
    if (strip) DestroyWindow(strip);
    DestroyWindow(pane);
  }
  HWND pane = nullptr;
  HWND strip = nullptr;
};

// The strip's drawn title, row by row.
std::vector<uint32_t> TitlePixels(HWND strip, int& width, int& height) {
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(strip, WM_USER, 0, 0));
  DIBSECTION dib{};
  width = height = 0;
  if (!bitmap || GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib) return {};
  width = dib.dsBm.bmWidth;
  height = dib.dsBm.bmHeight;
  GdiFlush();
  const auto* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits);
  return std::vector<uint32_t>(bits, bits + size_t(width) * size_t(height));
}

TEST_F(Marquee, IsALayeredStripAtTheOffsetsOwnedByThePane) {
  strip = jorvel::MARQUEEWIN(pane, nullptr, 10, 20);
  ASSERT_NE(strip, nullptr);
  char cls[32] = {};
  GetClassNameA(strip, cls, sizeof cls);
  EXPECT_STREQ(cls, "MARQUEE");
  EXPECT_EQ(GetWindow(strip, GW_OWNER), pane);
  LONG_PTR style = GetWindowLongPtrA(strip, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongPtrA(strip, GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(strip, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 160);
  RECT r{};
  GetWindowRect(strip, &r);
  EXPECT_EQ(r.left, 110);
  EXPECT_EQ(r.top, 120);
  // Without an element bitmap: 140 x 16.
  EXPECT_EQ(r.right - r.left, 140);
  EXPECT_EQ(r.bottom - r.top, 16);

  // The pane moves; told so, the strip follows without changing its size.
  SetWindowPos(pane, nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(strip, WM_MOVE, 0, 0);
  GetWindowRect(strip, &r);
  EXPECT_EQ(r.left, 310);
  EXPECT_EQ(r.top, 270);
  EXPECT_EQ(r.right - r.left, 140);
}

TEST_F(Marquee, TakesTheElementsSize) {
  win::Bitmap element(CreateBitmap(120, 18, 1, 32, nullptr));
  strip = jorvel::MARQUEEWIN(pane, element.Get(), 0, 0);
  ASSERT_NE(strip, nullptr);
  RECT r{};
  GetClientRect(strip, &r);
  EXPECT_EQ(r.right, 120);
  EXPECT_EQ(r.bottom, 18);
}

TEST_F(Marquee, TitleIsCasedDrawnAndMovesTwoPixelsATickRoundTheRing) {
  strip = jorvel::MARQUEEWIN(pane, nullptr, 10, 20);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(SendMessageA(strip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("jorvel - my (first) song")), 1);
  char text[64] = {};
  GetWindowTextA(strip, text, sizeof text);
  EXPECT_STREQ(text, "Jorvel - My (First) Song");
  int width = 0, height = 0;
  std::vector<uint32_t> before = TitlePixels(strip, width, height);
  ASSERT_FALSE(before.empty());
  // At least as wide as the strip's inner area (136), wider for a long title.
  EXPECT_GE(width, 137);
  // Magenta around the letters, and letters.
  EXPECT_EQ(before[0], 0x00FF00FFu);
  size_t lettered = 0;
  for (uint32_t p : before) lettered += (p & 0xFFFFFF) != 0xFF00FF;
  EXPECT_GT(lettered, 20u);

  SendMessageA(strip, WM_TIMER, 0, 0);
  int w2 = 0, h2 = 0;
  std::vector<uint32_t> after = TitlePixels(strip, w2, h2);
  ASSERT_EQ(w2, width);
  ASSERT_EQ(h2, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(after[size_t(y * width + x)], before[size_t(y * width + (x + 2) % width)]) << x << "," << y;
  PumpMessages(50);  // it paints without trouble
}

TEST_F(Marquee, AShortTitleStillFillsTheStrip) {
  strip = jorvel::MARQUEEWIN(pane, nullptr, 0, 0);
  ASSERT_NE(strip, nullptr);
  SetWindowTextA(strip, "a");
  int width = 0, height = 0;
  ASSERT_FALSE(TitlePixels(strip, width, height).empty());
  EXPECT_EQ(width, 137);  // the inner width 136, and one more
}

}  // namespace

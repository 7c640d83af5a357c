// pellox.dll as the programs call it: loaded by name from the program folder, its
// "skEffect" with the 11 arguments paints the picture into the rectangle, calling back
// between frames, and stops when the callback says so.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "imglib/imglib_effects.h"
#include "test_windows.h"
#include "win/raii.h"

namespace {

constexpr int kW = 64, kH = 48;

using SkEffect = int(WINAPI*)(HDC, int, int, int, int, HBITMAP, int, STATUSCALLBACK, int, int, int);

struct Calls {
  int count = 0;
  int lastPercent = -1;
  int stopAt = -1;
};
Calls gCalls;

int CALLBACK Count(int percent, void*) {
  gCalls.lastPercent = percent;
  return ++gCalls.count == gCalls.stopAt ? imglib::kUserAbort : imglib::kSuccess;
}

class PelloxDll : public ::testing::Test {
 protected:
  void SetUp() override {
    gCalls = Calls{};
    module_.Reset(LoadLibraryA((SuiteFolder() + "pellox.dll").c_str()));
    ASSERT_TRUE(module_);
    entry_ = reinterpret_cast<SkEffect>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), "skEffect")));
    ASSERT_NE(entry_, nullptr);
    screen_.emplace(nullptr);
    target_.emplace(*screen_, kW, kH);
    Fill(*target_, RGB(255, 0, 0), 0, 0, kW, kH);
    picture_.Reset(CreateCompatibleBitmap(*screen_, 40, 30));
    win::CompatibleDC mem(*screen_);
    win::SelectObj sel(mem, picture_.Get());
    Fill(mem, RGB(0, 0, 255), 0, 0, 40, 30);
  }
  static void Fill(HDC dc, COLORREF c, int x, int y, int w, int h) {
    win::Brush brush(CreateSolidBrush(c));
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, brush.Get());
  }
  COLORREF At(int x, int y) { return GetPixel(*target_, x, y) & 0xFFFFFF; }

  win::Module module_;
  SkEffect entry_ = nullptr;
  std::optional<win::WindowDC> screen_;
  std::optional<win::MemoryDC> target_;
  win::Bitmap picture_;
};

TEST_F(PelloxDll, PaintsEveryEffectIntoTheRectangleCallingBackBetweenFrames) {
  for (int effect : {-1, 0, 1, 2, 3, 4}) {
    gCalls = Calls{};
    Fill(*target_, RGB(255, 0, 0), 0, 0, kW, kH);
    // Step 10: ten frames, nine calls between them.
    EXPECT_EQ(entry_(*target_, 10, 8, 40, 30, picture_.Get(), 0, Count, 10, 0, effect), 1) << effect;
    EXPECT_EQ(gCalls.count, 9) << effect;
    EXPECT_EQ(gCalls.lastPercent, 90) << effect;
    EXPECT_EQ(At(10, 8), RGB(0, 0, 255)) << effect;
    EXPECT_EQ(At(49, 37), RGB(0, 0, 255)) << effect;
    EXPECT_EQ(At(9, 8), RGB(255, 0, 0)) << effect;
    EXPECT_EQ(At(50, 38), RGB(255, 0, 0)) << effect;
  }
}

TEST_F(PelloxDll, TheCallbacksStopValueEndsIt) {
  gCalls.stopAt = 2;
  EXPECT_EQ(entry_(*target_, 0, 0, kW, kH, picture_.Get(), 0, Count, 1, 0, 2), imglib::kUserAbort);
  EXPECT_EQ(gCalls.count, 2);
  EXPECT_EQ(At(0, 0), RGB(255, 0, 0));  // the page has hardly begun to turn
}

TEST_F(PelloxDll, TheTimeHoldsEachFrame) {
  DWORD start = GetTickCount();
  EXPECT_EQ(entry_(*target_, 0, 0, kW, kH, picture_.Get(), 0, nullptr, 25, 60, 1), 1);
  EXPECT_GE(GetTickCount() - start, 3u * 50u);  // four frames, three held (the clock is coarse)
  EXPECT_EQ(entry_(*target_, 0, 0, kW, kH, nullptr, 0, nullptr, 25, 0, 1), imglib::kInvalidParameter);
  EXPECT_EQ(entry_(nullptr, 0, 0, kW, kH, picture_.Get(), 0, nullptr, 25, 0, 1), imglib::kInvalidParameter);
}

}  // namespace

// A slide's transition painted by each painter: the imaging layer's with the caller's
// status callback only while it runs, the plug-in through "skEffect", and every kind of
// plan ends on the plain picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "dunmere/transition_paint.h"
#include "temp_dir.h"
#include "test_windows.h"
#include "win/raii.h"

namespace {

using namespace dunmere;

constexpr int kW = 60, kH = 40;

int gCalls = 0;
int CALLBACK Counting(int, void*) {
  ++gCalls;
  return imglib::kSuccess;
}
int CALLBACK Sentinel(int, void*) { return imglib::kSuccess; }

class SlideTransitionPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    gCalls = 0;
    screen_.emplace(nullptr);
    target_.emplace(*screen_, kW + 20, kH + 20);
    win::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT all{0, 0, kW + 20, kH + 20};
    FillRect(*target_, &all, red.Get());
    L_CreateBitmap(&picture_, kW, kH, 24);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) picture_.bits[y * picture_.stride + x * 3] = 255;  // blue
  }
  void TearDown() override {
    L_FreeBitmap(&picture_);
    L_SetStatusCallBack(nullptr, nullptr, nullptr, nullptr);
  }
  bool ShowsThePicture() {
    for (int y = 10; y < 10 + kH; y += 3)
      for (int x = 10; x < 10 + kW; x += 3)
        if ((GetPixel(*target_, x, y) & 0xFFFFFF) != RGB(0, 0, 255)) return false;
    return (GetPixel(*target_, 9, 9) & 0xFFFFFF) == RGB(255, 0, 0);
  }
  RECT area_{10, 10, 10 + kW, 10 + kH};
  std::optional<win::WindowDC> screen_;
  std::optional<win::MemoryDC> target_;
  ImgBitmap picture_{};
};

TEST_F(SlideTransitionPaint, TheImagingPainterCallsBackAndPutsThePreviousCallbackBack) {
  int data = 0;
  L_SetStatusCallBack(Sentinel, &data, nullptr, nullptr);
  TransitionPlan plan = PlanTransition(2000, 0, 0, 3000);
  EXPECT_EQ(PaintSlideTransition(*target_, area_, picture_, plan, Counting, nullptr), imglib::kSuccess);
  EXPECT_EQ(gCalls, imglib::kTransitionFrames - 1);
  EXPECT_TRUE(ShowsThePicture());
  void* back = nullptr;
  EXPECT_EQ(L_GetStatusCallBack(&back), &Sentinel);
  EXPECT_EQ(back, &data);
}

// What the area shows half way through, seen from the status callback as the programs'
// pumps see it.
struct HalfWay {
  HDC dc = nullptr;
  int calls = 0;
  int percent = -1;
  COLORREF leftQuarter = 0, rightQuarter = 0, outside = 0;
};
HalfWay gHalf;
int CALLBACK LookHalfWay(int percent, void*) {
  if (++gHalf.calls == imglib::kTransitionFrames / 2) {
    gHalf.percent = percent;
    gHalf.leftQuarter = GetPixel(gHalf.dc, 10 + kW / 4, 10 + kH / 2) & 0xFFFFFF;
    gHalf.rightQuarter = GetPixel(gHalf.dc, 10 + kW * 3 / 4, 10 + kH / 2) & 0xFFFFFF;
    gHalf.outside = GetPixel(gHalf.dc, 5, 10 + kH / 2) & 0xFFFFFF;
  }
  return imglib::kSuccess;
}

// "Wipe from the left" (effect 2000), the first slide's effect of a built show.
TEST_F(SlideTransitionPaint, AWipeFromTheLeftIsHalfNewHalfWay) {
  gHalf = HalfWay{};
  gHalf.dc = *target_;
  TransitionPlan plan = PlanTransition(2000, 0, 0, 3000);
  EXPECT_EQ(PaintSlideTransition(*target_, area_, picture_, plan, LookHalfWay, nullptr), imglib::kSuccess);
  EXPECT_EQ(gHalf.percent, 50);
  EXPECT_EQ(gHalf.leftQuarter, RGB(0, 0, 255)) << "the new picture comes in from the left";
  EXPECT_EQ(gHalf.rightQuarter, RGB(255, 0, 0)) << "the old one is still on the right";
  EXPECT_EQ(gHalf.outside, RGB(255, 0, 0));
  EXPECT_TRUE(ShowsThePicture());
}

TEST_F(SlideTransitionPaint, ThePlugInPlaysItsEffectsWithStepAndTime) {
  EffectPlugin plugin;
  ASSERT_TRUE(plugin.Load(SuiteFolder()));
  ASSERT_NE(plugin.Entry(), nullptr);
  TransitionPlan spin = PlanTransition(17001, 20, 0, 3000);
  EXPECT_EQ(PaintSlideTransition(*target_, area_, picture_, spin, Counting, &plugin), imglib::kSuccess);
  EXPECT_EQ(gCalls, 4);  // five frames of 20 % each
  EXPECT_TRUE(ShowsThePicture());
  // The imaging painter's status callback was never touched.
  EXPECT_EQ(L_GetStatusCallBack(), nullptr);
}

TEST_F(SlideTransitionPaint, WithoutThePlugInOrAnEffectOnlyThePictureIsPainted) {
  TempDir empty;
  EffectPlugin missing;
  EXPECT_FALSE(missing.Load(empty.Path()));
  EXPECT_EQ(missing.Entry(), nullptr);
  for (int id : {17002, 18000, 2004}) {
    EXPECT_EQ(PaintSlideTransition(*target_, area_, picture_, PlanTransition(id, 1, 10, 3000), Counting, &missing),
              imglib::kSuccess)
        << id;
    EXPECT_TRUE(ShowsThePicture()) << id;
  }
  EXPECT_EQ(gCalls, 0);
  RECT none{5, 5, 5, 5};
  EXPECT_EQ(PaintSlideTransition(*target_, none, picture_, PlanTransition(2000, 0, 0, 0), Counting, nullptr),
            imglib::kInvalidParameter);
}

// A top-most popup of a class of the test's own at (0, 0), destroyed at the end.
struct TestWindow {
  TestWindow(const char* className, WNDPROC procedure, DWORD style, int width, int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    handle = CreateWindowExA(WS_EX_TOPMOST, className, "", style, 0, 0, width, height, nullptr, nullptr,
                             wc.hInstance, nullptr);
  }
  ~TestWindow() { DestroyWindow(handle); }
  HWND Get() const { return handle; }
  HWND handle = nullptr;
};

// A window that paints itself in one colour, as the programs' picture windows paint the
// picture they hold.
COLORREF gWindowColour = RGB(255, 0, 0);
LRESULT CALLBACK ColourProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  win::Brush brush(CreateSolidBrush(gWindowColour));
  FillRect(dc, &ps.rcPaint, brush.Get());
  EndPaint(window, &ps);
  return 0;
}
struct Seen {
  HDC dc = nullptr;
  int calls = 0;
  COLORREF left = 0, right = 0;
} gSeen;
// The programs' callbacks pump their messages between frames.
int CALLBACK PumpAndLook(int, void*) {
  PumpDuringTransition(nullptr, GetTickCount(), 0);
  if (++gSeen.calls == 1) {
    gSeen.left = GetPixel(gSeen.dc, kW * 45 / 100, kH / 2) & 0xFFFFFF;
    gSeen.right = GetPixel(gSeen.dc, kW * 55 / 100, kH / 2) & 0xFFFFFF;
  }
  return imglib::kSuccess;
}

// The window already holds the new picture and waits to repaint itself: the repaint must not
// show it whole before the transition does.
TEST_F(SlideTransitionPaint, AWaitingRepaintDoesNotShowTheNewPictureFirst) {
  TestWindow window("TransitionTestWindow", ColourProcedure, WS_POPUP | WS_VISIBLE, kW, kH);
  ASSERT_NE(window.handle, nullptr);
  gWindowColour = RGB(255, 0, 0);
  UpdateWindow(window.handle);
  gWindowColour = RGB(0, 0, 255);
  InvalidateRect(window.handle, nullptr, FALSE);
  win::WindowDC dc(window.handle);
  gSeen = Seen{};
  gSeen.dc = dc;
  RECT client{0, 0, kW, kH};
  EXPECT_EQ(PaintSlideTransition(dc, client, picture_, PlanTransition(2000, 0, 0, 3000), PumpAndLook, nullptr),
            imglib::kSuccess);
  EXPECT_EQ(gSeen.left, RGB(255, 0, 0)) << "the first frame of a wipe from the left is still the old picture";
  EXPECT_EQ(gSeen.right, RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, kW / 2, kH / 2) & 0xFFFFFF, RGB(0, 0, 255));
}

int gHandled = 0;
LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_APP) ++gHandled;
  return DefWindowProcA(window, message, wParam, lParam);
}
bool ClickStops(const MSG& m) { return m.message == WM_LBUTTONDOWN; }

TEST(TransitionPump, AStoppingMessageIsPostedBackAndEndsThePump) {
  TestWindow window("PumpTestWindow", CountingProcedure, WS_POPUP, 10, 10);
  ASSERT_NE(window.Get(), nullptr);
  MSG drop;
  while (PeekMessageA(&drop, nullptr, 0, 0, PM_REMOVE)) {}
  gHandled = 0;
  PostMessageA(window.Get(), WM_APP, 0, 0);
  PostMessageA(window.Get(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  PostMessageA(window.Get(), WM_APP + 1, 0, 0);
  EXPECT_TRUE(PumpDuringTransition(ClickStops, GetTickCount(), 5000));
  EXPECT_EQ(gHandled, 1);  // the message before the click, and no more
  // The click is still to come, behind what waited after it.
  MSG next{};
  ASSERT_TRUE(PeekMessageA(&next, window.Get(), 0, 0, PM_REMOVE));
  EXPECT_EQ(next.message, UINT(WM_APP + 1));
  ASSERT_TRUE(PeekMessageA(&next, window.Get(), 0, 0, PM_REMOVE));
  EXPECT_EQ(next.message, UINT(WM_LBUTTONDOWN));
  EXPECT_EQ(next.lParam, MAKELPARAM(3, 4));
  // Without one it handles everything and keeps the pace.
  PostMessageA(window.Get(), WM_APP, 0, 0);
  DWORD start = GetTickCount();
  EXPECT_FALSE(PumpDuringTransition(ClickStops, start, 60));
  EXPECT_GE(GetTickCount() - start, 50u);
  EXPECT_EQ(gHandled, 2);
}

}  // namespace

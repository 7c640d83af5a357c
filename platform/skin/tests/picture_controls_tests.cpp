// The controls drawn from pictures (a pane's): the track bar's positions, moves and
// reports, the image button over the panel's picture, the animation's frames and shape;
// and the engine's services for the windows that hold them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A bitmap of one colour, with a magenta column at x = magentaColumn (-1: none).
HBITMAP Solid(int width, int height, COLORREF colour, int magentaColumn = -1) {
  win::MemoryDC dc(win::WindowDC(nullptr), width, height);
  SKFILLRECT(dc, 0, 0, width, height, colour);
  if (magentaColumn >= 0) SKFILLRECT(dc, magentaColumn, 0, 1, height, kMagenta);
  return dc.ReleaseBitmap();
}

// What a control draws, through WM_PRINTCLIENT.
class Drawn {
 public:
  explicit Drawn(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    dc_ = std::make_unique<win::MemoryDC>(win::WindowDC(nullptr), int(r.right), int(r.bottom));
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(HDC(*dc_)), PRF_CLIENT);
  }
  COLORREF At(int x, int y) const { return GetPixel(*dc_, x, y); }

 private:
  std::unique_ptr<win::MemoryDC> dc_;
};

// A panel that records the commands of its controls and shows a picture.
struct Report {
  int id = 0, code = 0;
  LPARAM value = 0;
};
std::vector<Report> gReports;

LRESULT CALLBACK PanelProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND) gReports.push_back({LOWORD(wp), HIWORD(wp), lp});
  return DefWindowProcA(w, m, wp, lp);
}

class Panel : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(win::RegisterClassOnce({.name = "SKPICTUREPANEL", .procedure = PanelProc}));
    panel = CreateWindowExA(0, "SKPICTUREPANEL", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(panel, nullptr);
    picture.Reset(Solid(300, 200, RGB(0, 120, 0)));
    SkSetPanelPicture(panel, picture.Get());
    gReports.clear();
  }
  void TearDown() override {
    DestroyWindow(panel);
    gReports.clear();
  }
  HWND panel = nullptr;
  win::Bitmap picture;
};

void Click(HWND w, int x, int y) {
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST_F(Panel, AHorizontalPictureTrackBarMovesWhereClickedAndDraggedAndReportsWhenLetGo) {
  // A 110-pixel channel, a 10-pixel thumb: 100 pixels of travel for 0 to 100.
  HWND bar = SKTRACKBAR(panel, 20, 30, 110, 14, 77, 0, 100,
                        {Solid(110, 6, RGB(0, 0, 90)), Solid(10, 14, RGB(200, 0, 0), 0), false});
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 0);
  Click(bar, 55, 7);  // the thumb's middle there: position 50
  ASSERT_EQ(gReports.size(), 1u);
  EXPECT_EQ(gReports[0].id, 77);
  EXPECT_EQ(gReports[0].code, TB_THUMBPOSITION);
  EXPECT_EQ(gReports[0].value, 50);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 50);
  // Taken by the thumb and dragged: nothing is reported until it is let go, and a move of
  // the program meanwhile does not take the thumb from the user.
  gReports.clear();
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(52, 7));
  SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(72, 7));
  SKSETTRACKPOS(bar, 5);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 70);
  EXPECT_TRUE(gReports.empty());
  SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 7));
  SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(500, 7));
  ASSERT_EQ(gReports.size(), 1u);
  EXPECT_EQ(gReports[0].value, 100);
  // Keys: a step, a tenth, the ends.
  gReports.clear();
  SendMessageA(bar, WM_KEYDOWN, VK_LEFT, 0);
  SendMessageA(bar, WM_KEYDOWN, VK_NEXT, 0);
  SendMessageA(bar, WM_KEYDOWN, VK_HOME, 0);
  SendMessageA(bar, WM_KEYDOWN, VK_HOME, 0);  // no move, no report
  ASSERT_EQ(gReports.size(), 3u);
  EXPECT_EQ(gReports[0].value, 99);
  EXPECT_EQ(gReports[1].value, 89);
  EXPECT_EQ(gReports[2].value, 0);
  // The program's moves are not reported, and stay in the range.
  SKSETTRACKPOS(bar, 30);
  SKSETTRACKPOS(bar, 400);
  EXPECT_EQ(SKGETTRACKPOS(bar), 100);
  EXPECT_EQ(gReports.size(), 3u);
  // Drawn: the thumb at its place (its magenta column shows the channel), the channel
  // stretched along, the panel's picture above and below it.
  SKSETTRACKPOS(bar, 40);
  Drawn d(bar);
  EXPECT_EQ(d.At(45, 1), RGB(200, 0, 0));
  EXPECT_EQ(d.At(40, 7), RGB(0, 0, 90));
  EXPECT_EQ(d.At(5, 7), RGB(0, 0, 90));
  EXPECT_EQ(d.At(5, 1), RGB(0, 120, 0));
}

TEST_F(Panel, AVerticalPictureTrackBarHasItsMinimumAtTheBottom) {
  HWND bar = SKTRACKBAR(panel, 10, 10, 16, 110, 3, 0, 100, {nullptr, Solid(16, 10, RGB(250, 250, 0)), true});
  ASSERT_NE(bar, nullptr);
  SendMessageA(bar, TBM_SETPOS, TRUE, 50);
  Click(bar, 8, 2);  // the top
  ASSERT_EQ(gReports.size(), 1u);
  EXPECT_EQ(gReports[0].value, 100);
  Click(bar, 8, 108);
  EXPECT_EQ(gReports.back().value, 0);
  SendMessageA(bar, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(gReports.back().value, 1);
  // Position 0: the thumb at the bottom.
  SKSETTRACKPOS(bar, 0);
  Drawn d(bar);
  EXPECT_EQ(d.At(8, 105), RGB(250, 250, 0));
  EXPECT_NE(d.At(8, 5), RGB(250, 250, 0));
  SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELPARAM(10, 20));
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), 10);
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 20);
  EXPECT_EQ(SKGETTRACKPOS(bar), 10);
}

TEST_F(Panel, AnImageButtonOfABitmapShowsItOverThePanelsPictureAndClicks) {
  HWND button = SKBUTIMAGE(panel, Solid(24, 20, RGB(10, 20, 200), 3), 40, 50, 51);
  ASSERT_NE(button, nullptr);
  RECT r;
  GetClientRect(button, &r);
  EXPECT_EQ(r.right, 24);
  EXPECT_EQ(r.bottom, 20);
  Drawn d(button);
  EXPECT_EQ(d.At(10, 10), RGB(10, 20, 200));
  EXPECT_EQ(d.At(3, 10), RGB(0, 120, 0));  // magenta: the pane shows through
  SendMessageA(button, BM_CLICK, 0, 0);
  ASSERT_FALSE(gReports.empty());
  EXPECT_EQ(gReports.back().id, 51);
  EXPECT_EQ(SKBUTIMAGE(panel, static_cast<HBITMAP>(nullptr), 0, 0, 52), nullptr);
}

TEST_F(Panel, AnAnimationShowsItsFramesInTurnWhilePlayingAndTakesTheShapeOfTheFirst) {
  // Three 12 x 12 frames: red, green, blue; the first has a magenta column at x = 0.
  win::MemoryDC strip(win::WindowDC(nullptr), 36, 12);
  SKFILLRECT(strip, 0, 0, 12, 12, RGB(255, 0, 0));
  SKFILLRECT(strip, 0, 0, 1, 12, kMagenta);
  SKFILLRECT(strip, 12, 0, 12, 12, RGB(0, 255, 0));
  SKFILLRECT(strip, 24, 0, 12, 12, RGB(0, 0, 255));
  SKSETANIMATERGN(1);
  HWND animation = SKANIMATE(panel, strip.ReleaseBitmap(), 5, 5, 81);
  SKSETANIMATERGN(0);
  ASSERT_NE(animation, nullptr);
  RECT r;
  GetClientRect(animation, &r);
  EXPECT_EQ(r.right, 12);
  win::Region shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(animation, shape.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(shape.Get(), 0, 5));
  EXPECT_TRUE(PtInRegion(shape.Get(), 1, 5));
  EXPECT_EQ(Drawn(animation).At(6, 6), RGB(255, 0, 0));
  SendMessageA(animation, kSkAnimationPlay, 0, 0);
  SendMessageA(animation, WM_TIMER, 1, 0);
  EXPECT_EQ(Drawn(animation).At(6, 6), RGB(0, 255, 0));
  SendMessageA(animation, WM_TIMER, 1, 0);
  SendMessageA(animation, WM_TIMER, 1, 0);
  EXPECT_EQ(Drawn(animation).At(6, 6), RGB(255, 0, 0));  // round again
  SendMessageA(animation, WM_TIMER, 1, 0);
  SendMessageA(animation, kSkAnimationStop, 0, 0);
  EXPECT_EQ(Drawn(animation).At(6, 6), RGB(255, 0, 0));
}

// A popup with a system menu whose procedure passes everything to the engine first.
bool gUnframed = false;
LRESULT CALLBACK SkinnedProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCREATE && gUnframed) SkUnframed(w);
  if (LRESULT answer = SKGETMESSAGE(w, m, wp, lp)) return answer;
  return DefWindowProcA(w, m, wp, lp);
}

TEST(SkEngine, APopupMarkedUnframedGetsNoSkinnedFrame) {
  ASSERT_TRUE(win::RegisterClassOnce({.name = "SKFRAMETEST", .procedure = SkinnedProc}));
  for (bool unframed : {false, true}) {
    gUnframed = unframed;
    HWND w = CreateWindowExA(0, "SKFRAMETEST", "", WS_POPUP | WS_SYSMENU, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(w, nullptr);
    RECT client;
    GetClientRect(w, &client);
    if (unframed) EXPECT_EQ(client.bottom, 100);
    else EXPECT_LT(client.bottom, 100);
    DestroyWindow(w);
  }
  gUnframed = false;
}

TEST(SkEngine, NamedStringsOfTheSkinAndTheWorkArea) {
  TempDir dir;
  std::string skin = dir.Write("blue.sks", "name = Blue\n[strings]\nPOPUPPANE = @path@blue\\panes.txt\n");
  SKINITENGINE(skin);
  EXPECT_EQ(SKLOADSTRING("PopupPane"), "@path@blue\\panes.txt");
  EXPECT_EQ(SKLOADSTRING("nothing"), "");
  SKINITENGINE("");
  EXPECT_EQ(SKLOADSTRING("POPUPPANE"), "");
  RECT area = SKGETWORKAREA();
  EXPECT_LT(area.left, area.right);
  EXPECT_LT(area.top, area.bottom);
  EXPECT_LE(area.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(area.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(Panel, StaticColoursComeFromTheControlUntilFreedThenFromTheSkin) {
  HWND label = CreateWindowExA(0, "STATIC", "80", WS_CHILD | WS_VISIBLE, 0, 0, 30, 14, panel, nullptr, nullptr, nullptr);
  HWND check = SKCHECKBUTTON(panel, "On/Off", 0, 20, 80, 16, 11);
  ASSERT_NE(label, nullptr);
  ASSERT_NE(check, nullptr);
  SKSETCOLOR(label, RGB(1, 2, 3), RGB(9, 8, 7));
  win::MemoryDC dc(win::WindowDC(nullptr), 4, 4);
  EXPECT_NE(SKCTLCOLORSTATIC(dc, label), 0);
  EXPECT_EQ(GetTextColor(dc), RGB(9, 8, 7));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  SKFREEOBJECTCOLOR(panel);
  EXPECT_NE(SKCTLCOLORSTATIC(dc, label), 0);
  EXPECT_EQ(GetTextColor(dc), SKGETSYSCOLOR(kSkinText));
  // The check button's colours go with SKFREECHECKBUTTON, the label's font with
  // SKFREEOBJECTFONT.
  SKSETCOLOR(check, RGB(1, 2, 3), RGB(9, 8, 7));
  SKFREECHECKBUTTON(panel);
  SKCTLCOLORSTATIC(dc, check);
  EXPECT_EQ(GetTextColor(dc), SKGETSYSCOLOR(kSkinText));
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  SKFREEOBJECTFONT(panel);
  EXPECT_EQ(SendMessageA(label, WM_GETFONT, 0, 0), 0);
}

TEST_F(Panel, AGroupBoxTakesTheSkinsTextColour) {
  HWND box = SKGROUPBOX(panel, "Equalizer", 0, 0, 200, 100, 0);
  ASSERT_NE(box, nullptr);
  win::MemoryDC dc(win::WindowDC(nullptr), 4, 4);
  SKCTLCOLORSTATIC(dc, box);
  EXPECT_EQ(GetTextColor(dc), SKGETSYSCOLOR(kSkinText));
  EXPECT_EQ(SendMessageA(box, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(SKCAPTIONFONT()));
}

}  // namespace

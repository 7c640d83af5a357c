// The player pane from a pane description: its place (centred when remembered off the
// screen), shape, controls by element and style, commands, dropped files, double clicks
// in the sound mode and the VU element.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <map>

#include "jorvel/pane.h"
#include "jorvel/vu_meter.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "temp_dir.h"
#include "win/raii.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A bitmap file of one colour with a magenta top-left corner of corner x corner pixels.
std::string Picture(const TempDir& dir, const std::string& name, int width, int height, COLORREF colour,
                    int corner = 0) {
  win::MemoryDC dc(win::WindowDC(nullptr), width, height);
  SKFILLRECT(dc, 0, 0, width, height, colour);
  if (corner > 0) SKFILLRECT(dc, 0, 0, corner, corner, kMagenta);
  std::string path = dir.File(name);
  EXPECT_EQ(SKSAVETOBMPFILE(dc, 0, 0, width, height, path), 0);
  return path;
}

// Sends the pane a drop of these files as the shell does.
void Drop(HWND pane, const std::vector<std::string>& files) {
  std::string names;
  for (const std::string& f : files) names += f + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  SendMessageA(pane, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

class PaneWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Picture(dir, "idle.bmp", 200, 80, RGB(40, 60, 90), 4);
    Picture(dir, "sound.bmp", 200, 80, RGB(40, 90, 60), 4);
    Picture(dir, "play.bmp", 20, 16, RGB(250, 250, 250));
    Picture(dir, "channel.bmp", 100, 8, RGB(10, 10, 10));
    Picture(dir, "thumb.bmp", 10, 12, RGB(200, 0, 0));
    Picture(dir, "vu.bmp", 30, 30, RGB(0, 0, 0));
    Picture(dir, "spin.bmp", 40, 20, RGB(0, 200, 0));
    // Entry 2: 51 -> field 4 -> entry 3; 77 -> field 30 -> entry 4; 79 -> field 32 ->
    // entry 5; 81 -> 34 -> 6; 82 -> 35 -> 7.
    std::string fields;
    for (int field = 1; field <= 35; ++field) {
      int k = field == 4 ? 1 : field == 30 ? 2 : field == 32 ? 3 : field == 34 ? 4 : field == 35 ? 5 : 0;
      fields += (field > 1 ? "," : "") + std::to_string(k);
    }
    dir.Write("pane.txt", "STRING 1 \"x,@path@idle.bmp,x,@path@sound.bmp\"\n"
                          "STRING 2 \"" + fields + "\"\n"
                          "STRING 3 \"play,@path@play.bmp,10,40\"\n"
                          "STRING 4 \"position,@path@channel.bmp,0,0,10,60\"\n"
                          "STRING 5 \"thumb,@path@thumb.bmp\"\n"
                          "STRING 6 \"spin,@path@spin.bmp,170,50\"\n"
                          "STRING 7 \"vu,@path@vu.bmp,160,5\"\n");
    SKINITENGINE(dir.Write("test.sks", "name = Test\n[strings]\nPOPUPPANE = @PATH@Pane.txt\n"));
    ASSERT_TRUE(jorvel::LoadPaneDescription(dir.Path()));
    setup.owner = owner;
    setup.command = [this](WPARAM wp, LPARAM lp) {
      commands.push_back({LOWORD(wp), lp});
      return LRESULT(0);
    };
    setup.dropped = [this](const std::vector<std::string>& files) { dropped = files; };
    setup.doubleClicked = [this] { ++doubleClicks; };
    setup.warn = [this](const std::string& text) { warnings += text + "\n"; };
  }
  void TearDown() override {
    if (HWND pane = jorvel::PaneWindow()) DestroyWindow(pane);
    DestroyWindow(owner);
    SKINITENGINE("");
  }

  TempDir dir;
  HWND owner = nullptr;
  jorvel::PaneSetup setup;
  std::vector<std::pair<int, LPARAM>> commands;
  std::vector<std::string> dropped;
  int doubleClicks = 0;
  std::string warnings;
};

TEST_F(PaneWindow, APaneRememberedOffTheScreenOnAnySideComesUpCentred) {
  RECT area = SKGETWORKAREA();
  for (POINT remembered : {POINT{-2000, 100}, POINT{100, -2000}, POINT{50000, 100}, POINT{100, 50000}, POINT{-1, -1}}) {
    setup.left = remembered.x;
    setup.top = remembered.y;
    HWND pane = jorvel::BUILDPANES(2, setup);
    ASSERT_NE(pane, nullptr);
    RECT r;
    GetWindowRect(pane, &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.left, area.left + (area.right - area.left - 200) / 2) << remembered.x << "," << remembered.y;
    EXPECT_EQ(r.top, area.top + (area.bottom - area.top - 80) / 2);
  }
  setup.left = 30;
  setup.top = 40;
  HWND pane = jorvel::BUILDPANES(2, setup);
  RECT r;
  GetWindowRect(pane, &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  // The panes find each other by name; the picture's corner colour is left out of its shape.
  EXPECT_EQ(FindWindowA("SKPANE", "qAudio"), pane);
  win::Region shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(pane, shape.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(shape.Get(), 1, 1));
  EXPECT_TRUE(PtInRegion(shape.Get(), 100, 40));
  EXPECT_EQ(jorvel::PaneWindow(), pane);
  EXPECT_TRUE(warnings.empty()) << warnings;
}

TEST_F(PaneWindow, ControlsTakeTheirElementsPlaceAndReportThroughTheProgramsProcedure) {
  HWND pane = jorvel::BUILDPANES(2, setup);
  ASSERT_NE(pane, nullptr);
  // One pair serves every style.
  for (int style : {1, 2, 4, 8, 128}) {
    int x = 0, y = 0;
    win::Bitmap picture(jorvel::PANEELEMENT(51, x, y, style));
    EXPECT_TRUE(picture);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 40);
  }
  int x = -1, y = -1;
  EXPECT_EQ(jorvel::PANEELEMENT(55, x, y, 2), nullptr);
  EXPECT_EQ(x, 0);
  HWND play = jorvel::CREATEPLAYERCONTROLS(jorvel::kPaneImageButton, 2, 51, "Play", SW_SHOW);
  ASSERT_NE(play, nullptr);
  RECT r;
  GetWindowRect(play, &r);
  MapWindowPoints(HWND_DESKTOP, pane, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 20);
  EXPECT_EQ(jorvel::CREATEPLAYERCONTROLS(jorvel::kPaneImageButton, 2, 51, "Play", SW_HIDE), play);
  EXPECT_FALSE(IsWindowVisible(play));
  SendMessageA(play, BM_CLICK, 0, 0);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].first, 51);
  // The position bar: its second pair in style 2, the thumb of element 79.
  HWND bar = jorvel::CREATEPLAYERCONTROLS(jorvel::kPaneTrackBar, 2, 77, "Position", SW_SHOW);
  ASSERT_NE(bar, nullptr);
  GetWindowRect(bar, &r);
  MapWindowPoints(HWND_DESKTOP, pane, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.bottom - r.top, 12);
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(95, 6));
  SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(95, 6));
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[1].first, 77);
  EXPECT_EQ(commands[1].second, 100);
  // An element without a picture: a warning naming the id, the others still made.
  EXPECT_EQ(jorvel::CREATEPLAYERCONTROLS(jorvel::kPaneImageButton, 2, 55, "", SW_SHOW), nullptr);
  EXPECT_NE(warnings.find("CREATEPLAYERCONTROLS 55"), std::string::npos) << warnings;
  EXPECT_NE(jorvel::CreatePaneAnimation(2), nullptr);
  jorvel::DESTROYPLAYERCONTROLS();
  EXPECT_EQ(GetDlgItem(pane, 51), nullptr);
  EXPECT_EQ(GetDlgItem(pane, 77), nullptr);
  EXPECT_EQ(jorvel::PaneAnimation(), nullptr);
}

TEST_F(PaneWindow, DroppedFilesReachTheProgramAndDoubleClicksCountOnlyInTheSoundMode) {
  HWND pane = jorvel::BUILDPANES(2, setup);
  ASSERT_NE(pane, nullptr);
  Drop(pane, {"C:\\a.wav", "C:\\b c.wav", "C:\\d.mp3"});
  EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\a.wav", "C:\\b c.wav", "C:\\d.mp3"}));
  SendMessageA(pane, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(doubleClicks, 0);
  EXPECT_EQ(jorvel::LevelMeterWindow(), nullptr);
  pane = jorvel::BUILDPANES(jorvel::kSoundPaneMode, setup);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(jorvel::PaneMode(), 8);
  SendMessageA(pane, WM_LBUTTONDBLCLK, 0, 0);
  SendMessageA(pane, WM_RBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(doubleClicks, 2);
  // The VU window sits on its element, and the pane picture carries the element.
  HWND vu = jorvel::LevelMeterWindow();
  ASSERT_NE(vu, nullptr);
  EXPECT_EQ(GetParent(vu), pane);
  RECT r;
  GetWindowRect(vu, &r);
  MapWindowPoints(HWND_DESKTOP, pane, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 160);
  EXPECT_EQ(r.top, 5);
  auto picture = reinterpret_cast<HBITMAP>(SendMessageA(pane, WM_USER, 0, 0));
  ASSERT_NE(picture, nullptr);
  win::CompatibleDC dc(SKDISPLAYDC());
  win::SelectObj selected(dc, picture);
  EXPECT_EQ(GetPixel(dc, 170, 15), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 100, 40), RGB(40, 90, 60));
  // The close box of the pane asks the main window.
  SendMessageA(pane, WM_SYSCOMMAND, SC_CLOSE, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, owner, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_TRUE(IsWindow(pane));
}

TEST_F(PaneWindow, ActivatingThePaneOrMovingTheMouseOverItBringsTheMainWindowRightBehindIt) {
  HWND pane = jorvel::BUILDPANES(2, setup);
  ASSERT_NE(pane, nullptr);
  // Another window comes between the pane and the main window.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  auto behindPane = [pane] { return GetWindow(pane, GW_HWNDNEXT); };
  SetWindowPos(other, pane, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_EQ(behindPane(), other);
  // Losing the activation changes nothing.
  SendMessageA(pane, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(behindPane(), other);
  SendMessageA(pane, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(behindPane(), owner);
  SetWindowPos(other, pane, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_EQ(behindPane(), other);
  SendMessageA(pane, WM_MOUSEMOVE, 0, MAKELPARAM(100, 40));
  EXPECT_EQ(behindPane(), owner);
  EXPECT_TRUE(IsWindow(owner));
  EXPECT_FALSE(IsWindowVisible(owner));
  DestroyWindow(other);
}

TEST_F(PaneWindow, NoPaneWithoutADescriptionOrItsPicture) {
  SKINITENGINE(dir.Write("bare.sks", "name = Bare\n"));
  EXPECT_FALSE(jorvel::LoadPaneDescription(dir.Path()));
  SKINITENGINE(dir.Write("bad.sks", "name = Bad\n[strings]\nPOPUPPANE = @path@nothing.txt\n"));
  EXPECT_FALSE(jorvel::LoadPaneDescription(dir.Path()));
  dir.Write("other.txt", "STRING 1 \"none.bmp,none.bmp\"\nSTRING 2 \"0\"\n");
  SKINITENGINE(dir.Write("other.sks", "name = Other\n[strings]\nPOPUPPANE = @path@other.txt\n"));
  ASSERT_TRUE(jorvel::LoadPaneDescription(dir.Path()));
  EXPECT_EQ(jorvel::BUILDPANES(2, setup), nullptr);
  EXPECT_EQ(jorvel::PaneWindow(), nullptr);
}

// The skins the suite ships: each pane description holds every element the players use,
// each inside the pane picture at its place, and the buttons that never show together do
// not overlap (the pairs that swap share their place).
TEST(ShippedPanes, EveryElementIsThereAndLiesInsideThePaneAtItsPlace) {
  const std::string skins = JORVEL_SKINS_DIR;
  const int buttons[] = {51, 52, 53, 54, 55, 56, 57, 61, 62, 67, 71};
  for (const char* skin : {"Slate", "Sand"}) {
    SCOPED_TRACE(skin);
    SKINITENGINE(skins + skin + "\\" + skin + ".sks");
    ASSERT_TRUE(jorvel::LoadPaneDescription(skins));
    const jorvel::PaneDescription& d = jorvel::CurrentPaneDescription();
    struct {
      int cx = 0, cy = 0;
    } pane[2];
    for (int i = 0; i < 2; ++i) {
      int mode = i ? jorvel::kSoundPaneMode : 2;
      win::Bitmap picture(SKLOADBITMAPFILE(d.PanePicture(mode), pane[i].cx, pane[i].cy));
      ASSERT_TRUE(picture) << d.PanePicture(mode);
      // The corner is left out of the shape.
      win::CompatibleDC dc(SKDISPLAYDC());
      win::SelectObj selected(dc, picture.Get());
      EXPECT_EQ(GetPixel(dc, 0, 0), kMagenta);
    }
    EXPECT_EQ(pane[0].cx, pane[1].cx);
    EXPECT_EQ(pane[0].cy, pane[1].cy);
    std::map<int, RECT> placed;
    for (int id : {51, 52, 53, 54, 55, 56, 57, 61, 62, 67, 71, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83}) {
      int style = id == 74 ? 4 : 2;
      int x = -1, y = -1;
      win::Bitmap picture(jorvel::PANEELEMENT(id, x, y, style));
      ASSERT_TRUE(picture) << id;
      int width = 0, height = 0;
      SKGETPIXMAPSIZE(picture.Get(), width, height);
      EXPECT_GT(width, 0) << id;
      EXPECT_GT(height, 0) << id;
      // The thumbs are pictures only; the animation shows one square frame of its strip.
      if (id == 75 || id == 79 || id == 80) continue;
      if (id == jorvel::kAnimationElement) {
        EXPECT_EQ(width % height, 0);
        width = height;
      }
      EXPECT_GE(x, 0) << id;
      EXPECT_GE(y, 0) << id;
      EXPECT_LE(x + width, pane[0].cx) << id;
      EXPECT_LE(y + height, pane[0].cy) << id;
      placed[id] = RECT{x, y, x + width, y + height};
    }
    for (int a : buttons) {
      for (int b : buttons) {
        if (a >= b || (a == 51 && b == 52) || (a == 61 && b == 62)) continue;
        RECT both{};
        EXPECT_FALSE(IntersectRect(&both, &placed[a], &placed[b])) << a << " and " << b;
      }
    }
    EXPECT_EQ(placed[51].left, placed[52].left);
    EXPECT_EQ(placed[61].left, placed[62].left);
  }
  SKINITENGINE("");
}

}  // namespace

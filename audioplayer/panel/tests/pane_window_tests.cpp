// The player pane from a pane description: its place (centred when remembered off the
// screen), shape, controls by element and style, commands, dropped files, double clicks
// in the sound mode and the VU element.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>

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

}  // namespace

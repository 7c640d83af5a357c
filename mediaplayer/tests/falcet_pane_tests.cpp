// The player's pane ("qPlayer"), which carries the bars: files dropped on it, its docking
// to a corner of the main window, and the compact form of the main window for a sound.
#include <windows.h>

#include <algorithm>

#include "avi_writer.h"
#include "falcet_test.h"
#include "remote_drop.h"
#include "sound_files.h"
#include "test_windows.h"

namespace falcet {
namespace {

using namespace std::chrono_literals;

RECT RectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

TEST_F(Falcet, FilesDroppedOnThePaneBecomeTheListAndNamesAreReadWhole) {
  FalcetFolder& folder = Copy();
  std::string a = WritePicture(folder.File("a.bmp"), 40, 30, RGB(200, 0, 0));
  // A name longer than the old 260 characters arrives whole.
  std::string longName = folder.Root() + "\\" + std::string(280, 'n') + ".htm";
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND pane = PaneOf(frame);
  ASSERT_NE(pane, nullptr);
  driver::RemoteDrop drop(Process().Id(), pane, {a, longName});
  ASSERT_TRUE(drop.Posted());
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  HWND text = driver::WaitChild(frame, kWebTextId, kEventLimitMs);
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return driver::WindowText(text) == "file://" + longName ||
                                     driver::WindowText(text) == longName; }, kEventLimit));
  // A list of two: next on the last goes to the first.
  driver::PostCommand(frame, kNextButton);
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, ADockedPaneKeepsItsCornerOfTheMainWindow) {
  Copy().SetOption(5, "34");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND pane = PaneOf(frame);
  ASSERT_NE(pane, nullptr);
  auto atTopRight = [&] {
    RECT f = RectOf(frame), p = RectOf(pane);
    return p.right == f.right && p.top == f.top;
  };
  EXPECT_TRUE(WaitUntil(atTopRight, kEventLimit));
  RECT f = RectOf(frame);
  SetWindowPos(frame, nullptr, f.left + 37, f.top + 21, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil(atTopRight, kEventLimit));
  SetWindowPos(frame, nullptr, 0, 0, f.right - f.left - 60, f.bottom - f.top - 40, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(WaitUntil(atTopRight, kEventLimit));
  EXPECT_EQ(RectOf(frame).right, f.left + 37 + f.right - f.left - 60);
  // A docked pane is not dragged away.
  RECT before = RectOf(pane);
  PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 30));
  PumpMessages(300);
  EXPECT_EQ(RectOf(pane).left, before.left);
  EXPECT_EQ(Close(), 0);
}

// The copy's skin places the pane's children itself too: every element of the pane
// description where the description has it, except the next button (56), which it puts
// at 290, 8.
void GiveTheSkinPanePlaces(FalcetFolder& folder) {
  std::string description = ReadText(folder.ProgramFolder() + "Slate\\pane.txt");
  std::string panel = "\r\n[panel]\r\n";
  size_t at = 0;
  while ((at = description.find("\"e", at)) != std::string::npos) {
    size_t end = description.find('"', at + 1);
    std::string entry = description.substr(at + 2, end - at - 2);  // id,@path@Slate\pane\file,pairs
    at = end;
    std::string id = entry.substr(0, entry.find(','));
    size_t file = entry.find("\\pane\\");
    if (file == std::string::npos) continue;
    std::string rest = entry.substr(file + 1);  // pane\file,pairs
    if (id == "56") rest = rest.substr(0, rest.find(',')) + ",290,8";
    panel += id + " = " + rest + "\r\n";
  }
  std::string skin = ReadText(folder.ProgramFolder() + "Slate\\Slate.sks");
  ASSERT_FALSE(skin.empty());
  folder.WriteInProgram("Slate\\Slate.sks", skin + panel);
}

POINT PlaceOnPane(HWND control) {
  RECT r = RectOf(control);
  POINT p{r.left, r.top};
  ScreenToClient(GetParent(control), &p);
  return p;
}

// A sound's media bar in a player whose skin also places the pane's children itself, with
// option field 22 at the value given: the next button and the repeat check, waited for.
class FalcetPaneLayout : public Falcet {
 protected:
  bool StartWithLayout(const std::string& field22) {
    FalcetFolder& folder = Copy();
    GiveTheSkinPanePlaces(folder);
    folder.SetOption(22, field22);
    std::string sound = folder.Write("tone.wav", soundtest::PcmWave(soundtest::Tone(8000 * 20, 1, 8000), 1, 8000));
    HWND frame = Start("\"" + sound + "\"");
    if (!frame || WaitTitle(frame, Title("tone.wav"), kEventLimitMs) < 0) return false;
    repeat_ = WaitBarControl(frame, kRepeatButton, 10000);
    next_ = WaitBarControl(frame, kNextButton, 5000);
    return repeat_ && next_;
  }
  HWND repeat_ = nullptr, next_ = nullptr;
};

// Option field 22 off: the skin's own places; the repeat check carries its tip as caption.
TEST_F(FalcetPaneLayout, OffTheSkinPlacesTheControlsAndTheRepeatCheckIsCaptioned) {
  ASSERT_TRUE(StartWithLayout("0"));
  EXPECT_EQ(PlaceOnPane(next_).x, 290);
  EXPECT_EQ(PlaceOnPane(next_).y, 8);
  EXPECT_EQ(driver::WindowText(repeat_), "Repeat");
  RECT r = RectOf(repeat_);
  EXPECT_GT(r.right - r.left, (r.bottom - r.top) + 10);
  EXPECT_EQ(PlaceOnPane(repeat_).x, 292);
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 200, Process().Id()), nullptr);
  EXPECT_EQ(Close(), 0);
}

// Option field 22 on: the pane description's places, whatever the skin says; the repeat
// check is a box alone with its tip as tool tip.
TEST_F(FalcetPaneLayout, OnThePaneDescriptionPlacesTheControlsAndTheRepeatCheckStandsAlone) {
  ASSERT_TRUE(StartWithLayout("1"));
  EXPECT_EQ(PlaceOnPane(next_).x, 68);
  EXPECT_EQ(PlaceOnPane(next_).y, 50);
  EXPECT_EQ(driver::WindowText(repeat_), "");
  RECT r = RectOf(repeat_);
  EXPECT_EQ(r.right - r.left, (r.bottom - r.top) + 2);
  EXPECT_EQ(PlaceOnPane(repeat_).x, 292);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, ASoundShrinksTheWindowToItsCompactFormAndAVideoBringsItBack) {
  FalcetFolder& folder = Copy();
  folder.CopyFromSuite("nadrix.dll");  // an open-files source: the media bar has its snapshot button
  std::string sound = folder.Write("tone.wav", soundtest::PcmWave(soundtest::Tone(8000 * 20, 1, 8000), 1, 8000));
  std::string clip = folder.Write("clip.avi", avitest::UncompressedAvi(160, 120, 10, std::vector<uint32_t>(30, 0x406080)));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT full = RectOf(frame);
  driver::SendCommand(frame, kCodeOpen, sound);
  EXPECT_GE(WaitTitle(frame, Title("tone.wav"), kEventLimitMs), 0);
  auto shrunk = [&] {
    RECT r = RectOf(frame);
    return r.right - r.left < full.right - full.left && r.bottom - r.top < full.bottom - full.top;
  };
  EXPECT_TRUE(WaitUntil(shrunk, kEventLimit));
  EXPECT_EQ(RectOf(frame).left, full.left);
  EXPECT_EQ(RectOf(frame).top, full.top);
  driver::SendCommand(frame, kCodeOpen, clip);
  EXPECT_GE(WaitTitle(frame, Title("clip.avi"), kEventLimitMs), 0);
  EXPECT_TRUE(WaitUntil([&] {
    RECT now = RectOf(frame);
    return EqualRect(&full, &now) != FALSE;
  }, kEventLimit));
  EXPECT_EQ(Close(), 0);
}

// A medium that cannot be opened brings the window back from the compact form of the
// sound before it, and the box names the file.
TEST_F(Falcet, AMediumThatFailsBringsTheWindowBackFromItsCompactForm) {
  FalcetFolder& folder = Copy();
  folder.CopyFromSuite("nadrix.dll");  // the media bar has its snapshot button: a sound shrinks the window
  std::string sound = folder.Write("tone.wav", soundtest::PcmWave(soundtest::Tone(8000 * 20, 1, 8000), 1, 8000));
  std::string broken = folder.Write("broken.avi", std::string(4096, 'x'));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT full = RectOf(frame);
  driver::SendCommand(frame, kCodeOpen, sound);
  EXPECT_GE(WaitTitle(frame, Title("tone.wav"), kEventLimitMs), 0);
  ASSERT_TRUE(WaitUntil([&] { return RectOf(frame).right - RectOf(frame).left < full.right - full.left; }, kEventLimit));
  driver::SendCommand(frame, kCodeOpen, broken);
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, Process().Id());
  ASSERT_NE(box, nullptr);
  std::string text;
  EXPECT_TRUE(WaitUntil([&] { return !(text = driver::BoxText(box)).empty(); }, kEventLimit));
  EXPECT_NE(text.find(broken), std::string::npos) << text;
  EXPECT_TRUE(WaitUntil([&] {
    RECT now = RectOf(frame);
    return EqualRect(&full, &now) != FALSE;
  }, kEventLimit));
  driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs);
  EXPECT_EQ(Close(), 0);
}

// The first sound the audio layer plays makes the effects window (hidden), so the effects
// saved before are heard from it on; the skin's waiting animation stands on the sound's
// pane, still once the sound plays.
TEST_F(Falcet, TheFirstSoundMakesTheEffectsWindowAndTheWaitingAnimationRests) {
  std::string sound = Copy().Write("tone.wav", soundtest::PcmWave(soundtest::Tone(8000 * 20, 1, 8000), 1, 8000));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(FindTopWindow("QFXEFFECT"), nullptr);
  driver::SendCommand(frame, kCodeOpen, sound);
  EXPECT_GE(WaitTitle(frame, Title("tone.wav"), kEventLimitMs), 0);
  HWND effects = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (effects = FindTopWindow("QFXEFFECT")) != nullptr; }, kEventLimit));
  EXPECT_FALSE(effects && IsWindowVisible(effects));
  HWND pane = PaneOf(frame);
  ASSERT_NE(pane, nullptr);
  HWND animation = driver::FindChild(pane, 81);
  ASSERT_NE(animation, nullptr);
  EXPECT_TRUE(IsWindowVisible(animation));
  // Stopped at its first frame: the same picture over several of its 100 ms steps.
  PumpMessages(500);
  int w1 = 0, h1 = 0, w2 = 0, h2 = 0;
  std::vector<unsigned char> first, later;
  ASSERT_TRUE(driver::CaptureWindowPixels(animation, w1, h1, first));
  for (int k = 0; k < 3; ++k) {
    PumpMessages(130);
    ASSERT_TRUE(driver::CaptureWindowPixels(animation, w2, h2, later));
    EXPECT_TRUE(first == later) << k;
  }
  EXPECT_EQ(Close(), 0);
}

// A point of the window where the window itself (none of its controls) is under the mouse.
bool BarePoint(HWND window, POINT& at) {
  RECT r = RectOf(window);
  for (int y = r.top + 2; y < r.bottom - 2; y += 2)
    for (int x = r.left + 2; x < r.right - 2; x += 2)
      if (WindowFromPoint(POINT{x, y}) == window) {
        at = POINT{x, y};
        return true;
      }
  return false;
}

// The mouse, as the user's hand moves it: pressed at one point, moved, let go at another.
void DragWithTheMouse(POINT from, POINT to) {
  auto absolute = [](POINT p) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG(p.x * 65535 / std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = LONG(p.y * 65535 / std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
  };
  INPUT move = absolute(from);
  SendInput(1, &move, sizeof move);
  PumpMessages(100);
  INPUT down = absolute(from);
  down.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &down, sizeof down);
  PumpMessages(200);
  for (int step = 1; step <= 10; ++step) {
    INPUT next = absolute(POINT{from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
    SendInput(1, &next, sizeof next);
    PumpMessages(50);
  }
  INPUT up = absolute(to);
  up.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(1, &up, sizeof up);
}

// The audio player's pane ("qAudio") goes with the player's pane when the user drags it.
TEST_F(Falcet, DraggingThePanesPaneTakesTheAudioPlayersPaneAlong) {
  ProgramCopy audio("jorvel");
  audio.CopyFromSuite("Slate\\*.*");
  audio.CopyFromSuite("Slate\\pane\\*.*");
  audio.WriteInProgram("jorvel.skl", "Slate\\Slate.sks\r\n");
  ChildProcess audioProcess;
  ASSERT_TRUE(audio.Start(audioProcess));
  HWND audioPane = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (audioPane = FindWindowA("SKPANE", "qAudio")) != nullptr; }, 30s));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND pane = PaneOf(frame);
  ASSERT_NE(pane, nullptr);
  // The audio pane elsewhere (the player's pane follows it there), then the player's pane
  // where the drag starts.
  SetWindowPos(audioPane, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(pane, HWND_TOPMOST, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return RectOf(pane).left == 300; }, kEventLimit));
  POINT from{};
  ASSERT_TRUE(BarePoint(pane, from));
  DragWithTheMouse(from, POINT{from.x + 60, from.y + 40});
  EXPECT_TRUE(WaitUntil([&] { return RectOf(pane).left == 360 && RectOf(pane).top == 340; }, kEventLimit))
      << RectOf(pane).left << "," << RectOf(pane).top;
  EXPECT_TRUE(WaitUntil([&] { return RectOf(audioPane).left == 360 && RectOf(audioPane).top == 340; }, kEventLimit))
      << RectOf(audioPane).left << "," << RectOf(audioPane).top;
  EXPECT_EQ(Close(), 0);
  HWND audioFrame = FindWindowA(kClassAudioPlayer, nullptr);
  ASSERT_NE(audioFrame, nullptr);
  EXPECT_EQ(EndProgram(audioProcess, audioFrame, 10s), 0);
}

}  // namespace
}  // namespace falcet

namespace falcet {
namespace {

// A taskbar of the test's own (Wine's session here has none), which the player hides for
// the whole-screen video and must show again on every way out.
class StandInTaskbar {
 public:
  StandInTaskbar() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 990, 1280, 34, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~StandInTaskbar() {
    if (window_) DestroyWindow(window_);
  }
  HWND Get() const { return window_; }
  // Runs this thread's messages (the player shows and hides the window) until it is so.
  bool WaitShown(bool shown) {
    return PumpUntil([&] { return (IsWindowVisible(window_) != FALSE) == shown; }, 5s);
  }

 private:
  HWND window_ = nullptr;
};

class FalcetWholeScreen : public Falcet {
 protected:
  HWND StartVideo() {
    // Ten seconds: it plays through every step of the test.
    std::string clip =
        Copy().Write("clip.avi", avitest::UncompressedAvi(160, 120, 10, std::vector<uint32_t>(100, 0x206040)));
    HWND frame = Start(clip);
    if (frame) {
      EXPECT_GE(WaitTitle(frame, Title("clip.avi"), kEventLimitMs), 0);
    }
    return frame;
  }
  // Size item 308: the taskbar and the main window go.
  bool EnterWholeScreen(HWND frame, StandInTaskbar& taskbar) {
    driver::PostCommand(frame, kSizeFullScreen);
    return taskbar.WaitShown(false) && PumpUntil([&] { return !IsWindowVisible(frame); }, 5s);
  }
};

TEST_F(FalcetWholeScreen, TheTaskbarComesBackOnEveryWayOut) {
  StandInTaskbar taskbar;
  ASSERT_NE(taskbar.Get(), nullptr);
  {
    HWND frame = StartVideo();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(EnterWholeScreen(frame, taskbar));
    // Escape: back to the size before, the window and the taskbar there again.
    PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(taskbar.WaitShown(true));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(frame) != FALSE; }, kEventLimit));
    // Stop and close (71) from the whole screen.
    ASSERT_TRUE(EnterWholeScreen(frame, taskbar));
    driver::PostCommand(frame, kStopButton);
    EXPECT_TRUE(PumpUntil([&] { return !Process().Running(); }, kEventLimit));
    EXPECT_TRUE(taskbar.WaitShown(true));
  }
  // The close command of a partner (code 10).
  HWND frame = StartVideo();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(EnterWholeScreen(frame, taskbar));
  driver::SendCommand(frame, kCodeClose, "");
  EXPECT_TRUE(PumpUntil([&] { return !Process().Running(); }, kEventLimit));
  EXPECT_TRUE(taskbar.WaitShown(true));
}

}  // namespace
}  // namespace falcet

namespace falcet {
namespace {

// Pixels of the level meter's colours (blue through green and yellow to red): bright in one
// channel and dark in another, which neither the skin's VU picture nor its frame is.
int LitPixels(HWND meter) {
  int width = 0, height = 0;
  std::vector<unsigned char> bgr;
  if (!driver::CaptureWindowPixels(meter, width, height, bgr)) return 0;
  int lit = 0;
  for (size_t i = 0; i + 2 < bgr.size(); i += 3) {
    int high = std::max({bgr[i], bgr[i + 1], bgr[i + 2]}), low = std::min({bgr[i], bgr[i + 1], bgr[i + 2]});
    if (high >= 200 && low < 60) ++lit;
  }
  return lit;
}

TEST_F(Falcet, ASoundsPaneShowsItsLevelsItsTitleStripAndTheEffectsWindow) {
  // Eight seconds of a loud tone.
  std::string sound = Copy().Write("loud tone.wav", soundtest::PcmWave(soundtest::Tone(8000 * 8, 1, 24000), 1, 8000));
  HWND frame = Start("\"" + sound + "\"");
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("loud tone.wav"), kEventLimitMs), 0);
  HWND pane = PaneOf(frame);
  ASSERT_NE(pane, nullptr);
  HWND meter = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (meter = driver::FindChildByClass(pane, "VUMETER")) != nullptr; }, kEventLimit));
  // The tick draws the bars while the tone plays.
  EXPECT_TRUE(WaitUntil([&] { return LitPixels(meter) >= 10; }, 5s, 50ms));
  // The title strip rides over the pane.
  HWND strip = FindTopWindow("MARQUEE", [&](HWND w) { return GetWindow(w, GW_OWNER) == pane; });
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(IsWindowVisible(strip));
  // 53 shows the effects window and hides it again.
  driver::PostCommand(frame, kEffectsButton);
  HWND effects = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    effects = FindTopWindow("QFXEFFECT");
    return effects && IsWindowVisible(effects);
  }, kEventLimit));
  driver::PostCommand(frame, kEffectsButton);
  EXPECT_TRUE(WaitUntil([&] { return effects && !IsWindowVisible(effects); }, kEventLimit));
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace falcet

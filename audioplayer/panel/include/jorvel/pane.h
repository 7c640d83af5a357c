// A player's pane (class "SKPANE"): a shaped popup drawn from the skin's pane picture,
// carrying the picture controls that the pane description places. The audio player shows
// everything on one; the media player's bars use the same code. The program's part comes
// in through PaneSetup. One pane per program. Windows only.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "jorvel/pane_description.h"

namespace jorvel {

// The panes find each other by their titles.
inline constexpr const char* kAudioPaneTitle = "qAudio";
inline constexpr const char* kPlayerPaneTitle = "qPlayer";
inline constexpr const char* kPaneClass = "SKPANE";
// The mode whose pane carries the VU window, the marquee and the animation.
constexpr int kSoundPaneMode = 8;

struct PaneSetup {
  HWND owner = nullptr;  // the main window: owns the pane, takes its commands
  HICON icon = nullptr;
  std::string title = kAudioPaneTitle;
  // The remembered place; -1 (or off the screen on any side): centred.
  int left = -1, top = -1;
  // The pane's WM_COMMAND (the program's window procedure).
  std::function<LRESULT(WPARAM, LPARAM)> command;
  // Files dropped on the pane, full paths.
  std::function<void(const std::vector<std::string>&)> dropped;
  // A double click in the sound mode.
  std::function<void()> doubleClicked;
  // A double click in any mode, with its button (given, it takes the place of doubleClicked).
  std::function<void(bool right)> buttonDoubleClicked;
  // Whether a left click drags the pane (always, when not given).
  std::function<bool()> draggable;
  // The right button went down on the pane (a context menu).
  std::function<void()> rightClicked;
  // The spectrum display when the program started it (it stays right behind the pane).
  std::function<HWND()> spectrum;
  // The pane moved (the marquee follows).
  std::function<void()> moved;
  std::function<void(const std::string&)> warn;
  // The controls' element lookup (PANEELEMENT's form; PANEELEMENT when not given).
  std::function<HBITMAP(int id, int& x, int& y, int style)> element;
};

// Reads the pane description the current skin names (its string "POPUPPANE"; "@path@" the
// program folder). False when the skin names none or the file cannot be read.
bool LoadPaneDescription(const std::string& programFolder);
const PaneDescription& CurrentPaneDescription();
// PANEELEMENT: the element's picture (the caller's to delete; null when it has none) and
// its place in the style (0, 0 when absent).
HBITMAP PANEELEMENT(int id, int& x, int& y, int style);
// BUILDPANES: the pane for the mode (2 idle, 8 sound), shown; the one before is destroyed.
// Null when the description or the pane picture is missing.
HWND BUILDPANES(int mode, const PaneSetup& setup);
HWND PaneWindow();
int PaneMode();
// CREATEPLAYERCONTROLS: kind 1 an image button, 2 a track bar (0 to 100; the position bar
// 77 takes thumb 79, the volume bar 76 thumb 80), 3 a check button; its element in style
// gives the picture and the place. The control, or null (after a warning when its element
// has no picture). An existing control is shown.
enum PaneControlKind : int { kPaneImageButton = 1, kPaneTrackBar = 2, kPaneCheckButton = 3 };
HWND CREATEPLAYERCONTROLS(int kind, int style, int id, const std::string& tip, int show);
// The animation (element 81) and the marquee (83) and VU window (82) of the sound mode.
HWND PaneAnimation();
HWND CreatePaneAnimation(int style);
void DESTROYCONTROL(int id);
void DESTROYPLAYERCONTROLS();

// What the pane's place would be: the remembered one, or centred on the work area when it
// is -1 or lies off the screen on any side.
POINT PanePlace(int left, int top, int width, int height, const RECT& screen);

}  // namespace jorvel

extern "C" LRESULT CALLBACK PANEPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// State the engine's Windows files share. Main thread only, except where noted.
#pragma once
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "skin/skin_theme.h"

namespace skin_engine {

// Caption buttons, numbered as their tips in SKSETSYSBUTTONTIP.
enum CaptionButton { kNoButton = 0, kDock = 1, kUndock = 2, kMinimise = 3, kMaximise = 4, kRestore = 5, kClose = 6 };

struct FrameInfo {
  int style = 0;
  bool active = true;
  int hot = kNoButton;
  int pressed = kNoButton;
  bool trackingLeave = false;
  HWND menuHolder = nullptr;
  HWND status = nullptr;
  std::vector<HWND> holders;
};

struct Engine {
  bool started = false;
  SkinTheme theme = DefaultSkin();
  HFONT captionFont = nullptr;
  HFONT defaultFont = nullptr;
  HBRUSH windowBrush = nullptr;
  HBRUSH controlBrush = nullptr;
  std::string appTitle;
  int windowStyle = 31;
  bool shadow = false;
  bool focusRect = true;
  int maxWidth = 0;
  int maxHeight = 0;
  std::vector<std::string> buttonTips;
  std::map<HWND, FrameInfo> frames;
  std::set<HWND> unframed;  // popups with a system menu that draw their whole selves
  bool animationRegions = false;  // SKSETANIMATERGN
};

Engine& State();
// Makes sure fonts and brushes exist (the engine works before SKINITENGINE too).
void EnsureResources();
// Registers a top-level window as a skinned frame with a frame style.
FrameInfo& AddFrame(HWND window, int style);
FrameInfo* FindFrame(HWND window);
void LayoutFrame(HWND frame);
void RepaintFrame(HWND frame);
HFONT MakeFont(const SkinFont& font);

// Messages that the engine answers for its controls and its menu bar, whichever window
// procedure they arrive at. handled is set when the answer is final.
LRESULT ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
LRESULT MenuBarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
// What lies under a picture control: its panel's picture at the control's place, else the
// skin's control background.
void DrawUnderControl(HWND control, HDC dc, int width, int height);
// Keyboard access to the menu bar from the message loop.
bool MenuBarKey(HWND mainWindow, const MSG& message);

// A function of a system library, loaded on first use (null when the library or the
// function is missing): the engine's rarely used services load their libraries only in
// the programs that call them.
template <typename Function>
Function LibraryCall(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace skin_engine

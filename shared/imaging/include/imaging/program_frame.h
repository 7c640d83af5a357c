// The skinned main window of the archive's programs: the frame of the registered class,
// its menu and client holders, the status line and the menu, in the order the skin engine
// stacks them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "skin/sk_menu.h"

namespace startup {

struct FrameSetup {
  const char* className = nullptr;
  ::WNDPROC procedure = nullptr;  // of the class and of every holder
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  std::string title;
  int skinStyle = 27;  // SKWINDOWSTYLE
  int left = 0, top = 0, width = 0, height = 0;
  int screenWidth = 0, screenHeight = 0;
  const char* clientKind = "SKCLIP";
  // Further holders made right after the client holder, hidden.
  std::vector<const char*> hiddenHolders;
  std::string sysButtonTips;  // empty: none
  const MenuTable* menus = nullptr;
};

struct SkinnedFrame {
  HWND frame = nullptr;
  HWND menuHolder = nullptr;
  HWND clientHolder = nullptr;
  std::vector<HWND> hiddenHolders;
  HWND status = nullptr;
};

// False when the class or the frame cannot be made or the client holder is missing. The
// client holder takes Tab and arrow moves between its controls (WS_EX_CONTROLPARENT).
bool CreateSkinnedFrame(const FrameSetup& setup, SkinnedFrame& made);

}  // namespace startup

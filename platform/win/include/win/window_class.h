// Registering a window class the first time it is needed: the fields the suite's classes set,
// with the suite's defaults (the arrow cursor, the program's module).
#pragma once
#include <windows.h>

namespace win {

struct ClassSetup {
  const char* name = nullptr;
  ::WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;  // null: the program's module
  UINT style = 0;
  // The large icon, and the small one too unless systemSmallIcon is set; then the system
  // makes the small icon from this one.
  HICON icon = nullptr;
  bool systemSmallIcon = false;
  // Null: no class cursor (the window sets its own on WM_SETCURSOR, or has none).
  HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
  HBRUSH background = nullptr;
};

// Registers the class unless the instance already has a class of that name, which is then
// kept as it is. False when the class can be neither found nor registered (a null or
// empty name, a null procedure, a refusal of Windows).
bool RegisterClassOnce(const ClassSetup& setup);

}  // namespace win

#include "win/window_class.h"

namespace win {

bool RegisterClassOnce(const ClassSetup& setup) {
  if (!setup.name || !*setup.name) return false;
  HINSTANCE instance = setup.instance ? setup.instance : GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, setup.name, &wc)) return true;
  if (!setup.procedure) return false;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = setup.style;
  wc.lpfnWndProc = setup.procedure;
  wc.hInstance = instance;
  wc.hIcon = setup.icon;
  wc.hIconSm = setup.systemSmallIcon ? nullptr : setup.icon;
  wc.hCursor = setup.cursor;
  wc.hbrBackground = setup.background;
  wc.lpszClassName = setup.name;
  if (RegisterClassExA(&wc)) return true;
  // Another thread of the process may have registered it in between.
  return GetClassInfoExA(instance, setup.name, &wc) != FALSE;
}

}  // namespace win

#include "win/window_class.h"

namespace win {

bool RegisterClassOnce(const ClassSpec& spec) {
  if (!spec.name || !*spec.name) return false;
  HINSTANCE instance = spec.instance ? spec.instance : GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, spec.name, &wc)) return true;
  if (!spec.procedure) return false;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = spec.style;
  wc.lpfnWndProc = spec.procedure;
  wc.hInstance = instance;
  wc.hIcon = spec.icon;
  wc.hIconSm = spec.systemSmallIcon ? nullptr : spec.icon;
  wc.hCursor = spec.cursor;
  wc.hbrBackground = spec.background;
  wc.lpszClassName = spec.name;
  if (RegisterClassExA(&wc)) return true;
  // Another thread of the process may have registered it in between.
  return GetClassInfoExA(instance, spec.name, &wc) != FALSE;
}

}  // namespace win

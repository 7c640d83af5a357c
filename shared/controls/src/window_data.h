// The data of a window of the shared controls: the creation parameter, kept in the
// window's user data from WM_NCCREATE to WM_NCDESTROY.
#pragma once
#include <windows.h>

namespace controls {

// Call first in the window procedure: keeps or drops the parameter as the window comes
// and goes, and gives the data (null before WM_NCCREATE and after WM_NCDESTROY).
template <typename T>
T* WindowData(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return nullptr;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace controls

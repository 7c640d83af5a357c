// WNDPROC: the main window's procedure, also the procedure of the hand-over timer.
#pragma once
#include <windows.h>

namespace jorvel {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The hand-over timer: a thread timer whose ticks reach WNDPROC without a window.
UINT_PTR StartHandOverTimer(UINT milliseconds);

}  // namespace jorvel

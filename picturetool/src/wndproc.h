// WNDPROC: the window procedure of the main window, its panels and the canvas.
#pragma once
#include <windows.h>

namespace bravik {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace bravik

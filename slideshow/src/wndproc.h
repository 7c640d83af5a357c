// The window procedure of the main window, its holders and the preview pane.
#pragma once
#include <windows.h>

namespace dunmere {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dunmere

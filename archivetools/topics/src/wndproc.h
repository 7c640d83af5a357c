// The window procedure of the main window, its holders and the list panel's rows
// (exported: the list control calls it directly).
#pragma once
#include <windows.h>

namespace lumbric {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lumbric

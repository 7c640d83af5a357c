#pragma once
#include <windows.h>

namespace ostrel {

// The window procedure of the frame and its holders; the list control calls it directly
// with its children's commands.
LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ostrel

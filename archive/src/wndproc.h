// WNDPROC: the archive's exported window procedure (the list panel and the slide frame
// call it too).
#pragma once
#include <windows.h>

namespace grilton {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace grilton

// WNDPROC: the skin engine first, then the tool's messages: the command-line job, the menu
// commands, sizing and closing.
#pragma once
#include <windows.h>

namespace narwen {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace narwen

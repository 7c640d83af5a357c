// The command messages that other programs of the suite send to the media browser.
#pragma once
#include <windows.h>

namespace kelmor {

// WM_COPYDATA: unpacks the command message and acts on its code; always answers 1.
LRESULT OnCopyData(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace kelmor

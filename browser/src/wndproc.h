// The media browser's window procedure: after the skin engine's look at each message, a
// switch on the message number whose cases call the handlers of the files beside it.
#pragma once
#include <windows.h>

namespace kelmor {

// The procedure of the frame, the client holder and the menu holder. (In this namespace
// the name means the procedure, not the Windows pointer type.)
LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kelmor

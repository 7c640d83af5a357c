// The player's one window procedure (also the procedure of its thread timers) and the
// timers it serves.
#pragma once
#include <windows.h>

namespace falcet {

// Serves the main window, the picture and video window, the picture area, the zoom holder,
// the pop-up window and the player's thread timers (window null, WM_TIMER, the timer id).
LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A thread timer whose ticks go to WNDPROC; returns its id.
UINT_PTR StartThreadTimer(UINT milliseconds);
// Kills a thread timer and clears its id (0 is left alone).
void KillThreadTimer(UINT_PTR& timer);

}  // namespace falcet

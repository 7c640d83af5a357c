// WM_COMMAND of the picture browser's windows, and the start-up timer.
#pragma once
#include <windows.h>

namespace hessam {

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
// The start-up timer (command 99 starts it): unless a list came first, the start folder
// is chosen (the command line, the program folder with "AUTORUN.INF", else the settings'
// folder) and listed.
void OnStartTimer(UINT_PTR id);

}  // namespace hessam

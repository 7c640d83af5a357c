// WNDPROC: the procedure of the main window, its holders, the strips and the zoom window.
#pragma once
#include <windows.h>

namespace hessam {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The start-up timer's procedure: the timer message goes on to WNDPROC.
void CALLBACK StartTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

}  // namespace hessam

// What the picture browser exports for other programs and tools (hessam.def): its window
// procedure under the plain name WNDPROC.
#include <windows.h>

#include "wndproc.h"

extern "C" LRESULT CALLBACK HessamWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return hessam::WNDPROC(window, message, wParam, lParam);
}

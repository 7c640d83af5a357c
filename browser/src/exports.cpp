// What the media browser exports for other programs and tools (kelmor.def): its window
// procedure under the plain name WNDPROC.
#include <windows.h>

#include "wndproc.h"

extern "C" LRESULT CALLBACK KelmorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return kelmor::WNDPROC(window, message, wParam, lParam);
}

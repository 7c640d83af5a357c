// The suite's command message to the picture browser and the hand-over of a list.
#pragma once
#include <windows.h>

namespace hessam {

// WM_COPYDATA: code 10 closes the browser; any other code hands over a "|" list, opened
// on WM_USER+3. Answers 1.
LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// WM_USER+3: the received list becomes the picture list (an empty list changes nothing).
void OnOpenReceived();

}  // namespace hessam

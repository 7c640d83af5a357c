// WM_COPYDATA: code 10 ends the program at once; any other code brings a picture list.
#pragma once
#include <windows.h>

namespace grilton {

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// WM_USER+3: the received lists become the picture list.
void OpenReceivedLists();

}  // namespace grilton

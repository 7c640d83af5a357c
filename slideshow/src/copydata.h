// The command messages that other programs of the suite send to the slide show maker.
#pragma once
#include <windows.h>

namespace dunmere {

// WM_COPYDATA: answered with 1 at once; lists of pictures (code 3) wait in the received
// lists until kMsgOpenReceived.
LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// kMsgOpenReceived: every waiting list joins the slide list, oldest first.
void OpenReceivedLists();

}  // namespace dunmere

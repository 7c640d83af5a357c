// The command messages of other programs (WM_COPYDATA) and the lists they bring.
#pragma once
#include <windows.h>

namespace bravik {

// GETCOPYDATA and a switch on the code; answers 1 at once. A list to open waits in the
// received-lists queue until kMsgOpenReceived.
LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// kMsgOpenReceived: opens the newest waiting list.
void OnReceivedList();

}  // namespace bravik

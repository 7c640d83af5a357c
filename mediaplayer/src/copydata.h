// The command messages that the suite's programs send to the player (WM_COPYDATA), and the
// lists they bring, opened once the sender has been let go.
#pragma once
#include <windows.h>

namespace falcet {

// Answers 1 at once; a list to open is queued and opened on kMsgOpenReceived.
LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// kMsgOpenReceived: the newest received list is opened.
void OpenReceivedLists();
// The hand-over timer (code 18): the lists it gathered go to the player itself as code 3.
void OnHandOverTimer();

}  // namespace falcet

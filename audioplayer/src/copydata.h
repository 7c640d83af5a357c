// The command messages other programs send to the player, and the hand-over timer.
#pragma once
#include <windows.h>

namespace jorvel {

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// The hand-over timer has run: the lists handed over meanwhile are opened as one.
void OnHandOverTimer(UINT_PTR id);
// kMsgOpenReceived: the lists of code 3 (and every code without a meaning of its own).
void OpenReceivedLists();

}  // namespace jorvel

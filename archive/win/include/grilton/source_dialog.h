// A scanner source's dialog that stays open after the last page: found among the
// top-level windows and closed from a timer. Windows only.
#pragma once
#include <windows.h>

#include <string>

namespace grilton {

// The source dialog: a top-level window owned by the main window with a caption, or one
// whose caption is one of the "|"-separated known captions; never a window of this
// program's own classes. Null when there is none.
HWND FindSourceDialogWindow(HWND mainWindow, const std::string& knownCaptions);

// Closes the dialog once, after the interval, when it is enabled then (SC_CLOSE).
void StartSourceDialogTimer(HWND dialog, UINT milliseconds);
// Kills a running timer and forgets the dialog.
void KillSourceDialogTimer();
bool SourceDialogTimerRunning();

}  // namespace grilton

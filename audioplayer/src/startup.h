// WINMAIN: who the player is, the single instance and the hand-over to a running copy, its
// UI text file, the mixer, the settings and skin, the hidden main window, the start list,
// the message loop and the clean-up after it.
#pragma once
#include <windows.h>

#include <string>

namespace jorvel {

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

// The open step: the pane is built anew and the start list opened (at start, and when the
// loop finds the reopen flag).
void OpenStartList();

}  // namespace jorvel

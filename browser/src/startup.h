// WINMAIN: the media browser's start, message loop, clean-up and restart.
#pragma once
#include <windows.h>

#include <string>

namespace kelmor {

// Returns the exit code: 2 when the UI text file is missing, 0 when another copy runs, the
// partner's window (0 when none appeared) after handing over file names from the command
// line, otherwise the quit message's wParam.
int WINMAIN(HINSTANCE instance, HINSTANCE previous, const std::string& commandLine, int show);

}  // namespace kelmor

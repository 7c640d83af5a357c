// WINMAIN: who the player is, its UI text file, the single instance, the skin, the
// settings, the main window, the first items, the message loop and the clean-up after it.
#pragma once
#include <windows.h>

#include <string>

namespace falcet {

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

// Opens the command line's items from the first (also the restart).
void OpenStartItems();
// Asks the message loop to open the command line's items again.
void RequestRestart();

}  // namespace falcet

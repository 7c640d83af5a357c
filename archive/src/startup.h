// WINMAIN: who the archive is, its skin and UI text file, the single instance, the
// settings, the folders and files of the archive, the main window, the start command, the
// volume timer, the message loop and the clean-up after it.
#pragma once
#include <windows.h>

#include <string>

namespace grilton {

// The exit code of a program whose data folder cannot be made.
constexpr int kExitNoDataFolder = 3;

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

}  // namespace grilton

// WINMAIN: who the editor is, its skin and UI text file, the single instance, the data
// folder and the settings, the main window and its form, the message loop and the restart.
#pragma once
#include <windows.h>

#include <string>

namespace lumbric {

// The exit code of a program whose data folder cannot be made.
constexpr int kExitNoDataFolder = 3;

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

}  // namespace lumbric

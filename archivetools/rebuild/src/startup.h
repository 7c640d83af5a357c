// WINMAIN: who the tool is, its skin and UI text file, the main window, the command-line
// job and the message loop.
#pragma once
#include <windows.h>

#include <string>

namespace narwen {

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

}  // namespace narwen

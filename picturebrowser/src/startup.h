// WINMAIN: the picture browser's start, message loop and clean-up.
#pragma once
#include <windows.h>

#include <string>

namespace hessam {

// Returns 2 when the UI text file is missing, otherwise the quit message's wParam.
int WINMAIN(HINSTANCE instance, HINSTANCE previous, const std::string& commandLine, int show);

}  // namespace hessam

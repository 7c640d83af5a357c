// Start-up, message loop and clean-up of the slide show maker.
#pragma once
#include <windows.h>

#include <string>

namespace dunmere {

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

}  // namespace dunmere

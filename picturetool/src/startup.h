// WINMAIN of the picture tool.
#pragma once
#include <windows.h>

#include <string>

namespace bravik {
int WINMAIN(HINSTANCE instance, const std::string& commandLine);
}  // namespace bravik

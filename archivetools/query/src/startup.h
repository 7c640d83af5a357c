#pragma once
#include <windows.h>

#include <string>

namespace ostrel {

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

}  // namespace ostrel

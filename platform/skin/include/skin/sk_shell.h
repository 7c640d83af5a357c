// The skin engine's shell services: drives, copying and moving files and folders.
#pragma once
#include <windows.h>

#include <string>

// The drive letters of the machine: CD-ROM drives in lower case, all others in upper case.
std::string SKDSKLIST();
// Copies a file or a folder (with everything in it) to dest; 0 or a Windows error number.
int SKSHELLCOPY(HWND owner, const std::string& source, const std::string& dest);
// Moves a file or a folder to dest; 0 or a Windows error number.
int SKSHELLMOVE(HWND owner, const std::string& source, const std::string& dest);

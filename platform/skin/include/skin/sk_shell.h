// The skin engine's shell services: drives, the user's special folders, copying and moving
// files and folders.
#pragma once
#include <windows.h>

#include <string>

// The drive letters of the machine: CD-ROM drives in lower case, all others in upper case.
std::string SKDSKLIST();
// A special folder of the user (CSIDL number: 5 the documents folder), with its final "\";
// "" when the system has none.
std::string SKGETSPECIALFOLDER(int csidl);
// Copies a file or a folder (with everything in it) to dest; 0 or a Windows error number.
int SKSHELLCOPY(HWND owner, const std::string& source, const std::string& dest);
// Moves a file or a folder to dest; 0 or a Windows error number.
int SKSHELLMOVE(HWND owner, const std::string& source, const std::string& dest);

// The media browser's side of the suite's partner rule: handing files to its partner
// program and to the disc burner.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace kelmor {

// Hands a "|" list of files to the partner (the override of command code 2, else UI entry
// 19): finds its window or starts it (a started partner first gets code 1), brings it to
// the front unless the option check box is checked, and sends code 3 with the list.
// Returns the partner's window, or null when none appeared (then nothing was sent).
HWND LAUNCHSUITEAPP(const std::string& text);

// Hands the collection list to the disc burner named by the action text of command 212:
// code 1 when it had to be started, 25 with the working file's bare name, 24, and 3 with
// every path followed by "|". Returns the burner's window or null.
HWND HandToDiscBurner(const std::vector<std::string>& paths);

// Hands a "|" list of files to the program of UI entry 64 (a started one first gets code
// 1): code 3 with the list, then it is brought to the front. Returns its window or null.
HWND HandToAudioProgram(const std::string& text);

}  // namespace kelmor

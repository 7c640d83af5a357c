// The player's boxes over the skin engine's message box: title UI entry 1, the skin's colours.
#pragma once
#include <windows.h>

#include <string>

namespace falcet {

void PlayerBox(const std::string& text, HICON icon);
// The same box with the exclamation icon.
void WarningBox(const std::string& text);
// Escape in full-screen mode: whether the user wants to quit (UI entries 82 and 83).
bool AskToQuit();

}  // namespace falcet

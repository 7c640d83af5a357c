// The partners the player starts: the spectrum display (command 54), the help viewer
// (command 74) and the media browser as the source of files (OPENFILES, commands 67 and
// 103); and telling those it started that it closes.
#pragma once
#include <string>

namespace jorvel {

void ToggleSpectrum();
void ShowHelp();
// A help document below the program folder in the help viewer (or its own program).
void ShowHelpDocument(const std::string& name);
void OPENFILES();
// Code 10 to the browser and the spectrum display when the player started them.
void ClosePartnersStarted();

}  // namespace jorvel

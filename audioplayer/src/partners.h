// The partners the player starts: the spectrum display (command 54), the help viewer
// (command 74) and the media browser as the source of files (OPENFILES, commands 67 and
// 103); and telling those it started that it closes.
#pragma once

namespace jorvel {

void ToggleSpectrum();
void ShowHelp();
void OPENFILES();
// Code 10 to the browser and the spectrum display when the player started them.
void ClosePartnersStarted();

}  // namespace jorvel

// Start-up, the first opening, the single instance, the codec installation, the settings
// file and what happens after the message loop.
#pragma once
#include <windows.h>

#include <string>

namespace falcet {

int WINMAIN(HINSTANCE instance, const std::string& commandLine);

// Opens the command line's items from the first (start-up step 17); also the restart.
void OpenStartItems();
// Asks the message loop to open the command line's items again.
void RequestRestart();

// The item list a name stands for: an ".m3u" or ".upl" list is read, anything else is the
// name itself.
std::string ListOfName(const std::string& name);
// The built show list beside the player (its base name with UI entry 89).
std::string BuiltShowList();
// The argument rule with a single ".upl" expanded.
std::string StartList(const std::string& commandLine);

// False when another copy runs (it got this start's list, code 18, and was brought to the
// front) or the single-instance mutex cannot be made; this copy ends then.
bool TakeSingleInstance(const std::string& commandLine);

// Installs the video codec of option field 12 (system folder, system.ini, registry).
void INSTALLCODECS();

// The settings file: read at start (also starts the skin), written at close.
void ReadSettings();
void WriteSettings();

}  // namespace falcet

// The slide show maker's partners: the media browser (told about written side files and
// switched to), the media player (shows slides and plays built shows), the disc burner
// (gets built shows) and the help viewer.
#pragma once
#include <windows.h>

#include <string>

namespace dunmere {

// Code 22 with the folder of path to a running media browser (UI entry 15's class).
void NOTIFYSUITE(const std::string& path);
// Finds or starts the media player (UI entry 19) and hands it text with code 3; with show
// set it is brought to the front and first gets code 19 (default time), code 4 (music list,
// group value, text-file number, default time), codes 5 and 6, and code 7 after the list.
void RUNSUITEPROGRAM(const std::string& text, int show);
// Hands a built show to the disc burner: code 19 when it had to be started, then code 25
// (the show's name), 24 and 3 (files).
void RUNSUITEITEM(const std::string& files);
// Activates or starts the media browser and sends it code (14 or 15). False when the
// browser's program is not found.
bool SwitchToBrowser(int code);
// Command 110: the help page in the help viewer, else through the shell.
void ShowHelp();

// The program of a partner entry's first field as a command line: a name without folder
// lies in the program folder, a path with blanks is quoted, arguments are kept.
std::string PartnerCommand(const std::string& programField);
// The program file alone ("falcet.exe"), without arguments.
std::string ProgramFileOf(const std::string& programField);
// Sends code 10 to a window of the class and waits, at most milliseconds, until it is gone.
void ClosePartner(const std::string& className, DWORD milliseconds);
// Waits for a window of the class, running the wait box; null after milliseconds or a stop.
HWND WaitForPartner(const std::string& className, DWORD milliseconds);

}  // namespace dunmere

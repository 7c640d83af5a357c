// The slide show maker's partners: the media browser (told about written side files and
// switched to), the media player (shows slides and plays built shows), the disc burner
// (gets built shows) and the help viewer.
#pragma once
#include <windows.h>

#include <string>

#include "imaging/copydata.h"

namespace dunmere {

// Code 22 with the folder of path to a running media browser (UI entry 15's class).
void NOTIFYSUITE(const std::string& path);
// Finds or starts the media player (UI entry 19) and hands it text with kCodeOpen; with
// show set it is brought to the front and first gets kCodeSlideShow (default time),
// kCodeAttachedSound (music list, group value, text-file number, default time),
// kCodeShowKeywords and kCodeEnlargedView, and kCodePressPlay after the list.
void RUNSUITEPROGRAM(const std::string& text, int show);
// Hands a built show to the disc burner: kCodeBurnerStarted when it had to be started,
// then kCodeBurnJobName (the show's name), kCodeBurnNewList and kCodeOpen (files).
void RUNSUITEITEM(const std::string& files);
// Activates or starts the media browser and sends it code (a file type: 14 or 15). False
// when the browser's program is not found.
bool SwitchToBrowser(SuiteCode code);
// The help command: the help page in the help viewer, else through the shell.
void ShowHelp();

// The program of a partner entry's first field as a command line: a name without folder
// lies in the program folder, a path with blanks is quoted, arguments are kept.
std::string PartnerCommand(const std::string& programField);
// The program file alone ("falcet.exe"), without arguments.
std::string ProgramFileOf(const std::string& programField);
// Sends kCodeClose to a window of the class and waits, at most milliseconds, until it is gone.
void ClosePartner(const std::string& className, DWORD milliseconds);
// Waits for a window of the class, running the wait box; null after milliseconds or a stop.
HWND WaitForPartner(const std::string& className, DWORD milliseconds);

}  // namespace dunmere

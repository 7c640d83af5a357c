// The skin engine's printer services: the default printer and the print dialog. Windows only.
#pragma once
#include <windows.h>

#include <string>

// The default printer's name, driver and port; 0 on success, else a Windows error number
// (2 when there is no default printer).
int SKGETDEFAULTPRINTER(std::string& name, std::string& driver, std::string& port);
// The system's print dialog; returns the chosen printer's device context (the caller
// deletes it) or null when the user cancelled or no printer exists.
HDC SKPRINTDLG(HWND owner);

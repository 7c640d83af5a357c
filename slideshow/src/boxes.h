// The slide show maker's questions and waits: the skinned message boxes with the warning
// or the program icon, its input box, the style of its general boxes, the wait box that
// keeps the window alive during long work, and the pick-file window that offers the files
// of a folder by name.
#pragma once
#include <windows.h>

#include <string>

#include "controls/buildbox.h"

namespace dunmere {

// The skinned message box owned by the main window, captioned with UI entry 1; buttons is
// "|"-separated ("" for one button). Returns the pressed button (from 1), 0 when the box
// was closed without an answer. MESSAGEBOX shows the exclamation icon, PROGRAMBOX the
// program's icon.
int MESSAGEBOX(const std::string& message, const std::string& buttons = "");
int PROGRAMBOX(const std::string& message, const std::string& buttons = "");
// The skinned input box with the program's icon, captioned with UI entry 1; answer goes in
// as the preset. Returns the pressed button (from 1), 0 when closed without an answer.
int INPUTBOX(const std::string& prompt, const std::string& buttons, std::string& answer);
// The general box (BUILDBOX) as the program shows it: its icon and the skin's text colours.
BuildBoxStyle ProgramBuildBoxStyle();

// Runs the pending messages of the program during long work: 0 to go on, -1 to stop (Esc
// and a "stop" answer, or a close request, which is posted again to take effect after the
// work), -2 for a right click on the slide list on old systems. flag not 0 shows the wait
// cursor.
int WAITBOX(int flag);
// Waits up to milliseconds, running the wait box; false when the wait box asked to stop.
bool WaitWithBox(DWORD milliseconds);

// The pick-file window (class "SSPICKFILE"): a combo box with the names of the files
// folder + "*" + extension, preset with presetName; in save mode (1) a new name may be
// typed. Returns the pressed button (from 1; 0 when closed otherwise) and the chosen name
// (without folder) in name.
int PICKFILEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& name,
                const std::string& folder, const std::string& extension, const std::string& presetName, int saveMode);

}  // namespace dunmere

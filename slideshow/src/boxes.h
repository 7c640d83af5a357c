// The slide show maker's questions and waits: the skinned message boxes with the warning
// or the program icon, the style of its general boxes, the wait box that keeps the window
// alive during long work, the pick-file window that offers the files of a folder by name
// and the target-folder window.
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
// The general box (BUILDBOX) as the program shows it: its icon and the skin's text colours.
BuildBoxStyle ProgramBuildBoxStyle();

// Runs the pending messages of the program during long work: 0 to go on, -1 to stop (Esc
// and a "stop" answer, or a close request, which is posted again to take effect after the
// work), -2 for a right click on the slide list on old systems. flag not 0 shows the wait
// cursor.
int WAITBOX(int flag);
// Waits up to milliseconds, running the wait box; false when the wait box asked to stop.
bool WaitWithBox(DWORD milliseconds);

// While it lives, Esc reaches the wait box even when another program's window has the
// keyboard (a hot key of the main window): the recording player stands in front with its
// input disabled, and its recording must still be stoppable here.
class EscapeHotKey {
 public:
  EscapeHotKey();
  ~EscapeHotKey();
  EscapeHotKey(const EscapeHotKey&) = delete;
  EscapeHotKey& operator=(const EscapeHotKey&) = delete;

 private:
  bool owns_ = false;  // false for one made while another lives
};

inline constexpr const char* kPickFileClass = "SSPICKFILE";
inline constexpr const char* kTargetFolderClass = "SSTARGETFOLDER";

// The pick-file window (class "SSPICKFILE"): a combo box with the names of the files
// folder + "*" + extension, presetName chosen (else the first); in save mode (1) a new name
// may be typed. Returns the pressed button (from 1; 0 when closed otherwise) and the chosen
// name (without folder) in name ("" for the last button, and for the second in save mode).
int PICKFILEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& name,
                const std::string& folder, const std::string& extension, const std::string& presetName, int saveMode);

// The target-folder window (class "SSTARGETFOLDER", procedure kelmor::TARGETBOXPROC): the
// folder tree with folder selected when it exists; buttons "choose|new folder|cancel".
// Returns 1 with the chosen folder, 2 with the typed path of a folder to create (asked in
// an input box of inputTitle with the second button's caption + newFolderPrompt), 3 or 0
// (closed otherwise) with folder unchanged.
int TARGETFOLDERBOX(HWND owner, const std::string& buttons, const std::string& inputTitle,
                    const std::string& newFolderPrompt, const std::string& inputButtons, std::string& folder);

}  // namespace dunmere

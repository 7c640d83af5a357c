// The start-up pieces that every program of the suite repeats: who it is, the check for
// its UI text file, the GDI+ session, the message loop and the lists that command
// messages bring. Windows only; the portable parts are program_paths.h and
// received_lists.h.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "imaging/program_paths.h"
#include "imaging/received_lists.h"
#include "win/gdiplus_session.h"

namespace startup {

struct ProgramIdentity : ProgramPaths {
  HINSTANCE instance = nullptr;
};

// The instance and the paths of the running program (its module file name).
ProgramIdentity IdentifyProgram(HINSTANCE instance);

// True when the UI text file exists. Otherwise the skinned stop box shows its path and
// " missing !" under the caption, and the answer is false: the program then ends with
// kExitMissingUiFile.
bool CheckUiFile(const std::string& uiFile, const std::string& caption);

// A GDI+ session when "gdiplus.dll" is found (SKFINDF), else an empty one; GDI+ stops
// when the owner ends.
win::GdiplusSession StartGdiplusWhenPresent();

// What a program adds to the message loop.
struct MessageLoopSteps {
  // Sees every message first; true when it took the message, which then goes no further.
  std::function<bool(MSG& message)> filter;
  // IsDialogMessageA on the frame (while it exists), for keyboard moves between controls.
  bool dialogKeys = false;
  // Runs after every message, whoever took it.
  std::function<void()> after;
};

// GetMessageA until WM_QUIT; each message goes to the filter, SKDIALOGMESSAGE, then
// IsDialogMessageA when asked, and else to TranslateMessage and DispatchMessageA. The
// frame is read anew for every message: a program replaces or clears it as it goes.
// Returns the quit code; a failing GetMessageA (-1) ends the loop with 0.
int RunMessageLoop(const HWND& frame, const MessageLoopSteps& steps = {});

// The owner of a program's boxes: its frame while that shows, else none (a box of a
// minimised or hidden program stands on its own).
inline HWND BoxOwner(HWND frame) { return frame && IsWindow(frame) && IsWindowVisible(frame) ? frame : nullptr; }

// Whether the message asks the window to close: WM_CLOSE, or WM_SYSCOMMAND with SC_CLOSE
// (the skinned frame's close button, Alt+F4, and what partners post).
inline bool IsCloseRequest(UINT message, WPARAM wParam) {
  return message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
}

// The receiving half of a list command: queues the text, posts kMsgOpenReceived to the
// window and gives the answer every command message gets (1), so that the sender is free
// before the list is opened.
LRESULT QueueReceivedList(HWND window, ReceivedLists& lists, std::string text);

}  // namespace startup

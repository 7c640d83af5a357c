#include "grilton/source_dialog.h"

#include "grilton/picture_list.h"

namespace grilton {

namespace {

HWND closing = nullptr;
UINT_PTR timer = 0;

struct Search {
  HWND main;
  const std::string* captions;
  HWND found = nullptr;
};

// The program's own windows: those of this process whose class its module registered
// (its frame, holders and boxes). A scanner source runs in this process too, but its
// dialogs' classes belong to its own module or to the system.
bool OwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return false;
  auto module = reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE));
  return module == GetModuleHandleA(nullptr);
}

BOOL CALLBACK Finder(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  TopWindow w;
  w.text = text;
  w.childOfMain = search->main && (GetParent(window) == search->main || GetWindow(window, GW_OWNER) == search->main);
  w.ownWindow = window == search->main || OwnWindow(window);
  if (!IsSourceDialog(w, *search->captions)) return TRUE;
  search->found = window;
  return FALSE;
}

void CALLBACK CloseTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = closing;
  KillSourceDialogTimer();
  if (dialog && IsWindow(dialog) && IsWindowEnabled(dialog)) PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace

HWND FindSourceDialogWindow(HWND mainWindow, const std::string& knownCaptions) {
  Search search{mainWindow, &knownCaptions};
  EnumWindows(Finder, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void StartSourceDialogTimer(HWND dialog, UINT milliseconds) {
  KillSourceDialogTimer();
  closing = dialog;
  timer = SetTimer(nullptr, 0, milliseconds, CloseTimerProc);
}

void KillSourceDialogTimer() {
  if (timer) KillTimer(nullptr, timer);
  timer = 0;
  closing = nullptr;
}

bool SourceDialogTimerRunning() { return timer != 0; }

}  // namespace grilton

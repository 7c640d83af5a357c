// The one runner of the suite's own modal boxes: a box is a window of its own class that
// takes its inputs from a store handed to it at creation and writes its answer there when
// a button is pressed. The runner registers the class, creates the box owned by the
// caller's window, keeps the owner disabled while the box's loop runs and gives the owner
// back its activation at the end. The general box "SSLBUILDBOX", the media browser's boxes
// and the slide show maker's windows all run on it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace controls {

struct ModalBoxSetup {
  const char* className = nullptr;
  ::WNDPROC procedure = nullptr;
  UINT classStyle = CS_HREDRAW | CS_VREDRAW;
  HWND owner = nullptr;               // disabled while the box runs; may be null
  std::string caption;                // the box's window text
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  int width = 0;                      // 0: the box sizes itself when it is created
  int height = 0;
  void* store = nullptr;              // the box's creation parameter
  // After creation, before the box shows: place it, make its controls. Optional.
  std::function<void(HWND box)> prepare;
  // The control that starts with the keyboard; optional.
  std::function<HWND(HWND box)> focus;
  // Optional: sees each message for the box first; true when it consumed it.
  std::function<bool(const MSG&)> key;
  // Optional: false when Escape must not end the box now.
  std::function<bool()> escapeEnds;
};

// Runs the box until it is destroyed. Escape in the box and a quit of the program send
// the box WM_CLOSE, which ends it without an answer (the quit goes on to the caller's
// loop). False, with the owner untouched, when the class could neither be found nor
// registered or the box could not be created.
bool RunModalBox(const ModalBoxSetup& setup);

// Ends a box: its owner is enabled and activated first, so that it, not another program,
// gets the activation; then the box is destroyed.
void EndModalBox(HWND box);

// The store a box was created with, kept in its user data from WM_NCCREATE on; call first
// in the box's procedure (null before creation and from WM_NCDESTROY on).
template <typename T>
T* ModalBoxStore(HWND box, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(box, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(box, GWLP_USERDATA, 0);
    return nullptr;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(box, GWLP_USERDATA));
}

}  // namespace controls

// Drives a pick dialog from a second thread while the test's thread runs it (the dialog is
// modal): the steps run once the dialog's controls exist, and afterwards the dialog is
// made to close, so that no test can hang on it. Steps record what they see in variables
// that the test checks after the dialog returned.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace pick_test {

class DialogDriver {
 public:
  explicit DialogDriver(std::function<void(HWND dialog)> steps);
  ~DialogDriver();
  // Joins the thread; true when the steps ran and the dialog closed by itself.
  bool Finish();
  bool found() const { return found_; }

 private:
  std::thread thread_;
  std::atomic<bool> found_{false};
  std::atomic<bool> forced_{false};
  bool joined_ = false;
};

HWND Control(HWND dialog, int id);
std::vector<std::string> Entries(HWND dialog);
// Multi-selection: exactly these entries selected.
void SelectEntries(HWND dialog, const std::vector<int>& indexes);
// A mouse click (or double click) on an entry of the list.
void ClickEntry(HWND dialog, int index);
void DoubleClickEntry(HWND dialog, int index);
// Chooses a filter box entry as the user would (the box then notifies the dialog).
void ChooseFilter(HWND dialog, int index);
// Presses button n (from 1) of the dialog.
bool Press(int button);
// A key press posted to a window of the dialog (it goes through the dialog's loop).
void Key(HWND target, WPARAM key);
// The window that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog);

}  // namespace pick_test

// The fixture of the whole-program tests of the browser's commands: its boxes found,
// answered and read from outside.
#pragma once
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"
#include "kelmor/box_rules.h"
#include "kelmor/command_ids.h"
#include "kelmor/modal_boxes.h"
#include "kelmor_list_fixture.h"

namespace kelmor {

using std::chrono::milliseconds;

// How many files of this name Wine's recycle bin holds (it adds a suffix to a name it holds
// already); -1 when the session sets no data folder for it.
inline int InTrash(const std::string& name) {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (!data || !*data) return -1;
  std::string path = std::string("Z:") + data + "/Trash/files/" + name + "*";
  std::replace(path.begin(), path.end(), '/', '\\');
  return int(fileio::ListDirectory(path).size());
}


inline constexpr DWORD kBoxMs = 10000;
enum SizeBoxControl : int { kKeepCheck = 20, kWidthField = 21, kHeightField = 22 };

class KelmorCommands : public KelmorList {
 protected:
  // A box of the browser once it shows with its buttons.
  HWND WaitBox(const char* className) {
    HWND box = nullptr;
    PumpUntil([&] { return (box = FindTopWindow(className)) && IsWindowVisible(box) && driver::FindChild(box, 2); },
              milliseconds(kBoxMs));
    return box;
  }
  // A button of one of the browser's boxes, pressed as a click does; sent, so that the box
  // has taken it when this returns.
  void PressBoxButton(HWND box, int answer) {
    int id = kBoxFirstButtonId + answer - 1;
    SendAndWait(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(driver::FindChild(box, id)));
  }
  // Chooses an entry of a box's combo box as a click in its list does.
  bool ChooseInBox(HWND box, const std::string& entry) {
    HWND combo = driver::FindChild(box, kBoxMainId);
    std::vector<std::string> items = driver::ListItems(combo);
    auto at = std::find(items.begin(), items.end(), entry);
    if (at == items.end()) return false;
    SendAndWait(combo, CB_SETCURSEL, WPARAM(at - items.begin()), 0);
    SendAndWait(box, WM_COMMAND, MAKEWPARAM(kBoxMainId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
  }
  // Starts a conversion of the whole list to a type of the picture-type box.
  bool StartConversion(HWND frame, const std::string& type) {
    SelectOnly(list_, {});
    SendAndWait(list_, LB_SETSEL, TRUE, -1);
    PostMessageA(frame, WM_COMMAND, kConvertCommand, 0);
    HWND box = WaitBox(kPictureTypeClass);
    if (!box || !ChooseInBox(box, type)) return false;
    PressBoxButton(box, 1);
    return true;
  }
  // The text of a message box of the browser, once one shows ("" when none came).
  std::string MessageBoxText(DWORD ms = kBoxMs) {
    std::string text;
    DWORD process = Process().Id();
    // The box's text comes a moment after its window.
    PumpUntil(
        [&] {
          HWND box = FindTopWindow("SKMSGBOX", [process](HWND w) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            return pid == process;
          });
          return box && !(text = driver::BoxText(box)).empty();
        },
        milliseconds(ms));
    return text;
  }
  // Answers the browser's input box (caption given, or any) with a text and its first
  // button. False when no box came.
  bool AnswerInput(const std::string& text) { return driver::AnswerInputBox(text, kBoxMs, Process().Id()); }
  // Answers the target-folder box with a folder typed as a new one (an existing folder is
  // taken as it is).
  bool ChooseTarget(const std::string& folder) {
    HWND box = WaitBox(kTargetBoxClass);
    if (!box) return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(kBoxFirstButtonId + 1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(driver::FindChild(box, kBoxFirstButtonId + 1)));
    return AnswerInput(folder);
  }
};

}  // namespace kelmor

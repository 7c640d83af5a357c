#include "pick_dialog_driver.h"

#include "driver.h"
#include "wait_until.h"

namespace pick_test {

namespace {
constexpr DWORD kWait = 10000;
}

DialogDriver::DialogDriver(std::function<void(HWND dialog)> steps) {
  thread_ = std::thread([this, steps] {
    HWND dialog = driver::WaitWindow("QORDLG", kWait);
    if (!dialog || !driver::WaitChild(dialog, 2, kWait)) return;
    found_ = true;
    steps(dialog);
    // The steps should have closed it; a dialog that stays is closed here, and reported.
    if (!WaitUntil([dialog] { return !IsWindowVisible(dialog); }, std::chrono::seconds(5))) {
      forced_ = true;
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
  });
}

DialogDriver::~DialogDriver() { Finish(); }

bool DialogDriver::Finish() {
  if (!joined_ && thread_.joinable()) thread_.join();
  joined_ = true;
  return found_ && !forced_;
}

HWND Control(HWND dialog, int id) { return driver::WaitChild(dialog, id, kWait); }

std::vector<std::string> Entries(HWND dialog) { return driver::ListItems(Control(dialog, 2)); }

void SelectEntries(HWND dialog, const std::vector<int>& indexes) {
  HWND list = Control(dialog, 2);
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  for (int i : indexes) SendMessageA(list, LB_SETSEL, TRUE, i);
}

namespace {
POINT EntryCentre(HWND list, int index) {
  RECT r{};
  SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

void ClickEntry(HWND dialog, int index) {
  HWND list = Control(dialog, 2);
  POINT p = EntryCentre(list, index);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  WaitUntil([list, index] { return SendMessageA(list, LB_GETSEL, WPARAM(index), 0) > 0; }, std::chrono::seconds(2));
}

void DoubleClickEntry(HWND dialog, int index) {
  HWND list = Control(dialog, 2);
  POINT p = EntryCentre(list, index);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void ChooseFilter(HWND dialog, int index) {
  HWND box = Control(dialog, 3);
  SendMessageA(box, CB_SETCURSEL, WPARAM(index), 0);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

bool Press(int button) { return driver::PressButton("QORDLG", button, "", kWait); }

void Key(HWND target, WPARAM key) { PostMessageA(target, WM_KEYDOWN, key, 1); }

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace pick_test

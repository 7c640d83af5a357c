#include "mainwindow.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/thesaurus.h"
#include "controls/thesaurus_file.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "imaging/suite_classes.h"
#include "ostrel/command_ids.h"
#include "ostrel/conditions.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"
#include "imaging/program_frame.h"

namespace ostrel {

namespace {

constexpr int kFrameStyle = 27;
constexpr int kColumnLeft = 500;
constexpr int kColumnWidth = 200;
constexpr int kButtonHeight = 23;

HWND Control(int id) { return App().clientHolder ? GetDlgItem(App().clientHolder, id) : nullptr; }

// The captions of the buttons: search, stop, save, load, delete.
std::string ButtonCaption(size_t n) {
  std::vector<std::string> captions = fileio::SplitFields(Ui(49), '|');
  return n < captions.size() ? captions[n] : std::string();
}

HWND Child(const char* className, const std::string& text, DWORD style, int x, int y, int w, int h, int id,
           DWORD exStyle = 0) {
  HWND w0 = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                            App().clientHolder, reinterpret_cast<HMENU>(INT_PTR(id)), App().instance, nullptr);
  SendMessageA(w0, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  return w0;
}

}  // namespace

bool CreateMainWindow() {
  Ostrel& a = App();
  const lumbric::Settings& s = a.settings;
  startup::SkinnedFrame made;
  const bool ok = startup::CreateSkinnedFrame({.className = kClassQuery,
                                               .procedure = WNDPROC,
                                               .instance = a.instance,
                                               .icon = a.icon,
                                               .title = Ui(1),
                                               .skinStyle = kFrameStyle,
                                               .left = s.left,
                                               .top = s.top,
                                               .width = s.width > 0 ? s.width : 900,
                                               .height = s.height > 0 ? s.height : 680,
                                               .screenWidth = a.screenWidth,
                                               .screenHeight = a.screenHeight,
                                               .hiddenHolders = {},
                                               .sysButtonTips = {},
                                               .menus = &a.menus},
                                              made);
  a.frame = made.frame;
  a.menuHolder = made.menuHolder;
  a.clientHolder = made.clientHolder;
  a.status = made.status;
  return ok;
}

void FillThesaurusBox() {
  FillThesaurusNames(App().thesaurusBox, App().dataFolder, App().settings.thesaurus);
  FillWordList();
}

void FillWordList() {
  Ostrel& a = App();
  if (!a.wordList) return;
  SendMessageA(a.wordList, LB_RESETCONTENT, 0, 0);
  std::vector<std::string> words;
  ReadThesaurus(ThesaurusPath(a.dataFolder, a.settings.thesaurus), words);
  for (const std::string& w : words) SendMessageA(a.wordList, LB_ADDSTRING, 0, LPARAM(w.c_str()));
}

void BuildChildren() {
  Ostrel& a = App();
  RECT client;
  GetClientRect(a.clientHolder, &client);
  const int height = std::max<int>(300, client.bottom - 8);
  BUILDQUERYFORM(a.clientHolder, 4, 4, kColumnLeft - 12, height - 30);

  int y = 4;
  a.thesaurusBox = Child("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, kColumnLeft, y,
                         kColumnWidth, 200, kThesaurusBox, WS_EX_CLIENTEDGE);
  y += 28;
  a.wordList = Child("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kColumnLeft, y,
                     kColumnWidth, 160, kWordList, WS_EX_CLIENTEDGE);
  y += 166;
  SKCHECKBUTTON(a.clientHolder, Ui(50), kColumnLeft, y, kColumnWidth, 20, kSlotsApartBox);
  y += 24;
  for (int op = 1; op <= kOperatorCount; ++op) {
    Child("BUTTON", Ui(79 + op), BS_AUTORADIOBUTTON | (op == 1 ? WS_GROUP | WS_TABSTOP : 0), kColumnLeft, y,
          kColumnWidth, 20, kRadioBase + op);
    y += 21;
  }
  y += 6;
  const int ids[] = {kCmdSearch, kCmdSave, kCmdLoad, kCmdDelete};
  const size_t captions[] = {0, 2, 3, 4};
  for (size_t i = 0; i < 4; ++i) {
    SKBUT3D(a.clientHolder, ButtonCaption(captions[i]), kColumnLeft, y, kColumnWidth, kButtonHeight, ids[i]);
    y += kButtonHeight + 4;
  }
  FillThesaurusBox();
  ResetRadios();
  // The progress bar comes last: the form is complete once it is there.
  a.progress = SKPROGRESS32(a.clientHolder, 4, height - 20, kColumnLeft + kColumnWidth - 4, 16, kProgressBar);
}

void LayoutChildren() {
  Ostrel& a = App();
  if (!a.clientHolder || !a.panel || !a.progress) return;
  RECT client;
  GetClientRect(a.clientHolder, &client);
  const int height = std::max<int>(300, client.bottom - 8);
  SetWindowPos(a.panel, nullptr, 0, 0, kColumnLeft - 12, height - 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(a.progress, nullptr, 4, height - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetUpRadios(int kind, int op) {
  for (int k = 1; k <= kOperatorCount; ++k) {
    HWND radio = Control(kRadioBase + k);
    if (!radio) continue;
    EnableWindow(radio, OperatorFits(k, kind) ? TRUE : FALSE);
    SendMessageA(radio, BM_SETCHECK, k == op ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void ResetRadios() {
  for (int k = 1; k <= kOperatorCount; ++k) {
    if (HWND radio = Control(kRadioBase + k)) {
      EnableWindow(radio, TRUE);
      SendMessageA(radio, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

void ShowSearching(bool searching) {
  if (HWND button = Control(kCmdSearch)) SetWindowTextA(button, ButtonCaption(searching ? 1 : 0).c_str());
}

void SetStatus(const std::string& text) {
  if (App().status) SetWindowTextA(App().status, text.c_str());
}

void SetProgress(int percent) {
  if (App().progress) SendMessageA(App().progress, PBM_SETPOS, WPARAM(percent), 0);
}

}  // namespace ostrel

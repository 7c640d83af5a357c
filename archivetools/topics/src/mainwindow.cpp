#include "mainwindow.h"

#include <commctrl.h>

#include <algorithm>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/suite_classes.h"
#include "lumbric/command_ids.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"
#include "win/window_class.h"
#include "wndproc.h"
#include "imaging/program_frame.h"

namespace lumbric {

namespace {

constexpr int kFrameStyle = 27;
constexpr int kButtonLeft = 587;
constexpr int kButtonWidth = 135;
constexpr int kButtonHeight = 23;
constexpr int kButtonStep = 27;
constexpr int kIconSize = 32;

// The button column's captions: UI entries 90 .. 97 (the names when the file has none).
struct ButtonSpec {
  int id;
  int entry;
  const char* fallback;
};
constexpr ButtonSpec kButtons[] = {{kCmdSave, 90, "Save"},         {kCmdDelete, 91, "Delete"},
                                   {kCmdFirst, 92, "First"},       {kCmdLast, 93, "Last"},
                                   {kCmdPrevious, 94, "Previous"}, {kCmdNext, 95, "Next"},
                                   {kCmdMedia, 96, "Media"},       {kCmdLock, 97, "Lock"}};

int ColumnBottom() { return 8 + int(std::size(kButtons)) * kButtonStep; }

}  // namespace

bool CreateMainWindow() {
  Lumbric& a = App();
  const Settings& s = a.settings;
  startup::SkinnedFrame made;
  const bool ok = startup::CreateSkinnedFrame({.className = kClassTopicEditor,
                                               .procedure = WNDPROC,
                                               .instance = a.instance,
                                               .icon = a.icon,
                                               .title = Ui(1),
                                               .skinStyle = kFrameStyle,
                                               .left = s.left,
                                               .top = s.top,
                                               .width = s.width,
                                               .height = s.height,
                                               .screenWidth = a.screenWidth,
                                               .screenHeight = a.screenHeight,
                                               .clientKind = "SKHOLDER",
                                               .hiddenHolders = {},
                                               .sysButtonTips = Ui(19),
                                               .menus = &a.menus},
                                              made);
  a.frame = made.frame;
  a.menuHolder = made.menuHolder;
  a.clientHolder = made.clientHolder;
  a.status = made.status;
  return ok;
}

void CreateButtons(HWND parent) {
  Lumbric& a = App();
  int y = 8;
  for (const ButtonSpec& b : kButtons) {
    const std::string& caption = Ui(b.entry).empty() ? std::string(b.fallback) : Ui(b.entry);
    SKBUT3D(parent, caption, kButtonLeft, y, kButtonWidth, kButtonHeight, b.id);
    y += kButtonStep;
  }
  y += 4;
  HWND caption = CreateWindowExA(0, "STATIC", Ui(98).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 kButtonLeft, y, kButtonWidth, 16, parent, nullptr, a.instance, nullptr);
  SendMessageA(caption, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  y += 18;
  a.thesaurusBox = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT,
                                   kButtonLeft, y, kButtonWidth, 200, parent,
                                   reinterpret_cast<HMENU>(INT_PTR(kThesaurusBox)), a.instance, nullptr);
  SendMessageA(a.thesaurusBox, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  y += kButtonStep;
  // The check box beside the choice: checked, a save adds the new words of the topic
  // slots to the thesaurus; unchecked, they stay in the record only.
  a.thesaurusCheck = SKCHECKBUTTON(parent, Ui(99).empty() ? "Add new words" : Ui(99), kButtonLeft, y, kButtonWidth,
                                   20, kThesaurusCheck);
  SKSETCHECK(a.thesaurusCheck, 1);
  FillThesaurusBox();
}

void FillThesaurusBox() {
  Lumbric& a = App();
  if (!a.thesaurusBox) return;
  SendMessageA(a.thesaurusBox, CB_RESETCONTENT, 0, 0);
  for (const fileio::DirEntry& e : fileio::ListDirectory(a.dataFolder + "*.THM")) {
    if (e.directory) continue;
    std::string name = fileio::ToUpper(fileio::StemOf(e.name));
    SendMessageA(a.thesaurusBox, CB_ADDSTRING, 0, LPARAM(name.c_str()));
  }
  LRESULT at = SendMessageA(a.thesaurusBox, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(a.settings.thesaurus.c_str()));
  SendMessageA(a.thesaurusBox, CB_SETCURSEL, at == CB_ERR ? WPARAM(-1) : WPARAM(at), 0);
}

void PaintHolder(HWND holder) {
  Lumbric& a = App();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(holder, &ps);
  RECT client;
  GetClientRect(holder, &client);
  SKTILEBLT(dc, 0, 0, client.right, client.bottom, SKCTLBACK());
  SKDRAWRECT3D(dc, 2, 2, kButtonLeft - 6, client.bottom - 2, SKGETSYSCOLOR(112), SKGETSYSCOLOR(113));
  HICON lock = LoadIconA(a.instance, a.locked ? "LOCKUP" : "ULOCK");
  if (lock)
    DrawIconEx(dc, kButtonLeft + kButtonWidth - kIconSize, ColumnBottom() + 80, lock, kIconSize, kIconSize, 0,
               nullptr, DI_NORMAL);
  EndPaint(holder, &ps);
}

}  // namespace lumbric

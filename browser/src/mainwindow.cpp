#include "mainwindow.h"

#include <commctrl.h>

#include <algorithm>

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "kelmor/command_ids.h"
#include "kelmor/layout.h"
#include "kelmor/menus.h"
#include "pick/folder_tree.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace kelmor {

namespace {

constexpr int kFileTypeDropHeight = 164;

HWND Child(DWORD exStyle, const char* cls, const std::string& text, DWORD style, int id) {
  BrowserState& b = App();
  return CreateWindowExA(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, b.clientHolder,
                         reinterpret_cast<HMENU>(INT_PTR(id)), b.instance, nullptr);
}

void SetFont(HWND w, HFONT font) { SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// A button's caption and tip: fields 1 and 2 of the UI entry with the button's number.
void CreateButton(int id) {
  std::string caption, tip;
  fileio::SplitAtFirst(Ui(id), ',', caption, tip);
  HWND button = SKBUT3D(App().clientHolder, id == kHelpButton ? std::string("?") : caption, 0, 0, 0, 0, id);
  SKBUTTONTIP(button, tip);
}

int TextWidth(HFONT font, const std::string& text) {
  int w = 0, h = 0;
  SKGETTEXTEXTENT(font, text, w, h);
  return w;
}

int CaptionWidth(HWND button) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(font ? font : SKCAPTIONFONT(), space, height);
  return TextWidth(font ? font : SKCAPTIONFONT(), SkGetCtlText(button)) + 2 * space + 6;
}

int FontHeight(HFONT font) {
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(font, space, height);
  return height;
}

void Place(HWND w, const LayoutRect& r, bool comboDrop = false) {
  if (!w) return;
  int height = r.height + (comboDrop ? kFileTypeDropHeight : 0);
  SetWindowPos(w, nullptr, r.x, r.y, r.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool CreateFrame(int left, int top, int width, int height) {
  BrowserState& b = App();
  // No class cursor: the holders cover the frame's client area and have their own.
  if (!win::RegisterClassOnce({.name = kClassBrowser,
                               .procedure = kelmor::WNDPROC,
                               .instance = b.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = b.icon,
                               .cursor = nullptr}))
    return false;
  b.frame = CreateWindowExA(0, kClassBrowser, b.title.c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX |
                                                                    WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
                            left, top, width, height, nullptr, nullptr, b.instance, nullptr);
  if (!b.frame) return false;
  b.clientHolder = SKHOLDER(b.frame, "SKCLIP", kelmor::WNDPROC);
  b.menuHolder = SKHOLDER(b.frame, "SKMENU", kelmor::WNDPROC);
  b.status = SKSTATUSWINDOW(b.frame, "");
  if (b.clientHolder) {
    // Tab and the arrow keys move between the holder's controls as in a dialog.
    SetWindowLongPtrA(b.clientHolder, GWL_STYLE, GetWindowLongPtrA(b.clientHolder, GWL_STYLE) | WS_CLIPCHILDREN);
    SetWindowLongPtrA(b.clientHolder, GWL_EXSTYLE,
                      GetWindowLongPtrA(b.clientHolder, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  }
  if (!Ui(17).empty()) SKSETSYSBUTTONTIP(Ui(17));
  return b.clientHolder != nullptr;
}

void CreateFileTypeBox(const std::string& storedFilter) {
  BrowserState& b = App();
  b.fileTypeBox = Child(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                        WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, kFileTypeBox);
  SetFont(b.fileTypeBox, SKDEFAULTFONT());
  b.fileTypes = ParseFileTypes(Ui(15));
  for (const auto& label : b.fileTypes.labels) SendMessageA(b.fileTypeBox, CB_ADDSTRING, 0, LPARAM(label.c_str()));
  b.currentFileType = SelectFileType(b.fileTypes, storedFilter);
  SendMessageA(b.fileTypeBox, CB_SETCURSEL, WPARAM(b.currentFileType), 0);
  // A stored filter that no entry has is kept, so that closing the browser loses nothing.
  b.filterChoice = b.currentFileType >= 0 ? b.fileTypes.filters[size_t(b.currentFileType)] : storedFilter;
  SKBUTTONTIP(b.fileTypeBox, Ui(66));
}

void CreateFavouritesBox(const std::vector<std::string>& entries, const std::string& tip) {
  BrowserState& b = App();
  b.favouritesBox = Child(WS_EX_CLIENTEDGE, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kFavouritesBox);
  SetFont(b.favouritesBox, SKDEFAULTFONT());
  for (const auto& e : entries) SendMessageA(b.favouritesBox, CB_ADDSTRING, 0, LPARAM(e.c_str()));
  if (!entries.empty()) SendMessageA(b.favouritesBox, CB_SETCURSEL, 0, 0);
  SKBUTTONTIP(b.favouritesBox, tip);
}

void CreateControls() {
  BrowserState& b = App();
  HFONT listFont = SKDEFAULTFONT();
  COLORREF listBack = SKGETSYSCOLOR(104), listText = SKGETSYSCOLOR(101);

  // The folder tree, opened at the current folder. Its selection during creation is not a
  // choice of the user: the list is filled when the tree reports that it was created.
  b.selectingInTree = true;
  b.folderTree = CREATEFOLDERTREE(b.clientHolder, fileio::WithoutTrailingSeparator(b.currentFolder), 0, 0, 0, 0,
                                  kFolderTree);
  b.selectingInTree = false;

  b.fileList = Child(WS_EX_CLIENTEDGE, "LISTBOX", "",
                     WS_TABSTOP | WS_HSCROLL | LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                         LBS_NOINTEGRALHEIGHT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_MULTICOLUMN,
                     kFileList);
  SetFont(b.fileList, listFont);
  SKSETCOLOR(b.fileList, listBack, listText);
  b.fileListProc = reinterpret_cast<::WNDPROC>(
      SetWindowLongPtrA(b.fileList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LISTSUBCLASSPROC)));

  for (int id : FileListButtons()) CreateButton(id);

  b.optionCheck = SKCHECKBUTTON(b.clientHolder, Ui(42), 0, 0, 0, 0, kOptionCheck);
  SKBUTTONTIP(b.optionCheck, Ui(43));

  b.menuBar = SKMENU(b.frame, b.menus);

  // The collection list gathers files to hand over; several can be chosen at once, as its
  // select-all and remove commands expect.
  b.collectionList = Child(WS_EX_CLIENTEDGE, "LISTBOX", "",
                           WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                               LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL,
                           kCollectionList);
  SetFont(b.collectionList, listFont);
  SKSETCOLOR(b.collectionList, listBack, listText);

  for (int id : CollectionButtons())
    if (id != kBurnerButton || b.burnerInstalled) CreateButton(id);

  LayoutControls();
}

void LayoutControls() {
  BrowserState& b = App();
  if (!b.clientHolder) return;
  RECT client;
  GetClientRect(b.clientHolder, &client);
  LayoutInput in;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  in.thumbnailSize = b.thumbnailSize;
  in.hScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  if (b.fileTypeBox) {
    // A drop-down box keeps its closed height whatever height it is given.
    RECT r;
    GetWindowRect(b.fileTypeBox, &r);
    in.comboHeight = r.bottom - r.top;
    if (in.comboHeight <= 0)
      in.comboHeight = int(SendMessageA(b.fileTypeBox, CB_GETITEMHEIGHT, WPARAM(-1), 0)) + 6;
  }
  in.buttonHeight = FontHeight(SKCAPTIONFONT()) + 8;
  in.checkHeight = std::max(FontHeight(SKDEFAULTFONT()) + 4, GetSystemMetrics(SM_CYMENUCHECK) + 2);
  for (int id : FileListButtons())
    if (HWND w = GetDlgItem(b.clientHolder, id)) in.buttonWidths[id] = CaptionWidth(w);
  for (int id : CollectionButtons())
    if (HWND w = GetDlgItem(b.clientHolder, id)) in.buttonWidths[id] = CaptionWidth(w);

  BrowserLayout layout = ComputeBrowserLayout(in);
  for (const auto& [id, rect] : layout.controls)
    Place(GetDlgItem(b.clientHolder, id), rect, id == kFileTypeBox || id == kFavouritesBox);
}

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> out;
  if (!list) return out;
  char cls[32] = {};
  GetClassNameA(list, cls, sizeof cls);
  bool combo = lstrcmpiA(cls, "ComboBox") == 0;
  LRESULT count = SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT len = SendMessageA(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, WPARAM(i), 0);
    std::string text(size_t(std::max<LRESULT>(0, len)) + 1, '\0');
    LRESULT got = SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
    text.resize(size_t(std::max<LRESULT>(0, got)));
    out.push_back(text);
  }
  return out;
}

}  // namespace kelmor

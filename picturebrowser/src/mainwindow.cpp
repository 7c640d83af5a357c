#include "mainwindow.h"

#include <commctrl.h>

#include <string>

#include "fileio/file.h"
#include "hessam/command_ids.h"
#include "hessam/holder_layout.h"
#include "imaging/suite_classes.h"
#include "pick/folder_tree.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_print.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_class.h"
#include "wndproc.h"

namespace hessam {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kPositionGrey = RGB(223, 223, 223);
constexpr COLORREF kSelectionGrey = RGB(160, 160, 160);

void AddStyle(HWND window, LONG_PTR style) {
  SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | style);
}

HWND Static(HWND parent, const std::string& text, DWORD style, const Box& at, DWORD exStyle = 0, int id = 0) {
  HWND w = CreateWindowExA(exStyle, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, at.x, at.y,
                           at.width, at.height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), App().instance, nullptr);
  if (w) SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(App().defaultFont), FALSE);
  return w;
}

HWND Button(HWND parent, const std::string& caption, const Box& at, int id, HFONT font, int tip) {
  HWND w = SKBUT3D(parent, caption, at.x, at.y, at.width, at.height, id, font);
  if (w) {
    SKBUTTONTIP(w, Ui(tip));
    App().skinnedButtons.push_back(w);
  }
  return w;
}

// A page frame hands its positions' colour requests to the holder, whose procedure lets the
// skin engine answer them.
LRESULT CALLBACK PageFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_CTLCOLORSTATIC) return SendMessageA(GetParent(window), message, wParam, lParam);
  return DefSubclassProc(window, message, wParam, lParam);
}

// A strip window drawn through its memory bitmap: black with the film perforation in two
// bands around the pictures, or plain grey.
HWND CreateStrip(const Box& at, bool perforated, int id) {
  BrowserState& b = App();
  HWND w = SKANYWND(b.holder, kStripClass, at.x, at.y, at.width, at.height, WNDPROC, id);
  if (!w) return nullptr;
  HDC memory = SKCREATEMEMBMP(w, at.width, at.height);
  if (!memory) return w;
  SKFILLRECT(memory, 0, 0, at.width, at.height, perforated ? RGB(0, 0, 0) : kSelectionGrey);
  if (perforated && b.perforation) {
    SKHORZTILE(memory, 0, 0, at.width, b.perforation.Get());
    SKHORZTILE(memory, 0, b.layout.cellHeight + 13, at.width, b.perforation.Get());
  }
  return w;
}

void CreateButtonRow(const HolderLayout& l) {
  BrowserState& b = App();
  const std::string captions[6] = {std::string(1, char(127)) + "<", "<<", Ui(2), Ui(3), ">>",
                                   ">" + std::string(1, char(127))};
  for (int i = 0; i < 6; ++i) {
    HWND w = Button(b.holder, captions[i], l.buttons[size_t(i)], i + 1, SKCAPTIONFONT(), 28 + i);
    if (w) AddStyle(w, WS_TABSTOP);
  }
}

void CreatePages(const HolderLayout& l) {
  BrowserState& b = App();
  for (int page = 1; page <= 4; ++page) {
    HWND frame = Static(b.holder, Ui(5) + " " + std::to_string(page), SS_CENTER, l.pageFrames[size_t(page - 1)],
                        WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE);
    if (!frame) continue;
    SKSETCOLOR(frame, RGB(255, 255, 255), RGB(128, 128, 128));
    SetWindowSubclass(frame, PageFrameProc, 0, 0);
    for (int p : LayoutPositions(page)) {
      HWND slot = Static(frame, "", SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE, l.positions[size_t(p - 1)], 0,
                         kPositionControl + p - 1);
      SKSETCOLOR(slot, kPositionGrey, kRed);
      b.slots[size_t(p - 1)] = slot;
    }
  }
}

void CreateSelectionRow(const HolderLayout& l) {
  BrowserState& b = App();
  for (int n = 1; n <= 4; ++n) {
    size_t i = size_t(n - 1);
    b.selectionLabels[i] =
        Static(b.holder, "", SS_SUNKEN | SS_LEFTNOWORDWRAP, l.selectionLabels[i], 0, kSelectionLabelControl + n - 1);
    Button(b.holder, "1", l.zoomButtons[i], ZoomSelectionCommand(n), SKMARLETT(10), 34);
    Button(b.holder, "r", l.clearButtons[i], ClearSelectionCommand(n), SKMARLETT(10), 35);
    HWND number = Static(b.holder, std::to_string(n), SS_SUNKEN | SS_CENTER, l.numberFields[i]);
    SKSETCOLOR(number, kPositionGrey, kRed);
  }
}

void CreatePictureButton(const HolderLayout& l) {
  BrowserState& b = App();
  if (Ui(15).empty()) return;
  std::string path = b.programFolder + Ui(15);
  int width = 0, height = 0;
  win::Bitmap picture(SKLOADBITMAPFILE(path, width, height));
  if (!picture) return;
  Box at = PictureButtonBox(l, width + 4, height + 4);
  HWND w = SKBUTIMAGE(b.holder, path, at.x, at.y, at.width, at.height, kCmdPictureButton);
  SKBUTTONTIP(w, Ui(14));
}

void CreateHelpButton() {
  BrowserState& b = App();
  if (!b.menuHolder || Ui(40).empty() || !fileio::Exists(b.programFolder + Ui(40))) return;
  b.helpButton = Button(b.menuHolder, "?", Box{0, 0, SKGETSYSTEMMETRICS(kSkinCaptionButton),
                                              SKGETSYSTEMMETRICS(kSkinMenuBarHeight)},
                        kCmdHelp, b.defaultFont, 39);
  PlaceHelpButton();
}

}  // namespace

bool CreateMainWindow(int left, int top, int width, int height) {
  BrowserState& b = App();
  if (!win::RegisterClassOnce({.name = kClassPictureBrowser,
                               .procedure = WNDPROC,
                               .instance = b.instance,
                               .style = CS_HREDRAW | CS_VREDRAW,
                               .icon = b.icon,
                               .systemSmallIcon = true}))
    return false;
  b.frame = CreateWindowExA(0, kClassPictureBrowser, b.title.c_str(), WS_POPUP | WS_SYSMENU, left, top, width, height,
                            nullptr, nullptr, b.instance, nullptr);
  if (!b.frame) return false;
  b.menuHolder = SKHOLDER(b.frame, "SKMENU", WNDPROC);
  b.menuBar = SKMENU(b.frame, b.menus);
  b.holder = SKHOLDER(b.frame, "SKHOLDER", WNDPROC);
  AddStyle(b.frame, WS_CLIPCHILDREN);
  b.status = SKSTATUSWINDOW(b.frame, "");
  if (!Ui(16).empty()) SKSETSYSBUTTONTIP(Ui(16));
  return b.holder && b.status;
}

HWND CreateZoomWindow() {
  BrowserState& b = App();
  if (!win::RegisterClassOnce({.name = kZoomClass, .procedure = WNDPROC, .instance = b.instance, .style = CS_DBLCLKS}))
    return nullptr;
  b.zoom = CreateWindowExA(WS_EX_TOOLWINDOW, kZoomClass, "", WS_POPUP, 0, 0, 1, 1, b.frame, nullptr, b.instance,
                           nullptr);
  return b.zoom;
}

void OnInitDialog() {
  BrowserState& b = App();
  // Command 99 is queued before the controls exist: the window shows before they are
  // made, and a command that a user or a partner posts once they are there must come
  // after it, as when the window showed complete.
  PostMessageA(b.frame, WM_COMMAND, kCmdStart, 0);
  std::string printer, driver, port;
  SKGETDEFAULTPRINTER(printer, driver, port);
  RECT r;
  GetWindowRect(b.holder, &r);
  HolderLayout l = LayOutHolder(r.right - r.left, r.bottom - r.top);
  b.layout = l;
  b.pictureStrip = CreateStrip(l.pictureStrip, true, kPictureStripControl);
  b.selectionStrip = CreateStrip(l.selectionStrip, false, kSelectionStripControl);
  HWND caption = Static(b.holder, Ui(6), SS_RIGHT, l.countCaption);
  SKSETCOLOR(caption, SKGETSYSCOLOR(kSkinWindowBack), SKGETSYSCOLOR(kSkinText));
  b.countField = Static(b.holder, "0", SS_SUNKEN | SS_CENTER, l.countField, 0, kCountControl);
  SKSETCOLOR(b.countField, SKGETSYSCOLOR(kSkinControlBack), SKGETSYSCOLOR(kSkinControlText));
  CreateButtonRow(l);
  const Box& tree = l.folderTree;
  b.treeQuiet = true;
  b.folderTree = CREATEFOLDERTREE(b.holder, b.currentFolder, tree.x, tree.y, tree.width, tree.height, kFolderTree);
  if (b.folderTree) SendMessageA(b.folderTree, WM_SETFONT, reinterpret_cast<WPARAM>(b.defaultFont), FALSE);
  Static(b.holder, "", SS_ETCHEDHORZ, l.etchedLine);
  CreateSelectionRow(l);
  Static(b.holder, "", SS_GRAYRECT, l.greyLine);
  CreatePictureButton(l);
  CreatePages(l);
  CreateHelpButton();
  b.fileNames = false;
  CheckMenuItem(b.menuBar, kCmdNamesOn, MF_BYCOMMAND | MF_UNCHECKED);
  CheckMenuItem(b.menuBar, kCmdNamesOff, MF_BYCOMMAND | MF_CHECKED);
}

void PlaceHelpButton() {
  BrowserState& b = App();
  if (!b.helpButton || !b.holder) return;
  RECT r;
  GetClientRect(b.holder, &r);
  int size = SKGETSYSTEMMETRICS(kSkinCaptionButton);
  SetWindowPos(b.helpButton, nullptr, r.right - size, 0, size, SKGETSYSTEMMETRICS(kSkinMenuBarHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(b.helpButton, nullptr, TRUE);
}

void SetPosition(int position, int number) {
  BrowserState& b = App();
  if (position < 1 || position > kPositionCount) return;
  b.positions[size_t(position - 1)] = number;
  SetWindowTextA(b.slots[size_t(position - 1)], number ? std::to_string(number).c_str() : "");
}

}  // namespace hessam

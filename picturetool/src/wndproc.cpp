// WNDPROC: the window procedure of the main window, its panels and the canvas; the
// command messages of other programs, the start-up picture, closing and the settings.
#include <windows.h>
#include <commctrl.h>

#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imglib/imglib_devices.h"
#include "mainwindow.h"
#include "bravik/pic_settings.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_print.h"
#include "skin/skin.h"
#include "state.h"
#include "tool.h"

namespace bravik {
namespace {

// A command message's text waits here until WM_USER+3, so that the sender is free first.
bool receivedPending = false;
// Menus open without animation: the canvas repaints under them at once.
SkMenuAnimationWhilePopups menuAnimation;

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  ToolState& t = Tool();
  std::string text;
  int code = GETCOPYDATA(text, wParam, lParam);
  switch (code) {
    case kCodeStarted:
      // Started by a suite program: the list follows in its own message. Taking the empty
      // text as a list would let it overwrite that list before it is opened.
      break;
    case kCodeClose:
      // Ends at once, without the save question, but the settings are kept.
      PrepareToEnd();
      PostQuitMessage(0);
      break;
    default:
      t.receivedText = text;
      receivedPending = true;
      PostMessageA(t.frame, kMsgOpenReceived, 0, 0);
      break;
  }
  return 1;
}

void OnReceivedList() {
  static bool opening = false;
  // A later message took the list already; or a list is being opened (its save question
  // runs a message loop): the new one follows when that open is done.
  if (!receivedPending || opening) return;
  receivedPending = false;
  opening = true;
  std::string list = std::move(Tool().receivedText);
  Tool().receivedText.clear();
  OpenReceivedList(list);
  opening = false;
  if (receivedPending) PostMessageA(Tool().frame, kMsgOpenReceived, 0, 0);
}

// The start-up step: the default printer and the picture of the command line.
void OnInitDialog(const std::string& commandLine) {
  ToolState& t = Tool();
  SKGETDEFAULTPRINTER(t.printerName, t.printerDriver, t.printerPort);
  std::string line = fileio::UnquoteField(commandLine);
  if (line.empty()) return;
  std::string path = SKFINDF(line);
  if (path.size() > 260) path.resize(260);
  if (path.empty() || !SKEXIST(path)) return;
  CharLowerA(path.data());
  t.list.AssignSingle(path);
  t.currentFile = path;
  t.currentFolder = fileio::FolderOf(path);
  OPENPICTURE();
}

void OnClose() {
  ToolState& t = Tool();
  CHECKSAVE();
  if (IsIconic(t.frame)) ShowWindow(t.frame, SW_RESTORE);
  PrepareToEnd();
  if (t.zoomBox && IsWindow(t.zoomBox)) DestroyWindow(t.zoomBox);
  HideFullView();
  ZOOMPICTURE(0);
  DestroyWindow(t.frame);
}

void PaintControlPanel(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT r;
  GetClientRect(window, &r);
  SKTILEBLT(dc, 0, 0, r.right, r.bottom, SKCTLBACK());
  EndPaint(window, &ps);
}

void OnInitMenu() {
  ToolState& t = Tool();
  EndRedEyeMode();
  bool open = t.pictureWidth > 0;
  EnableCommands({309}, L_ClipboardReady() != 0);
  EnableCommands({217}, open && !t.underlayFile.empty());
  EnableCommands({104, 106, 107, 308, 408, 409, 410, 411, 412, 413, 414}, open);
}

void OnTrackBar(WPARAM wParam) {
  ToolState& t = Tool();
  if (LOWORD(wParam) == TB_THUMBTRACK) return;
  int position = int(SendMessageA(t.trackBar, TBM_GETPOS, 0, 0));
  if (!t.list.Empty() && position != t.list.Index()) OnCommand(kTrackList);
}

}  // namespace

void PICSETTINGS(int mode) {
  ToolState& t = Tool();
  std::string path = PicSettingsPath(SKGETTEMPPATH(), t.programName);
  if (mode == 0) {
    std::string bytes;
    PicSettingsRecord r = DefaultPicSettings(t.screenWidth, t.screenHeight, SKWINDIR());
    if (fileio::ReadWholeFile(path, bytes) == fileio::kOk) DecodePicSettings(bytes, SKXMINI(), SKYMINI(), r);
    t.currentFolder = r.folder;
    t.saveFilter = r.saveFilter;
    t.zoomLeft = r.zoomLeft;
    t.zoomTop = r.zoomTop;
    // The window's place waits in the settings values until the window exists.
    t.settingsPlace = RECT{r.left, r.top, r.left + r.width, r.top + r.height};
    return;
  }
  PicSettingsRecord r;
  RECT place = t.settingsPlace;
  if (t.frame && IsWindow(t.frame) && !IsIconic(t.frame)) GetWindowRect(t.frame, &place);
  r.left = place.left;
  r.top = place.top;
  r.width = place.right - place.left;
  r.height = place.bottom - place.top;
  r.folder = t.currentFolder;
  r.saveFilter = t.saveFilter;
  if (t.zoomBox && IsWindow(t.zoomBox)) {
    RECT box;
    GetWindowRect(t.zoomBox, &box);
    t.zoomLeft = box.left;
    t.zoomTop = box.top;
  }
  r.zoomLeft = t.zoomLeft;
  r.zoomTop = t.zoomTop;
  // Written beside the old file and then in its place: a failed write keeps the old one.
  fileio::WriteFileReplacing(path, EncodePicSettings(r));
}

void PrepareToEnd() {
  PICSETTINGS(1);
  CloseStartedPartner();
}

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  ToolState& t = Tool();
  bool handled = false;
  if (window == t.canvas && t.canvas) {
    LRESULT r = CanvasMessage(window, message, wParam, lParam, handled);
    if (handled) return r;
  } else if (window == t.zoomPanel && t.zoomPanel) {
    LRESULT r = ZoomPanelMessage(window, message, wParam, lParam, handled);
    if (handled) return r;
  }
  switch (message) {
    case kMsgOpenReceived:
      if (window == t.frame) {
        OnReceivedList();
        return 0;
      }
      break;
    case WM_COPYDATA:
      if (window == t.frame) return OnCopyData(wParam, lParam);
      break;
    case WM_INITDIALOG:
      if (window == t.frame) {
        OnInitDialog(t.commandLine);
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == t.controlPanel || window == t.menuPanel) LayoutPanels();
      break;
    case WM_PAINT:
      if (window == t.controlPanel) {
        PaintControlPanel(window);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (window == t.controlPanel) return 1;
      break;
    case WM_INITMENU:
      if (window == t.frame) OnInitMenu();
      break;
    case WM_INITMENUPOPUP:
      menuAnimation.Opened();
      break;
    case WM_UNINITMENUPOPUP:
      menuAnimation.Closed();
      break;
    case WM_SYSCOMMAND:
      if (window == t.frame && (wParam & 0xFFF0) == SC_CLOSE) {
        OnClose();
        return 0;
      }
      break;
    case WM_CLOSE:
      if (window == t.frame) {
        PostMessageA(t.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      break;
    case WM_DESTROY:
      if (window == t.frame) {
        PostQuitMessage(0);
        return 0;
      }
      break;
    case WM_HSCROLL:
      if (window == t.controlPanel && reinterpret_cast<HWND>(lParam) == t.trackBar) {
        OnTrackBar(wParam);
        return 0;
      }
      break;
    case WM_COMMAND:
      // Menu items, accelerators and button clicks; other notifications are not commands.
      if (HIWORD(wParam) == 0 || HIWORD(wParam) == 1) {
        OnCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_DRAWITEM:
      if (SKDRAWITEM(lParam)) return TRUE;
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace bravik

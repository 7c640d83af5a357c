// WNDPROC: the window procedure of the main window, its panels and the canvas; the
// start-up picture, the menus' states and the track bar.
#include "wndproc.h"

#include <commctrl.h>

#include "canvas.h"
#include "closing.h"
#include "commands.h"
#include "copydata.h"
#include "fileio/fields.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imglib/imglib_devices.h"
#include "mainwindow.h"
#include "picture.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/sk_print.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace bravik {
namespace {

// Menus open without animation: the canvas repaints under them at once.
SkMenuAnimationWhilePopups menuAnimation;

// The start-up step: the default printer and the picture of the command line.
void OnInitDialog(const std::string& commandLine) {
  ToolState& t = App();
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

void PaintControlPanel(HWND window) {
  win::PaintDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  SKTILEBLT(dc, 0, 0, r.right, r.bottom, SKCTLBACK());
}

void OnInitMenu() {
  ToolState& t = App();
  EndRedEyeMode();
  bool open = t.pictureWidth > 0;
  EnableCommands({kCmdPaste}, L_ClipboardReady() != 0);
  EnableCommands({kCmdUnderlay}, open && !t.underlayFile.empty());
  EnableCommands({kCmdPrint, kCmdSave, kCmdSaveAs, kCmdCopy, kCmdShowAll, kCmdMergeAll, kCmdMergeAllShow, kCmdHideAll,
                  kCmdLockAll, kCmdUnlockAll, kCmdDeleteAll},
                 open);
}

void OnTrackBar(WPARAM wParam) {
  ToolState& t = App();
  if (LOWORD(wParam) == TB_THUMBTRACK) return;
  int position = int(SendMessageA(t.trackBar, TBM_GETPOS, 0, 0));
  if (!t.list.Empty() && position != t.list.Index()) OnCommand(kTrackList);
}

}  // namespace

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  ToolState& t = App();
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

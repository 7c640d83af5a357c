#include "wndproc.h"

#include <commctrl.h>
#include <windowsx.h>

#include "bars.h"
#include "closing.h"
#include "commands.h"
#include "copydata.h"
#include "falcet/options.h"
#include "imaging/copydata.h"
#include "items.h"
#include "media.h"
#include "pictures.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace falcet {

namespace {

void CALLBACK TimerThunk(HWND, UINT, UINT_PTR id, DWORD time) { WNDPROC(nullptr, WM_TIMER, id, LPARAM(time)); }

void OnThreadTimer(UINT_PTR id) {
  Player& p = App();
  if (!id) return;
  if (id == p.handOverTimer) OnHandOverTimer();
  else if (id == p.slideTimer) OnSlideTimer();
  else if (id == p.stepTimer) OnStepTimer();
  else if (id == p.attached.timer) OnAttachedSoundTimer();
}

bool IsPictureWindow(HWND w) {
  Player& p = App();
  return w && (w == p.pictureArea || w == p.view);
}

void OnPaint(HWND window) {
  Player& p = App();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (window == p.zoom && p.videoEnlarged && p.media.clip) {
    if (L_MMPaint(p.media.clip, dc) != 1) FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  } else if (window == p.pictureArea || window == p.zoom) {
    RECT r;
    GetClientRect(window, &r);
    // Drawn off screen first, so that a picture change does not flicker.
    win::MemoryDC memory(dc, std::max(1L, r.right), std::max(1L, r.bottom));
    PaintPicture(window, memory);
    BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
  } else if (window == p.view && p.media.clip) {
    if (L_MMPaint(p.media.clip, dc) != 1) FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &ps);
}

void OnKey(WPARAM key) {
  Player& p = App();
  // Keys do not step a show being recorded (the message loop ends it on Escape).
  if (p.recordMode) return;
  switch (key) {
    case VK_ESCAPE:
      LeaveSlideShow();
      break;
    case VK_LEFT:
    case VK_UP:
      PreviousItem();
      break;
    case VK_RIGHT:
    case VK_DOWN:
      NextItem();
      break;
    default:
      break;
  }
}

// Clicks on the picture: in a running slide show the left button goes back and the right
// one forward; otherwise the right button opens the context menu.
bool OnClick(HWND window, UINT message) {
  Player& p = App();
  // A show being recorded takes no clicks.
  if (p.recordMode && (IsPictureWindow(window) || window == p.zoom)) return true;
  if (!IsPictureWindow(window) && window != p.zoom) {
    // Option field 15 gives the other windows the picture window's context menu.
    if (message == WM_RBUTTONDOWN && Option(kOptPopupOthers) != 0 && (window == p.frame || window == p.clip)) {
      ShowContextMenu(kPopupView);
      return true;
    }
    return false;
  }
  if (message == WM_MBUTTONDOWN) {
    LeaveSlideShow();
    PostMessageA(p.frame, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  }
  if (p.slideState == 1 && p.itemCount > 1) {
    if (message == WM_LBUTTONDOWN) PreviousItem();
    else NextItem();
    return true;
  }
  if (message == WM_RBUTTONDOWN && (Option(kOptPopupMenu) != 0 || p.slideState == 2)) ShowContextMenu(kPopupView);
  return true;
}

// Track bar moves come from the bar: the position slider when the user lets it go, the
// volume slider on every step.
void OnTrackBar(HWND bar, WPARAM wParam) {
  int id = GetDlgCtrlID(bar);
  int code = LOWORD(wParam);
  int position = int(SendMessageA(bar, TBM_GETPOS, 0, 0));
  if (id == kPositionSlider && (code == TB_ENDTRACK || code == TB_THUMBPOSITION)) OnCommand(kPositionSlider, position);
  if (id == kVolumeSlider && code != TB_ENDTRACK) OnCommand(kVolumeSlider, position);
}

}  // namespace

UINT_PTR StartThreadTimer(UINT milliseconds) { return SetTimer(nullptr, 0, milliseconds, TimerThunk); }

void KillThreadTimer(UINT_PTR& timer) {
  if (timer) KillTimer(nullptr, timer);
  timer = 0;
}

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Player& p = App();
  if (!window) {
    if (message == WM_TIMER) OnThreadTimer(UINT_PTR(wParam));
    return 0;
  }
  // The enlarged view follows the picture window when the main window moves.
  if (p.zoomFlag && p.zoom && window == p.frame && (message == WM_MOVE || message == WM_SIZE)) {
    HWND under = p.pictureArea && IsWindowVisible(p.pictureArea) ? p.pictureArea : p.clip;
    RECT r;
    GetWindowRect(under, &r);
    SetWindowPos(p.zoom, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case kMsgOpenReceived:
      OpenReceivedLists();
      return 0;
    case kMsgRecorderNotice1:
    case kMsgRecorderNotice2:
    case kMsgRecorderNotice3:
      OnRecorderNotice(message);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), lParam);
      return 0;
    case WM_SYSCOMMAND:
      if (window == p.frame && (wParam & 0xFFF0) == SC_CLOSE) {
        OnSysClose();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Every close goes the one way that saves the settings and tells the partners.
      if (window == p.frame) {
        if (p.zoomFlag) LeaveSlideShow();
        PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      break;
    case WM_PAINT:
      if (window == p.pictureArea || window == p.zoom || window == p.view) {
        OnPaint(window);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (window == p.pictureArea || window == p.zoom) return 1;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (OnClick(window, message)) return 0;
      break;
    case WM_GETDLGCODE:
      // The arrow keys step through the list; the dialog filter of the message loop must
      // not take them for moving between controls.
      if (window == p.frame || window == p.clip || IsPictureWindow(window)) return DLGC_WANTARROWS | DLGC_WANTCHARS;
      break;
    case WM_KEYDOWN:
      OnKey(wParam);
      return 0;
    case WM_MOUSEACTIVATE:
      if (window == p.popup || window == p.zoom) return MA_NOACTIVATEANDEAT;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam) {
        OnTrackBar(reinterpret_cast<HWND>(lParam), wParam);
        return 0;
      }
      if (window == p.pictureArea) {
        ScrollPicture(message == WM_VSCROLL, LOWORD(wParam), HIWORD(wParam));
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == p.clip) LAYOUTCONTROLS();
      if (window == p.frame) DockPane();
      break;
    case WM_MOVE:
      if (window == p.frame) DockPane();
      break;
    case WM_DESTROY:
      if (window == p.frame) KillPlayerTick();
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace falcet

#include "wndproc.h"

#include "closing.h"
#include "collection.h"
#include "commands.h"
#include "copydata.h"
#include "detail_filler.h"
#include "devices.h"
#include "filelist.h"
#include "folders.h"
#include "imaging/copydata.h"
#include "kelmor/keyrules.h"
#include "listdraw.h"
#include "mainwindow.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "transforms.h"
#include "watchers.h"

namespace kelmor {

namespace {

// The popup menu of a list at the cursor; its commands come to the client holder.
void ShowListPopup(HWND list) {
  BrowserState& b = App();
  HMENU popup = SKPOPUPHANDLE(list == b.fileList ? kFileListPopup : kCollectionPopup);
  if (popup) {
    SkMenuAnimationOff animationOff;
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, b.clientHolder, nullptr);
  }
  STARTLISTINFO();
}

LRESULT BoxListColours(HDC dc) {
  BrowserState& b = App();
  SetTextColor(dc, SKGETSYSCOLOR(101));
  SetBkColor(dc, SKGETSYSCOLOR(104));
  if (!b.listBrush) b.listBrush.Reset(CreateSolidBrush(SKGETSYSCOLOR(104)));
  return reinterpret_cast<LRESULT>(b.listBrush.Get());
}

}  // namespace

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  BrowserState& b = App();
  switch (message) {
    case WM_COPYDATA:
      return OnCopyData(window, wParam, lParam);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        OnSysClose();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Every way of closing goes through SC_CLOSE, which writes the settings.
      if (window == b.frame) {
        PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      break;
    case WM_DEVICECHANGE:
      if (window == b.frame) OnDeviceChange(wParam, lParam);
      return TRUE;
    case WM_SIZE:
      if (window == b.clientHolder) {
        LayoutControls();
        if (b.fileList) PostMessageA(b.frame, kMsgRepaint, reinterpret_cast<WPARAM>(b.fileList), 0);
      }
      break;
    case WM_ACTIVATE:
      // The control that had the keyboard gets it back when the browser is activated again.
      if (window == b.frame && LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(b.frame, focus)) b.lastFocus = focus;
      }
      break;
    case WM_SETFOCUS:
      if (window == b.frame) {
        SetFocus(b.lastFocus && IsWindow(b.lastFocus) && IsWindowVisible(b.lastFocus) ? b.lastFocus : b.fileList);
        return 0;
      }
      break;
    case kMsgRepaint:
      InvalidateRgn(reinterpret_cast<HWND>(wParam), nullptr, lParam != 0);
      return 0;
    case kMsgTransformStep:
      OnTransformStep(wParam, lParam);
      return 0;
    case kMsgThumbnailMade:
      OnThumbnailMade(lParam);
      return 0;
    case kMsgFillerDone:
      OnFillerDone(wParam);
      return 0;
    case kMsgFolderChanged:
      OnFolderChanged(wParam);
      return 0;
    case kMsgDrivesChanged:
      OnDrivesChanged();
      return 0;
    case kMsgRebuildTree:
      RebuildFolderTree();
      if (wParam) RefillFileList();
      return 0;
    case WM_TIMER:
      if (window == b.frame && OnWatchTimer(wParam)) return 0;
      break;
    case WM_RBUTTONDOWN:
      if (window == b.fileList || window == b.collectionList) {
        ShowListPopup(window);
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      // From the key filter: Alt+Up and Alt+Down move the collection list's selected entries.
      if (window == b.collectionList && (wParam == kKeyUp || wParam == kKeyDown)) {
        MoveCollectionEntries(wParam == kKeyUp);
        return 0;
      }
      break;
    case WM_CTLCOLORLISTBOX:
      return BoxListColours(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam), lParam);
      return 0;
    case WM_MEASUREITEM:
      if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return 1;
      break;
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return 1;
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace kelmor

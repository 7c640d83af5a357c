#include "wndproc.h"

#include <mmsystem.h>

#include "closing.h"
#include "commands.h"
#include "copydata.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/partner_entry.h"
#include "mainwindow.h"
#include "partners.h"
#include "preview.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "slidelist.h"
#include "sound.h"
#include "state.h"
#include "thumbs.h"

namespace dunmere {

namespace {

// A click on the preview hands the current slide to the media player, unless the player
// shows that very file already (its title after the first " - ").
void PreviewClicked() {
  State& s = App();
  if (s.currentSlide.empty()) return;
  std::string cls = ParsePartnerEntry(Ui(19)).className;
  if (HWND player = cls.empty() ? nullptr : FindWindowA(cls.c_str(), nullptr)) {
    char title[1024] = {};
    GetWindowTextA(player, title, sizeof title);
    std::string text = title;
    size_t dash = text.find(" - ");
    if (dash != std::string::npos &&
        SKUCASE(text.substr(dash + 3)) == SKUCASE(fileio::NameOf(s.currentSlide)))
      return;
  }
  HWND focus = GetFocus();
  RUNSUITEPROGRAM(s.currentSlide, 0);
  SetForegroundWindow(s.frame);
  if (focus && IsWindow(focus)) SetFocus(focus);
}

// The context menu of the slide list, with the system's menu animation off around it.
void SlideListMenu(LPARAM lParam) {
  State& s = App();
  HMENU popup = SKPOPUPHANDLE(kSlidesMenu);
  if (!popup) return;
  {
    SkMenuAnimationOff animationOff;
    POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
    ClientToScreen(s.slideList, &p);
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, p.x, p.y, s.frame, nullptr);
  }
  STARTSCANTHREAD();
}

}  // namespace

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  State& s = App();
  switch (message) {
    case MM_WIM_DATA:
      OnWaveData(wParam, lParam);
      return 0;
    case kMsgRepaint: {
      HWND target = reinterpret_cast<HWND>(wParam);
      if (target && IsWindow(target)) {
        InvalidateRect(target, nullptr, FALSE);
        UpdateWindow(target);
      }
      return 0;
    }
    case kMsgOpenReceived:
      OpenReceivedLists();
      return 0;
    case kMsgAttachThumb:
      return AttachThumb(lParam);
    case kMsgRestoreTitle:
      OnScanDone(wParam);
      return 0;
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case WM_MEASUREITEM:
      if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return 1;
      break;
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return 1;
      break;
    case WM_CLOSE:
      // The window closes through SC_CLOSE only, which writes the settings.
      if (window == s.frame) {
        StopPreview();
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if (window == s.frame && (wParam & 0xFFF0) == SC_CLOSE) {
        if (PreviewRunning()) {
          // The window goes once the preview has stopped painting into it.
          StopPreview();
          PostMessageA(window, message, wParam, lParam);
          return 0;
        }
        OnSysClose();
        return 0;
      }
      break;
    case WM_PAINT:
      if (window == s.preview) {
        PaintPreviewPane(window);
        return 0;
      }
      if (window == s.levelDisplay) {
        PaintLevelDisplay(window);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (window == s.preview || window == s.levelDisplay) return 1;
      break;
    case WM_LBUTTONDOWN:
      if (window == s.preview) {
        PreviewClicked();
        return 0;
      }
      break;
    case WM_PARENTNOTIFY:
      if (window == s.clientHolder && LOWORD(wParam) == WM_RBUTTONDOWN) {
        POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
        HWND hit = ChildWindowFromPoint(s.clientHolder, p);
        if (hit == s.slideList) {
          MapWindowPoints(s.clientHolder, s.slideList, &p, 1);
          SlideListMenu(MAKELPARAM(p.x, p.y));
        }
      }
      break;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == s.volumeBar && s.volumeBar) {
        OnCommand(kVolumeBar, 0);
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == s.clientHolder) LayoutControls();
      break;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DESTROY:
      if (window == s.frame) {
        FREETHUMBS();
        if (s.preview) SKDELETEMEMBMP(s.preview);
      }
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace dunmere

// The slide list's rows (thumbnail, name and side-file marks), its hover information and
// its keys.
#include "slidelist.h"

#include <windowsx.h>

#include <algorithm>

#include "commands.h"
#include "dunmere/show_format.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/side_files.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "slides.h"
#include "state.h"
#include "thumbs.h"
#include "win/raii.h"

namespace dunmere {

namespace {

constexpr int kMarkSize = 6;
constexpr int kPresentMark = 0;  // green cell of the "miniled" strip

// The tim side file's display time in milliseconds; 0 without one.
int DisplayTime(const std::string& path) {
  std::string tim = SideFilePath(path, kTimeSideFile, SideFileNoDot::kNone);
  std::string text;
  if (tim.empty() || fileio::ReadWholeFile(tim, text) != fileio::kOk) return 0;
  return fileio::LeadingNumber(TimeFromTimText(text));
}

bool HasSide(const std::string& path, const char* kind) {
  std::string side = SideFilePath(path, kind, SideFileNoDot::kNone);
  return !side.empty() && SKFILESIZE(side) >= 0;
}

// A present side file is a green mark of the "miniled" strip, a missing one an empty box.
void DrawMark(HDC dc, int x, int y, bool present) {
  HBITMAP strip = App().miniled.Get();
  if (!present || !strip) {
    COLORREF edge = SKGETSYSCOLOR(kSkinEdgeDark);
    if (present) SKFILLRECT(dc, x, y, kMarkSize, kMarkSize, RGB(32, 192, 32));
    else SKDRAWRECT3D(dc, x, y, x + kMarkSize - 1, y + kMarkSize - 1, edge, edge);
    return;
  }
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, strip);
  SKTRANSBLT(dc, x, y, kMarkSize, kMarkSize, source, kPresentMark * kMarkSize, 0, RGB(255, 0, 255));
}

void DrawThumb(HDC dc, const RECT& cell, LPARAM data) {
  ThumbInfo info;
  if (!FindThumb(data, info) || !info.bitmap) return;
  int left = 0, top = 0, w = 0, h = 0;
  int box = cell.bottom - cell.top;
  SKICONISE(info.width, info.height, box, box, left, top, w, h);
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, info.bitmap);
  BitBlt(dc, cell.left + left, cell.top + top, w, h, source, 0, 0, SRCCOPY);
}

void ShowHoverInfo(HWND list, int index) {
  ThumbInfo info;
  LPARAM data = SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0);
  if (!FindThumb(data, info)) return;
  std::string path = SlideText(index);
  int time = DisplayTime(path);
  std::string prefix = time > 0 ? TimePrefix(Ui(52), time) : std::string();
  SetStatus(SlideInfoText(fileio::NameOf(path), info.width, info.height, info.bits, info.size, Ui(44), Ui(45), prefix));
}

}  // namespace

bool OnMeasureItem(MEASUREITEMSTRUCT& item) {
  if (item.CtlType != ODT_LISTBOX || item.CtlID != UINT(kSlideList)) return false;
  item.itemHeight = UINT(App().rowHeight);
  return true;
}

bool OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_LISTBOX || item.hwndItem != App().slideList) return false;
  RECT r = item.rcItem;
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return true;
  if (item.itemID == UINT(-1)) {
    // An empty list draws only where the keyboard is.
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
    return true;
  }
  win::MemoryDC mem(item.hDC, width, height);
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  SKFILLRECT(mem, 0, 0, width, height, SKGETSYSCOLOR(selected ? kSkinSelectionBack : kSkinControlBack));
  {
    int index = int(item.itemID);
    std::string path = SlideText(index);
    RECT cell{2, 1, 2 + height - 2, height - 1};
    DrawThumb(mem, cell, LPARAM(item.itemData));
    int x = cell.right + 6;
    win::SelectObj font(mem, SKDEFAULTFONT());
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, SKGETSYSCOLOR(selected ? kSkinSelectionText : kSkinControlText));
    RECT nameRect{x, 2, width - 4, height / 2 + 2};
    std::string name = fileio::NameOf(path);
    DrawTextA(mem, name.c_str(), int(name.size()), &nameRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    // Marks: effect, text, sound, then the display time in seconds.
    int markY = height / 2 + (height / 2 - kMarkSize) / 2;
    int mx = x;
    for (const char* kind : {kEffectSideFile, kTextSideFile, kSoundSideFile}) {
      DrawMark(mem, mx, markY, HasSide(path, kind));
      mx += kMarkSize + 4;
    }
    if (int time = DisplayTime(path); time > 0) {
      std::string seconds = std::to_string(WholeSeconds(time)) + "s";
      RECT timeRect{mx + 2, height / 2, width - 4, height - 1};
      DrawTextA(mem, seconds.c_str(), int(seconds.size()), &timeRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus{0, 0, width, height};
    DrawFocusRect(mem, &focus);
  }
  BitBlt(item.hDC, r.left, r.top, width, height, mem, 0, 0, SRCCOPY);
  return true;
}

LRESULT CALLBACK SLIDELISTPROC(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  State& s = App();
  WNDPROC_TYPE own = s.listProcedure;
  switch (message) {
    case WM_MOUSEMOVE: {
      LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      int index = HIWORD(hit) ? -1 : int(LOWORD(hit));
      if (index >= 0 && index != s.lastHoverIndex) {
        s.lastHoverIndex = index;
        ShowHoverInfo(list, index);
      }
      break;
    }
    case WM_ERASEBKGND:
      if (s.skipNextErase) {
        s.skipNextErase = false;
        return 1;
      }
      break;
    case WM_DESTROY:
      if (own) SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
      break;
    default:
      break;
  }
  return own ? CallWindowProcA(own, list, message, wParam, lParam) : DefWindowProcA(list, message, wParam, lParam);
}

bool KEYFILTER(const MSG& msg) {
  State& s = App();
  if (msg.hwnd != s.slideList) return false;
  bool control = GetKeyState(VK_CONTROL) < 0;
  if (msg.message == WM_KEYDOWN) {
    switch (msg.wParam) {
      case VK_DELETE:
        if (!SelectedSlides().empty()) PostMessageA(s.frame, WM_COMMAND, kCmdCut, 0);
        return true;
      case VK_INSERT:
        PostMessageA(s.frame, WM_COMMAND, kCmdPaste, 0);
        return true;
      case VK_F1:
        PostMessageA(s.frame, WM_COMMAND, kCmdHelp, 0);
        return true;
      case 'A':
        if (!control) return false;
        PostMessageA(s.frame, WM_COMMAND, kCmdSelectAll, 0);
        return true;
      case 0x5A:  // Z
        if (!control) return false;
        PostMessageA(s.frame, WM_COMMAND, kCmdSelectNone, 0);
        return true;
      default:
        return false;  // the arrows move the current slide as the list does it
    }
  }
  if (msg.message == WM_SYSKEYDOWN) {
    switch (msg.wParam) {
      case VK_UP:
      case VK_DOWN:
      case VK_LEFT:
      case VK_RIGHT:
        if (MoveSlides(UINT(msg.wParam))) PostMessageA(s.frame, WM_COMMAND, MAKEWPARAM(kSlideList, LBN_SELCHANGE), 0);
        return true;
      default:
        return false;
    }
  }
  return false;
}

}  // namespace dunmere

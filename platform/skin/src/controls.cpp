// The engine's controls: skinned push buttons (owner-drawn), check buttons, input fields,
// progress bars, tool tips and per-control colours.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "engine_internal.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace skin_engine {
namespace {

constexpr const char* kButtonProp = "SkButton";
constexpr const char* kHotProp = "SkHot";
constexpr const char* kRangeProp = "SkRange";

struct ControlColours {
  COLORREF back;
  COLORREF text;
  HBRUSH brush;
};

std::map<HWND, ControlColours>& Colours() {
  static std::map<HWND, ControlColours> colours;
  return colours;
}

struct Range {
  int low, high;
};
std::map<HWND, Range>& Ranges() {
  static std::map<HWND, Range> ranges;
  return ranges;
}

HWND& TipWindow() {
  static HWND tip = nullptr;
  return tip;
}

void SetFont(HWND w, HFONT font) { SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

LRESULT CALLBACK ButtonSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  switch (m) {
    case WM_MOUSEMOVE:
      if (!GetPropA(w, kHotProp)) {
        SetPropA(w, kHotProp, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, w, 0};
        TrackMouseEvent(&tme);
        InvalidateRect(w, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropA(w, kHotProp);
      InvalidateRect(w, nullptr, FALSE);
      break;
    case WM_NCDESTROY:
      RemovePropA(w, kHotProp);
      RemovePropA(w, kButtonProp);
      RemoveWindowSubclass(w, ButtonSubclass, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(w, m, wp, lp);
}

void DrawButton(const DRAWITEMSTRUCT& di) {
  const SkinTheme& t = State().theme;
  HWND w = di.hwndItem;
  RECT r = di.rcItem;
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  win::MemoryDC mem(di.hDC, width, height);
  bool pressed = (di.itemState & ODS_SELECTED) != 0;
  bool disabled = (di.itemState & ODS_DISABLED) != 0;
  bool focus = (di.itemState & ODS_FOCUS) != 0;
  bool hot = GetPropA(w, kHotProp) != nullptr;
  COLORREF face = hot && !pressed ? t.Colour(kSkinHotBack) : t.Colour(kSkinButtonFace);
  SKFILLRECT(mem, 0, 0, width, height, face);
  COLORREF light = t.Colour(kSkinEdgeLight), dark = t.Colour(kSkinEdgeDark);
  SKDRAWRECT3D(mem, 0, 0, width - 1, height - 1, pressed ? dark : light, pressed ? light : dark);
  char text[256];
  int n = GetWindowTextA(w, text, sizeof text);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
  win::SelectObj sel(mem, font ? font : State().captionFont);
  SetBkMode(mem, TRANSPARENT);
  SetTextColor(mem, disabled ? t.Colour(kSkinDisabledText) : t.Colour(kSkinButtonText));
  RECT tr{0, 0, width, height};
  if (pressed) OffsetRect(&tr, 1, 1);
  DrawTextA(mem, text, n, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  if (focus && State().focusRect) {
    RECT fr{3, 3, width - 3, height - 3};
    DrawFocusRect(mem, &fr);
  }
  BitBlt(di.hDC, r.left, r.top, width, height, mem, 0, 0, SRCCOPY);
}

LRESULT CALLBACK RangeSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (m == WM_KILLFOCUS) {
    auto it = Ranges().find(w);
    if (it != Ranges().end()) {
      char text[32];
      GetWindowTextA(w, text, sizeof text);
      long v = std::strtol(text, nullptr, 10);
      long clamped = std::clamp<long>(v, it->second.low, it->second.high);
      if (clamped != v || text[0] == '\0') SetWindowTextA(w, std::to_string(clamped).c_str());
    }
  } else if (m == WM_NCDESTROY) {
    Ranges().erase(w);
    RemoveWindowSubclass(w, RangeSubclass, 0);
  }
  return DefSubclassProc(w, m, wp, lp);
}

}  // namespace

LRESULT ControlMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (message) {
    case WM_DRAWITEM:
      if (SKDRAWITEM(lParam)) {
        handled = true;
        return TRUE;
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      auto it = Colours().find(reinterpret_cast<HWND>(lParam));
      if (it == Colours().end()) return 0;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, it->second.text);
      SetBkColor(dc, it->second.back);
      handled = true;
      return reinterpret_cast<LRESULT>(it->second.brush);
    }
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_DESTROY) {
        auto it = Colours().find(reinterpret_cast<HWND>(lParam));
        if (it != Colours().end()) {
          DeleteObject(it->second.brush);
          Colours().erase(it);
        }
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace skin_engine

using namespace skin_engine;

HWND SKBUT3D(HWND parent, const std::string& caption, int x, int y, int width, int height, int id, HFONT font) {
  EnsureResources();
  HWND w = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
  if (!w) return nullptr;
  SetFont(w, font ? font : State().captionFont);
  SetPropA(w, kButtonProp, reinterpret_cast<HANDLE>(1));
  SetWindowSubclass(w, ButtonSubclass, 0, 0);
  return w;
}

HWND SKCHECKBUTTON(HWND parent, const std::string& caption, int x, int y, int width, int height, int id, HFONT font) {
  EnsureResources();
  HWND w = CreateWindowExA(WS_EX_TRANSPARENT, "BUTTON", caption.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  SetFont(w, font ? font : State().defaultFont);
  const SkinTheme& t = State().theme;
  SKSETCOLOR(w, t.Colour(kSkinWindowBack), t.Colour(kSkinText));
  return w;
}

int SKGETCHECK(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

void SKSETCHECK(HWND control, int state) {
  SendMessageA(control, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SKBUTTONTIP(HWND control, const std::string& tip) {
  if (!control) return;
  HWND& tips = TipWindow();
  if (!tips || !IsWindow(tips)) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                           0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tips) return;
    SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(control);
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (tip.empty()) return;
  std::string text = tip;
  ti.lpszText = text.data();
  SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void SKSETCOLOR(HWND control, COLORREF back, COLORREF text) {
  auto& colours = Colours();
  auto it = colours.find(control);
  if (it != colours.end()) DeleteObject(it->second.brush);
  colours[control] = ControlColours{back, text, CreateSolidBrush(back)};
  InvalidateRect(control, nullptr, TRUE);
}

void SKSETCTLTEXT(HWND control, const std::string& text) { SetWindowTextA(control, text.c_str()); }

std::string SkGetCtlText(HWND control) {
  int n = GetWindowTextLengthA(control);
  std::string text(size_t(std::max(0, n)) + 1, '\0');
  n = GetWindowTextA(control, text.data(), int(text.size()));
  text.resize(size_t(std::max(0, n)));
  return text;
}

int SKDRAWITEM(LPARAM drawItem) {
  const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
  if (!di || di->CtlType != ODT_BUTTON || !GetPropA(di->hwndItem, kButtonProp)) return 0;
  DrawButton(*di);
  return 1;
}

HWND SKINPUT(HWND parent, const std::string& text, int x, int y, int width, int height, int id, int maxLength,
             int minValue, int maxValue) {
  EnsureResources();
  bool numeric = minValue < maxValue;
  HWND w = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (numeric ? ES_NUMBER : 0), x, y,
                           width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
  if (!w) return nullptr;
  SetFont(w, State().defaultFont);
  if (maxLength > 0) SendMessageA(w, EM_LIMITTEXT, WPARAM(maxLength), 0);
  if (numeric) {
    Ranges()[w] = Range{minValue, maxValue};
    SetWindowSubclass(w, RangeSubclass, 0, 0);
  }
  const SkinTheme& t = State().theme;
  SKSETCOLOR(w, t.Colour(kSkinControlBack), t.Colour(kSkinControlText));
  return w;
}

HWND SKPROGRESS32(HWND parent, int x, int y, int width, int height, int id) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  HWND w = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  const SkinTheme& t = State().theme;
  SendMessageA(w, PBM_SETRANGE32, 0, 100);
  SendMessageA(w, PBM_SETBARCOLOR, 0, LPARAM(t.Colour(kSkinSelectionBack)));
  SendMessageA(w, PBM_SETBKCOLOR, 0, LPARAM(t.Colour(kSkinControlBack)));
  return w;
}

int SKCHILDCOUNT(HWND parent) {
  int n = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) ++n;
  return n;
}

HWND SKCHILDWINDOW(HWND parent, int number) {
  // Child windows are linked below their older siblings, so z-order is creation order.
  int i = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (++i == number) return w;
  }
  return nullptr;
}

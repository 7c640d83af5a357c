// The engine's controls: skinned push buttons (owner-drawn), image buttons, check buttons,
// input fields, progress bars, track bars, tool tips, per-control colours and child queries.
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
constexpr const char* kImageProp = "SkImage";
constexpr const char* kFlatProp = "SkFlat";  // an image button without a face: a pane's
constexpr COLORREF kMagenta = RGB(255, 0, 255);

struct ControlColours {
  COLORREF back;
  COLORREF text;
  win::Brush brush;
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

// The brush of the skin's control background: its tile, else the window colour.
HBRUSH BackgroundBrush() {
  static HBITMAP madeFrom = nullptr;
  static win::Brush tile;
  HBITMAP picture = SKCTLBACK();
  if (!picture) return State().windowBrush;
  if (picture != madeFrom || !tile) {
    tile.Reset(CreatePatternBrush(picture));
    madeFrom = picture;
  }
  return tile ? tile.Get() : State().windowBrush;
}

void SetFont(HWND w, HFONT font) { SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// The hot look of the engine's buttons: set while the mouse is over the button.
void TrackHot(HWND w, UINT m) {
  if (m == WM_MOUSEMOVE && !GetPropA(w, kHotProp)) {
    SetPropA(w, kHotProp, reinterpret_cast<HANDLE>(1));
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, w, 0};
    TrackMouseEvent(&tme);
    InvalidateRect(w, nullptr, FALSE);
  } else if (m == WM_MOUSELEAVE) {
    RemovePropA(w, kHotProp);
    InvalidateRect(w, nullptr, FALSE);
  }
}

bool IsHot(HWND w) { return GetPropA(w, kHotProp) != nullptr; }

// The face every engine button shares: hot or plain fill, raised or pressed edge.
void DrawButtonFace(HDC dc, int width, int height, bool pressed, bool hot) {
  const SkinTheme& t = State().theme;
  SKFILLRECT(dc, 0, 0, width, height, hot && !pressed ? t.Colour(kSkinHotBack) : t.Colour(kSkinButtonFace));
  COLORREF light = t.Colour(kSkinEdgeLight), dark = t.Colour(kSkinEdgeDark);
  SKDRAWRECT3D(dc, 0, 0, width - 1, height - 1, pressed ? dark : light, pressed ? light : dark);
}

LRESULT CALLBACK ButtonSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  TrackHot(w, m);
  if (m == WM_NCDESTROY) {
    RemovePropA(w, kHotProp);
    RemovePropA(w, kButtonProp);
    RemoveWindowSubclass(w, ButtonSubclass, 0);
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
  DrawButtonFace(mem, width, height, pressed, IsHot(w));
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

void PaintImageButton(HWND w, HDC dc) {
  RECT r;
  GetClientRect(w, &r);
  int width = r.right, height = r.bottom;
  if (width <= 0 || height <= 0) return;
  win::MemoryDC mem(dc, width, height);
  bool pressed = (SendMessageA(w, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  bool flat = GetPropA(w, kFlatProp) != nullptr;
  if (flat) DrawUnderControl(w, mem, width, height);
  else DrawButtonFace(mem, width, height, pressed, IsHot(w));
  if (auto bitmap = static_cast<HBITMAP>(GetPropA(w, kImageProp))) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    win::CompatibleDC source(mem);
    win::SelectObj selected(source, bitmap);
    int x = (width - info.bmWidth) / 2 + (pressed ? 1 : 0), y = (height - info.bmHeight) / 2 + (pressed ? 1 : 0);
    if (flat && !IsWindowEnabled(w)) {
      // Greyed: the picture dimmed into what lies under it.
      GdiTransparentBlt(mem, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, kMagenta);
      BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
      win::MemoryDC under(mem, info.bmWidth, info.bmHeight);
      DrawUnderControl(w, under, info.bmWidth, info.bmHeight);
      GdiAlphaBlend(mem, x, y, info.bmWidth, info.bmHeight, under, 0, 0, info.bmWidth, info.bmHeight, half);
    } else if (flat && IsHot(w) && !pressed) {
      // Under the mouse: the picture with a light frame.
      GdiTransparentBlt(mem, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, kMagenta);
      win::Brush light(CreateSolidBrush(State().theme.Colour(kSkinEdgeLight)));
      RECT box{0, 0, width, height};
      FrameRect(mem, &box, light.Get());
    } else if (!IsWindowEnabled(w)) {
      // Greyed: the picture's shape in the disabled text colour.
      SKFILLRECT(mem, x, y, info.bmWidth, info.bmHeight, State().theme.Colour(kSkinButtonFace));
      GdiTransparentBlt(mem, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, kMagenta);
      win::Brush grey(CreateSolidBrush(State().theme.Colour(kSkinDisabledText)));
      RECT box{x, y, x + info.bmWidth, y + info.bmHeight};
      FrameRect(mem, &box, grey.Get());
    } else {
      GdiTransparentBlt(mem, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, kMagenta);
    }
  }
  if (GetFocus() == w && !flat) {
    RECT fr{3, 3, width - 3, height - 3};
    DrawFocusRect(mem, &fr);
  }
  BitBlt(dc, 0, 0, width, height, mem, 0, 0, SRCCOPY);
}

LRESULT CALLBACK ImageButtonProc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  TrackHot(w, m);
  switch (m) {
    case WM_PAINT: {
      win::PaintDC dc(w);
      PaintImageButton(w, dc);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintImageButton(w, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = DefSubclassProc(w, m, wp, lp);
      InvalidateRect(w, nullptr, FALSE);
      return r;
    }
    case WM_NCDESTROY:
      win::DeleteGdiObject(RemovePropA(w, kImageProp));
      RemovePropA(w, kHotProp);
      RemovePropA(w, kFlatProp);
      RemoveWindowSubclass(w, ImageButtonProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(w, m, wp, lp);
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

struct KeyHook {
  HWND target;
  int enterCommand;
  int escapeCommand;
  bool messages = false;  // kSkMsgFieldEnter and kSkMsgFieldEscape instead of commands
};
std::map<HWND, KeyHook>& KeyHooks() {
  static std::map<HWND, KeyHook> hooks;
  return hooks;
}

// The command a hooked key gives, 0 when the key is the field's. The key is a virtual key
// of WM_KEYDOWN or a character of WM_CHAR (Enter is 13 and Escape 27 either way).
int HookedCommand(HWND w, WPARAM key) {
  auto it = KeyHooks().find(w);
  if (it == KeyHooks().end()) return 0;
  if (key == VK_RETURN) return it->second.enterCommand;
  if (key == VK_ESCAPE) return it->second.escapeCommand;
  return 0;
}

bool IsKey(const MSG* msg) { return msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR); }

LRESULT CALLBACK KeyHookSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  switch (m) {
    case WM_GETDLGCODE: {
      // The field asks for its hooked keys, so that a dialog loop hands them on.
      const auto* msg = reinterpret_cast<const MSG*>(lp);
      LRESULT code = DefSubclassProc(w, m, wp, lp);
      if (IsKey(msg) && HookedCommand(w, msg->wParam)) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (int command = HookedCommand(w, wp)) {
        const KeyHook& hook = KeyHooks()[w];
        if (hook.messages)
          PostMessageA(hook.target, wp == VK_RETURN ? kSkMsgFieldEnter : kSkMsgFieldEscape, 0,
                       reinterpret_cast<LPARAM>(w));
        else
          PostMessageA(hook.target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (HookedCommand(w, wp)) return 0;  // the edit field would beep at it
      break;
    case WM_NCDESTROY:
      KeyHooks().erase(w);
      RemoveWindowSubclass(w, KeyHookSubclass, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(w, m, wp, lp);
}

// A combo box's own edit field, or the field itself.
HWND EditFieldOf(HWND field) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(field, &info) && info.hwndItem) return info.hwndItem;
  return field;
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
      return reinterpret_cast<LRESULT>(it->second.brush.Get());
    }
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_DESTROY) {
        auto it = Colours().find(reinterpret_cast<HWND>(lParam));
        if (it != Colours().end()) Colours().erase(it);
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

HWND SKBUTIMAGE(HWND parent, const std::string& bitmapName, int x, int y, int width, int height, int id) {
  HWND w = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), bitmapName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap)
    bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, bitmapName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
  if (bitmap) SetPropA(w, kImageProp, bitmap);
  SetWindowSubclass(w, ImageButtonProc, 0, 0);
  return w;
}

HWND SKBUTIMAGE(HWND parent, HBITMAP bitmap, int x, int y, int id) {
  int width = 0, height = 0;
  if (!SKGETPIXMAPSIZE(bitmap, width, height) || width <= 0 || height <= 0) return nullptr;
  HWND w = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  SetPropA(w, kImageProp, bitmap);
  SetPropA(w, kFlatProp, reinterpret_cast<HANDLE>(1));
  SetWindowSubclass(w, ImageButtonProc, 0, 0);
  return w;
}

HWND SKGROUPBOX(HWND parent, const std::string& caption, int x, int y, int width, int height, int id, HFONT font) {
  EnsureResources();
  HWND w = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  SetFont(w, font ? font : State().captionFont);
  const SkinTheme& t = State().theme;
  SKSETCOLOR(w, t.Colour(kSkinWindowBack), t.Colour(kSkinText));
  return w;
}

LRESULT SKCTLCOLORSTATIC(HDC dc, HWND control) {
  bool handled = false;
  LRESULT own = ControlMessage(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(control), handled);
  if (handled) {
    // On the skin's background the control's text stands without a box of its own colour.
    SetBkMode(dc, TRANSPARENT);
    return own;
  }
  EnsureResources();
  SetTextColor(dc, State().theme.Colour(kSkinText));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(BackgroundBrush());
}

namespace {

template <typename Step>
void ForEachChild(HWND window, Step step) {
  for (HWND w = GetWindow(window, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) step(w);
}

bool IsCheckButton(HWND w) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (lstrcmpiA(cls, "BUTTON") != 0) return false;
  LONG_PTR type = GetWindowLongPtrA(w, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

}  // namespace

void SKFREEOBJECTCOLOR(HWND window) {
  if (!window) return;
  Colours().erase(window);
  ForEachChild(window, [](HWND w) { Colours().erase(w); });
}

void SKFREEOBJECTFONT(HWND window) {
  if (!window) return;
  ForEachChild(window, [](HWND w) { SetFont(w, nullptr); });
}

void SKFREECHECKBUTTON(HWND window) {
  if (!window) return;
  ForEachChild(window, [](HWND w) {
    if (!IsCheckButton(w)) return;
    SKBUTTONTIP(w, "");
    Colours().erase(w);
  });
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
  Colours()[control] = ControlColours{back, text, win::Brush(CreateSolidBrush(back))};
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

HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minimum, int maximum) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HWND w = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
  if (!w) return nullptr;
  SendMessageA(w, TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
  SendMessageA(w, TBM_SETPAGESIZE, 0, 1);
  SendMessageA(w, TBM_SETPOS, TRUE, minimum);
  return w;
}

void SKSETTRACKPOS(HWND trackBar, int position) {
  if (trackBar && int(SendMessageA(trackBar, TBM_GETPOS, 0, 0)) != position)
    SendMessageA(trackBar, TBM_SETPOS, TRUE, position);
}

int SKGETTRACKPOS(HWND trackBar) { return trackBar ? int(SendMessageA(trackBar, TBM_GETPOS, 0, 0)) : 0; }

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

int SKPANELCHILDXY(HWND panel, int x, int y) {
  if (!panel || !IsWindow(panel)) return 0;
  RECT r;
  GetClientRect(panel, &r);
  POINT p{x, y};
  return PtInRect(&r, p) ? 1 : 0;
}

HBITMAP SKPANELCHILDXY(int id, int& x, int& y, int styleIndex) {
  std::string picture;
  if (!SkinPanelPlace(SkinCurrent(), id, styleIndex, picture, x, y)) return nullptr;
  int width = 0, height = 0;
  HBITMAP bitmap = SKLOADBITMAPFILE(picture, width, height);
  if (!bitmap) x = y = 0;
  return bitmap;
}

bool SkHasPanelChildren() { return !SkinCurrent().panelChildren.empty(); }

int SkHookKeys(HWND field, HWND target, int enterCommand, int escapeCommand) {
  if (!field || !IsWindow(field)) return 0;
  HWND edit = EditFieldOf(field);
  KeyHooks()[edit] = KeyHook{target, enterCommand, escapeCommand};
  if (!SetWindowSubclass(edit, KeyHookSubclass, 0, 0)) {
    KeyHooks().erase(edit);
    return 0;
  }
  return 1;
}

void SkUnhookKeys(HWND field) {
  if (!field) return;
  HWND edit = IsWindow(field) ? EditFieldOf(field) : field;
  KeyHooks().erase(edit);
  if (IsWindow(edit)) RemoveWindowSubclass(edit, KeyHookSubclass, 0);
}

int SKSETKEYBOARDHOOK(HWND field, HWND target) {
  if (!SkHookKeys(field, target, 1, 1)) return 0;
  KeyHooks()[EditFieldOf(field)].messages = true;
  return 1;
}

void SKFREEKEYBOARDHOOK(HWND target) {
  std::vector<HWND> fields;
  for (const auto& [field, hook] : KeyHooks())
    if (hook.target == target) fields.push_back(field);
  for (HWND field : fields) SkUnhookKeys(field);
}

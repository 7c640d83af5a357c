// The skinned frame: caption strip, caption buttons and borders drawn by the engine in the
// non-client area of the programs' top-level popups, and the layout of their holders.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "engine_internal.h"
#include "skin/sk_boxes.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace skin_engine {
namespace {

constexpr UINT_PTR kHolderMark = 0x534B484C;  // creation parameter of holders: "SKHL"
constexpr const char* kStatusClass = "SKSTATUS";

struct Borders {
  int left, top, right, bottom;
};

Borders FrameBorders() {
  const SkinTheme& t = State().theme;
  return {t.Metric(kSkinLeftBorder), t.Metric(kSkinCaptionHeight), t.Metric(kSkinRightBorder),
          t.Metric(kSkinBottomBorder)};
}

bool IsFrameCandidate(HWND window) {
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  return (style & WS_POPUP) && (style & WS_SYSMENU) && !(style & WS_CHILD);
}

// The caption buttons that a style shows, from the right: close, maximise or restore,
// minimise, pin.
std::vector<int> ButtonsOf(HWND window, int style) {
  std::vector<int> out;
  if (style & 1) out.push_back(kClose);
  if (style & 4) out.push_back(IsZoomed(window) ? kRestore : kMaximise);
  if (style & 2) out.push_back(kMinimise);
  if (style & 8) out.push_back((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? kUndock : kDock);
  return out;
}

// Button rectangle in window coordinates.
RECT ButtonRect(HWND window, size_t indexFromRight) {
  RECT wr;
  GetWindowRect(window, &wr);
  const SkinTheme& t = State().theme;
  int size = t.Metric(kSkinCaptionButton);
  int caption = t.Metric(kSkinCaptionHeight);
  int right = (wr.right - wr.left) - t.Metric(kSkinRightBorder) - 2 - int(indexFromRight) * (size + 2);
  int top = std::max(0, (caption - size) / 2);
  return RECT{right - size, top, right, top + size};
}

int ButtonAt(HWND window, const FrameInfo& f, POINT screen) {
  RECT wr;
  GetWindowRect(window, &wr);
  POINT p{screen.x - wr.left, screen.y - wr.top};
  std::vector<int> buttons = ButtonsOf(window, f.style);
  for (size_t i = 0; i < buttons.size(); ++i) {
    RECT r = ButtonRect(window, i);
    if (PtInRect(&r, p)) return buttons[i];
  }
  return kNoButton;
}

LRESULT HitTest(HWND window, const FrameInfo& f, POINT screen) {
  RECT wr;
  GetWindowRect(window, &wr);
  Borders b = FrameBorders();
  int x = screen.x - wr.left, y = screen.y - wr.top;
  int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (x < 0 || y < 0 || x >= w || y >= h) return HTNOWHERE;
  bool sizable = (f.style & 16) && !IsZoomed(window);
  constexpr int kGrip = 6;
  if (sizable) {
    bool l = x < std::max(b.left, 3), r = x >= w - std::max(b.right, 3);
    bool t = y < 3, bt = y >= h - std::max(b.bottom, 3);
    bool lc = x < kGrip * 2, rc = x >= w - kGrip * 2, tc = y < kGrip * 2, bc = y >= h - kGrip * 2;
    if ((t && lc) || (l && tc)) return HTTOPLEFT;
    if ((t && rc) || (r && tc)) return HTTOPRIGHT;
    if ((bt && lc) || (l && bc)) return HTBOTTOMLEFT;
    if ((bt && rc) || (r && bc)) return HTBOTTOMRIGHT;
    if (l) return HTLEFT;
    if (r) return HTRIGHT;
    if (t) return HTTOP;
    if (bt) return HTBOTTOM;
  }
  if (y < b.top) {
    switch (ButtonAt(window, f, screen)) {
      case kClose: return HTCLOSE;
      case kMaximise:
      case kRestore: return HTMAXBUTTON;
      case kMinimise: return HTMINBUTTON;
      case kDock:
      case kUndock: return HTHELP;  // our pin button
      default: break;
    }
    int iconRight = b.left + 2 + GetSystemMetrics(SM_CXSMICON);
    if (x < iconRight) return HTSYSMENU;
    return HTCAPTION;
  }
  if (x < b.left || x >= w - b.right || y >= h - b.bottom) return HTBORDER;
  return 0;  // the client area: the default handling answers HTCLIENT
}

void DrawGlyph(HDC dc, int button, RECT r, COLORREF colour) {
  win::Pen pen(CreatePen(PS_SOLID, 2, colour));
  win::SelectObj sel(dc, pen.Get());
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  int s = std::max(3, int(r.right - r.left) / 4);
  switch (button) {
    case kClose:
      MoveToEx(dc, cx - s, cy - s, nullptr);
      LineTo(dc, cx + s + 1, cy + s + 1);
      MoveToEx(dc, cx + s, cy - s, nullptr);
      LineTo(dc, cx - s - 1, cy + s + 1);
      break;
    case kMinimise:
      MoveToEx(dc, cx - s, cy + s, nullptr);
      LineTo(dc, cx + s + 1, cy + s);
      break;
    case kMaximise: {
      win::SelectObj hollow(dc, GetStockObject(HOLLOW_BRUSH));
      Rectangle(dc, cx - s, cy - s, cx + s + 1, cy + s + 1);
      break;
    }
    case kRestore: {
      win::SelectObj hollow(dc, GetStockObject(HOLLOW_BRUSH));
      Rectangle(dc, cx - s + 2, cy - s, cx + s + 1, cy + s - 2);
      Rectangle(dc, cx - s, cy - s + 3, cx + s - 2, cy + s + 1);
      break;
    }
    case kDock:
    case kUndock:
      Ellipse(dc, cx - s / 2 - 1, cy - s, cx + s / 2 + 2, cy);
      MoveToEx(dc, cx, cy, nullptr);
      LineTo(dc, cx, cy + s + 1);
      if (button == kUndock) {
        MoveToEx(dc, cx - s, cy, nullptr);
        LineTo(dc, cx + s + 1, cy);
      }
      break;
    default: break;
  }
}

void PaintNonClient(HWND window, const FrameInfo& f) {
  const SkinTheme& t = State().theme;
  EnsureResources();
  RECT wr;
  GetWindowRect(window, &wr);
  int w = wr.right - wr.left, h = wr.bottom - wr.top;
  Borders b = FrameBorders();
  if (w <= 0 || h <= 0) return;
  win::WindowDC windowDc(window, true);
  COLORREF back = t.Colour(f.active ? kSkinCaptionBack : kSkinInactiveCaptionBack);
  COLORREF text = t.Colour(f.active ? kSkinCaptionText : kSkinInactiveCaptionText);

  // Caption strip, drawn off screen.
  {
    win::MemoryDC mem(windowDc, w, std::max(1, b.top));
    win::Brush backBrush(CreateSolidBrush(back));
    RECT strip{0, 0, w, b.top};
    FillRect(mem, &strip, backBrush.Get());
    int x = b.left + 2;
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    int iconSize = GetSystemMetrics(SM_CXSMICON);
    if (icon && b.top >= iconSize) {
      DrawIconEx(mem, x, (b.top - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
      x += iconSize + 4;
    }
    std::vector<int> buttons = ButtonsOf(window, f.style);
    int textRight = w - b.right - 4 - int(buttons.size()) * (t.Metric(kSkinCaptionButton) + 2);
    char title[512];
    int n = GetWindowTextA(window, title, sizeof title);
    win::SelectObj font(mem, State().captionFont);
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, text);
    RECT tr{x, 0, std::max(x, textRight), b.top};
    DrawTextA(mem, title, n, &tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    for (size_t i = 0; i < buttons.size(); ++i) {
      RECT br = ButtonRect(window, i);
      bool pressed = f.pressed == buttons[i];
      bool hot = f.hot == buttons[i];
      if (pressed || hot) {
        win::Brush hotBrush(CreateSolidBrush(pressed ? t.Colour(kSkinEdgeDark) : t.Colour(kSkinInactiveCaptionBack)));
        FillRect(mem, &br, hotBrush.Get());
      }
      DrawGlyph(mem, buttons[i], br, text);
    }
    BitBlt(windowDc, 0, 0, w, b.top, mem, 0, 0, SRCCOPY);
  }
  // Borders, with a dark outline.
  win::Brush borderBrush(CreateSolidBrush(back));
  RECT left{0, b.top, b.left, h}, right{w - b.right, b.top, w, h}, bottom{0, h - b.bottom, w, h};
  FillRect(windowDc, &left, borderBrush.Get());
  FillRect(windowDc, &right, borderBrush.Get());
  FillRect(windowDc, &bottom, borderBrush.Get());
  win::Brush outline(CreateSolidBrush(t.Colour(kSkinEdgeDark)));
  RECT all{0, 0, w, h};
  FrameRect(windowDc, &all, outline.Get());
}

// Follows the mouse while a caption button is held; true when it is released over it.
bool TrackButton(HWND window, FrameInfo& f, int button) {
  f.pressed = button;
  PaintNonClient(window, f);
  SetCapture(window);
  bool inside = true;
  MSG msg;
  for (;;) {
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      inside = false;
      break;
    }
    if (GetCapture() != window) {
      inside = false;
      break;
    }
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      ClientToScreen(window, &p);
      inside = ButtonAt(window, f, p) == button;
      int want = inside ? button : kNoButton;
      if (want != f.pressed) {
        f.pressed = want;
        PaintNonClient(window, f);
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      inside = false;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (GetCapture() == window) ReleaseCapture();
  f.pressed = kNoButton;
  if (FindFrame(window)) PaintNonClient(window, f);
  return inside;
}

void PressButton(HWND window, int button) {
  switch (button) {
    case kClose: PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case kMinimise: PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case kMaximise: PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0); break;
    case kRestore: PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0); break;
    case kDock:
    case kUndock:
      SetWindowPos(window, button == kDock ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      RepaintFrame(window);
      break;
    default: break;
  }
}

LRESULT FrameMessage(HWND window, FrameInfo& f, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);  // also rgrc[0] of NCCALCSIZE_PARAMS
      Borders b = FrameBorders();
      r->left += b.left;
      r->top += b.top;
      r->right -= b.right;
      r->bottom -= b.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return 0;  // the default handling adds nothing for a border-less popup
    }
    case WM_NCHITTEST:
      return HitTest(window, f, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
      PaintNonClient(window, f);
      return 1;
    case WM_NCACTIVATE:
      f.active = wParam != 0;
      PaintNonClient(window, f);
      return 1;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(window, message, wParam, lParam);
      PaintNonClient(window, f);
      return r ? r : 1;
    }
    case WM_NCMOUSEMOVE: {
      int hot = ButtonAt(window, f, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (hot != f.hot) {
        f.hot = hot;
        PaintNonClient(window, f);
      }
      if (!f.trackingLeave) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE | TME_NONCLIENT, window, 0};
        f.trackingLeave = TrackMouseEvent(&tme) != FALSE;
      }
      return 0;
    }
    case WM_NCMOUSELEAVE:
      f.trackingLeave = false;
      if (f.hot != kNoButton) {
        f.hot = kNoButton;
        PaintNonClient(window, f);
      }
      return 0;
    case WM_NCLBUTTONDOWN: {
      int button = ButtonAt(window, f, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (button == kNoButton) return 0;
      if (TrackButton(window, f, button)) PressButton(window, button);
      return 1;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (f.style & 4)) {
        PostMessageA(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return 1;
      }
      return 0;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
      const Engine& e = State();
      if (f.style & 16) {  // only frames the user can size keep the skin's minimum
        mm->ptMinTrackSize.x = e.theme.minWidth;
        mm->ptMinTrackSize.y = e.theme.minHeight;
      }
      MONITORINFO mi{};
      mi.cbSize = sizeof mi;
      GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
      mm->ptMaxPosition.x = mi.rcWork.left - mi.rcMonitor.left;
      mm->ptMaxPosition.y = mi.rcWork.top - mi.rcMonitor.top;
      mm->ptMaxSize.x = mi.rcWork.right - mi.rcWork.left;
      mm->ptMaxSize.y = mi.rcWork.bottom - mi.rcWork.top;
      if (e.maxWidth > 0) mm->ptMaxTrackSize.x = std::max(e.maxWidth, e.theme.minWidth);
      if (e.maxHeight > 0) mm->ptMaxTrackSize.y = std::max(e.maxHeight, e.theme.minHeight);
      return 0;
    }
    case WM_SIZE:
      LayoutFrame(window);
      RepaintFrame(window);
      return 0;
    default:
      return 0;
  }
}

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDC dc(window);
      RECT r;
      GetClientRect(window, &r);
      const SkinTheme& t = State().theme;
      EnsureResources();
      win::MemoryDC mem(dc, r.right, r.bottom);
      win::Brush back(CreateSolidBrush(t.Colour(kSkinMenuBack)));
      FillRect(mem, &r, back.Get());
      RECT inner{r.left + 2, r.top + 2, r.right - 2, r.bottom - 1};
      win::Pen dark(CreatePen(PS_SOLID, 1, t.Colour(kSkinEdgeDark)));
      win::Pen light(CreatePen(PS_SOLID, 1, t.Colour(kSkinEdgeLight)));
      {
        win::SelectObj p(mem, dark.Get());
        MoveToEx(mem, inner.left, inner.bottom - 1, nullptr);
        LineTo(mem, inner.left, inner.top);
        LineTo(mem, inner.right - 1, inner.top);
      }
      {
        win::SelectObj p(mem, light.Get());
        LineTo(mem, inner.right - 1, inner.bottom - 1);
        LineTo(mem, inner.left, inner.bottom - 1);
      }
      char text[1024];
      int n = GetWindowTextA(window, text, sizeof text);
      win::SelectObj f(mem, State().defaultFont);
      SetBkMode(mem, TRANSPARENT);
      SetTextColor(mem, t.Colour(kSkinText));
      RECT tr{inner.left + 4, inner.top, inner.right - 4, inner.bottom};
      DrawTextA(mem, text, n, &tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
      BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT res = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return res;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

FrameInfo& AddFrame(HWND window, int style) {
  FrameInfo& f = State().frames[window];
  f.style = style;
  return f;
}

FrameInfo* FindFrame(HWND window) {
  auto& frames = State().frames;
  auto it = frames.find(window);
  return it == frames.end() ? nullptr : &it->second;
}

void RepaintFrame(HWND frame) {
  if (FrameInfo* f = FindFrame(frame)) PaintNonClient(frame, *f);
}

void LayoutFrame(HWND frame) {
  FrameInfo* f = FindFrame(frame);
  if (!f) return;
  RECT c;
  GetClientRect(frame, &c);
  const SkinTheme& t = State().theme;
  int top = 0, bottom = c.bottom;
  if (f->menuHolder && IsWindow(f->menuHolder)) {
    int h = t.Metric(kSkinMenuBarHeight);
    SetWindowPos(f->menuHolder, nullptr, 0, 0, c.right, h, SWP_NOZORDER | SWP_NOACTIVATE);
    top = h;
  }
  if (f->status && IsWindow(f->status)) {
    int h = t.Metric(kSkinStatusHeight);
    bottom = std::max(top, int(c.bottom) - h);
    SetWindowPos(f->status, nullptr, 0, bottom, c.right, c.bottom - bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (HWND h : f->holders) {
    if (IsWindow(h)) SetWindowPos(h, nullptr, 0, top, c.right, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace skin_engine

using namespace skin_engine;

LRESULT SKGETMESSAGE(HWND window, UINT& message, WPARAM& wParam, LPARAM& lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    if (cs && reinterpret_cast<UINT_PTR>(cs->lpCreateParams) == kHolderMark) {
      HWND frame = cs->hwndParent;
      if (FrameInfo* f = FindFrame(frame)) {
        char cls[64] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (lstrcmpiA(cls, "SKMENU") == 0) f->menuHolder = window;
        else f->holders.push_back(window);
      }
    }
  }
  bool handled = false;
  LRESULT answer = ControlMessage(window, message, wParam, lParam, handled);
  if (!handled) answer = MenuBarMessage(window, message, wParam, lParam, handled);
  if (handled) return answer;
  FrameInfo* f = FindFrame(window);
  if (!f) {
    if (message == WM_NCDESTROY) State().unframed.erase(window);
    if (message == WM_NCDESTROY || !IsFrameCandidate(window) || State().unframed.count(window)) return 0;
    f = &AddFrame(window, State().windowStyle);
  }
  if (message == WM_NCDESTROY) {
    State().frames.erase(window);
    return 0;
  }
  return FrameMessage(window, *f, message, wParam, lParam);
}

LRESULT SkDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Engine& e = State();
  auto colours = [&e, wParam](int text, int back, HBRUSH brush) {
    EnsureResources();
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, e.theme.Colour(text));
    SetBkColor(dc, e.theme.Colour(back));
    return reinterpret_cast<LRESULT>(brush);
  };
  switch (message) {
    case WM_ERASEBKGND: {
      EnsureResources();
      RECT r;
      GetClientRect(window, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, e.windowBrush);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return colours(kSkinText, kSkinWindowBack, (EnsureResources(), e.windowBrush));
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      return colours(kSkinControlText, kSkinControlBack, (EnsureResources(), e.controlBrush));
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int SKDIALOGMESSAGE(HWND mainWindow, MSG& message) { return MenuBarKey(mainWindow, message) ? 1 : 0; }

HWND SKHOLDER(HWND frame, const std::string& className, WNDPROC procedure) {
  if (!win::RegisterClassOnce({.name = className.c_str(), .procedure = procedure, .style = CS_DBLCLKS})) return nullptr;
  if (!FindFrame(frame) && IsFrameCandidate(frame)) AddFrame(frame, State().windowStyle);
  HWND holder = CreateWindowExA(0, className.c_str(), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                frame, nullptr, GetModuleHandleA(nullptr), reinterpret_cast<void*>(kHolderMark));
  if (!holder) return nullptr;
  if (lstrcmpiA(className.c_str(), "SKMENU") == 0) SKMENUBAR(holder);
  // A procedure that does not pass WM_NCCREATE to the engine is registered here.
  if (FrameInfo* f = FindFrame(frame)) {
    bool known = f->menuHolder == holder || std::find(f->holders.begin(), f->holders.end(), holder) != f->holders.end();
    if (!known) {
      if (lstrcmpiA(className.c_str(), "SKMENU") == 0) f->menuHolder = holder;
      else f->holders.push_back(holder);
    }
  }
  LayoutFrame(frame);
  return holder;
}

HWND SKANYWND(HWND parent, const std::string& className, int x, int y, int width, int height, WNDPROC procedure,
              int id) {
  if (!win::RegisterClassOnce({.name = className.c_str(), .procedure = procedure, .style = CS_DBLCLKS})) return nullptr;
  return CreateWindowExA(0, className.c_str(), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
}

HWND SKSTATUSWINDOW(HWND frame, const std::string& text) {
  if (!win::RegisterClassOnce({.name = kStatusClass, .procedure = StatusProc})) return nullptr;
  if (!FindFrame(frame) && IsFrameCandidate(frame)) AddFrame(frame, State().windowStyle);
  HWND status = CreateWindowExA(0, kStatusClass, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0,
                                0, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (FrameInfo* f = FindFrame(frame)) f->status = status;
  LayoutFrame(frame);
  return status;
}

void SKPOPUPCONTAINER(HWND box, const std::string& title, int x, int y, int width, int height, WNDPROC) {
  constexpr int kCloseOnly = 1;
  if (!box) return;
  if (FrameInfo* f = FindFrame(box)) f->style = kCloseOnly;
  else AddFrame(box, kCloseOnly);
  if (!title.empty()) SetWindowTextA(box, title.c_str());
  SetWindowPos(box, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RepaintFrame(box);
}

// The frame of a foreign window in the skin's colours: its caption strip is painted over
// after the system drew the frame, and a tooltip names the caption buttons.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "fileio/fields.h"
#include "skin/sk_draw.h"
#include "skin/sk_window_skin.h"
#include "skin/skin.h"
#include "skin/skin_theme.h"
#include "win/raii.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x534B57;  // "SKW"
constexpr const char* kSkinnedProperty = "SkSkinnedFrame";

struct SkinnedFrame {
  HWND tip = nullptr;
  std::vector<std::string> tips;  // Dock, Undock, Minimize, Maximize, Restore, Close
  bool active = true;
};

// The caption strip and its buttons, in window coordinates.
struct CaptionLayout {
  RECT strip{};
  RECT close{}, maximise{}, minimise{};
  bool hasMaximise = false, hasMinimise = false;
};

CaptionLayout Layout(HWND window) {
  CaptionLayout l;
  RECT w;
  GetWindowRect(window, &w);
  int frameX = GetSystemMetrics(SM_CXFIXEDFRAME), frameY = GetSystemMetrics(SM_CYFIXEDFRAME);
  if (GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) {
    frameX = GetSystemMetrics(SM_CXSIZEFRAME);
    frameY = GetSystemMetrics(SM_CYSIZEFRAME);
  }
  int caption = GetSystemMetrics(SM_CYCAPTION);
  l.strip = {frameX, frameY, (w.right - w.left) - frameX, frameY + caption - 1};
  int size = caption - 4;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  l.close = {l.strip.right - size - 2, l.strip.top + 2, l.strip.right - 2, l.strip.top + 2 + size};
  l.hasMaximise = (style & WS_MAXIMIZEBOX) != 0;
  l.hasMinimise = (style & WS_MINIMIZEBOX) != 0;
  RECT next = l.close;
  OffsetRect(&next, -(size + 2), 0);
  if (l.hasMaximise) {
    l.maximise = next;
    OffsetRect(&next, -(size + 2), 0);
  }
  if (l.hasMinimise) l.minimise = next;
  return l;
}

void PaintCaption(HWND window, const SkinnedFrame& frame) {
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION)) return;
  CaptionLayout l = Layout(window);
  win::WindowDC dc(window, true);
  COLORREF back = SKGETSYSCOLOR(frame.active ? kSkinCaptionBack : kSkinInactiveCaptionBack);
  COLORREF text = SKGETSYSCOLOR(frame.active ? kSkinCaptionText : kSkinInactiveCaptionText);
  SKFILLRECT(dc, l.strip.left, l.strip.top, l.strip.right - l.strip.left, l.strip.bottom - l.strip.top, back);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  int w = 0, h = 0;
  SKGETTEXTEXTENT(SKCAPTIONFONT(), title, w, h);
  SKPRINT(dc, l.strip.left + 6, l.strip.top + (l.strip.bottom - l.strip.top - h) / 2, title, text, SKCAPTIONFONT(),
          1);
  HFONT glyphs = SKMARLETT(l.close.bottom - l.close.top - 2);
  auto button = [&](const RECT& r, const char* glyph) {
    SKFILLRECT(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, SKGETSYSCOLOR(kSkinButtonFace));
    SKDRAWRECT3D(dc, r.left, r.top, r.right - 1, r.bottom - 1, SKGETSYSCOLOR(kSkinEdgeLight),
                 SKGETSYSCOLOR(kSkinEdgeDark));
    SKPRINT(dc, r.left + 2, r.top + 1, glyph, SKGETSYSCOLOR(kSkinButtonText), glyphs, 1);
  };
  button(l.close, "r");
  if (l.hasMaximise) button(l.maximise, IsZoomed(window) ? "2" : "1");
  if (l.hasMinimise) button(l.minimise, "0");
}

// The tooltip's tools: the caption buttons, in client coordinates of nothing (the tip is
// fed the non-client mouse moves with screen-relative rectangles made window-relative).
void UpdateTips(HWND window, SkinnedFrame& frame) {
  if (!frame.tip) return;
  CaptionLayout l = Layout(window);
  auto entry = [&](size_t i) { return i < frame.tips.size() ? frame.tips[i] : std::string(); };
  struct Tool {
    UINT id;
    RECT r;
    std::string text;
  };
  std::vector<Tool> tools = {{1, l.close, entry(5)}};
  if (l.hasMaximise) tools.push_back({2, l.maximise, IsZoomed(window) ? entry(4) : entry(3)});
  if (l.hasMinimise) tools.push_back({3, l.minimise, entry(2)});
  for (Tool& t : tools) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.uId = t.id;
    info.rect = t.r;
    info.lpszText = t.text.data();
    SendMessageA(frame.tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    if (!t.text.empty()) SendMessageA(frame.tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

LRESULT CALLBACK SkinnedFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  auto* frame = reinterpret_cast<SkinnedFrame*>(data);
  switch (message) {
    case WM_NCACTIVATE: {
      frame->active = wParam != 0;
      LRESULT r = DefSubclassProc(window, message, wParam, lParam);
      PaintCaption(window, *frame);
      return r;
    }
    case WM_NCPAINT:
    case WM_SETTEXT: {
      LRESULT r = DefSubclassProc(window, message, wParam, lParam);
      PaintCaption(window, *frame);
      return r;
    }
    case WM_SIZE:
      UpdateTips(window, *frame);
      break;
    case WM_NCMOUSEMOVE:
      if (frame->tip) {
        POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
        RECT w;
        GetWindowRect(window, &w);
        MSG msg{window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x - w.left, p.y - w.top), DWORD(GetMessageTime()), p};
        SendMessageA(frame->tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
      }
      break;
    case WM_NCDESTROY: {
      RemoveWindowSubclass(window, SkinnedFrameProc, kSubclassId);
      RemovePropA(window, kSkinnedProperty);
      if (frame->tip) DestroyWindow(frame->tip);
      delete frame;
      return DefSubclassProc(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

int skSkinWindow(HWND window, const std::string& tips) {
  if (!window || !IsWindow(window)) return 0;
  if (GetPropA(window, kSkinnedProperty)) return 1;
  auto* frame = new SkinnedFrame;
  frame->tips = fileio::SplitFields(tips, '|');
  frame->tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr, nullptr);
  if (!SetWindowSubclass(window, SkinnedFrameProc, kSubclassId, reinterpret_cast<DWORD_PTR>(frame))) {
    if (frame->tip) DestroyWindow(frame->tip);
    delete frame;
    return 0;
  }
  SetPropA(window, kSkinnedProperty, reinterpret_cast<HANDLE>(frame));
  UpdateTips(window, *frame);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  return 1;
}

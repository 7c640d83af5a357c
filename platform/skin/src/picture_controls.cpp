// The engine's controls drawn from pictures, for the players' panes and their boxes: the
// track bar with a channel and a thumb picture, and the animation strip. Both draw what
// lies under them from the panel's picture (or the skin's control background).
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "engine_internal.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace skin_engine {

namespace {

constexpr const char* kPictureProp = "SkPanelPicture";
constexpr const char* kTrackClass = "SKTRACKPICTURE";
constexpr const char* kAnimationClass = "SKANIMATION";
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr UINT kAnimationMs = 100;
constexpr UINT_PTR kAnimationTimer = 1;

SIZE SizeOf(HBITMAP bitmap) {
  int w = 0, h = 0;
  SKGETPIXMAPSIZE(bitmap, w, h);
  return SIZE{w, h};
}

// Draws a picture into a rectangle leaving out magenta, stretched when the sizes differ.
void DrawPicture(HDC dc, HBITMAP picture, const RECT& to) {
  SIZE size = SizeOf(picture);
  if (size.cx <= 0 || size.cy <= 0 || to.right <= to.left || to.bottom <= to.top) return;
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, picture);
  GdiTransparentBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source, 0, 0, size.cx, size.cy,
                    kMagenta);
}

// ---- The track bar ------------------------------------------------------------------------

struct Track {
  int low = 0, high = 100, position = 0;
  win::Bitmap channel, thumb;
  bool vertical = false;
  bool holding = false;  // the user holds the thumb
  int grab = 0;          // where in the thumb it was taken, along the bar
};

Track* TrackOf(HWND w) { return reinterpret_cast<Track*>(GetWindowLongPtrA(w, GWLP_USERDATA)); }

// The thumb's size: its picture's, or a small knob across the bar.
SIZE ThumbSize(const Track& t, const RECT& client) {
  SIZE s = SizeOf(t.thumb.Get());
  if (s.cx > 0 && s.cy > 0) return s;
  return t.vertical ? SIZE{client.right, std::min(10L, client.bottom)} : SIZE{std::min(10L, client.right), client.bottom};
}

// The room the thumb moves in, along the bar.
int TravelOf(const Track& t, const RECT& client) {
  SIZE thumb = ThumbSize(t, client);
  return std::max(0L, t.vertical ? client.bottom - thumb.cy : client.right - thumb.cx);
}

RECT ThumbRect(const Track& t, const RECT& client) {
  SIZE thumb = ThumbSize(t, client);
  int travel = TravelOf(t, client);
  int span = std::max(1, t.high - t.low);
  int offset = int(int64_t(t.position - t.low) * travel / span);
  if (t.vertical) {
    int top = travel - offset;  // the minimum at the bottom
    int left = (client.right - thumb.cx) / 2;
    return RECT{left, top, left + thumb.cx, top + thumb.cy};
  }
  int top = (client.bottom - thumb.cy) / 2;
  return RECT{offset, top, offset + thumb.cx, top + thumb.cy};
}

// The position whose thumb starts at a point along the bar (less the grab).
int PositionAt(const Track& t, const RECT& client, POINT p) {
  int travel = TravelOf(t, client);
  if (travel <= 0) return t.low;
  int along = t.vertical ? travel - (p.y - t.grab) : p.x - t.grab;
  along = std::clamp(along, 0, travel);
  int span = t.high - t.low;
  return t.low + int((int64_t(along) * span + travel / 2) / travel);
}

void Notify(HWND w, int code) {
  Track* t = TrackOf(w);
  HWND parent = GetParent(w);
  if (!t || !parent) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), code), LPARAM(t->position));
}

void MoveTo(HWND w, Track& t, int position) {
  position = std::clamp(position, t.low, t.high);
  if (position == t.position) return;
  t.position = position;
  InvalidateRect(w, nullptr, FALSE);
}

void PaintTrack(HWND w, Track& t, HDC dc) {
  RECT client;
  GetClientRect(w, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  win::MemoryDC mem(dc, client.right, client.bottom);
  DrawUnderControl(w, mem, client.right, client.bottom);
  const SkinTheme& theme = State().theme;
  SIZE channel = SizeOf(t.channel.Get());
  RECT groove;
  if (t.vertical) {
    int width = channel.cx > 0 ? std::min(int(channel.cx), int(client.right)) : 4;
    groove = RECT{(client.right - width) / 2, 0, (client.right - width) / 2 + width, client.bottom};
  } else {
    int height = channel.cy > 0 ? std::min(int(channel.cy), int(client.bottom)) : 4;
    groove = RECT{0, (client.bottom - height) / 2, client.right, (client.bottom - height) / 2 + height};
  }
  if (t.channel) {
    DrawPicture(mem, t.channel.Get(), groove);
  } else {
    SKDRAWRECT3D(mem, groove.left, groove.top, groove.right - 1, groove.bottom - 1, theme.Colour(kSkinEdgeDark),
                 theme.Colour(kSkinEdgeLight));
  }
  RECT thumb = ThumbRect(t, client);
  if (t.thumb) {
    DrawPicture(mem, t.thumb.Get(), thumb);
  } else {
    SKFILLRECT(mem, thumb.left, thumb.top, thumb.right - thumb.left, thumb.bottom - thumb.top,
               theme.Colour(IsWindowEnabled(w) ? kSkinButtonFace : kSkinDisabledText));
    SKDRAWRECT3D(mem, thumb.left, thumb.top, thumb.right - 1, thumb.bottom - 1, theme.Colour(kSkinEdgeLight),
                 theme.Colour(kSkinEdgeDark));
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

// Keys move the thumb a step (arrows), a tenth (page keys) or to an end.
bool KeyStep(Track& t, WPARAM key, int& position, int& code) {
  int page = std::max(1, (t.high - t.low) / 10);
  switch (key) {
    case VK_UP:
    case VK_RIGHT: position = t.position + 1; code = TB_LINEDOWN; return true;
    case VK_DOWN:
    case VK_LEFT: position = t.position - 1; code = TB_LINEUP; return true;
    case VK_PRIOR: position = t.position + page; code = TB_PAGEDOWN; return true;
    case VK_NEXT: position = t.position - page; code = TB_PAGEUP; return true;
    case VK_HOME: position = t.low; code = TB_TOP; return true;
    case VK_END: position = t.high; code = TB_BOTTOM; return true;
    default: return false;
  }
}

LRESULT CALLBACK TrackProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  Track* t = TrackOf(w);
  if (!t) return DefWindowProcA(w, m, wp, lp);
  RECT client;
  GetClientRect(w, &client);
  switch (m) {
    case WM_PAINT: {
      win::PaintDC dc(w);
      PaintTrack(w, *t, dc);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTrack(w, *t, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: {
      if (!IsWindowEnabled(w)) return 0;
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      RECT thumb = ThumbRect(*t, client);
      SIZE size = ThumbSize(*t, client);
      // Taken by the thumb it moves from where it was taken; elsewhere it jumps there.
      if (PtInRect(&thumb, p)) t->grab = t->vertical ? p.y - thumb.top : p.x - thumb.left;
      else t->grab = t->vertical ? size.cy / 2 : size.cx / 2;
      t->holding = true;
      SetCapture(w);
      if (GetFocus() != w && (GetWindowLongPtrA(w, GWL_STYLE) & WS_TABSTOP)) SetFocus(w);
      MoveTo(w, *t, PositionAt(*t, client, p));
      return 0;
    }
    case WM_MOUSEMOVE:
      if (t->holding) MoveTo(w, *t, PositionAt(*t, client, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}));
      return 0;
    case WM_LBUTTONUP:
      if (!t->holding) return 0;
      t->holding = false;
      if (GetCapture() == w) ReleaseCapture();
      Notify(w, TB_THUMBPOSITION);
      return 0;
    case WM_CAPTURECHANGED:
      if (t->holding) {
        t->holding = false;
        Notify(w, TB_THUMBPOSITION);
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
      int position = t->position, code = 0;
      if (!KeyStep(*t, wp, position, code)) break;
      int before = t->position;
      MoveTo(w, *t, position);
      if (t->position != before) Notify(w, code);
      return 0;
    }
    case TBM_GETPOS:
      return t->position;
    case TBM_SETPOS:
      if (!t->holding) {
        t->position = std::clamp(int(lp), t->low, t->high);
        if (wp) InvalidateRect(w, nullptr, FALSE);
      }
      return 0;
    case TBM_SETRANGE:
      t->low = std::min(int(short(LOWORD(lp))), int(short(HIWORD(lp))));
      t->high = std::max(int(short(LOWORD(lp))), int(short(HIWORD(lp))));
      t->position = std::clamp(t->position, t->low, t->high);
      if (wp) InvalidateRect(w, nullptr, FALSE);
      return 0;
    case TBM_GETRANGEMIN:
      return t->low;
    case TBM_GETRANGEMAX:
      return t->high;
    case WM_ENABLE:
      InvalidateRect(w, nullptr, FALSE);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(w, GWLP_USERDATA, 0);
      std::unique_ptr<Track>{t};
      return 0;
    default:
      break;
  }
  return DefWindowProcA(w, m, wp, lp);
}

// ---- The animation --------------------------------------------------------------------------

struct Animation {
  win::Bitmap strip;
  int frames = 1, frameWidth = 0, height = 0, frame = 0;
};

Animation* AnimationOf(HWND w) { return reinterpret_cast<Animation*>(GetWindowLongPtrA(w, GWLP_USERDATA)); }

void PaintAnimation(HWND w, const Animation& a, HDC dc) {
  if (a.frameWidth <= 0 || a.height <= 0) return;
  win::MemoryDC mem(dc, a.frameWidth, a.height);
  DrawUnderControl(w, mem, a.frameWidth, a.height);
  win::CompatibleDC source(mem);
  win::SelectObj selected(source, a.strip.Get());
  GdiTransparentBlt(mem, 0, 0, a.frameWidth, a.height, source, a.frame * a.frameWidth, 0, a.frameWidth, a.height,
                    kMagenta);
  BitBlt(dc, 0, 0, a.frameWidth, a.height, mem, 0, 0, SRCCOPY);
}

// The shape of the first frame.
HRGN FirstFrameRegion(const Animation& a) {
  win::CompatibleDC screen(SKDISPLAYDC());
  win::Bitmap frame(CreateCompatibleBitmap(SKDISPLAYDC(), a.frameWidth, a.height));
  if (!screen || !frame) return nullptr;
  {
    win::SelectObj to(screen, frame.Get());
    win::CompatibleDC source(screen.Get());
    win::SelectObj from(source, a.strip.Get());
    BitBlt(screen, 0, 0, a.frameWidth, a.height, source, 0, 0, SRCCOPY);
  }
  return SKBMPTORGN(frame.Get(), kMagenta);
}

LRESULT CALLBACK AnimationProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  Animation* a = AnimationOf(w);
  if (!a) return DefWindowProcA(w, m, wp, lp);
  switch (m) {
    case WM_PAINT: {
      win::PaintDC dc(w);
      PaintAnimation(w, *a, dc);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintAnimation(w, *a, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case kSkAnimationStop:
      KillTimer(w, kAnimationTimer);
      a->frame = 0;
      InvalidateRect(w, nullptr, FALSE);
      return 0;
    case kSkAnimationPlay:
      if (a->frames > 1) SetTimer(w, kAnimationTimer, kAnimationMs, nullptr);
      return 0;
    case WM_TIMER:
      if (wp != kAnimationTimer) break;
      a->frame = (a->frame + 1) % a->frames;
      InvalidateRect(w, nullptr, FALSE);
      return 0;
    case WM_NCDESTROY:
      KillTimer(w, kAnimationTimer);
      SetWindowLongPtrA(w, GWLP_USERDATA, 0);
      std::unique_ptr<Animation>{a};
      return 0;
    default:
      break;
  }
  return DefWindowProcA(w, m, wp, lp);
}

}  // namespace

void DrawUnderControl(HWND control, HDC dc, int width, int height) {
  HWND parent = GetParent(control);
  HBITMAP picture = parent ? SkPanelPicture(parent) : nullptr;
  if (!picture) {
    SKTILEBLT(dc, 0, 0, width, height, SKCTLBACK());
    return;
  }
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, picture);
  BitBlt(dc, 0, 0, width, height, source, r.left, r.top, SRCCOPY);
}

}  // namespace skin_engine

using namespace skin_engine;

void SkSetPanelPicture(HWND panel, HBITMAP picture) {
  if (!panel) return;
  if (picture) SetPropA(panel, kPictureProp, picture);
  else RemovePropA(panel, kPictureProp);
}

HBITMAP SkPanelPicture(HWND panel) { return static_cast<HBITMAP>(GetPropA(panel, kPictureProp)); }

HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minimum, int maximum,
                const SkTrackPictures& pictures) {
  if (!win::RegisterClassOnce({.name = kTrackClass, .procedure = TrackProc})) return nullptr;
  auto track = std::make_unique<Track>();
  track->low = std::min(minimum, maximum);
  track->high = std::max(minimum, maximum);
  track->position = track->low;
  track->vertical = pictures.vertical;
  HWND w = CreateWindowExA(0, kTrackClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  track->channel.Reset(pictures.channel);
  track->thumb.Reset(pictures.thumb);
  SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(track.release()));
  InvalidateRect(w, nullptr, FALSE);
  return w;
}

void SKSETANIMATERGN(int on) { State().animationRegions = on != 0; }

HWND SKANIMATE(HWND parent, HBITMAP strip, int x, int y, int id) {
  SIZE size = SizeOf(strip);
  if (size.cx <= 0 || size.cy <= 0) return nullptr;
  if (!win::RegisterClassOnce({.name = kAnimationClass, .procedure = AnimationProc})) return nullptr;
  auto animation = std::make_unique<Animation>();
  animation->height = size.cy;
  animation->frames = std::max(1L, size.cx / size.cy);
  animation->frameWidth = size.cx / animation->frames;
  HWND w = CreateWindowExA(0, kAnimationClass, "", WS_CHILD | WS_VISIBLE, x, y, animation->frameWidth, size.cy, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  animation->strip.Reset(strip);
  if (State().animationRegions) {
    if (HRGN region = FirstFrameRegion(*animation)) SetWindowRgn(w, region, TRUE);
  }
  SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(animation.release()));
  InvalidateRect(w, nullptr, FALSE);
  return w;
}

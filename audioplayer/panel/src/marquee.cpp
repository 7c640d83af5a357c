#include <algorithm>
#include <memory>

#include "jorvel/marquee.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace jorvel {

namespace {

constexpr const char* kMarqueeClass = "MARQUEE";
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kDefaultWidth = 140, kDefaultHeight = 16;
// The text stands in the strip's inner area: 2 pixels in from the sides, 1 from the top.
constexpr int kInsetX = 2, kInsetY = 1;

// The drawn title: 32-bit pixels that the ring steps move in place.
struct TitlePicture {
  win::CompatibleDC dc;
  win::Bitmap bitmap;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int width = 0, height = 0;

  TitlePicture(int w, int h) : dc(SKDISPLAYDC()) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;  // top-down: row 0 first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap.Reset(CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dc || !bitmap) return;
    old = SelectObject(dc, bitmap.Get());
    bits = static_cast<uint32_t*>(pixels);
    width = w;
    height = h;
  }
  ~TitlePicture() {
    if (old) SelectObject(dc, old);
  }
  TitlePicture(const TitlePicture&) = delete;
  TitlePicture& operator=(const TitlePicture&) = delete;
};

struct Strip {
  int offsetX = 0, offsetY = 0;  // from the owner's top-left corner
  std::unique_ptr<TitlePicture> title;
};

Strip* StripOf(HWND window) { return reinterpret_cast<Strip*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void DrawTitle(HWND window, Strip& s, const std::string& text) {
  RECT client{};
  GetClientRect(window, &client);
  const int areaWidth = client.right - 2 * kInsetX, areaHeight = client.bottom - 2 * kInsetY;
  int textWidth = 0, textHeight = 0;
  SKGETTEXTEXTENT(SKCAPTIONFONT(), text, textWidth, textHeight);
  const int top = (areaHeight - textHeight) / 2 > 1 ? (areaHeight - textHeight) / 2 : 0;
  // At least as wide as the strip, so that a short title moves round as well.
  const int width = std::max(areaWidth, textWidth + 40) + 1;
  const int height = std::max(areaHeight, textHeight) + 1;
  s.title.reset();
  auto picture = std::make_unique<TitlePicture>(width, height);
  if (picture->bits) {
    SKFILLRECT(picture->dc, 0, 0, width, height, kTransparent);
    SKPRINT3DU(picture->dc, 1, top, text, SKGETSYSCOLOR(113), SKGETSYSCOLOR(112), SKCAPTIONFONT());
    GdiFlush();
    s.title = std::move(picture);
  }
  InvalidateRect(window, nullptr, FALSE);
}

void Step(HWND window, Strip& s) {
  if (!s.title) return;
  GdiFlush();
  for (int i = 0; i < kMarqueeStepsPerTick; ++i) RingStepLeft(s.title->bits, s.title->width, s.title->height, s.title->width);
  InvalidateRect(window, nullptr, FALSE);
}

void Paint(HWND window, Strip& s) {
  win::PaintDC paint(window);
  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;
  HDC buffer = SKOFFSCREEN(paint, w, h, 0);
  HDC dc = buffer ? buffer : paint.Get();
  SKTILEBLT(dc, 0, 0, w, h, SKCTLBACK());
  SKDRAWRECT3D(dc, 0, 0, w - 1, h - 1, SKGETSYSCOLOR(119), SKGETSYSCOLOR(118));
  if (s.title)
    SKTRANSBLT(dc, kInsetX, kInsetY, std::min(w - 2 * kInsetX, s.title->width), std::min(h - 2 * kInsetY, s.title->height),
               s.title->dc, 0, 0, kTransparent);
  if (buffer) SKOFFSCREEN(paint, 0, 0, 1);
}

// Back at the owner's position plus the offsets; its size stays.
void FollowOwner(HWND window, const Strip& s) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner) return;
  RECT o{}, r{};
  GetWindowRect(owner, &o);
  GetWindowRect(window, &r);
  const int x = o.left + s.offsetX, y = o.top + s.offsetY;
  if (x != r.left || y != r.top)
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND MARQUEEWIN(HWND pane, HBITMAP element, int x, int y) {
  int width = kDefaultWidth, height = kDefaultHeight;
  int w = 0, h = 0;
  if (SKGETPIXMAPSIZE(element, w, h) && w > 0 && h > 0) {
    width = w;
    height = h;
  }
  HINSTANCE instance = pane ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(pane, GWLP_HINSTANCE)) : nullptr;
  if (!win::RegisterClassOnce(
          {.name = kMarqueeClass, .procedure = MARQUEEPROC, .instance = instance, .style = CS_VREDRAW | CS_HREDRAW}))
    return nullptr;
  RECT p{};
  if (pane) GetWindowRect(pane, &p);
  auto strip = std::make_unique<Strip>();
  strip->offsetX = x;
  strip->offsetY = y;
  HWND window = CreateWindowExA(0, kMarqueeClass, "", WS_POPUP, p.left + x, p.top + y, width, height, pane, nullptr,
                                instance, nullptr);
  if (!window) return nullptr;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(strip.release()));
  SKSETLAYEREDALPHA(window, kMarqueeAlpha);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

LRESULT CALLBACK MARQUEEPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Strip* s = StripOf(window);
  switch (message) {
    case WM_SETTEXT: {
      std::string title = MarqueeTitle(lParam ? reinterpret_cast<const char*>(lParam) : "");
      DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
      if (s) DrawTitle(window, *s, title);
      return 1;
    }
    case WM_TIMER:
      if (s) Step(window, *s);
      return 0;
    case WM_PAINT:
      if (!s) break;
      Paint(window, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS: {
      HWND to = wParam ? reinterpret_cast<HWND>(wParam) : GetWindow(window, GW_OWNER);
      if (to) SetFocus(to);
      return 0;
    }
    case WM_MOVE:
      if (s) FollowOwner(window, *s);
      return 0;
    case WM_USER:
      return s && s->title ? reinterpret_cast<LRESULT>(s->title->bitmap.Get()) : 0;
    case WM_DESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete s;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace jorvel

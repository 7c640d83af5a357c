#include "jorvel/vu_meter.h"

#include "jorvel/level_meter.h"
#include "skin/sk_draw.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace jorvel {

namespace {

constexpr const char* kVuClass = "VUMETER";
constexpr int kFadeCalls = 8;

// The program's one meter and the window it draws into (main thread only, as the tick).
struct Meter {
  LevelMeter levels;
  HWND window = nullptr;
};

Meter& TheMeter() {
  static Meter meter;
  return meter;
}

HBITMAP BitmapOf(HWND window) { return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void FillBar(HDC dc, int left, int top, int right, int bottom, uint32_t colour) {
  RECT r{left, top, right, bottom};
  SetDCBrushColor(dc, COLORREF(colour));
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

void SetLevelMeterSwitch(int value) { TheMeter().levels.SetSwitch(value); }

HWND LevelMeterWindow() {
  HWND w = TheMeter().window;
  return w && IsWindow(w) ? w : nullptr;
}

void DRAWLEVELMETER(HDC dc, int left, int right) {
  Meter& m = TheMeter();
  if (!m.levels.On()) return;
  if (!m.levels.HasGeometry()) {
    HWND window = LevelMeterWindow();
    if (!window) return;
    RECT client{};
    GetClientRect(window, &client);
    m.levels.TakeGeometry(client.right, client.bottom);
    if (!m.levels.HasGeometry()) return;
  }
  m.levels.Update(left, right);
  if (!dc) return;
  const MeterGeometry& g = m.levels.Geometry();
  COLORREF oldBrush = GetDCBrushColor(dc);
  // From the top: the highest bar first; bars touch.
  int y = 0;
  for (int bar = g.barCount; bar >= 1; --bar, y += g.barHeight) {
    FillBar(dc, 0, y, g.columnWidth, y + g.barHeight, m.levels.BarColour(0, bar));
    FillBar(dc, g.columnWidth, y, g.width, y + g.barHeight, m.levels.BarColour(1, bar));
  }
  SetDCBrushColor(dc, oldBrush);
}

void DrawChannelLevel(uint32_t packedLevel) {
  HWND window = LevelMeterWindow();
  if (!window) return;
  MeterLevels levels = MeterLevelsOf(packedLevel);
  win::WindowDC dc(window);
  DRAWLEVELMETER(dc, levels.left, levels.right);
}

void FadeLevelMeter() {
  HWND window = LevelMeterWindow();
  if (!window) {
    for (int i = 0; i < kFadeCalls; ++i) DRAWLEVELMETER(nullptr, 0, 0);
    return;
  }
  win::WindowDC dc(window);
  for (int i = 0; i < kFadeCalls; ++i) DRAWLEVELMETER(dc, 0, 0);
}

}  // namespace jorvel

extern "C" HWND WINAPI VUMETERWIN(HWND parent, HBITMAP bitmap, int x, int y) {
  int width = 0, height = 0;
  if (!bitmap || !SKGETPIXMAPSIZE(bitmap, width, height) || width == 0 || height == 0) return nullptr;
  HINSTANCE instance = parent ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)) : nullptr;
  if (!win::RegisterClassOnce({.name = jorvel::kVuClass,
                               .procedure = VUMETERPROC,
                               .instance = instance,
                               .style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS}))
    return nullptr;
  HWND window = CreateWindowExA(WS_EX_TRANSPARENT, jorvel::kVuClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                                width, height, parent, nullptr, instance, nullptr);
  if (!window) return nullptr;
  VUMETERPROC(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(bitmap), MAKELPARAM(x, y));
  jorvel::TheMeter().window = window;
  InvalidateRect(window, nullptr, TRUE);
  return window;
}

extern "C" LRESULT CALLBACK VUMETERPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(wParam));
      return 0;
    case WM_ERASEBKGND: {
      HBITMAP bitmap = jorvel::BitmapOf(window);
      if (!bitmap) return 1;
      RECT client{};
      GetClientRect(window, &client);
      auto dc = reinterpret_cast<HDC>(wParam);
      win::CompatibleDC memory(dc);
      win::SelectObj selected(memory, bitmap);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      return 1;
    }
    case WM_DESTROY: {
      HBITMAP bitmap = jorvel::BitmapOf(window);
      SKDELETEOBJECT(bitmap);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (jorvel::TheMeter().window == window) jorvel::TheMeter().window = nullptr;
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

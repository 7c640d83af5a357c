#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include <map>

#include "fileio/macros.h"
#include "fileio/paths.h"
#include "jorvel/pane.h"
#include "jorvel/vu_meter.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "skin/ui_text.h"
#include "win/raii.h"

namespace jorvel {

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kAnimationId = 81;
constexpr int kPositionBarId = 77;
constexpr int kVolumeBarId = 76;

struct PaneState {
  PaneDescription description;
  PaneSetup setup;
  HWND window = nullptr;
  win::Bitmap picture;
  int mode = 0;
  HWND animation = nullptr;
};

PaneState& Pane() {
  static PaneState state;
  return state;
}

void Warn(const std::string& text) {
  if (Pane().setup.warn) Pane().setup.warn(text);
}

// A control's element, as the program looks it up.
HBITMAP ControlElement(int id, int& x, int& y, int style) {
  if (Pane().setup.element) return Pane().setup.element(id, x, y, style);
  return PANEELEMENT(id, x, y, style);
}

// The colour of the top-left pixel: what a pane picture leaves out.
COLORREF CornerColour(HBITMAP bitmap) {
  win::CompatibleDC dc(SKDISPLAYDC());
  win::SelectObj selected(dc, bitmap);
  return GetPixel(dc, 0, 0);
}

HBITMAP LoadPicture(const std::string& path) {
  int width = 0, height = 0;
  return path.empty() ? nullptr : SKLOADBITMAPFILE(path, width, height);
}

// Mode 8: the VU element drawn into the pane picture and added to its shape; the VU
// window over it.
void AddVuElement(HWND pane, HRGN shape) {
  int x = 0, y = 0;
  win::Bitmap vu(PANEELEMENT(kVuElement, x, y, 2));
  if (!vu) return;
  int width = 0, height = 0;
  SKGETPIXMAPSIZE(vu.Get(), width, height);
  if (win::Region part{SKBMPTORGN(vu.Get(), kMagenta)}) {
    OffsetRgn(part.Get(), x, y);
    CombineRgn(shape, shape, part.Get(), RGN_OR);
  }
  {
    win::CompatibleDC to(SKDISPLAYDC());
    win::SelectObj into(to, Pane().picture.Get());
    win::CompatibleDC from(SKDISPLAYDC());
    win::SelectObj out(from, vu.Get());
    GdiTransparentBlt(to, x, y, width, height, from, 0, 0, width, height, kMagenta);
  }
  win::Region own(SKBMPTORGN(vu.Get(), kMagenta));
  HWND meter = VUMETERWIN(pane, vu.Get(), x, y);
  if (!meter) return;
  vu.Release();  // the VU window's now
  if (own) SetWindowRgn(meter, own.Release(), TRUE);
}

}  // namespace

bool LoadPaneDescription(const std::string& programFolder) {
  std::string name = fileio::ToLower(fileio::Trim(SKLOADSTRING("POPUPPANE")));
  if (name.empty()) return false;
  fileio::PathMacros macros;
  macros.programFolder = programFolder;
  std::string path = fileio::ExpandPathMacros(name, macros);
  StringTable strings{std::string()};
  int count = 0;
  if (SKREADSTR(path, strings, count) < 0 || count < 2) return false;
  Pane().description = PaneDescription(std::move(strings), programFolder);
  SetLevelMeterSwitch(Pane().description.Field(kMeterSwitchField));
  return Pane().description.Complete();
}

const PaneDescription& CurrentPaneDescription() { return Pane().description; }

HBITMAP PANEELEMENT(int id, int& x, int& y, int style) {
  x = y = 0;
  auto element = Pane().description.Element(id, style);
  if (!element) return nullptr;
  x = element->x;
  y = element->y;
  return LoadPicture(element->picture);
}

POINT PanePlace(int left, int top, int width, int height, const RECT& screen) {
  bool off = left + width <= screen.left || left >= screen.right || top + height <= screen.top || top >= screen.bottom;
  if (left == -1 && top == -1) off = true;
  if (!off) return POINT{left, top};
  RECT area = SKGETWORKAREA();
  return POINT{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

HWND PaneWindow() {
  HWND w = Pane().window;
  return w && IsWindow(w) ? w : nullptr;
}

int PaneMode() { return Pane().mode; }

HWND PaneAnimation() {
  HWND w = Pane().animation;
  return w && IsWindow(w) ? w : nullptr;
}

HWND BUILDPANES(int mode, const PaneSetup& setup) {
  PaneState& s = Pane();
  if (HWND old = PaneWindow()) DestroyWindow(old);
  s.window = nullptr;
  s.setup = setup;
  s.mode = mode;
  if (!s.description.Complete()) return nullptr;
  win::Bitmap picture(LoadPicture(s.description.PanePicture(mode)));
  if (!picture) return nullptr;
  int width = 0, height = 0;
  SKGETPIXMAPSIZE(picture.Get(), width, height);
  if (!SKCHECKCLASS(kPaneClass)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | (SKOSVERSION() > 500 ? CS_DROPSHADOW : 0);
    wc.lpfnWndProc = PANEPROC;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = setup.icon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kPaneClass;
    SKREGISTERCLASS(wc);
  }
  RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  POINT at = PanePlace(setup.left, setup.top, width, height, screen);
  s.picture = std::move(picture);
  HWND w = CreateWindowExA(WS_EX_APPWINDOW, kPaneClass, setup.title.c_str(), WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU,
                           at.x, at.y, width, height, setup.owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!w) {
    s.picture.Reset();
    return nullptr;
  }
  s.window = w;
  HRGN shape = SKBMPTORGN(s.picture.Get(), CornerColour(s.picture.Get()));
  if (!shape) shape = CreateRectRgn(0, 0, width, height);
  if (mode == kSoundPaneMode) AddVuElement(w, shape);
  SetWindowRgn(w, shape, TRUE);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  UpdateWindow(w);
  DragAcceptFiles(w, TRUE);
  return w;
}

HWND CREATEPLAYERCONTROLS(int kind, int style, int id, const std::string& tip, int show) {
  HWND pane = PaneWindow();
  if (!pane) return nullptr;
  if (HWND existing = GetDlgItem(pane, id)) {
    ShowWindow(existing, show);
    return existing;
  }
  int x = 0, y = 0;
  HWND control = nullptr;
  if (kind == kPaneCheckButton) {
    // The check button's element gives its place; its picture, when any, its size.
    win::Bitmap picture(ControlElement(id, x, y, style));
    int width = 14, height = 14;
    if (picture) SKGETPIXMAPSIZE(picture.Get(), width, height);
    control = SKCHECKBUTTON(pane, "", x, y, width, height, id, SKDEFAULTFONT());
  } else {
    win::Bitmap picture(ControlElement(id, x, y, style));
    if (!picture) {
      Warn("CREATEPLAYERCONTROLS " + std::to_string(id) + "|" + SKWINERR(2));
      return nullptr;
    }
    if (kind == kPaneImageButton) {
      control = SKBUTIMAGE(pane, picture.Get(), x, y, id);
    } else {
      int width = 0, height = 0, tx = 0, ty = 0;
      SKGETPIXMAPSIZE(picture.Get(), width, height);
      win::Bitmap thumb(ControlElement(id == kPositionBarId ? kPositionThumb : kVolumeThumb, tx, ty, style));
      int thumbWidth = 0, thumbHeight = 0;
      if (thumb) SKGETPIXMAPSIZE(thumb.Get(), thumbWidth, thumbHeight);
      control = SKTRACKBAR(pane, x, y, width, std::max(height, thumbHeight), id, 0, 100,
                           {picture.Get(), thumb.Get(), false});
      if (control) thumb.Release();  // the bar's now
    }
    if (control) picture.Release();
  }
  if (!control) return nullptr;
  ShowWindow(control, show);
  if (!tip.empty()) SKBUTTONTIP(control, tip);
  return control;
}

HWND CreatePaneAnimation(int style) {
  HWND pane = PaneWindow();
  if (!pane) return nullptr;
  if (HWND existing = PaneAnimation()) return existing;
  int x = 0, y = 0;
  win::Bitmap strip(PANEELEMENT(kAnimationElement, x, y, style));
  if (!strip) return nullptr;
  SKSETANIMATERGN(1);
  HWND animation = SKANIMATE(pane, strip.Get(), x, y, kAnimationId);
  SKSETANIMATERGN(0);
  if (animation) strip.Release();  // the animation's now
  Pane().animation = animation;
  return animation;
}

void DESTROYCONTROL(int id) {
  HWND pane = PaneWindow();
  HWND control = pane ? GetDlgItem(pane, id) : nullptr;
  if (!control) return;
  SKBUTTONTIP(control, "");
  DestroyWindow(control);  // the control deletes its pictures with itself
}

void DESTROYPLAYERCONTROLS() {
  if (HWND animation = PaneAnimation()) {
    if (!DestroyWindow(animation)) Warn(SKWINERR(6));
  }
  Pane().animation = nullptr;
  for (int id : {53, 54, 55, 56, 57, 67, 61, 62, 77, 76, 73, 51, 52, 74, 63, 71, 78}) DESTROYCONTROL(id);
}

}  // namespace jorvel

using namespace jorvel;

namespace {

void Dropped(HDROP drop) {
  std::vector<std::string> files;
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string name(length + 1, '\0');
    DragQueryFileA(drop, i, name.data(), length + 1);
    name.resize(length);
    if (!name.empty()) files.push_back(name);
  }
  DragFinish(drop);
  if (!files.empty() && Pane().setup.dropped) Pane().setup.dropped(files);
}

void RaiseOwner(HWND pane) {
  HWND owner = Pane().setup.owner;
  if (owner && IsWindow(owner) && GetWindow(pane, GW_HWNDNEXT) != owner)
    SetWindowPos(owner, pane, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

SkMenuAnimationWhilePopups& MenuAnimation() {
  static SkMenuAnimationWhilePopups animation;
  return animation;
}

void Paint(HWND w, HDC dc) {
  RECT r;
  GetClientRect(w, &r);
  win::CompatibleDC source(dc);
  win::SelectObj selected(source, Pane().picture.Get());
  BitBlt(dc, 0, 0, r.right, r.bottom, source, 0, 0, SRCCOPY);
}

}  // namespace

LRESULT CALLBACK PANEPROC(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCREATE) {
    SkUnframed(w);
    // The controls draw what lies under them from the pane picture.
    SkSetPanelPicture(w, Pane().picture.Get());
  }
  if (LRESULT answer = SKGETMESSAGE(w, m, wp, lp)) return answer;
  const PaneSetup& setup = Pane().setup;
  switch (m) {
    case WM_DROPFILES:
      Dropped(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_LBUTTONDOWN:
      if (!setup.draggable || setup.draggable()) {
        ReleaseCapture();
        SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      }
      if (setup.moved) setup.moved();
      return 0;
    case WM_RBUTTONDOWN:
      if (setup.rightClicked) {
        setup.rightClicked();
        return 0;
      }
      break;
    case WM_MOVE:
      if (setup.moved) setup.moved();
      if (setup.title == kAudioPaneTitle || setup.title == kPlayerPaneTitle) {
        // The other player's pane goes where this one is (the audio player's pane follows
        // the media player's, and the other way round); one that is there already stays,
        // so the two do not move each other for ever.
        const char* otherTitle = setup.title == kAudioPaneTitle ? kPlayerPaneTitle : kAudioPaneTitle;
        if (HWND other = FindWindowA(kPaneClass, otherTitle); other && other != w) {
          RECT r, o;
          GetWindowRect(w, &r);
          GetWindowRect(other, &o);
          if (r.left != o.left || r.top != o.top)
            SetWindowPos(other, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
      }
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      if (setup.buttonDoubleClicked) setup.buttonDoubleClicked(m == WM_RBUTTONDBLCLK);
      else if (Pane().mode == kSoundPaneMode && setup.doubleClicked) setup.doubleClicked();
      return 0;
    case WM_SETFOCUS:
      if (HWND spectrum = setup.spectrum ? setup.spectrum() : nullptr)
        SetWindowPos(spectrum, w, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp)) {
        RaiseOwner(w);
        // The skin engine takes the pane's activation for the main window's, which holds
        // the menus and the frame the engine knows the program by.
        if (HWND owner = setup.owner; owner && IsWindow(owner)) {
          UINT message = m;
          WPARAM wParam = wp;
          LPARAM lParam = lp;
          SKGETMESSAGE(owner, message, wParam, lParam);
        }
      }
      break;
    case WM_MOUSEMOVE:
      RaiseOwner(w);
      break;
    // The menu animation goes off around the pane's menus and back on after them, only
    // when it was on: the user's own choice is kept.
    case WM_INITMENUPOPUP:
      MenuAnimation().Opened();
      break;
    case WM_UNINITMENUPOPUP:
      MenuAnimation().Closed();
      break;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE) {
        PostMessageA(setup.owner, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      break;
    case WM_COMMAND:
      return setup.command ? setup.command(wp, lp) : 0;
    case WM_USER:
      return reinterpret_cast<LRESULT>(Pane().picture.Get());
    case WM_ERASEBKGND:
      Paint(w, reinterpret_cast<HDC>(wp));
      return 1;
    case WM_PAINT: {
      win::PaintDC dc(w);
      Paint(w, dc);
      return 0;
    }
    case WM_DESTROY:
      SkSetPanelPicture(w, nullptr);
      DragAcceptFiles(w, FALSE);
      if (Pane().window == w) {
        Pane().window = nullptr;
        Pane().animation = nullptr;
        Pane().picture.Reset();
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(w, m, wp, lp);
}

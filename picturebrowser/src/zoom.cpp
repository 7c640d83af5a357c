#include "zoom.h"

#include <windowsx.h>

#include "hessam/command_ids.h"
#include "hessam/zoom.h"
#include "pictures.h"
#include "skin/sk_draw.h"
#include "state.h"

namespace hessam {
namespace {

bool PictureExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Draws the zoom view's picture at its scroll offsets (loaded again when it was freed).
void DrawZoomView() {
  BrowserState& b = App();
  ZoomView& v = b.zoomView;
  if (!b.zoomPicture) {
    LoadedPicture picture;
    if (!LoadPicture(b.currentPicture, 0, 0, picture)) return;
    b.zoomPicture = std::move(picture.bitmap);
  }
  HDC memory = ShowZoomWindow(v.WindowX(), v.WindowY(), v.WindowWidth(), v.WindowHeight(), RGB(0, 0, 0));
  if (!memory) return;
  win::CompatibleDC source(memory);
  win::SelectObj selected(source, b.zoomPicture.Get());
  BitBlt(memory, v.DrawX(), v.DrawY(), v.pictureWidth, v.pictureHeight, source, 0, 0, SRCCOPY);
  InvalidateRect(b.zoom, nullptr, FALSE);
  UpdateWindow(b.zoom);
}

}  // namespace

HDC ShowZoomWindow(int x, int y, int width, int height, COLORREF colour) {
  BrowserState& b = App();
  if (!b.zoom) return nullptr;
  HDC memory = SKGETHDCMEMBMP(b.zoom);
  RECT r{};
  GetClientRect(b.zoom, &r);
  if (!memory || r.right != width || r.bottom != height || !IsWindowVisible(b.zoom)) {
    SetWindowPos(b.zoom, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW);
    memory = SKCREATEMEMBMP(b.zoom, width, height);
  } else {
    SetWindowPos(b.zoom, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  if (memory) SKFILLRECT(memory, 0, 0, width, height, colour);
  SetForegroundWindow(b.zoom);
  SetFocus(b.zoom);
  return memory;
}

void CloseZoom() {
  BrowserState& b = App();
  if (b.zoom && IsWindowVisible(b.zoom)) {
    SetWindowPos(b.zoom, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW | SWP_NOACTIVATE);
    if (b.frame) SetForegroundWindow(b.frame);
  }
  b.zoomState = kZoomClosed;
  b.zoomPicture.Reset();
}

void SHOWZOOMVIEW(bool fit) {
  BrowserState& b = App();
  if (!b.zoom || !PictureExists(b.currentPicture)) return;
  LoadedPicture picture;
  if (fit) {
    if (!LoadPicture(b.currentPicture, b.screenWidth, b.screenHeight, picture)) return;
    b.zoomView = FittedZoomView(b.screenWidth, b.screenHeight);
    b.zoomPicture.Reset();
    HDC memory = ShowZoomWindow(0, 0, b.screenWidth, b.screenHeight, RGB(0, 0, 0));
    if (memory) DrawPicture(memory, picture, 0, 0);
    InvalidateRect(b.zoom, nullptr, FALSE);
    UpdateWindow(b.zoom);
  } else {
    if (!LoadPicture(b.currentPicture, 0, 0, picture)) return;
    b.zoomView = NaturalZoomView(b.screenWidth, b.screenHeight, picture.width, picture.height);
    b.zoomPicture = std::move(picture.bitmap);
    DrawZoomView();
  }
  b.zoomState = kZoomShown;
}

bool ZoomKeyDown(int key) {
  BrowserState& b = App();
  if (b.show.running) return false;
  if (b.zoomState == kPreviewShown) {
    CloseZoom();
    return true;
  }
  if (b.zoomState != kZoomShown) return false;
  switch (ZoomKey(b.zoomView, key)) {
    case ZoomKeyResult::kClose: CloseZoom(); break;
    case ZoomKeyResult::kMoved: DrawZoomView(); break;
    case ZoomKeyResult::kUnchanged: break;
  }
  return true;
}

void ZoomMouse(UINT message, LPARAM lParam) {
  BrowserState& b = App();
  if (b.show.running || b.zoomState == kZoomClosed) return;
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    CloseZoom();
    return;
  }
  if (message != WM_MOUSEMOVE || b.zoomState != kZoomShown) return;
  RECT r;
  GetWindowRect(b.zoom, &r);
  if (ZoomEdgeScroll(b.zoomView, r.left + GET_X_LPARAM(lParam), r.top + GET_Y_LPARAM(lParam))) DrawZoomView();
}

}  // namespace hessam

// Clipboard, screen capture and printing of imaging bitmaps.
#include <cstring>
#include <vector>

#include "imglib/imglib_devices.h"
#include "win/raii.h"
#include "win/window_class.h"

using namespace imglib;

namespace {

bool Valid(const ImgBitmap* b) { return b && b->dib && b->bits && b->width > 0 && b->height > 0; }

BITMAPINFOHEADER Header24(int width, int height) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = -height;  // rows from the top, as the imaging bitmap holds them
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  return h;
}

// Copies a rectangle of a device context (the screen's for null) into a new bitmap.
int CaptureRect(HDC source, int x, int y, int width, int height, ImgBitmap* bitmap) {
  if (!bitmap || width <= 0 || height <= 0) return kInvalidParameter;
  ImgBitmap fresh;
  int r = L_CreateBitmap(&fresh, width, height, 24);
  if (r != kSuccess) return r;
  HDC lead = L_CreateLeadDC(&fresh);
  if (!lead) {
    L_FreeBitmap(&fresh);
    return kNoMemory;
  }
  BOOL copied = BitBlt(lead, 0, 0, width, height, source, x, y, SRCCOPY | CAPTUREBLT);
  L_DeleteLeadDC(lead);
  if (!copied) {
    L_FreeBitmap(&fresh);
    return kFailure;
  }
  L_FreeBitmap(bitmap);
  *bitmap = fresh;
  return kSuccess;
}

int CaptureScreenRect(const RECT& r, ImgBitmap* bitmap) {
  win::WindowDC screen(nullptr);
  if (!screen) return kFailure;
  return CaptureRect(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, bitmap);
}

// Reads a packed DIB (header, colour table or masks, pixels) into a new 24-bit bitmap
// by letting GDI convert it.
int FromPackedDib(const uint8_t* data, size_t size, ImgBitmap* bitmap) {
  if (size < sizeof(BITMAPINFOHEADER)) return kFileCorrupt;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
    return kFileCorrupt;
  int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  size_t colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (size_t(1) << h.biBitCount) : 0);
  size_t masks = (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
  size_t offset = h.biSize + masks + colours * 4;
  size_t stride = ((size_t(width) * h.biBitCount + 31) / 32) * 4;
  bool compressed = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
  if (offset > size || (!compressed && offset + stride * size_t(height) > size)) return kFileCorrupt;
  ImgBitmap fresh;
  int r = L_CreateBitmap(&fresh, width, height, 24);
  if (r != kSuccess) return r;
  HDC lead = L_CreateLeadDC(&fresh);
  int lines = lead ? SetDIBitsToDevice(lead, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height),
                                       data + offset, reinterpret_cast<const BITMAPINFO*>(data), DIB_RGB_COLORS)
                   : 0;
  if (lead) L_DeleteLeadDC(lead);
  if (lines <= 0) {
    L_FreeBitmap(&fresh);
    return kFileCorrupt;
  }
  L_FreeBitmap(bitmap);
  *bitmap = fresh;
  return kSuccess;
}

}  // namespace

int L_BitmapFromPackedDib(const void* data, size_t size, ImgBitmap* bitmap) {
  if (!data || !bitmap) return kInvalidParameter;
  return FromPackedDib(static_cast<const uint8_t*>(data), size, bitmap);
}

namespace {

// The window under a screen point, without the overlay that asked.
HWND TopLevelAt(POINT p, HWND overlay) {
  ShowWindow(overlay, SW_HIDE);
  HWND w = WindowFromPoint(p);
  return w ? GetAncestor(w, GA_ROOT) : nullptr;
}

struct PickState {
  HCURSOR cursor = nullptr;
  bool done = false;
  bool cancelled = false;
  POINT at{};
};

LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<PickState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_SETCURSOR:
      if (s) {
        SetCursor(s->cursor);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (s) {
        s->done = true;
        s->at = POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
        ClientToScreen(window, &s->at);
      }
      return 0;
    case WM_RBUTTONDOWN:
      if (s) s->done = s->cancelled = true;
      return 0;
    case WM_KEYDOWN:
      if (s && wParam == VK_ESCAPE) s->done = s->cancelled = true;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int L_ClipboardReady() {
  return IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP) ||
                 IsClipboardFormatAvailable(CF_DIBV5)
             ? 1
             : 0;
}

int L_CopyToClipboard(HWND owner, const ImgBitmap* bitmap) {
  if (!Valid(bitmap)) return kInvalidParameter;
  GdiFlush();
  BITMAPINFOHEADER h = Header24(bitmap->width, bitmap->height);
  h.biHeight = bitmap->height;  // the clipboard's DIB is bottom-up, as every reader expects
  size_t stride = size_t(bitmap->stride);
  size_t total = sizeof h + stride * size_t(bitmap->height);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, total);
  if (!block) return kNoMemory;
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  std::memcpy(p, &h, sizeof h);
  for (int y = 0; y < bitmap->height; ++y)
    std::memcpy(p + sizeof h + size_t(bitmap->height - 1 - y) * stride, bitmap->bits + size_t(y) * stride, stride);
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return kFailure;
  }
  EmptyClipboard();
  bool placed = SetClipboardData(CF_DIB, block) != nullptr;
  CloseClipboard();
  if (!placed) {
    GlobalFree(block);
    return kFailure;
  }
  return kSuccess;
}

int L_CopyFromClipboard(HWND owner, ImgBitmap* bitmap) {
  if (!bitmap) return kInvalidParameter;
  if (!OpenClipboard(owner)) return kFailure;
  int result = kFailure;
  if (HANDLE dib = GetClipboardData(CF_DIB)) {
    if (auto* p = static_cast<const uint8_t*>(GlobalLock(dib))) {
      result = FromPackedDib(p, GlobalSize(dib), bitmap);
      GlobalUnlock(dib);
    }
  } else if (HBITMAP ddb = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP info{};
    if (GetObjectA(ddb, sizeof info, &info) && info.bmWidth > 0 && info.bmHeight > 0) {
      win::CompatibleDC memory(nullptr);
      win::SelectObj selected(memory, ddb);
      result = CaptureRect(memory, 0, 0, info.bmWidth, info.bmHeight, bitmap);
    }
  }
  CloseClipboard();
  return result;
}

int L_ScreenCaptureBitmap(ImgBitmap* bitmap) {
  RECT r{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  r.right = r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  r.bottom = r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return CaptureScreenRect(r, bitmap);
}

int L_CaptureActiveWindow(ImgBitmap* bitmap) {
  HWND w = GetForegroundWindow();
  RECT r;
  if (!w || !IsWindowVisible(w) || !GetWindowRect(w, &r)) return kFailure;
  return CaptureScreenRect(r, bitmap);
}

int L_CaptureSelectedObject(ImgBitmap* bitmap, HCURSOR cursor, DWORD timeoutMs) {
  if (!bitmap) return kInvalidParameter;
  constexpr const char* kOverlayClass = "IMGLIBPICKWINDOW";
  HINSTANCE instance = GetModuleHandleA(nullptr);
  // The cursor is the caller's, set on WM_SETCURSOR.
  if (!win::RegisterClassOnce(
          {.name = kOverlayClass, .procedure = OverlayProc, .instance = instance, .cursor = nullptr}))
    return kFailure;
  PickState state;
  state.cursor = cursor ? cursor : LoadCursor(nullptr, IDC_CROSS);
  // A nearly transparent window over the whole screen takes the click, so that the
  // window under it is not clicked itself.
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  HWND overlay = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kOverlayClass, "", WS_POPUP, x, y,
                                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                                 nullptr, instance, nullptr);
  if (!overlay) return kFailure;
  SetWindowLongPtrA(overlay, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  SetLayeredWindowAttributes(overlay, 0, 1, LWA_ALPHA);
  ShowWindow(overlay, SW_SHOW);
  SetForegroundWindow(overlay);
  SetFocus(overlay);
  DWORD start = GetTickCount();
  while (!state.done) {
    if (timeoutMs && GetTickCount() - start >= timeoutMs) {
      state.cancelled = true;
      break;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        state.done = state.cancelled = true;
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!state.done) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  int result = kFailure;
  if (!state.cancelled) {
    HWND target = TopLevelAt(state.at, overlay);
    RECT r;
    if (target && GetWindowRect(target, &r)) {
      UpdateWindow(target);
      result = CaptureScreenRect(r, bitmap);
    }
  }
  DestroyWindow(overlay);
  return result;
}

int L_PrintBitmapExt(HDC dc, const ImgBitmap* bitmap, int x, int y, int width, int height) {
  if (!dc || !Valid(bitmap) || width <= 0 || height <= 0) return kInvalidParameter;
  GdiFlush();
  BITMAPINFO bmi{};
  bmi.bmiHeader = Header24(bitmap->width, bitmap->height);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  int lines = StretchDIBits(dc, x, y, width, height, 0, 0, bitmap->width, bitmap->height, bitmap->bits, &bmi,
                            DIB_RGB_COLORS, SRCCOPY);
  return lines > 0 ? kSuccess : kFailure;
}

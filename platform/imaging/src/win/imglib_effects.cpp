// The effect painter and the status callback.
#include "imglib/imglib_effects.h"

#include <algorithm>
#include <cstring>

#include "imglib/transforms.h"
#include "win/raii.h"

using namespace imglib;

namespace {

// The status callback of the process: installed and read on the main thread only.
struct StatusSlot {
  STATUSCALLBACK callback = nullptr;
  void* userData = nullptr;
};
StatusSlot gStatus;

BITMAPINFO TopDown24(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A top-down 24-bit DIB has the rows of a raster: 3 bytes a pixel, padded to 4 bytes.
static_assert(sizeof(RGBTRIPLE) == 3);

bool ReadArea(HDC dc, const RECT& area, Raster& out) {
  int width = area.right - area.left, height = area.bottom - area.top;
  if (!out.Allocate(width, height)) return false;
  BITMAPINFO info = TopDown24(width, height);
  void* bits = nullptr;
  win::Bitmap dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::CompatibleDC memory(dc);
  if (!dib || !bits || !memory) return false;
  {
    win::SelectObj selected(memory, dib.Get());
    if (!BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY)) return false;
    GdiFlush();
  }
  std::memcpy(out.Data(), bits, out.ByteSize());
  return true;
}

bool PaintFrame(HDC dc, const RECT& area, const Raster& frame) {
  BITMAPINFO info = TopDown24(frame.Width(), frame.Height());
  return SetDIBitsToDevice(dc, area.left, area.top, DWORD(frame.Width()), DWORD(frame.Height()), 0, 0, 0,
                           UINT(frame.Height()), frame.Data(), &info, DIB_RGB_COLORS) != 0;
}

}  // namespace

int L_SetStatusCallBack(STATUSCALLBACK callback, void* userData, STATUSCALLBACK* oldCallback, void** oldUserData) {
  if (oldCallback) *oldCallback = gStatus.callback;
  if (oldUserData) *oldUserData = gStatus.userData;
  gStatus.callback = callback;
  gStatus.userData = callback ? userData : nullptr;
  return kSuccess;
}

STATUSCALLBACK L_GetStatusCallBack(void** userData) {
  if (userData) *userData = gStatus.userData;
  return gStatus.callback;
}

int L_EfxPaintBitmap(HDC dc, const ImgBitmap* bitmap, const RECT* destination, int effect, int grain, int delay) {
  if (!dc || !bitmap || !bitmap->dib) return kInvalidParameter;
  RECT area = destination ? *destination : RECT{0, 0, bitmap->width, bitmap->height};
  int width = area.right - area.left, height = area.bottom - area.top;
  if (!Raster::SizeAllowed(width, height)) return kInvalidParameter;
  Raster to;
  if (!ToRaster(*bitmap, to)) return kNoMemory;
  if (to.Width() != width || to.Height() != height) {
    Raster sized;
    if (!Resize(to, width, height, kSizeResample, sized)) return kNoMemory;
    to = std::move(sized);
  }
  if (!IsTransitionEffect(effect)) return PaintFrame(dc, area, to) ? kSuccess : kFailure;
  TransitionPace pace;
  pace.step = std::max(1, grain);
  pace.frameMs = DWORD(std::max(0, delay));
  pace.callback = gStatus.callback;
  pace.userData = gStatus.userData;
  return PaintTransition(
      dc, area, to,
      [effect](const Raster& from, const Raster& target, int frame, int frames, Raster& out) {
        return ComposeTransitionFrame(from, target, effect, frame, frames, out);
      },
      pace);
}

namespace imglib {

int PaintTransition(HDC dc, const RECT& area, const Raster& to, const FrameComposer& compose,
                    const TransitionPace& pace) {
  if (!dc || to.Empty() || !compose) return kInvalidParameter;
  if (area.right - area.left != to.Width() || area.bottom - area.top != to.Height()) return kInvalidParameter;
  Raster from, frame;
  if (!ReadArea(dc, area, from)) return kFailure;
  int frames = std::max(1, pace.frames), step = std::max(1, pace.step);
  for (int k = std::min(step, frames);; k = std::min(k + step, frames)) {
    DWORD started = GetTickCount();
    if (!compose(from, to, k, frames, frame) || !PaintFrame(dc, area, frame)) return kFailure;
    GdiFlush();
    if (k >= frames) return kSuccess;
    DWORD spent = GetTickCount() - started;
    if (pace.frameMs > spent) Sleep(pace.frameMs - spent);
    if (pace.callback) {
      int answer = pace.callback(int(int64_t(100) * k / frames), pace.userData);
      if (answer < kSuccess) return answer;
    }
  }
}

bool RasterFromBitmapHandle(HBITMAP bitmap, int width, int height, Raster& out) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
  int ownWidth = info.bmWidth, ownHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  Raster own;
  if (!own.Allocate(ownWidth, ownHeight)) return false;
  BITMAPINFO header = TopDown24(ownWidth, ownHeight);
  win::WindowDC screen(nullptr);
  if (GetDIBits(screen, bitmap, 0, UINT(ownHeight), own.Data(), &header, DIB_RGB_COLORS) != ownHeight) return false;
  if (ownWidth == width && ownHeight == height) {
    out = std::move(own);
    return true;
  }
  return Resize(own, width, height, kSizeResample, out);
}

}  // namespace imglib

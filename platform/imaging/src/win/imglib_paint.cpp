// Imaging bitmaps on device contexts: drawing into them and painting them.
#include <windows.h>

#include "imglib/imglib.h"
#include "win/raii.h"

using namespace imglib;

HDC L_CreateLeadDC(ImgBitmap* bitmap) {
  if (!bitmap || !bitmap->dib) return nullptr;
  win::CompatibleDC dc(nullptr);
  if (!dc) return nullptr;
  // The DIB section stays selected until L_DeleteLeadDC, which deletes the context and
  // with it the selection; the stock bitmap it replaced needs no restoring.
  if (!SelectObject(dc, bitmap->dib)) return nullptr;
  return dc.Release();
}

int L_DeleteLeadDC(HDC dc) {
  if (!dc) return kInvalidParameter;
  GdiFlush();
  return win::DeleteCreatedDC(dc) ? kSuccess : kFailure;
}

HPALETTE L_CreatePaintPalette(HDC dc, const ImgBitmap* bitmap) {
  if (!dc || !bitmap) return nullptr;
  if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return nullptr;  // true colour: none needed
  return CreateHalftonePalette(dc);
}

int L_PaintDC(HDC dc, const ImgBitmap* bitmap, const RECT* source, const RECT* /*sourceClip*/,
              const RECT* destination, const RECT* destinationClip, DWORD rop) {
  if (!dc || !bitmap || !bitmap->dib) return kInvalidParameter;
  RECT src = source ? *source : RECT{0, 0, bitmap->width, bitmap->height};
  RECT dst = destination ? *destination : RECT{0, 0, bitmap->width, bitmap->height};
  // Through a memory context holding the DIB section: its coordinates count from the top
  // left like every other context's, whatever the DIB's row order.
  win::CompatibleDC mem(dc);
  if (!mem) return kNoMemory;
  win::SelectObj selected(mem, bitmap->dib);
  int saved = 0;
  if (destinationClip) {
    saved = SaveDC(dc);
    IntersectClipRect(dc, destinationClip->left, destinationClip->top, destinationClip->right,
                      destinationClip->bottom);
  }
  int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  BOOL ok = StretchBlt(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, mem, src.left, src.top,
                       src.right - src.left, src.bottom - src.top, rop ? rop : SRCCOPY);
  if (oldMode) SetStretchBltMode(dc, oldMode);
  if (saved) RestoreDC(dc, saved);
  return ok ? kSuccess : kFailure;
}

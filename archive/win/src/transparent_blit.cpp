#include "grilton/transparent_blit.h"

#include "skin/sk_draw.h"
#include "win/raii.h"

extern "C" int __stdcall DIAPOTRANSBLT(HDC destination, int x, int y, int width, int height, HDC source,
                                       int sourceX, int sourceY, int32_t transparent) {
  if (!destination || !source || width <= 0 || height <= 0) return 0;
  COLORREF key = transparent < 0 ? GetPixel(source, sourceX, sourceY) : COLORREF(transparent);
  // The mask: 1 where the source has the transparent colour.
  win::CompatibleDC maskDC(destination), inverseDC(destination), workDC(destination), sourceCopy(destination);
  win::Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  win::Bitmap inverse(CreateBitmap(width, height, 1, 1, nullptr));
  win::Bitmap work(CreateCompatibleBitmap(destination, width, height));
  win::Bitmap copy(CreateCompatibleBitmap(destination, width, height));
  if (!maskDC || !inverseDC || !workDC || !sourceCopy || !mask || !inverse || !work || !copy) return 0;
  win::SelectObj m(maskDC, mask.Get()), i(inverseDC, inverse.Get()), w(workDC, work.Get()), c(sourceCopy, copy.Get());
  COLORREF oldBack = SetBkColor(source, key);
  BitBlt(maskDC, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
  SetBkColor(source, oldBack);
  BitBlt(inverseDC, 0, 0, width, height, maskDC, 0, 0, NOTSRCCOPY);
  // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour.
  SetBkColor(workDC, RGB(255, 255, 255));
  SetTextColor(workDC, RGB(0, 0, 0));
  SetBkColor(sourceCopy, RGB(255, 255, 255));
  SetTextColor(sourceCopy, RGB(0, 0, 0));
  // The destination where the source is transparent, black elsewhere.
  BitBlt(workDC, 0, 0, width, height, destination, x, y, SRCCOPY);
  BitBlt(workDC, 0, 0, width, height, maskDC, 0, 0, SRCAND);
  // The source where it is not transparent, black elsewhere.
  BitBlt(sourceCopy, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
  BitBlt(sourceCopy, 0, 0, width, height, inverseDC, 0, 0, SRCAND);
  BitBlt(workDC, 0, 0, width, height, sourceCopy, 0, 0, SRCINVERT);
  BitBlt(destination, x, y, width, height, workDC, 0, 0, SRCCOPY);
  return 1;
}

namespace grilton {

void StretchToDC(HDC dc, HBITMAP bitmap, int width, int height) {
  int w = 0, h = 0;
  if (!dc || !bitmap || !SKGETPIXMAPSIZE(bitmap, w, h)) return;
  win::CompatibleDC source(dc);
  win::SelectObj select(source, bitmap);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 0, 0, width, height, source, 0, 0, w, h, SRCCOPY);
}

}  // namespace grilton

// The engine's drawing helpers.
#include <windows.h>

#include <map>

#include "engine_internal.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"

namespace {

std::map<HWND, win::MemoryDC>& WindowBitmaps() {
  static std::map<HWND, win::MemoryDC> bitmaps;
  return bitmaps;
}

std::map<HDC, win::MemoryDC>& OffscreenBuffers() {
  static std::map<HDC, win::MemoryDC> buffers;
  return buffers;
}

}  // namespace

void SKFILLRECT(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  RECT r{x, y, x + width, y + height};
  COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

HBITMAP SKCTLBACK() {
  // The picture element 1 of the skin is its control background tile.
  static std::string loadedFrom;
  static win::Bitmap tile;
  const SkinTheme& t = SkinCurrent();
  auto it = t.pictures.find(1);
  std::string file = it == t.pictures.end() ? std::string() : it->second;
  if (file != loadedFrom) {
    tile.Reset(file.empty() ? nullptr
                            : static_cast<HBITMAP>(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    loadedFrom = file;
  }
  return tile.Get();
}

void SKTILEBLT(HDC dc, int x, int y, int width, int height, HBITMAP tile) {
  BITMAP bm{};
  if (!tile || !GetObjectA(tile, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    SKFILLRECT(dc, x, y, width, height, SKGETSYSCOLOR(kSkinWindowBack));
    return;
  }
  win::CompatibleDC src(dc);
  win::SelectObj selected(src, tile);
  for (int ty = y; ty < y + height; ty += bm.bmHeight) {
    for (int tx = x; tx < x + width; tx += bm.bmWidth) {
      BitBlt(dc, tx, ty, std::min(int(bm.bmWidth), x + width - tx), std::min(int(bm.bmHeight), y + height - ty), src,
             0, 0, SRCCOPY);
    }
  }
}

void SKHORZTILE(HDC dc, int x, int y, int width, HBITMAP tile) {
  BITMAP bm{};
  if (!tile || !GetObjectA(tile, sizeof bm, &bm) || bm.bmHeight <= 0) return;
  SKTILEBLT(dc, x, y, width, bm.bmHeight, tile);
}

void SKTRANSBLT(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                COLORREF transparent) {
  if (width <= 0 || height <= 0) return;
  // A monochrome mask of the transparent pixels, then the classic AND/OR blit.
  win::CompatibleDC maskDc(dc);
  win::Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  win::SelectObj maskSelected(maskDc, mask.Get());
  COLORREF oldBack = SetBkColor(source, transparent);
  BitBlt(maskDc, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
  SetBkColor(source, oldBack);
  // The picture with its transparent pixels made black.
  win::MemoryDC pic(dc, width, height);
  BitBlt(pic, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
  COLORREF bk = SetBkColor(pic, RGB(0, 0, 0));
  COLORREF fg = SetTextColor(pic, RGB(255, 255, 255));
  BitBlt(pic, 0, 0, width, height, maskDc, 0, 0, SRCAND);
  SetBkColor(pic, bk);
  SetTextColor(pic, fg);
  // The target with holes where the picture is opaque.
  COLORREF tbk = SetBkColor(dc, RGB(255, 255, 255));
  COLORREF tfg = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, width, height, maskDc, 0, 0, SRCAND);
  SetBkColor(dc, tbk);
  SetTextColor(dc, tfg);
  BitBlt(dc, x, y, width, height, pic, 0, 0, SRCPAINT);
}

void SKDRAWRECT3D(HDC dc, int left, int top, int right, int bottom, COLORREF topLeft, COLORREF bottomRight) {
  win::Pen a(CreatePen(PS_SOLID, 1, topLeft));
  win::Pen b(CreatePen(PS_SOLID, 1, bottomRight));
  HGDIOBJ old = SelectObject(dc, a.Get());
  MoveToEx(dc, left, bottom, nullptr);
  LineTo(dc, left, top);
  LineTo(dc, right, top);
  SelectObject(dc, b.Get());
  LineTo(dc, right, bottom);
  LineTo(dc, left, bottom);
  SelectObject(dc, old);
}

void SKPRINT3DU(HDC dc, int x, int y, const std::string& text, COLORREF textColour, COLORREF shadow, HFONT font) {
  win::SelectObj sel(dc, font ? font : SKDEFAULTFONT());
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old = SetTextColor(dc, shadow);
  TextOutA(dc, x + 1, y + 1, text.data(), int(text.size()));
  SetTextColor(dc, textColour);
  TextOutA(dc, x, y, text.data(), int(text.size()));
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

void SKPRINT(HDC dc, int x, int y, const std::string& text, COLORREF colour, HFONT font, int transparent) {
  win::SelectObj sel(dc, font ? font : SKDEFAULTFONT());
  int mode = SetBkMode(dc, transparent ? TRANSPARENT : OPAQUE);
  COLORREF old = SetTextColor(dc, colour);
  TextOutA(dc, x, y, text.data(), int(text.size()));
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

void SKLINE(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
  win::Pen pen(CreatePen(PS_SOLID, width < 1 ? 1 : width, colour));
  win::SelectObj sel(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  // LineTo leaves out the last point.
  if (width <= 1) SetPixelV(dc, x2, y2, colour);
}

void SkPrintOutlined(HDC dc, int x, int y, const std::string& text, COLORREF colour, COLORREF outline, HFONT font) {
  static constexpr POINT kOutline[5] = {{1, 0}, {0, 1}, {2, 1}, {1, 2}, {2, 2}};
  for (const POINT& p : kOutline) SKPRINT(dc, x + p.x, y + p.y, text, outline, font);
  SKPRINT(dc, x + 1, y + 1, text, colour, font);
}

void SKDRAWEDGE(HDC dc, int left, int top, int right, int bottom, int edge) {
  RECT r{left, top, right, bottom};
  DrawEdge(dc, &r, UINT(edge), BF_RECT);
}

void SKGETTEXTEXTENT(HFONT font, const std::string& text, int& width, int& height) {
  win::WindowDC screen(nullptr);
  win::SelectObj selected(screen, font ? font : SKDEFAULTFONT());
  SIZE s{};
  GetTextExtentPoint32A(screen, text.data(), int(text.size()), &s);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  width = s.cx;
  height = text.empty() ? tm.tmHeight : std::max(int(s.cy), int(tm.tmHeight));
}

void SKSPACECHARTOPIXEL(HFONT font, int& spaceWidth, int& charHeight) { SKGETTEXTEXTENT(font, " ", spaceWidth, charHeight); }

HFONT SKMARLETT(int size) {
  static std::map<int, HFONT> fonts;
  auto it = fonts.find(size);
  if (it != fonts.end()) return it->second;
  HFONT f = CreateFontA(-size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
  fonts[size] = f;
  return f;
}

HDC SKOFFSCREEN(HDC target, int width, int height, int flush) {
  auto& buffers = OffscreenBuffers();
  auto it = buffers.find(target);
  if (flush) {
    if (it == buffers.end()) return nullptr;
    BitBlt(target, 0, 0, it->second.Width(), it->second.Height(), it->second, 0, 0, SRCCOPY);
    buffers.erase(it);
    return nullptr;
  }
  win::MemoryDC m(target, width, height);
  if (!m) {
    buffers.erase(target);
    return nullptr;
  }
  HDC buffer = m.Get();
  buffers[target] = std::move(m);
  return buffer;
}

HDC SKCREATEMEMBMP(HWND owner, int width, int height) {
  SKDELETEMEMBMP(owner);
  win::MemoryDC m(win::WindowDC(nullptr), width, height);
  if (!m) return nullptr;
  HDC memory = m.Get();
  WindowBitmaps()[owner] = std::move(m);
  return memory;
}

HDC SKGETHDCMEMBMP(HWND owner) {
  auto it = WindowBitmaps().find(owner);
  return it == WindowBitmaps().end() ? nullptr : it->second.Get();
}

void SKDELETEMEMBMP(HWND owner) {
  WindowBitmaps().erase(owner);
}

void SKCURSORWAIT() { SetCursor(LoadCursor(nullptr, IDC_WAIT)); }
void SKCURSORSTD() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }

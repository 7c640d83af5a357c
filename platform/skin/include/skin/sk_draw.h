// The skin engine's drawing helpers: fills, tiles, 3-D frames, raised text, transparent
// copies, off-screen buffers and per-window memory bitmaps; device contexts, bitmap files
// and regions made from bitmaps.
#pragma once
#include <windows.h>

#include <string>

#include "win/raii.h"

void SKFILLRECT(HDC dc, int x, int y, int width, int height, COLORREF colour);
// The skin's control background picture (null when the skin has none; tiles then fill
// with the window background colour).
HBITMAP SKCTLBACK();
// Tiles a bitmap over a rectangle (fills with skin colour 105 when tile is null).
void SKTILEBLT(HDC dc, int x, int y, int width, int height, HBITMAP tile);
// Tiles a bitmap across a band as high as the bitmap, width pixels from x (the film
// perforation of the picture strips).
void SKHORZTILE(HDC dc, int x, int y, int width, HBITMAP tile);
// Copies a picture leaving out the pixels of the transparent colour.
void SKTRANSBLT(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                COLORREF transparent);
// A 3-D rectangle: top and left lines in one colour, bottom and right in the other.
void SKDRAWRECT3D(HDC dc, int left, int top, int right, int bottom, COLORREF topLeft, COLORREF bottomRight);
// Raised text: the shadow one pixel down and right, then the text; transparent background.
void SKPRINT3DU(HDC dc, int x, int y, const std::string& text, COLORREF textColour, COLORREF shadow, HFONT font);
// Text in one colour at (x, y) in a font (null: the default font), on a transparent
// background when transparent is not 0, else on the context's background colour.
void SKPRINT(HDC dc, int x, int y, const std::string& text, COLORREF colour, HFONT font, int transparent = 1);
// A solid line from (x1, y1) to (x2, y2) of a width and colour, both end points drawn.
void SKLINE(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width);
// Outlined text as the picture strips and shows print numbers and names: five passes in the
// outline colour at (x+1, y), (x, y+1), (x+2, y+1), (x+1, y+2) and (x+2, y+2), then the text
// at (x+1, y+1).
void SkPrintOutlined(HDC dc, int x, int y, const std::string& text, COLORREF colour, COLORREF outline, HFONT font);
// A 3-D edge around a rectangle; edge is DrawEdge's kind (5 raised, 10 sunken).
void SKDRAWEDGE(HDC dc, int left, int top, int right, int bottom, int edge);
// Size of a text in a font.
void SKGETTEXTEXTENT(HFONT font, const std::string& text, int& width, int& height);
// Width of a blank and height of a character in a font.
void SKSPACECHARTOPIXEL(HFONT font, int& spaceWidth, int& charHeight);
// The Marlett symbol font at a pixel height (owned by the engine).
HFONT SKMARLETT(int size);
// An off-screen buffer for a target context: flush 0 starts it and returns the buffer's
// context (width x height); flush 1 copies it to the target and frees it (returns null).
HDC SKOFFSCREEN(HDC target, int width, int height, int flush);
// One memory bitmap per window, kept by the engine: create (replacing an old one), get its
// context, delete. The context of a missing bitmap is null.
HDC SKCREATEMEMBMP(HWND owner, int width, int height);
HDC SKGETHDCMEMBMP(HWND owner);
void SKDELETEMEMBMP(HWND owner);
// Deletes a GDI object and clears the handle.
template <typename T>
void SKDELETEOBJECT(T& object) {
  win::ClearGdiObject(object);
}
// A window's client-area device context; for a null window, the display's. Release it
// with SKRELEASEDC.
HDC SKGETDC(HWND window);
int SKRELEASEDC(HWND window, HDC dc);
// The engine's display device context of the calling thread: made on first use, kept for
// the thread's life and owned by the engine (never released by callers). Cheaper than
// taking the screen's context for every bitmap made compatible with the display.
HDC SKDISPLAYDC();
// Deletes a GDI bitmap; not 0 on success (0 also for a null bitmap).
int SKDELETEBITMAP(HBITMAP bitmap);
// The size of a bitmap; 1 when it could be read, else 0 with width and height 0.
int SKGETPIXMAPSIZE(HBITMAP bitmap, int& width, int& height);
// Makes a window layered and see-through: alpha 0 (invisible) to 255 (opaque). 1 on success.
int SKSETLAYEREDALPHA(HWND window, int alpha);
// Loads a Windows bitmap file as a GDI bitmap (a DIB section) and gives its size; null
// when the file is missing or no bitmap.
HBITMAP SKLOADBITMAPFILE(const std::string& path, int& width, int& height);
// Writes a rectangle of a device context as a 24-bit BMP file, beside the old file and then
// in its place; 0 on success, else a Windows error number.
int SKSAVETOBMPFILE(HDC dc, int x, int y, int width, int height, const std::string& path);
// The region of a bitmap's pixels that are not the transparent colour (null when every
// pixel is transparent or the bitmap cannot be read). The caller deletes it.
HRGN SKBMPTORGN(HBITMAP bitmap, COLORREF transparent);
// The wait cursor and the standard arrow.
void SKCURSORWAIT();
void SKCURSORSTD();

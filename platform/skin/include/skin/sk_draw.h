// The skin engine's drawing helpers: fills, tiles, 3-D frames, raised text, transparent
// copies, off-screen buffers and per-window memory bitmaps.
#pragma once
#include <windows.h>

#include <string>

void SKFILLRECT(HDC dc, int x, int y, int width, int height, COLORREF colour);
// The skin's control background picture (null when the skin has none; tiles then fill
// with the window background colour).
HBITMAP SKCTLBACK();
// Tiles a bitmap over a rectangle (fills with skin colour 105 when tile is null).
void SKTILEBLT(HDC dc, int x, int y, int width, int height, HBITMAP tile);
// Copies a picture leaving out the pixels of the transparent colour.
void SKTRANSBLT(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                COLORREF transparent);
// A 3-D rectangle: top and left lines in one colour, bottom and right in the other.
void SKDRAWRECT3D(HDC dc, int left, int top, int right, int bottom, COLORREF topLeft, COLORREF bottomRight);
// Raised text: the shadow one pixel down and right, then the text; transparent background.
void SKPRINT3DU(HDC dc, int x, int y, const std::string& text, COLORREF textColour, COLORREF shadow, HFONT font);
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
  if (object) DeleteObject(object);
  object = nullptr;
}
// The wait cursor and the standard arrow.
void SKCURSORWAIT();
void SKCURSORSTD();

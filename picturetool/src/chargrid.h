// The character grid "qCharGrid" (CHARGRIDPROC) of the text box: the characters 32 to 255
// in cells; arrow keys and typing move the current cell, holding the left button shows it
// enlarged in "qCharViewer", Enter or a double click inserts it into the text field.
// Windows only.
#pragma once
#include <windows.h>

#include <string>

#include "bravik/font_box_layout.h"

namespace bravik {

inline constexpr const char* kCharGridClass = "qCharGrid";
inline constexpr const char* kCharViewerClass = "qCharViewer";

// Makes the grid of the shape (its cells and columns) sending its characters to target.
HWND CreateCharGrid(HWND parent, int x, int y, const CharGridShape& shape, int id, HWND target);
// The grid's characters are drawn in this family from now on.
void SetCharGridFont(HWND grid, const std::string& family);
// The grid's current character (32 to 255).
int CharGridCurrent(HWND grid);
LRESULT CALLBACK CHARGRIDPROC(HWND grid, UINT message, WPARAM wParam, LPARAM lParam);
// Paints the cells into a device context.
void DRAWGLYPHS(HWND grid, HDC dc);
// A frame of pen width pixels around a rectangle.
void PENRECT(HDC dc, const RECT& r, int width, COLORREF colour);
// Places a child (the viewer) beside a rectangle of its parent, kept inside the parent.
void MOVECHILD(HWND child, const RECT& beside);
// A label: a static window with a 3D frame and centred text.
HWND LABELPROC(HWND parent, const std::string& text, int x, int y, int width, int height, int id);

}  // namespace bravik

// What the picture tool's modal boxes share: the skinned popup frame of a client size,
// centred on the main window; the modal loop; a picture in memory painted into a window.
// Windows only.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "imglib/raster.h"

namespace bravik {

// Registers the class once and makes a skinned popup box of the client size (the skin's
// caption and borders around it), owned by the main window and centred on it (hidden
// until RunBox shows it). Null on failure.
HWND MakeBox(const char* className, WNDPROC procedure, const std::string& title, int clientWidth, int clientHeight);
// Runs the box modally until done() (or until it is gone); finish(0) when it ends otherwise.
void RunBox(HWND box, HWND focus, const std::function<bool()>& done, const std::function<void(int)>& finish);
// A static label in the default font.
HWND BoxLabel(HWND box, const std::string& text, int x, int y, int width, int height, int id = 0);
// Paints a picture centred in a window's client area over a background colour.
void PaintPicture(HDC dc, const RECT& area, const imglib::Raster& picture, COLORREF background);
// The decimal number in a control's text (the sign counts; 0 for none).
int ControlNumber(HWND control);
void SetControlNumber(HWND control, int value);

}  // namespace bravik

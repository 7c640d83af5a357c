// Skin engine services that the picture tool brought: image buttons, track bars, the
// printer, bitmap files and regions from bitmaps. Windows only.
#pragma once
#include <windows.h>

#include <string>

// A push button that shows a bitmap resource of the program (magenta, RGB 255, 0, 255, is
// transparent) on the skin's button face. Answers WM_COMMAND BN_CLICKED like a button.
HWND SKBUTIMAGE(HWND parent, const std::string& bitmapName, int x, int y, int width, int height, int id);
// A horizontal track bar with the skin's colours, range minimum..maximum. It reports to
// its parent with WM_HSCROLL, as every track bar does.
HWND SKTRACKBAR(HWND parent, int x, int y, int width, int height, int id, int minimum, int maximum);

// The default printer's name, driver and port; 0 on success, else a Windows error number
// (2 when there is no default printer).
int SKGETDEFAULTPRINTER(std::string& name, std::string& driver, std::string& port);
// The system's print dialog; returns the chosen printer's device context (the caller
// deletes it) or null when the user cancelled or no printer exists.
HDC SKPRINTDLG(HWND owner);

// Writes a rectangle of a device context as a 24-bit BMP file, beside the old file and then
// in its place; 0 on success, else a Windows error number.
int SKSAVETOBMPFILE(HDC dc, int x, int y, int width, int height, const std::string& path);
// The region of a bitmap's pixels that are not the transparent colour (null when every
// pixel is transparent or the bitmap cannot be read). The caller deletes it.
HRGN SKBMPTORGN(HBITMAP bitmap, COLORREF transparent);

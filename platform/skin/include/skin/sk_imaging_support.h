// Device contexts and GDI bitmaps through the skin engine, as the picture loader and the
// GDI+ helpers use them. Windows only.
#pragma once
#include <windows.h>

#include <string>

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
// Loads a Windows bitmap file as a GDI bitmap (a DIB section) and gives its size; null
// when the file is missing or no bitmap.
HBITMAP SKLOADBITMAPFILE(const std::string& path, int& width, int& height);

// The imaging layer's calls on devices: the clipboard, screen capture and printing of an
// imaging bitmap. Every call answers imglib::kSuccess (1) or a negative imglib::Status,
// except L_ClipboardReady. Windows only.
#pragma once
#include <windows.h>

#include "imglib/imglib.h"

// 1 when the clipboard holds a picture (a device-independent or a device bitmap), else 0.
int L_ClipboardReady();
// Puts a copy of the bitmap on the clipboard as a 24-bit device-independent bitmap; the
// clipboard's previous content goes.
int L_CopyToClipboard(HWND owner, const ImgBitmap* bitmap);
// Reads the clipboard's picture into a new 24-bit bitmap (the old one is freed).
// kFailure when the clipboard holds no picture.
int L_CopyFromClipboard(HWND owner, ImgBitmap* bitmap);

// Reads a packed device-independent bitmap (header, colour table or masks, pixels: the
// clipboard's and a scanner's form) into a new 24-bit bitmap (the old one is freed).
int L_BitmapFromPackedDib(const void* data, size_t size, ImgBitmap* bitmap);

// The whole screen (the virtual screen of every monitor).
int L_ScreenCaptureBitmap(ImgBitmap* bitmap);
// The active (foreground) window with its frame; kFailure when there is none.
int L_CaptureActiveWindow(ImgBitmap* bitmap);
// Lets the user click a window on the screen (with the cursor given; null: a cross) and
// captures it. Escape or the right button cancels (kFailure), and so does a wait longer
// than timeoutMs (0: no limit).
int L_CaptureSelectedObject(ImgBitmap* bitmap, HCURSOR cursor, DWORD timeoutMs);

// Prints the bitmap stretched over (x, y, width, height) of a printer's device context,
// inside the caller's StartPage and EndPage.
int L_PrintBitmapExt(HDC dc, const ImgBitmap* bitmap, int x, int y, int width, int height);

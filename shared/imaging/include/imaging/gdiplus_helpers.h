// GDI+ helpers every drawing program links: start and stop, codecs by MIME type, saving
// by extension, drawing wrappers (each makes its graphics object and whatever else it
// needs inside the call and deletes them before it returns), memory device contexts and
// three shell services. Colours are ARGB (picture_tables.h builds them). The drawing
// wrappers answer the GDI+ status of their last call, -1 without a device context.
// Windows only.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/gdiplus_types.h"
#include "imaging/picture_tables.h"

// ---- start, codecs, saving ------------------------------------------------------------------
// Starts GDI+ (version 1, no debug callback, with its background thread); 0 on failure.
// Code that owns a session for a scope holds a win::GdiplusSession (win/gdiplus_session.h).
ULONG_PTR GDIPSTART();
void GDIPSTOP(ULONG_PTR token);
// The 1-based number of the first encoder (decoder) whose MIME type equals the text
// exactly (case matters); clsid receives its class. 0 when none does, -1 when GDI+
// lists none.
int GETENCODERCLSID(const std::string& mimeType, CLSID& clsid);
int GETDECODERCLSID(const std::string& mimeType, CLSID& clsid);
std::string WIDETOANSI(const wchar_t* text);
// GDI+ encoder parameter categories: 0 compression, 1 colour depth, 2 scan method,
// 3 version, 4 render method, 5 quality, 6 transformation, 7 luminance table,
// 8 chrominance table, 9 save flag. Another number gives the null GUID.
void ENCODERPARAMGUID(int category, GUID& guid);
// Frame dimensions: 0 time, 1 resolution, 2 page.
void FRAMEDIMENSIONGUID(int dimension, GUID& guid);
// Saves under the encoder that the path's extension names: the GDI+ status; -1 for an
// empty path; 0 without saving when the path has no "." or its extension is not a GDI+
// picture (or DIB); kGdiplusNoEncoder when GDI+ has no encoder for it (EMF, WMF, ICO).
constexpr int kGdiplusNoEncoder = 13;  // GDI+'s UnknownImageFormat
int SAVEIMAGEBYEXT(const std::string& path, Gdiplus::GpImage* image);

// ---- drawing wrappers -------------------------------------------------------------------------
int DRAWELLIPSEPEN(HDC dc, Gdiplus::GpPen* pen, int x, int y, int width, int height);
int DRAWLINEPEN(HDC dc, Gdiplus::GpPen* pen, int x1, int y1, int x2, int y2);
int DRAWSTRINGBRUSH(HDC dc, const std::string& text, Gdiplus::GpFont* font, float x, float y, float width,
                    float height, Gdiplus::GpBrush* brush);
// With the rendering hint: when depth d is not 0 the text first in black at alpha 128 at
// (x + d, y + |d|), then in the colour at (x, y); unbounded layout, no string format.
int DRAWSHADOWTEXT(HDC dc, const std::string& text, int x, int y, uint32_t colour, int renderingHint,
                   Gdiplus::GpFont* font, int depth);
int DRAWTEXTBOX(HDC dc, const std::string& text, int x, int y, int width, int height, uint32_t colour,
                int renderingHint, Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format);
// One rectangle outline with a pen of the width (unit pixel). The pen slot's value on
// entry is not used; it is null afterwards (the pen lives only inside the call).
int DRAWRECTFRAME(HDC dc, Gdiplus::GpPen*& penSlot, int x, int y, int width, int height, uint32_t colour,
                  int penWidth);
int FILLRECTSOLID(HDC dc, int x, int y, int width, int height, uint32_t colour);
int FILLELLIPSESOLID(HDC dc, int x, int y, int width, int height, uint32_t colour);
int FILLPIESOLID(HDC dc, int x, int y, int width, int height, uint32_t colour, float startAngle, float sweepAngle);
int FILLELLIPSEHATCH(HDC dc, int x, int y, int width, int height, uint32_t foreColour, uint32_t backColour,
                     int hatchStyle);
int FILLPIEHATCH(HDC dc, int x, int y, int width, int height, uint32_t foreColour, uint32_t backColour,
                 int hatchStyle, float startAngle, float sweepAngle);
int FILLRECTBRUSH(HDC dc, Gdiplus::GpBrush* brush, float x, float y, float width, float height);
int FILLELLIPSEBRUSH(HDC dc, Gdiplus::GpBrush* brush, float x, float y, float width, float height);
int DRAWIMAGEAT(HDC dc, Gdiplus::GpImage* image, int x, int y);
// The image in the rectangle after the world transform is rotated by the angle (degrees)
// in the matrix order (0 prepend, 1 append).
int DRAWIMAGEROTATED(HDC dc, Gdiplus::GpImage* image, int x, int y, int width, int height, float angle,
                     int matrixOrder);
// The source part of the image into the destination (unit pixel) with an interpolation
// mode; the attributes (may be null) are disposed afterwards and set to null.
int DRAWIMAGEPART(HDC dc, Gdiplus::GpImage* image, const RECT& destination, const RECT& source, int interpolation,
                  Gdiplus::GpImageAttributes*& attributes);
// Image attributes with the identity colour matrix whose alpha factor is alpha / 255.
int ALPHAATTRIBUTES(int alpha, Gdiplus::GpImageAttributes*& attributes);
// A GDI+ bitmap of a GDI bitmap (no palette); null on failure.
Gdiplus::GpBitmap* BITMAPFROMHBITMAP(HBITMAP bitmap);
// A new bitmap compatible with the context holding a copy of the rectangle.
HBITMAP DCTOBITMAP(HDC dc, int x, int y, int width, int height);

// ---- memory device contexts -----------------------------------------------------------------
// windowOrContext is a window when contextGiven is 0 (its context comes from the skin
// engine and goes back in DELETEMEMDC), else a device context.
// A memory context compatible with the context, with the bitmap selected. A raster
// operation of 0 becomes SRCCOPY. Returns -1 when the context was given, 1 when the
// window's was taken, 0 on failure.
int CREATEMEMDC(void* windowOrContext, HDC& context, HBITMAP bitmap, HDC& memoryContext, DWORD& rasterOperation,
                int contextGiven);
void DELETEMEMDC(int contextGiven, HWND window, HDC context, HDC memoryContext);
// Copies the bitmap's top-left width x height pixels to (x, y) of the window's (or the
// given) context; unless keep is not 0 the bitmap is then deleted and the caller's
// variable set to null. Nothing happens for a null bitmap.
void BLITANDFREE(void* windowOrContext, HBITMAP& bitmap, int x, int y, int width, int height, DWORD rasterOperation,
                 int keep, int contextGiven);

// ---- shell services ---------------------------------------------------------------------------
// Appends the icon to the image list; the new index or -1.
int IMAGELISTADDICON(HIMAGELIST imageList, HICON icon);
// Deletes to the recycle bin: 2 when the file does not exist (no shell call), otherwise the
// shell's result (0 on success); silent unless confirm is not 0.
int RECYCLEFILE(const std::string& path, int confirm);
// The same for several files in one shell call (restored from the bin together); the
// missing ones are left out, 2 when none exists.
int RECYCLEFILES(const std::vector<std::string>& paths, int confirm);
// Registers a file type from "extension,type name,command,description" under
// HKEY_CLASSES_ROOT: the extension's default value is the type name, the type's the
// description, and its "shell\open\command" the command followed by " %1". 0 on success,
// the failing registry call's error, or ERROR_INVALID_PARAMETER for a text that does
// not hold exactly four fields (nothing is written).
int REGISTERFILETYPE(const std::string& entry);

// The imaging layer's calls as the programs make them: load any picture of the suite's
// picture list into a 24-bit bitmap, read a file's information, resample, flip, mirror,
// rotate, paint into a device context, save by format number to a file or to memory.
// Every call answers imglib::kSuccess (1) or a negative imglib::Status. Windows only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "imglib/raster.h"
#include "imglib/status.h"

// An imaging bitmap. Its pixels are 24 bits deep in a DIB section (rows from the top,
// `stride` bytes each), so that a device context can draw into it while the layer reads
// it. Zero-initialise it; L_FreeBitmap releases it.
struct ImgBitmap {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;    // the depth the picture is treated as (from its file or the call)
  int colours = 0;         // colours of that depth (2^bits, 16777216 from 24 bits on)
  int format = 0;          // the file format it was loaded from
  HBITMAP dib = nullptr;
  uint8_t* bits = nullptr;
  int stride = 0;
};

// What a file says about its picture.
struct ImgFileInfo {
  int format = 0;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int colours = 0;
  int xDpi = 0;
  int yDpi = 0;
  int pages = 0;
  int64_t fileSize = 0;
};

// Loads a picture. bitsPerPixel: 0 keeps the file's depth, 24 loads as 24 bits, 1 to 8
// reduce the colours to that many bits. info (optional) receives the file's information.
int L_LoadBitmap(const std::string& path, ImgBitmap* bitmap, int bitsPerPixel, ImgFileInfo* info = nullptr);
// Loads a picture for a thumbnail: the result may be smaller than the picture (a JPEG is
// decoded at 1/2, 1/4 or 1/8 of its size, or from its embedded thumbnail) but still
// covers the picture's size fitted into boxWidth x boxHeight (aspect kept, never
// enlarged). info gets the full size.
int L_LoadBitmapReduced(const std::string& path, ImgBitmap* bitmap, int boxWidth, int boxHeight,
                        ImgFileInfo* info = nullptr);
// The same, resampled to exactly that fitted size.
int L_LoadBitmapFitted(const std::string& path, ImgBitmap* bitmap, int boxWidth, int boxHeight,
                       ImgFileInfo* info = nullptr);
int L_FileInfo(const std::string& path, ImgFileInfo* info);

// A new black bitmap.
int L_CreateBitmap(ImgBitmap* bitmap, int width, int height, int bitsPerPixel);
int L_FreeBitmap(ImgBitmap* bitmap);
int L_CopyBitmap(ImgBitmap* target, const ImgBitmap* source);
// Number of different colours in the bitmap.
int L_GetBitmapColorCount(const ImgBitmap* bitmap, int* count);

// Resamples to another size: flags imglib::kSizeResample or kSizeNearest.
int L_SizeBitmap(ImgBitmap* bitmap, int width, int height, int flags);
// Top to bottom.
int L_FlipBitmap(ImgBitmap* bitmap);
// Left to right.
int L_ReverseBitmap(ImgBitmap* bitmap);
// Rotates by hundredths of a degree, clockwise for positive angles; flags
// imglib::kRotateResize grows the canvas; uncovered pixels get the fill colour.
int L_RotateBitmap(ImgBitmap* bitmap, int hundredthsOfDegree, int flags, COLORREF fill);

// A memory device context that draws into the bitmap's pixels; L_DeleteLeadDC ends it.
HDC L_CreateLeadDC(ImgBitmap* bitmap);
int L_DeleteLeadDC(HDC dc);
// The palette to select before painting on a palette display; null on true-colour ones.
HPALETTE L_CreatePaintPalette(HDC dc, const ImgBitmap* bitmap);
// Paints the source rectangle of the bitmap (all of it for null) stretched over the
// destination rectangle (the bitmap's size at 0,0 for null), clipped to destinationClip
// when given. rop: a raster operation such as SRCCOPY.
int L_PaintDC(HDC dc, const ImgBitmap* bitmap, const RECT* source, const RECT* sourceClip, const RECT* destination,
              const RECT* destinationClip, DWORD rop);

// Saves in a format (imglib::Format) at a depth with a quality factor (JPEG: 2 finest,
// larger compresses more). An existing file is replaced only after the new one is
// complete. kUnsupported for formats the layer cannot write.
int L_SaveBitmap(const std::string& path, const ImgBitmap* bitmap, int format, int bitsPerPixel, int qualityFactor,
                 int flags = 0);
// The same into a movable global memory block (the caller frees it); size gets its length.
int L_SaveBitmapMemory(HGLOBAL* memory, const ImgBitmap* bitmap, int format, int bitsPerPixel, int qualityFactor,
                       uint32_t* size);
// Loads source, resizes it to width x height (0 keeps the size) and saves it as target.
int L_FileConvert(const std::string& source, const std::string& target, int format, int width, int height,
                  int bitsPerPixel, int qualityFactor, ImgFileInfo* info = nullptr);

namespace imglib {

// Copies between bitmaps and pictures in memory.
bool ToRaster(const ImgBitmap& bitmap, Raster& out);
int FromRaster(const Raster& pixels, ImgBitmap* bitmap);

// Frees a bitmap when it goes out of scope.
class BitmapOwner {
 public:
  BitmapOwner() = default;
  ~BitmapOwner() { L_FreeBitmap(&bitmap_); }
  BitmapOwner(const BitmapOwner&) = delete;
  BitmapOwner& operator=(const BitmapOwner&) = delete;
  ImgBitmap* operator->() { return &bitmap_; }
  ImgBitmap* Get() { return &bitmap_; }
  ImgBitmap& operator*() { return bitmap_; }

 private:
  ImgBitmap bitmap_{};
};

}  // namespace imglib

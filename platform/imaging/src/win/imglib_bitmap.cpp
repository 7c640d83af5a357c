// Imaging bitmaps: creation in a DIB section, copies, resampling, flips and rotations.
#include <cstring>
#include <utility>
#include <vector>

#include "imglib/codecs.h"
#include "imglib/imglib.h"
#include "imglib/transforms.h"
#include "win/raii.h"

using namespace imglib;

namespace {

bool Valid(const ImgBitmap* b) { return b && b->dib && b->bits && b->width > 0 && b->height > 0; }

}  // namespace

int L_CreateBitmap(ImgBitmap* bitmap, int width, int height, int bitsPerPixel) {
  if (!bitmap) return kInvalidParameter;
  *bitmap = ImgBitmap{};
  if (!Raster::SizeAllowed(width, height)) return kInvalidParameter;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;  // rows from the top
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::Bitmap dib(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return kNoMemory;
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bitsPerPixel = bitsPerPixel > 0 ? bitsPerPixel : 24;
  bitmap->colours = ColoursForDepth(bitmap->bitsPerPixel);
  bitmap->dib = dib.Release();
  bitmap->bits = static_cast<uint8_t*>(bits);
  bitmap->stride = int(Raster::StrideFor(width));
  std::memset(bits, 0, size_t(bitmap->stride) * size_t(height));  // a new bitmap is black
  return kSuccess;
}

int L_FreeBitmap(ImgBitmap* bitmap) {
  if (!bitmap) return kInvalidParameter;
  win::DeleteGdiObject(bitmap->dib);
  *bitmap = ImgBitmap{};
  return kSuccess;
}

namespace imglib {

bool ToRaster(const ImgBitmap& bitmap, Raster& out) {
  if (!Valid(&bitmap) || !out.Allocate(bitmap.width, bitmap.height)) return false;
  GdiFlush();  // drawing through a device context may still be queued
  for (int y = 0; y < bitmap.height; ++y)
    std::memcpy(out.Row(y), bitmap.bits + size_t(y) * size_t(bitmap.stride), size_t(bitmap.width) * 3);
  return true;
}

int FromRaster(const Raster& pixels, ImgBitmap* bitmap) {
  if (!bitmap || pixels.Empty()) return kInvalidParameter;
  ImgBitmap fresh;
  int r = L_CreateBitmap(&fresh, pixels.Width(), pixels.Height(), 24);
  if (r != kSuccess) return r;
  for (int y = 0; y < pixels.Height(); ++y)
    std::memcpy(fresh.bits + size_t(y) * size_t(fresh.stride), pixels.Row(y), size_t(pixels.Width()) * 3);
  // The picture keeps its identity (depth, format) over the change of its pixels.
  if (Valid(bitmap)) {
    fresh.bitsPerPixel = bitmap->bitsPerPixel;
    fresh.colours = bitmap->colours;
    fresh.format = bitmap->format;
    L_FreeBitmap(bitmap);
  }
  *bitmap = fresh;
  return kSuccess;
}

}  // namespace imglib

int L_CopyBitmap(ImgBitmap* target, const ImgBitmap* source) {
  if (!target || !Valid(source)) return kInvalidParameter;
  ImgBitmap fresh;
  int r = L_CreateBitmap(&fresh, source->width, source->height, source->bitsPerPixel);
  if (r != kSuccess) return r;
  GdiFlush();
  std::memcpy(fresh.bits, source->bits, size_t(source->stride) * size_t(source->height));
  fresh.colours = source->colours;
  fresh.format = source->format;
  *target = fresh;
  return kSuccess;
}

int L_GetBitmapColorCount(const ImgBitmap* bitmap, int* count) {
  if (!count || !Valid(bitmap)) return kInvalidParameter;
  Raster r;
  if (!ToRaster(*bitmap, r)) return kNoMemory;
  *count = CountColours(r);
  return kSuccess;
}

int L_SizeBitmap(ImgBitmap* bitmap, int width, int height, int flags) {
  if (!Valid(bitmap) || !Raster::SizeAllowed(width, height)) return kInvalidParameter;
  if (flags != kSizeResample && flags != kSizeNearest) return kInvalidParameter;
  if (width == bitmap->width && height == bitmap->height) return kSuccess;
  Raster source, sized;
  if (!ToRaster(*bitmap, source) || !Resize(source, width, height, flags, sized)) return kNoMemory;
  return FromRaster(sized, bitmap);
}

int L_FlipBitmap(ImgBitmap* bitmap) {
  if (!Valid(bitmap)) return kInvalidParameter;
  GdiFlush();
  std::vector<uint8_t> tmp(size_t(bitmap->stride));
  for (int top = 0, bottom = bitmap->height - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = bitmap->bits + size_t(top) * size_t(bitmap->stride);
    uint8_t* b = bitmap->bits + size_t(bottom) * size_t(bitmap->stride);
    std::memcpy(tmp.data(), a, tmp.size());
    std::memcpy(a, b, tmp.size());
    std::memcpy(b, tmp.data(), tmp.size());
  }
  return kSuccess;
}

int L_ReverseBitmap(ImgBitmap* bitmap) {
  if (!Valid(bitmap)) return kInvalidParameter;
  GdiFlush();
  for (int y = 0; y < bitmap->height; ++y) {
    uint8_t* row = bitmap->bits + size_t(y) * size_t(bitmap->stride);
    for (int l = 0, r = bitmap->width - 1; l < r; ++l, --r)
      for (int c = 0; c < 3; ++c) std::swap(row[l * 3 + c], row[r * 3 + c]);
  }
  return kSuccess;
}

int L_RotateBitmap(ImgBitmap* bitmap, int hundredthsOfDegree, int flags, COLORREF fill) {
  if (!Valid(bitmap)) return kInvalidParameter;
  if (hundredthsOfDegree % 36000 == 0) return kSuccess;
  Raster source, turned;
  if (!ToRaster(*bitmap, source)) return kNoMemory;
  Rgb colour{GetRValue(fill), GetGValue(fill), GetBValue(fill)};
  if (!Rotate(source, hundredthsOfDegree, (flags & kRotateResize) != 0, colour, turned)) return kNoMemory;
  return FromRaster(turned, bitmap);
}

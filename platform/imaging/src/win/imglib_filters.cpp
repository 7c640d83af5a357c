// The filter calls on imaging bitmaps: each copies the pixels out, runs the portable
// filter and puts the result back (the bitmap keeps its depth and format).
#include "imglib/imglib_filters.h"

#include "imglib/filters.h"

using namespace imglib;

namespace {

template <typename Filter>
int Apply(ImgBitmap* bitmap, Filter filter) {
  if (!bitmap || !bitmap->bits) return kInvalidParameter;
  Raster pixels;
  if (!ToRaster(*bitmap, pixels)) return kNoMemory;
  if (!filter(pixels)) return kInvalidParameter;
  return FromRaster(pixels, bitmap);
}

}  // namespace

int L_ChangeBitmapContrast(ImgBitmap* b, int change) {
  return Apply(b, [&](Raster& r) { return ChangeContrast(r, change); });
}
int L_ChangeBitmapIntensity(ImgBitmap* b, int change) {
  return Apply(b, [&](Raster& r) { return ChangeIntensity(r, change); });
}
int L_ChangeBitmapHue(ImgBitmap* b, int angle) { return Apply(b, [&](Raster& r) { return ChangeHue(r, angle); }); }
int L_ChangeBitmapSaturation(ImgBitmap* b, int change) {
  return Apply(b, [&](Raster& r) { return ChangeSaturation(r, change); });
}
int L_GammaCorrectBitmap(ImgBitmap* b, int gamma) { return Apply(b, [&](Raster& r) { return GammaCorrect(r, gamma); }); }
int L_InvertBitmap(ImgBitmap* b) { return Apply(b, [](Raster& r) { return Invert(r); }); }
int L_GrayScaleBitmap(ImgBitmap* b, int bitsPerPixel) {
  if (bitsPerPixel != 8 && bitsPerPixel != 12 && bitsPerPixel != 16) return kInvalidParameter;
  int r = Apply(b, [](Raster& pixels) { return GreyScale(pixels); });
  if (r == kSuccess) {
    b->bitsPerPixel = bitsPerPixel;
    b->colours = ColoursForDepth(bitsPerPixel);
  }
  return r;
}
int L_HistoContrastBitmap(ImgBitmap* b, int change) {
  return Apply(b, [&](Raster& r) { return HistoContrast(r, change); });
}
int L_HistoEqualizeBitmap(ImgBitmap* b) { return Apply(b, [](Raster& r) { return HistoEqualize(r); }); }
int L_StretchBitmapIntensity(ImgBitmap* b) { return Apply(b, [](Raster& r) { return StretchIntensity(r); }); }
int L_SharpenBitmap(ImgBitmap* b, int sharpness) { return Apply(b, [&](Raster& r) { return Sharpen(r, sharpness); }); }
int L_SolarizeBitmap(ImgBitmap* b, int threshold) {
  return Apply(b, [&](Raster& r) { return Solarize(r, threshold); });
}
int L_PosterizeBitmap(ImgBitmap* b, int levels) { return Apply(b, [&](Raster& r) { return Posterize(r, levels); }); }
int L_MosaicBitmap(ImgBitmap* b, int size) { return Apply(b, [&](Raster& r) { return Mosaic(r, size); }); }
int L_AverageFilterBitmap(ImgBitmap* b, int size) {
  return Apply(b, [&](Raster& r) { return AverageFilter(r, size); });
}
int L_MedianFilterBitmap(ImgBitmap* b, int size) { return Apply(b, [&](Raster& r) { return MedianFilter(r, size); }); }
int L_EmbossBitmap(ImgBitmap* b, int direction, int depth) {
  return Apply(b, [&](Raster& r) { return Emboss(r, direction, depth); });
}
int L_OilifyBitmap(ImgBitmap* b, int size) { return Apply(b, [&](Raster& r) { return Oilify(r, size); }); }
int L_AutoTrimBitmap(ImgBitmap* b, int threshold) {
  return Apply(b, [&](Raster& r) { return AutoTrim(r, threshold); });
}
int L_UnderlayBitmap(ImgBitmap* b, const ImgBitmap* underlay, int /*flags*/) {
  if (!underlay || !underlay->bits) return kInvalidParameter;
  Raster under;
  if (!ToRaster(*underlay, under)) return kNoMemory;
  return Apply(b, [&](Raster& r) { return Underlay(r, under); });
}

// The imaging layer's filter calls on imaging bitmaps, over the portable filters of
// imglib/filters.h (which say what each value does). Every call answers imglib::kSuccess
// or a negative imglib::Status: kInvalidParameter for a missing bitmap or a value out of
// range. Windows only.
#pragma once
#include "imglib/imglib.h"

int L_ChangeBitmapContrast(ImgBitmap* bitmap, int change);
int L_ChangeBitmapIntensity(ImgBitmap* bitmap, int change);
int L_ChangeBitmapHue(ImgBitmap* bitmap, int angle);
int L_ChangeBitmapSaturation(ImgBitmap* bitmap, int change);
int L_GammaCorrectBitmap(ImgBitmap* bitmap, int gamma);
int L_InvertBitmap(ImgBitmap* bitmap);
// bitsPerPixel 8 (or 12, 16): the bitmap becomes grey and counts as that deep.
int L_GrayScaleBitmap(ImgBitmap* bitmap, int bitsPerPixel);
int L_HistoContrastBitmap(ImgBitmap* bitmap, int change);
int L_HistoEqualizeBitmap(ImgBitmap* bitmap);
int L_StretchBitmapIntensity(ImgBitmap* bitmap);
int L_SharpenBitmap(ImgBitmap* bitmap, int sharpness);
int L_SolarizeBitmap(ImgBitmap* bitmap, int threshold);
int L_PosterizeBitmap(ImgBitmap* bitmap, int levels);
int L_MosaicBitmap(ImgBitmap* bitmap, int size);
int L_AverageFilterBitmap(ImgBitmap* bitmap, int size);
int L_MedianFilterBitmap(ImgBitmap* bitmap, int size);
int L_EmbossBitmap(ImgBitmap* bitmap, int direction, int depth);
int L_OilifyBitmap(ImgBitmap* bitmap, int size);
int L_AutoTrimBitmap(ImgBitmap* bitmap, int threshold);
// Multiplies the bitmap by the grey of the underlay, tiled from the top left.
int L_UnderlayBitmap(ImgBitmap* bitmap, const ImgBitmap* underlay, int flags = 0);

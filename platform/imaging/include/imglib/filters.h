// Colour and area filters of pictures in memory. Portable. Amounts given "in tenths of a
// percent" run from -1000 to 1000; 0 changes nothing. Each call works in place and answers
// false (leaving the picture as it was) for an empty picture or a value out of its range.
#pragma once
#include "imglib/raster.h"

namespace imglib {

// ---- point filters (filters_point.cpp) ----------------------------------------------------
// Spreads (positive) or gathers (negative) the values around mid-grey; -1000 is all grey,
// 1000 a hard threshold at mid-grey.
bool ChangeContrast(Raster& picture, int tenthsOfPercent);
// Lightens towards white (positive) or darkens towards black (negative).
bool ChangeIntensity(Raster& picture, int tenthsOfPercent);
// Turns every colour's hue by the angle (-360 to 360 degrees); greys stay.
bool ChangeHue(Raster& picture, int degrees);
// Moves the colours away from (positive) or towards (negative) their grey; -1000 is grey.
bool ChangeSaturation(Raster& picture, int tenthsOfPercent);
// Gamma in hundredths (1 to 1000): 100 changes nothing, above lightens the dark values.
bool GammaCorrect(Raster& picture, int gammaHundredths);
bool Invert(Raster& picture);
// Every pixel becomes its grey: (19595 r + 38470 g + 7471 b) >> 16.
bool GreyScale(Raster& picture);
uint8_t GreyValue(uint8_t r, uint8_t g, uint8_t b);
// Contrast around the picture's own mean grey rather than mid-grey.
bool HistoContrast(Raster& picture, int tenthsOfPercent);
// Spreads the values so that each level is about as frequent as any other (one mapping
// for the three channels, so greys stay grey).
bool HistoEqualize(Raster& picture);
// Stretches the darkest value to 0 and the lightest to 255.
bool StretchIntensity(Raster& picture);
// Values above the threshold (0 to 255) are inverted; 255 changes nothing.
bool Solarize(Raster& picture, int threshold);
// levels (2 to 256) values per channel, spread evenly from 0 to 255; 256 changes nothing.
bool Posterize(Raster& picture, int levels);

// ---- area filters (filters_area.cpp, filters_median.cpp) ---------------------------------
// Sharpens (positive) or blurs (negative) over each pixel's 3 x 3 neighbourhood.
bool Sharpen(Raster& picture, int tenthsOfPercent);
// Blocks of size x size pixels take their mean colour; 0 and 1 change nothing.
bool Mosaic(Raster& picture, int size);
// Each pixel takes the mean (or the median, per channel) of the size x size pixels around
// it; edges repeat their outer pixels. 0 and 1 change nothing.
bool AverageFilter(Raster& picture, int size);
bool MedianFilter(Raster& picture, int size);
// Directions of the light, from the north clockwise.
enum EmbossDirection : int { kNorth, kNorthEast, kEast, kSouthEast, kSouth, kSouthWest, kWest, kNorthWest };
// Relief: each value becomes 128 plus the difference of its neighbours towards and away
// from the light, times depth (0 to 1000) / 200; flat areas are grey 128.
bool Emboss(Raster& picture, int direction, int depth);
// Oil painting: each pixel takes the mean colour of the most frequent brightness among the
// size x size pixels around it; 0 and 1 change nothing.
bool Oilify(Raster& picture, int size);

// ---- whole-picture steps (filters_compose.cpp) --------------------------------------------
// Cuts off the border lines (rows and columns from each edge) whose every value lies
// within the threshold (0 to 255) of the top-left pixel's. A picture that would be cut away
// whole stays as it is.
bool AutoTrim(Raster& picture, int threshold);
// Each pixel is multiplied by the grey of the underlay, which is tiled from the top left.
bool Underlay(Raster& picture, const Raster& underlay);

}  // namespace imglib

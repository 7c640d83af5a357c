// Pictures and comparisons for the imaging tests.
#pragma once
#include <string>

#include "imglib/raster.h"

namespace testpics {

// A picture with smooth gradients, a red disc, a green square and a white diagonal:
// enough structure for the codecs and resamplers to show their faults.
imglib::Raster Photo(int width, int height);
// A picture of a few flat colours (exact for palette formats).
imglib::Raster Flat(int width, int height, int colours);
// From raw RGB bytes (red first, rows from the top).
imglib::Raster FromRgb(const unsigned char* rgb, int width, int height);
// A binary PPM of the picture, which established tools read as it is.
std::string Ppm(const imglib::Raster& r);

struct Difference {
  int maximum = 0;
  double mean = 0;
  double psnr = 0;  // 99 for identical pictures
};
// Compares two pictures of the same size (a size mismatch gives maximum 999).
Difference Compare(const imglib::Raster& a, const imglib::Raster& b);
// The mean difference a - b of one channel (0 blue, 1 green, 2 red): a bias that
// rounding in one direction leaves. Pictures of the same size.
double MeanSignedDifference(const imglib::Raster& a, const imglib::Raster& b, int channel);
// The picture reduced by 1/scale, each pixel the rounded mean of the scale x scale
// pixels it stands for (fewer at the right and bottom edges).
imglib::Raster AreaAverage(const imglib::Raster& r, int scale);
// The colour at a point, as 0xRRGGBB.
unsigned PixelAt(const imglib::Raster& r, int x, int y);
// The mean of one channel (0 blue, 1 green, 2 red) over the whole picture.
double MeanChannel(const imglib::Raster& r, int channel);

}  // namespace testpics

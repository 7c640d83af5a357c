// Size changes, flips and rotations of pictures in memory. Portable.
#pragma once
#include "imglib/raster.h"
#include "imglib/status.h"

namespace imglib {

// A copy at another size. flags: kSizeResample (area average when reducing, bilinear
// when enlarging) or kSizeNearest. False when the size is 0 or too large.
bool Resize(const Raster& source, int width, int height, int flags, Raster& out);
// Top to bottom.
void FlipVertical(Raster& picture);
// Left to right (a mirror image).
void FlipHorizontal(Raster& picture);
// Rotates by hundredths of a degree, clockwise for positive angles, about the centre.
// With resize the canvas grows to hold the whole rotated picture (and turns by a
// quarter turn exactly); otherwise it keeps its size. Uncovered pixels get the fill.
bool Rotate(const Raster& source, int hundredthsOfDegree, bool resize, Rgb fill, Raster& out);

}  // namespace imglib

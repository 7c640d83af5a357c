// Text and shape objects of layered pictures on any device context, and the renderer of
// the layered picture file. Windows only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/gdiplus_types.h"

// Draws a text in the box (x, y, width, height) in an ARGB colour with a GDI+ text
// rendering hint, font and string format flags (0: no string format). A shadow depth d
// not 0 first draws the text in black at alpha 128 moved by d to the right and |d| down,
// unbounded: neither wrapped nor clipped by the box. Returns the status of the last
// drawing call, -1 without a device context.
int DRAWSTRINGGDIP(HDC dc, const std::string& text, int x, int y, int width, int height, uint32_t colour,
                   int renderingHint, Gdiplus::GpFont* font, int shadowDepth, int formatFlags);

// Draws a shape at (x, y) from a point buffer (count points of two signed 16-bit values,
// x then y, offsets from (x, y)), with kind and style packed as kind + 65536 x style
// (kinds 2 ellipse, 3 rectangle, 4 curve, 5 arrow, 6 polyline). Returns the status of
// the last drawing call, or -1 when nothing was drawn (no device context, no points,
// too few points for the figure, a box of zero size, a style that draws nothing). Curves
// of kind 4 have the tension 0.33 in every program, arrows GDI+'s default; a style
// beyond 5 draws only the shape's shadow (shapes::PlanShape).
int DRAWSHAPE(HDC dc, int x, int y, int count, std::string_view points, uint32_t colour, int shadowDepth,
              int penWidth, uint32_t kindAndStyle);

// Draws the objects of the layered file that belongs to a picture path (or of the side
// file given directly) into the device context at their own coordinates.
void DRAWOVERLAY(HDC dc, const std::string& path);

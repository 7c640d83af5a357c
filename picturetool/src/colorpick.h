// The colour pick of the text and shape boxes: a colour chart ("SKCOLORPICK",
// COLORPICKPROC, bitmap resource "COLOR") under a round pipette window ("SKPIPETTE",
// shaped by the bitmap resource "CIRCLE") that shows the colour under the cursor; picking
// sets the parent box's red, green and blue track bars (102 to 104), their value labels
// and the colour swatch (105). Windows only.
#pragma once
#include <windows.h>

namespace bravik {

inline constexpr const char* kColourPickClass = "SKCOLORPICK";
inline constexpr const char* kPipetteClass = "SKPIPETTE";
inline constexpr const char* kSwatchClass = "SKSTATIC";

HWND CREATECOLORPICK(HWND parent, int x, int y, int width, int height, int id);
HWND CREATEPIPETTE(HWND owner);
HWND CREATESWATCH(HWND parent, int x, int y, int width, int height, int id, COLORREF colour);
void SetSwatchColour(HWND swatch, COLORREF colour);
LRESULT CALLBACK COLORPICKPROC(HWND chart, UINT message, WPARAM wParam, LPARAM lParam);
// The colour of the chart at a point of its client area (what a click there picks).
COLORREF ChartColourAt(HWND chart, int x, int y);

}  // namespace bravik

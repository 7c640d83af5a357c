// The shadow of a text, shared by the text drawing wrappers. Internal, Windows only.
#pragma once
#include <string>

#include "win/gdiplus_raii.h"

// Draws the text in black at alpha 128, moved by depth to the right and |depth| down,
// in a layout box of size 0: the shadow is neither wrapped nor clipped, whatever box
// the text itself is drawn in.
Gdiplus::Status DrawTextShadow(Gdiplus::GpGraphics* g, const std::wstring& text, Gdiplus::GpFont* font,
                               Gdiplus::GpStringFormat* format, float x, float y, int depth);

// The archive's drawing pieces that its slide frame and other windows share. Windows only.
#pragma once
#include <windows.h>

#include <cstdint>

// Copies the source rectangle onto the destination, leaving out every pixel of the
// transparent colour; a transparent colour below 0 means the colour of the source's pixel
// at (0, 0). Exported by the archive program under this name (stdcall). 1 when it drew.
extern "C" int __stdcall DIAPOTRANSBLT(HDC destination, int x, int y, int width, int height, HDC source,
                                       int sourceX, int sourceY, int32_t transparent);

namespace grilton {

// Stretches the whole of a bitmap over (0, 0, width, height) of a device context.
void StretchToDC(HDC dc, HBITMAP bitmap, int width, int height);

}  // namespace grilton

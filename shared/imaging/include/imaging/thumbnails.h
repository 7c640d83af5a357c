// The picture loader of every program: thumbnails and previews of any picture with its
// layered objects drawn over it, GIF conversion, and small GDI+ picture handles.
// Windows only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "imaging/gdiplus_types.h"

// Loads a picture as a screen-compatible bitmap. With both box sides above 0 the picture
// is fitted into the box (aspect kept, never enlarged); with a layered file the picture
// is drawn at full size, its objects over it, and then reduced into the bitmap's top-left
// corner (the bitmap keeps the full size). colours above 0 on entry asks for information
// only: never a bitmap, whatever the other arguments, but width, height, colours and
// bits are filled. hasLayer tells whether a layered file exists; with useLayerPicture
// not 0 its reduced JPEG is shown instead of the picture, and width and height are the
// picture's own from its trailer. A JPEG's embedded Exif thumbnail is never shown.
// Returns the bitmap (the caller deletes it) or null.
// layerTest: how a layered file counts. kReadTrailer: only a readable one (its trailer read),
// a damaged one is neither drawn nor shown. kExistence (the picture browser's loader): any
// existing one, unread, so its objects are drawn over the full picture and its reduced
// JPEG is never shown.
enum class LayerTest { kReadTrailer, kExistence };
HBITMAP LOADTHUMB(const std::string& path, int boxWidth, int boxHeight, int& width, int& height, int& colours,
                  uint8_t& bits, int& hasLayer, int useLayerPicture, LayerTest layerTest = LayerTest::kReadTrailer);

// For a ".GIF" path: converts the first picture into this program's conversion file and
// puts that file's path into path; returns -1 when it converted, 0 otherwise (a failed
// conversion leaves no earlier picture in the conversion file).
int GIFTOBMP(std::string& path);
// The conversion file of this program (see GifConversionPath).
std::string GifConversionFile();

// A picture handle: kind 1 is a GDI bitmap (HBITMAP), any other a GDI+ image.
using PictureHandle = void*;
PictureHandle LOADGDIPPICTURE(const std::string& path, int& width, int& height, int& kind);
void DRAWPICTURE(HDC dc, PictureHandle picture, int x, int y, int width, int height, int kind, int interpolation);
void FREEGDIPIMAGE(PictureHandle& picture, int kind);
// Bits per pixel of a GDI+ pixel format: its bits 8 to 15.
int PIXELFORMATBITS(int pixelFormat);

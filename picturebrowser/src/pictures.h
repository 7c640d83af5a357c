// The picture browser's picture loader (the suite's LOADTHUMB that takes a layered file by
// its existence), the drawing of a loaded picture, and the keyword side files.
#pragma once
#include <windows.h>

#include <string>

#include "win/raii.h"

namespace hessam {

struct LoadedPicture {
  win::Bitmap bitmap;
  int width = 0;   // the picture's own size
  int height = 0;
  // Its place fitted into the box it was loaded for (the whole picture without a box);
  // the bitmap holds it in its top-left corner.
  int left = 0;
  int top = 0;
  int fitWidth = 0;
  int fitHeight = 0;
  explicit operator bool() const { return bool(bitmap); }
};

// Loads a picture fitted into boxWidth x boxHeight (never enlarged), or at its own size
// when the box is 0 x 0. False when it cannot be read.
bool LoadPicture(const std::string& path, int boxWidth, int boxHeight, LoadedPicture& picture);
// Draws the fitted picture into a box whose top-left corner is (x, y).
void DrawPicture(HDC dc, const LoadedPicture& picture, int x, int y);
// The keyword text of a picture's side file (the path up to its last "." and "KWD"); ""
// without one.
std::string KeywordsOf(const std::string& path);
// Outlined yellow text in the default font at the bottom centre of an area (x, y, width x
// height), its box 2 pixels larger than the text; at the area's top-left corner when the
// box is wider than the area.
void DrawCaption(HDC dc, const std::string& text, int x, int y, int width, int height);

}  // namespace hessam

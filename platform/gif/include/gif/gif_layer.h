// The GIF conversion layer: a GIF file's first picture to 24-bit RGB pixels in a global
// memory block, and such pixels to a BMP file. Windows only.
#pragma once
#include <windows.h>

#include <string>

// Decodes a GIF file. Returns a movable global memory block of width * height * 3 bytes
// (red, green, blue; rows from the top, no padding), or null when the file is missing,
// no GIF or unusable. colours receives the size of the colour table. The caller frees the
// block with GlobalFree.
HGLOBAL ImgDLLReadRGBFromGIF(const std::string& path, int& width, int& height, int& colours);
// Writes pixels laid out as above as a 24-bit BMP file. 1 on success, 0 on failure.
int ImgDLLSaveRGBToBMP(const std::string& path, const void* pixels, int width, int height);

namespace gif {
// The program's one GIF lock. Both calls above take it; callers that convert and then
// load the result hold it around the whole sequence (it may be entered again).
void EnterGifLock();
void LeaveGifLock();

class GifLockScope {
 public:
  GifLockScope() { EnterGifLock(); }
  ~GifLockScope() { LeaveGifLock(); }
  GifLockScope(const GifLockScope&) = delete;
  GifLockScope& operator=(const GifLockScope&) = delete;
};
}  // namespace gif

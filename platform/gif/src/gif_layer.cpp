#include "gif/gif_layer.h"

#include <cstring>

#include "fileio/file.h"
#include "gif/gif_bmp.h"
#include "gif/gif_decoder.h"

namespace gif {

namespace {
CRITICAL_SECTION& Lock() {
  static CRITICAL_SECTION cs = [] {
    CRITICAL_SECTION c;
    InitializeCriticalSection(&c);
    return c;
  }();
  return cs;
}
}  // namespace

void EnterGifLock() { EnterCriticalSection(&Lock()); }
void LeaveGifLock() { LeaveCriticalSection(&Lock()); }

}  // namespace gif

HGLOBAL ImgDLLReadRGBFromGIF(const std::string& path, int& width, int& height, int& colours) {
  gif::GifLockScope lock;
  width = height = colours = 0;
  std::string bytes;
  if (path.empty() || fileio::ReadWholeFile(path, bytes) != fileio::kOk) return nullptr;
  gif::Image image;
  if (gif::Decode(bytes, image) != gif::kOk) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, image.rgb.size());
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, image.rgb.data(), image.rgb.size());
  GlobalUnlock(block);
  width = image.width;
  height = image.height;
  colours = image.colours;
  return block;
}

int ImgDLLSaveRGBToBMP(const std::string& path, const void* pixels, int width, int height) {
  gif::GifLockScope lock;
  std::string bmp;
  if (path.empty() || !gif::RgbToBmp(static_cast<const uint8_t*>(pixels), width, height, bmp)) return 0;
  return fileio::WriteFileReplacing(path, bmp) == fileio::kOk ? 1 : 0;
}

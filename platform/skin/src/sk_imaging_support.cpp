#include "skin/sk_imaging_support.h"

HDC SKGETDC(HWND window) { return GetDC(window); }

int SKRELEASEDC(HWND window, HDC dc) { return dc ? ReleaseDC(window, dc) : 0; }

namespace {
struct DisplayContext {
  HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  ~DisplayContext() {
    if (dc) DeleteDC(dc);
  }
};
}  // namespace

HDC SKDISPLAYDC() {
  thread_local DisplayContext display;
  return display.dc;
}

int SKDELETEBITMAP(HBITMAP bitmap) { return bitmap ? (DeleteObject(bitmap) ? 1 : 0) : 0; }

HBITMAP SKLOADBITMAPFILE(const std::string& path, int& width, int& height) {
  width = height = 0;
  if (path.empty()) return nullptr;
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info)) {
    width = info.bmWidth;
    height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  }
  return bitmap;
}

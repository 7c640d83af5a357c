// Device contexts, bitmap files and regions made from bitmaps.
#include <windows.h>

#include <cstring>
#include <vector>

#include "fileio/file.h"
#include "skin/sk_draw.h"
#include "win/raii.h"
#include "win/thread_slot.h"

namespace {

// An uncompressed device-independent bitmap; a negative height runs top-down.
BITMAPINFO DibInfo(int width, int height, WORD bitCount) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = bitCount;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}

// The display context of one thread, deleted when the thread ends.
struct DisplayContext {
  win::CreatedDC dc{CreateDCA("DISPLAY", nullptr, nullptr, nullptr)};
};

}  // namespace

HDC SKGETDC(HWND window) { return GetDC(window); }

int SKRELEASEDC(HWND window, HDC dc) { return win::ReleaseWindowDC(window, dc) ? 1 : 0; }

HDC SKDISPLAYDC() {
  static win::ThreadSlot<DisplayContext> contexts;
  DisplayContext* context = contexts.Get();
  return context ? context->dc.Get() : nullptr;
}

int SKDELETEBITMAP(HBITMAP bitmap) { return win::DeleteGdiObject(bitmap) ? 1 : 0; }

int SKGETPIXMAPSIZE(HBITMAP bitmap, int& width, int& height) {
  width = height = 0;
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return 0;
  width = info.bmWidth;
  height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return 1;
}

int SKSETLAYEREDALPHA(HWND window, int alpha) {
  if (!window) return 0;
  LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
  BYTE a = BYTE(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
  return SetLayeredWindowAttributes(window, 0, a, LWA_ALPHA) ? 1 : 0;
}

HBITMAP SKLOADBITMAPFILE(const std::string& path, int& width, int& height) {
  width = height = 0;
  if (path.empty()) return nullptr;
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (bitmap) SKGETPIXMAPSIZE(bitmap, width, height);
  return bitmap;
}

int SKSAVETOBMPFILE(HDC dc, int x, int y, int width, int height, const std::string& path) {
  if (!dc || width <= 0 || height <= 0 || path.empty()) return ERROR_INVALID_PARAMETER;
  BITMAPINFO bmi = DibInfo(width, height, 24);  // bottom-up, as BMP files usually are
  void* bits = nullptr;
  win::Bitmap dib(CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return ERROR_NOT_ENOUGH_MEMORY;
  BOOL copied = FALSE;
  {
    win::CompatibleDC memory(dc);
    win::SelectObj selected(memory, dib.Get());
    copied = BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  }
  if (!copied) return int(GetLastError() ? GetLastError() : ERROR_INVALID_PARAMETER);
  GdiFlush();
  size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  size_t pixels = stride * size_t(height);
  auto put32 = [](std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
  };
  std::string file;
  file += "BM";
  put32(file, uint32_t(14 + 40 + pixels));
  put32(file, 0);
  put32(file, 14 + 40);
  put32(file, 40);
  put32(file, uint32_t(width));
  put32(file, uint32_t(height));
  file += char(1), file += char(0), file += char(24), file += char(0);
  for (int i = 0; i < 6; ++i) put32(file, 0);
  file.append(static_cast<const char*>(bits), pixels);
  return fileio::WriteFileReplacing(path, file);
}

HRGN SKBMPTORGN(HBITMAP bitmap, COLORREF transparent) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return nullptr;
  int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  BITMAPINFO bmi = DibInfo(width, -height, 32);
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  int lines = GetDIBits(win::WindowDC(nullptr), bitmap, 0, UINT(height), pixels.data(), &bmi, DIB_RGB_COLORS);
  if (lines <= 0) return nullptr;
  // 0x00RRGGBB in the 32-bit rows.
  uint32_t key = (uint32_t(GetRValue(transparent)) << 16) | (uint32_t(GetGValue(transparent)) << 8) |
                 GetBValue(transparent);
  // One rectangle per run of opaque pixels of a row, in one region data block.
  std::vector<RECT> runs;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width;) {
      while (x < width && (row[x] & 0xFFFFFF) == key) ++x;
      int start = x;
      while (x < width && (row[x] & 0xFFFFFF) != key) ++x;
      if (x > start) runs.push_back(RECT{start, y, x, y + 1});
    }
  }
  if (runs.empty()) return nullptr;
  std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = DWORD(runs.size());
  rd->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
  rd->rdh.rcBound = RECT{0, 0, width, height};
  std::memcpy(rd->Buffer, runs.data(), runs.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, DWORD(data.size()), rd);
}

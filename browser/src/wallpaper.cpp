#include "wallpaper.h"

#include <windows.h>

#include "boxes.h"
#include "filelist.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

std::string WallpaperFile() { return App().programFolder + "KELMORWLP.BMP"; }

int MakeWallpaper(const std::string& picture) {
  std::string source = picture;
  GIFTOBMP(source);  // a GIF is read from its conversion
  imglib::BitmapOwner bitmap;
  int r = L_LoadBitmap(source, bitmap.Get(), 24);
  if (r != imglib::kSuccess) return r;
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  r = L_SizeBitmap(bitmap.Get(), width, height, imglib::kSizeResample);
  if (r != imglib::kSuccess) return r;
  // The old wallpaper file is replaced only by a complete new one.
  std::string file = WallpaperFile();
  r = L_SaveBitmap(file, bitmap.Get(), imglib::kFormatBmp, 24, 0);
  if (r != imglib::kSuccess) return r;
  if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(file.c_str()),
                             SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
    return int(GetLastError() ? GetLastError() : ERROR_INVALID_FUNCTION);
  return 0;
}

void WallpaperCommand() {
  std::vector<std::string> paths = SelectedFilePaths();
  if (paths.empty()) return;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  int r = MakeWallpaper(paths.front());
  SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
  if (r != 0) MESSAGEBOXICON(paths.front() + Ui(60));
}

}  // namespace kelmor

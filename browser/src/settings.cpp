#include "settings.h"

#include <windows.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "kelmor/filetypes.h"
#include "kelmor/settings.h"
#include "mainwindow.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

// How long another program may hold the favourites file before the browser gives up
// writing it.
constexpr DWORD kFavouritesRetryMs = 2000;

void WriteFavourites() {
  BrowserState& b = App();
  std::vector<std::string> entries = ListEntries(b.favouritesBox);
  if (entries.empty()) return;
  std::string text = FormatFavourites(entries);
  DWORD deadline = GetTickCount() + kFavouritesRetryMs;
  while (fileio::WriteFileReplacing(FavouritesPath(), text) != fileio::kOk) {
    if (LONG(GetTickCount() - deadline) >= 0) return;
    Sleep(0);
  }
}

}  // namespace

std::string SettingsPath() { return SKGETTEMPPATH() + App().programName + ".cfg"; }
std::string FavouritesPath() { return SKGETTEMPPATH() + App().programName + ".fav"; }

void BROWSERSETTINGS(int& left, int& top, int& width, int& height, std::string& folder, std::string& filter,
                     int& option809, int mode) {
  BrowserState& b = App();
  if (mode == 1) {
    WriteFavourites();
    BrowserSettingsRecord r{left, top, width, height, folder, filter, option809, b.hintOff, b.markers};
    WriteSettingsFile(SettingsPath(), r);
    return;
  }
  BrowserSettingsRecord r;
  r.hintOff = b.hintOff;
  r.markers = b.markers;
  if (ReadSettingsFile(SettingsPath(), r)) {
    ClampSettings(r, SKXMINI(), SKYMINI(), [](const std::string& f) { return SKEXIST(f + "\\*.*") != 0; });
  } else {
    DefaultPlacement(r, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SKXMINI(), SKYMINI());
    int maxWidth = r.width, maxHeight = r.height;
    SKSETMAXSIZE(r.width, r.height, maxWidth, maxHeight);
    r.width = maxWidth;
    r.height = maxHeight;
    std::string pictures = b.programFolder + "picture\\";
    if (SKEXIST(pictures + "*.*")) {
      r.folder = pictures;
      r.filter = BarField(Ui(15), 10);  // the filter of the thumbnail file type
    } else {
      r.folder = b.programFolder;
      r.filter.clear();
    }
    r.option809 = -1;
  }
  left = r.left;
  top = r.top;
  width = r.width;
  height = r.height;
  folder = r.folder;
  filter = r.filter;
  option809 = r.option809;
  b.hintOff = r.hintOff;
  b.markers = r.markers;
}

}  // namespace kelmor

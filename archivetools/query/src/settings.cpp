#include "settings.h"

#include <windows.h>

#include <algorithm>

#include "fileio/file.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_place.h"

namespace ostrel {

void ReadSettings() {
  Ostrel& a = App();
  a.settingsPath = SKGETTEMPPATH() + a.programName + ".cfg";
  lumbric::Settings defaults;
  defaults.width = int16_t(std::min(a.screenWidth, 900));
  defaults.height = int16_t(std::min(a.screenHeight, 680));
  defaults.left = int16_t(std::max(0, (a.screenWidth - defaults.width) / 2));
  defaults.top = int16_t(std::max(0, (a.screenHeight - defaults.height) / 2));
  defaults.workFolder = a.dataFolder;
  std::string bytes;
  fileio::ReadWholeFile(a.settingsPath, bytes);
  a.settings = lumbric::ParseSettings(bytes, defaults);
}

void WriteSettings() {
  Ostrel& a = App();
  win::TakeNormalPlace(a.frame, a.settings);
  fileio::WriteFileReplacing(a.settingsPath, lumbric::FormatSettings(a.settings));
}

}  // namespace ostrel

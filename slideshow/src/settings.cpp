#include "settings.h"

#include <windows.h>

#include <algorithm>

#include "dunmere/settings_record.h"
#include "dunmere/show_format.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_place.h"

namespace dunmere {

namespace {

constexpr int kDefaultWidth = 860;
constexpr int kDefaultHeight = 620;

std::string SettingsPath() { return SKGETTEMPPATH() + App().programName + ".cfg"; }

}  // namespace

void SETTINGSFILE(int mode) {
  State& s = App();
  if (mode == 1) {
    SettingsRecord r;
    win::TakeNormalPlace(s.frame, r);
    r.showFolder = s.showFolderSetting;
    r.textSetting = s.textSetting;
    r.quality = s.quality;
    r.groupValue = s.groupValue;
    r.defaultTime = s.defaultTime;
    r.modeFlag = s.modeFlag;
    r.outputSize = s.outputSize;
    r.framesPerSecond = s.framesPerSecond;
    r.further = s.furtherSetting;
    r.videoFolder = s.videoFolder;
    fileio::WriteFileReplacing(SettingsPath(), FormatSettings(r));
    return;
  }
  SettingsRecord r = DefaultSettings(Ui(51), Ui(20), Ui(21));
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  r.width = std::min(kDefaultWidth, screenWidth);
  r.height = std::min(kDefaultHeight, screenHeight);
  r.left = std::max(0, (screenWidth - r.width) / 2);
  r.top = std::max(0, (screenHeight - r.height) / 2);
  std::string line;
  if (fileio::ReadWholeFile(SettingsPath(), line) == fileio::kOk) {
    std::vector<std::string> lines = SplitLines(line);
    if (!lines.empty()) ParseSettings(lines.front(), r);
  }
  ClampPlacement(r, SKXMINI(), SKYMINI(), screenWidth, screenHeight);
  s.windowLeft = r.left;
  s.windowTop = r.top;
  s.windowWidth = r.width;
  s.windowHeight = r.height;
  s.showFolderSetting = r.showFolder;
  std::string folder =
      fileio::Trim(fileio::ExpandPathMacros(r.showFolder, ShowPathMacros(s.programFolder)));
  if (folder.empty()) folder = s.programFolder;
  s.showFolder = fileio::WithTrailingSeparator(folder);
  s.textSetting = r.textSetting;
  s.quality = r.quality;
  s.groupValue = r.groupValue;
  s.defaultTime = r.defaultTime;
  s.modeFlag = r.modeFlag;
  s.outputSize = r.outputSize;
  s.framesPerSecond = r.framesPerSecond;
  s.furtherSetting = r.further;
  s.videoFolder = r.videoFolder;
  s.textFileNumber = fileio::LeadingNumber(FieldOf(Ui(20), "|", 2));
}

}  // namespace dunmere

#include "settings.h"

#include <windows.h>

#include <algorithm>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "lumbric/work_folder.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_place.h"

namespace lumbric {

namespace {

constexpr int kDefaultWidth = 740;
constexpr int kDefaultHeight = 600;

}  // namespace

fileio::ProtectedFolders GuardedFolders() {
  Lumbric& a = App();
  fileio::ProtectedFolders guarded;
  guarded.windowsFolder = SKWINDIR();
  guarded.systemFolder = SKSYSDIR();
  guarded.programFolder = a.programFolder;
  guarded.dataFolder = a.dataFolder;
  return guarded;
}

void ReadSettings() {
  Lumbric& a = App();
  a.settingsPath = SKGETTEMPPATH() + a.programName + ".cfg";
  Settings defaults;
  defaults.width = int16_t(std::min(kDefaultWidth, a.screenWidth));
  defaults.height = int16_t(std::min(kDefaultHeight, a.screenHeight));
  defaults.left = int16_t((a.screenWidth - defaults.width) / 2);
  defaults.top = int16_t((a.screenHeight - defaults.height) / 2);
  // Never the Windows folder: the work folder is emptied on request.
  defaults.workFolder = DefaultWorkFolder(SKGETTEMPPATH(), a.programName);
  std::string bytes;
  fileio::ReadWholeFile(a.settingsPath, bytes);
  a.settings = ParseSettings(bytes, defaults);
  if (a.settings.width < 200 || a.settings.height < 200) {
    a.settings.width = defaults.width;
    a.settings.height = defaults.height;
  }
  a.settings.workFolder = fileio::WithTrailingSeparator(fileio::Trim(a.settings.workFolder));
  if (!fileio::IsDisposableFolder(a.settings.workFolder, GuardedFolders())) a.settings.workFolder = defaults.workFolder;
  SKMAKEDIR(a.settings.workFolder);
}

void WriteSettings() {
  Lumbric& a = App();
  win::TakeNormalPlace(a.frame, a.settings);
  fileio::WriteFileReplacing(a.settingsPath, FormatSettings(a.settings));
}

}  // namespace lumbric

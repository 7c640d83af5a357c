#include "dunmere/settings_record.h"

#include <algorithm>
#include <vector>

#include "fileio/fields.h"
#include "fileio/macros.h"
#include "skin/sk_text.h"

namespace dunmere {

bool IsMusicVolume(int percent) { return percent >= 20 && percent <= 100 && percent % 10 == 0; }

namespace {

int MusicVolumeOrDefault(int percent) { return IsMusicVolume(percent) ? percent : kDefaultMusicVolume; }

}  // namespace

SettingsRecord DefaultSettings(const std::string& qualityEntry, const std::string& groupEntry,
                               const std::string& showSubfolder) {
  SettingsRecord r;
  r.quality = fileio::LeadingNumber(qualityEntry);
  std::vector<std::string> fields;
  SKSPLITS(groupEntry, "|", fields);
  r.groupValue = MusicVolumeOrDefault(fileio::LeadingNumber(fields[0]));
  r.defaultTime = 4000;
  r.framesPerSecond = 3;
  r.showFolder = fileio::kProgramFolderMacro + showSubfolder;
  return r;
}

bool ParseSettings(const std::string& line, SettingsRecord& r) {
  if (line.empty()) return false;
  std::vector<std::string> f;
  SKSPLITS(line, "|", f);
  auto number = [&f](size_t i, int& out) {
    if (i < f.size()) out = fileio::LeadingNumber(f[i]);
  };
  auto text = [&f](size_t i, std::string& out) {
    if (i < f.size()) out = f[i];
  };
  number(0, r.left);
  number(1, r.top);
  number(2, r.width);
  number(3, r.height);
  text(4, r.showFolder);
  text(5, r.textSetting);
  number(6, r.quality);
  number(7, r.groupValue);
  r.groupValue = MusicVolumeOrDefault(r.groupValue);
  number(8, r.defaultTime);
  number(9, r.modeFlag);
  if (r.modeFlag != 0) r.modeFlag = -1;
  text(10, r.outputSize);
  number(11, r.framesPerSecond);
  r.framesPerSecond = std::clamp(r.framesPerSecond, 0, 30);
  number(12, r.further);
  text(13, r.videoFolder);
  return true;
}

std::string FormatSettings(const SettingsRecord& r) {
  auto n = [](int v) { return std::to_string(v); };
  return n(r.left) + "|" + n(r.top) + "|" + n(r.width) + "|" + n(r.height) + "|" + r.showFolder + "|" +
         r.textSetting + "|" + n(r.quality) + "|" + n(r.groupValue) + "|" + n(r.defaultTime) + "|" + n(r.modeFlag) +
         "|" + r.outputSize + "|" + n(r.framesPerSecond) + "|" + n(r.further) +
         (r.videoFolder.empty() ? std::string() : "|" + r.videoFolder);
}

void ClampPlacement(SettingsRecord& r, int minWidth, int minHeight, int screenWidth, int screenHeight) {
  r.width = std::max(r.width, minWidth);
  r.height = std::max(r.height, minHeight);
  if (screenWidth > 0) r.left = std::clamp(r.left, 0, std::max(0, screenWidth - std::min(r.width, screenWidth)));
  else r.left = std::max(r.left, 0);
  if (screenHeight > 0) r.top = std::clamp(r.top, 0, std::max(0, screenHeight - std::min(r.height, screenHeight)));
  else r.top = std::max(r.top, 0);
}

}  // namespace dunmere

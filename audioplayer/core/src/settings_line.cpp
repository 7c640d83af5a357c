#include "jorvel/settings_line.h"

#include <algorithm>
#include <vector>

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace jorvel {

namespace {

std::string Number(int v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }

}  // namespace

AudioSettings ParseAudioSettings(const std::string& text, const SettingsContext& context) {
  AudioSettings s;
  std::vector<std::string> lines = SplitLines(text);
  std::string line = lines.empty() ? std::string() : lines.front();
  std::vector<std::string> f;
  size_t count = fileio::Trim(line).empty() ? 0 : size_t(SKSPLITS(line, "|", f));
  f.resize(std::max<size_t>(f.size(), 9));
  if (count > 3) {
    s.width = fileio::LeadingNumber(f[2]);
    s.height = fileio::LeadingNumber(f[3]);
  }
  if (s.width < 0) s.width = context.screenWidth;
  if (s.height < 0) s.height = context.screenHeight;
  s.left = count > 0 ? fileio::LeadingNumber(f[0]) : (context.screenWidth - s.width) / 2;
  s.top = count > 1 ? fileio::LeadingNumber(f[1]) : (context.screenHeight - s.height) / 2;
  s.left = std::max(0, s.left);
  s.top = std::max(0, s.top);
  s.pickFolder = count > 4 ? f[4] : std::string();
  if (s.pickFolder.empty()) s.pickFolder = context.programFolder;
  s.secondFolder = count > 5 ? f[5] : std::string();
  if (s.secondFolder.empty()) s.secondFolder = context.tempFolder;
  std::string skin = count > 6 ? fileio::Trim(f[6]) : std::string();
  if (skin.empty() || !(context.exists && context.exists(skin))) skin = context.basePath + ".skl";
  s.skinFile = context.programFolder + fileio::NameOf(skin);
  if (count > 8) {
    s.paneLeft = fileio::LeadingNumber(f[7]);
    s.paneTop = fileio::LeadingNumber(f[8]);
  }
  return s;
}

std::string FormatAudioSettings(const AudioSettings& s) {
  return Number(s.left) + "|" + Number(s.top) + "|" + Number(s.width) + "|" + Number(s.height) + "|" + s.pickFolder +
         "|" + s.secondFolder + "||" + Number(s.paneLeft) + "|" + Number(s.paneTop);
}

std::string SettingsFileOf(const std::string& tempFolder, const std::string& programFile) {
  return fileio::WithTrailingSeparator(tempFolder) + programFile.substr(0, programFile.find('.')) + ".cfg";
}

}  // namespace jorvel

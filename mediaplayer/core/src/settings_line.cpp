#include "falcet/settings_line.h"

#include <algorithm>
#include <vector>

#include "falcet/player_rules.h"
#include "fileio/fields.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace falcet {

namespace {
std::string Number(int v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }
}  // namespace

PlayerSettings ParseSettings(const std::string& text, const std::string& programFolder,
                             const std::string& tempFolder, const std::function<bool(const std::string&)>& skinExists) {
  PlayerSettings s;
  std::vector<std::string> lines = SplitLines(text);
  std::string line = lines.empty() ? std::string() : lines.front();
  if (!fileio::Trim(line).empty()) {
    std::vector<std::string> f;
    size_t count = size_t(SKSPLITS(line, "|", f));
    f.resize(std::max<size_t>(f.size(), 11));
    s.read = true;
    s.left = std::max(0, fileio::LeadingNumber(f[0]));
    s.top = std::max(0, fileio::LeadingNumber(f[1]));
    s.width = fileio::LeadingNumber(f[2]);
    s.height = fileio::LeadingNumber(f[3]);
    s.openFolder = f[4];
    s.snapshotFolder = f[5];
    s.skinFile = fileio::Trim(f[6]);
    if (!s.skinFile.empty() && !(skinExists && skinExists(s.skinFile))) s.skinFile.clear();
    if (count > 8) {
      s.paneLeft = fileio::LeadingNumber(f[7]);
      s.paneTop = fileio::LeadingNumber(f[8]);
    }
    if (count > 9) s.sizeItem = fileio::LeadingNumber(f[9]);
    if (count > 10) s.topMost = fileio::LeadingNumber(f[10]) ? -1 : 0;
  }
  if (s.openFolder.empty()) s.openFolder = programFolder;
  if (s.snapshotFolder.empty()) s.snapshotFolder = tempFolder;
  return s;
}

std::string FormatSettings(const PlayerSettings& s) {
  int sizeItem = s.sizeItem == kSizeFullScreen ? kSizeFillWindow : s.sizeItem;
  return Number(s.left) + "|" + Number(s.top) + "|" + Number(s.width) + "|" + Number(s.height) + "|" + s.openFolder +
         "|" + s.snapshotFolder + "||" + Number(s.paneLeft) + "|" + Number(s.paneTop) + "|" + Number(sizeItem) + "|" +
         Number(s.topMost ? -1 : 0);
}

WindowPlace DefaultWindowPlace(int optionWidth, int optionHeight, int skinWidth, int skinHeight, int screenWidth,
                               int screenHeight) {
  WindowPlace p;
  p.width = optionWidth != 0 ? optionWidth : skinWidth;
  if (p.width < 0) p.width = screenWidth;
  p.height = optionHeight != 0 ? optionHeight : (skinHeight != 0 ? skinHeight : 600);
  if (p.height < 0) p.height = screenHeight;
  p.left = std::max(0, (screenWidth - p.width) / 2);
  p.top = std::max(0, (screenHeight - p.height) / 2);
  return p;
}

}  // namespace falcet

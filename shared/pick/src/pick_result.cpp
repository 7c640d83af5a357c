#include "pick/pick_result.h"

#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace pick {

StartPath SplitStartPath(const std::string& start) {
  StartPath s;
  SKSPLITN(start, s.folder, s.pattern);
  s.pattern = fileio::Trim(s.pattern);
  if (s.pattern.empty()) s.pattern = "*.*";
  // A folder given as "C:" stays relative to the drive's current folder; make it the root.
  if (s.folder.size() == 2 && s.folder[1] == ':') s.folder += '\\';
  return s;
}

std::string SearchMaskFor(const std::string& folder) {
  if (folder.empty()) return "*.*";
  std::string f = folder;
  while (!f.empty() && fileio::IsSeparator(f.back())) f.pop_back();
  return f + "\\*.*";
}

std::string FolderOfMask(const std::string& mask) { return fileio::FolderOf(mask); }

PresetName SplitPresetName(const std::string& text) {
  PresetName p;
  size_t bar = text.find('|');
  if (bar == std::string::npos) {
    p.nameText = text;
    return p;
  }
  p.hasPreset = true;
  p.presetResult = text.substr(0, bar);
  p.nameText = text.substr(bar + 1);
  return p;
}

bool IsUrl(const std::string& text) {
  std::string lower = fileio::ToLower(text.substr(0, 8));
  return lower.rfind("ftp://", 0) == 0 || lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

std::string NameToPath(const std::string& folder, const std::string& text) {
  if (text.empty() || text.find('\\') != std::string::npos || IsUrl(text)) return text;
  return folder + text;
}

std::string JoinSelection(const std::string& folder, const std::vector<ListedName>& selected) {
  std::string out;
  for (const ListedName& n : selected) out += folder + n.shown + n.extension + "|";
  return out;
}

std::string CaptionText(const std::string& caption) {
  return !caption.empty() && caption[0] == '#' ? caption.substr(1) : caption;
}

std::string DoubleAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

std::vector<std::string> SplitItems(const std::string& text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  SKSPLITS(text, "|", items);
  if (items.size() > 1 && items.back().empty()) items.pop_back();
  return items;
}

}  // namespace pick

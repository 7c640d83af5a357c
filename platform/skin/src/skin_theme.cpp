#include "skin/skin_theme.h"

#include <algorithm>
#include <cstdlib>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"
#include "skin/ui_text.h"

namespace {
constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }
}  // namespace

uint32_t SkinTheme::Colour(int slot) const {
  if (slot < kSkinFirstColour || slot > kSkinLastColour) return 0;
  return colours[slot - kSkinFirstColour];
}

int SkinTheme::Metric(int number) const {
  if (number < 1 || number > 7) return 0;
  return metrics[number];
}

SkinTheme DefaultSkin() {
  SkinTheme t;
  auto set = [&t](int slot, uint32_t c) { t.colours[slot - kSkinFirstColour] = c; };
  set(kSkinControlText, Rgb(24, 28, 36));
  set(kSkinSelectionBack, Rgb(58, 110, 165));
  set(kSkinSelectionText, Rgb(255, 255, 255));
  set(kSkinControlBack, Rgb(252, 252, 250));
  set(kSkinWindowBack, Rgb(226, 229, 234));
  set(kSkinCaptionBack, Rgb(44, 62, 86));
  set(kSkinCaptionText, Rgb(240, 244, 250));
  set(kSkinInactiveCaptionBack, Rgb(118, 130, 146));
  set(kSkinInactiveCaptionText, Rgb(218, 224, 232));
  set(kSkinButtonFace, Rgb(236, 238, 242));
  set(kSkinButtonText, Rgb(24, 28, 36));
  set(kSkinTextShadow, Rgb(255, 255, 255));
  set(kSkinText, Rgb(30, 36, 46));
  set(kSkinMenuBack, Rgb(214, 219, 226));
  set(kSkinMenuText, Rgb(24, 28, 36));
  set(kSkinHotBack, Rgb(186, 204, 228));
  set(kSkinDisabledText, Rgb(140, 146, 156));
  set(kSkinEdgeDark, Rgb(128, 136, 148));
  set(kSkinEdgeLight, Rgb(255, 255, 255));
  t.metrics[kSkinCaptionHeight] = 24;
  t.metrics[kSkinMenuBarHeight] = 22;
  t.metrics[kSkinStatusHeight] = 20;
  t.metrics[kSkinLeftBorder] = 4;
  t.metrics[kSkinRightBorder] = 4;
  t.metrics[kSkinBottomBorder] = 4;
  t.metrics[kSkinCaptionButton] = 18;
  t.captionFont = {"Tahoma", 9, true, false};
  t.defaultFont = {"Tahoma", 8, false, false};
  t.credit = "Skin engine 1.0";
  return t;
}

bool ParseSkinColour(const std::string& text, uint32_t& colour) {
  std::string t = fileio::Trim(text);
  if (t.size() == 7 && t[0] == '#') {
    char* end = nullptr;
    unsigned long v = std::strtoul(t.c_str() + 1, &end, 16);
    if (*end != '\0') return false;
    colour = Rgb(int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255));
    return true;
  }
  int parts[3];
  size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    size_t comma = t.find(',', pos);
    std::string field = fileio::Trim(t.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
    if (field.empty() || field.size() > 3 || field.find_first_not_of("0123456789") != std::string::npos) return false;
    parts[i] = std::atoi(field.c_str());
    if (parts[i] > 255) return false;
    if (i < 2) {
      if (comma == std::string::npos) return false;
      pos = comma + 1;
    } else if (comma != std::string::npos) {
      return false;
    }
  }
  colour = Rgb(parts[0], parts[1], parts[2]);
  return true;
}

namespace {

bool ParseInt(const std::string& text, int& value) {
  std::string t = fileio::Trim(text);
  if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::atoi(t.c_str());
  return true;
}

// The comma-separated fields of a value, trimmed.
std::vector<std::string> CommaFields(const std::string& text) {
  std::vector<std::string> fields;
  size_t pos = 0;
  for (;;) {
    size_t comma = text.find(',', pos);
    fields.push_back(fileio::Trim(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos)));
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return fields;
}

// "Face, points[, bold][, italic]"
bool ParseFont(const std::string& text, SkinFont& font) {
  std::vector<std::string> fields = CommaFields(text);
  if (fields.size() < 2 || fields[0].empty()) return false;
  SkinFont f;
  f.face = fields[0];
  if (!ParseInt(fields[1], f.points) || f.points < 4 || f.points > 72) return false;
  for (size_t i = 2; i < fields.size(); ++i) {
    std::string flag = fileio::ToLower(fields[i]);
    if (flag == "bold") f.bold = true;
    else if (flag == "italic") f.italic = true;
    else return false;
  }
  font = f;
  return true;
}

// "picture, x1, y1, x2, y2, ...": at least one whole pair.
bool ParsePanelChild(const std::string& value, const std::string& folder, SkinPanelChild& child) {
  std::vector<std::string> fields = CommaFields(value);
  if (fields.size() < 3 || fields.size() % 2 == 0 || fields[0].empty()) return false;
  child.picture = fileio::JoinPath(folder, fields[0]);
  child.places.clear();
  for (size_t i = 1; i + 1 < fields.size(); i += 2) {
    int x = 0, y = 0;
    if (!ParseInt(fields[i], x) || !ParseInt(fields[i + 1], y)) return false;
    child.places.push_back({x, y});
  }
  return true;
}

}  // namespace

bool SkinPanelPlace(const SkinTheme& theme, int id, int styleIndex, std::string& picture, int& x, int& y) {
  picture.clear();
  x = y = 0;
  auto it = theme.panelChildren.find(id);
  if (it == theme.panelChildren.end() || it->second.places.empty()) return false;
  const auto& places = it->second.places;
  size_t n = size_t(std::max(1, styleIndex));
  const auto& place = places[std::min(n, places.size()) - 1];
  picture = it->second.picture;
  x = place.first;
  y = place.second;
  return true;
}

void ParseSkinText(const std::string& text, SkinTheme& theme, std::vector<SkinError>& errors) {
  std::string section;
  int lineNumber = 0;
  for (const std::string& line : SplitLines(text)) {
    ++lineNumber;
    std::string t = fileio::Trim(line);
    if (t.empty() || t[0] == '#' || t[0] == ';') continue;
    if (t.front() == '[') {
      if (t.back() != ']') {
        errors.push_back({lineNumber, "a section name has no closing ]"});
        continue;
      }
      section = fileio::ToLower(fileio::Trim(t.substr(1, t.size() - 2)));
      if (section != "colours" && section != "metrics" && section != "fonts" && section != "window" &&
          section != "pictures" && section != "strings" && section != "skin" && section != "panel") {
        errors.push_back({lineNumber, "unknown section [" + section + "]"});
      }
      continue;
    }
    size_t eq = t.find('=');
    if (eq == std::string::npos) {
      errors.push_back({lineNumber, "expected: key = value"});
      continue;
    }
    std::string key = fileio::ToLower(fileio::Trim(t.substr(0, eq)));
    std::string value = fileio::Trim(t.substr(eq + 1));
    bool ok = true;
    int number = 0;
    if (section.empty() || section == "skin") {
      if (key == "name") theme.name = value;
      else if (key == "credit") theme.credit = value;
      else ok = false;
    } else if (section == "colours") {
      uint32_t c = 0;
      ok = ParseInt(key, number) && number >= kSkinFirstColour && number <= kSkinLastColour && ParseSkinColour(value, c);
      if (ok) theme.colours[number - kSkinFirstColour] = c;
    } else if (section == "metrics") {
      int v = 0;
      ok = ParseInt(key, number) && number >= 1 && number <= 7 && ParseInt(value, v) && v <= 200;
      if (ok) theme.metrics[number] = v;
    } else if (section == "fonts") {
      if (key == "caption") ok = ParseFont(value, theme.captionFont);
      else if (key == "default") ok = ParseFont(value, theme.defaultFont);
      else ok = false;
    } else if (section == "window") {
      int v = 0;
      ok = ParseInt(value, v);
      if (ok && key == "minwidth") theme.minWidth = v;
      else if (ok && key == "minheight") theme.minHeight = v;
      else ok = false;
    } else if (section == "pictures") {
      ok = ParseInt(key, number) && !value.empty();
      if (ok) theme.pictures[number] = fileio::JoinPath(theme.folder, value);
    } else if (section == "panel") {
      ok = ParseInt(key, number) && ParsePanelChild(value, theme.folder, theme.panelChildren[number]);
      if (!ok && ParseInt(key, number)) theme.panelChildren.erase(number);
    } else if (section == "strings") {
      // Kept as written: the programs expand the path macros of what they read here.
      ok = !key.empty();
      if (ok) theme.strings[key] = value;
    }
    if (!ok) errors.push_back({lineNumber, "bad entry \"" + t + "\" in [" + section + "]"});
  }
}

std::string ParseSkinList(const std::string& text, const std::string& listFolder) {
  for (const std::string& raw : SplitLines(text)) {
    std::string line = fileio::Trim(raw);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    bool absolute = fileio::IsSeparator(line[0]) || (line.size() > 1 && line[1] == ':');
    return absolute ? line : fileio::JoinPath(listFolder, line);
  }
  return {};
}

namespace {

// The same path with another extension, in the letter case of the original one.
std::string Twin(const std::string& path, const char* extension) {
  std::string ext = extension;
  std::string old = fileio::ExtensionOf(path);
  bool upper = !old.empty() && old == fileio::ToUpper(old);
  return fileio::WithoutExtension(path) + (upper ? fileio::ToUpper(ext) : fileio::ToLower(ext));
}

bool ReadSkinFile(const std::string& path, SkinTheme& theme) {
  std::string bytes;
  if (fileio::ReadWholeFile(path, bytes) != fileio::kOk) return false;
  theme.file = path;
  theme.folder = fileio::FolderOf(path);
  std::vector<SkinError> errors;
  ParseSkinText(bytes, theme, errors);
  // The skin's picture pack: the ".skp" beside it with the same name.
  std::string pack = Twin(path, ".skp");
  std::string packBytes;
  if (fileio::ReadWholeFile(pack, packBytes) == fileio::kOk) {
    std::vector<SkinError> packErrors;
    ParseSkinText(packBytes, theme, packErrors);
    for (const auto& e : packErrors) ReportSkinError(pack + "(" + std::to_string(e.line) + "): " + e.message);
  }
  for (const auto& e : errors) ReportSkinError(path + "(" + std::to_string(e.line) + "): " + e.message);
  return true;
}


}  // namespace

SkinTheme LoadSkin(const std::string& path) {
  SkinTheme theme = DefaultSkin();
  if (path.empty()) return theme;
  std::string ext = fileio::ToUpper(fileio::ExtensionOf(path));
  std::string skinFile = path;
  if (ext == "SKL") {
    std::string bytes;
    if (fileio::ReadWholeFile(path, bytes) == fileio::kOk) {
      skinFile = ParseSkinList(bytes, fileio::FolderOf(path));
      if (skinFile.empty()) ReportSkinError(path + ": the skin list names no skin file");
    } else {
      skinFile = Twin(path, ".sks");
    }
  }
  if (!skinFile.empty() && ReadSkinFile(skinFile, theme)) return theme;
  if (ext == "SKS") {
    std::string list = Twin(path, ".skl");
    std::string bytes;
    if (fileio::ReadWholeFile(list, bytes) == fileio::kOk) {
      std::string named = ParseSkinList(bytes, fileio::FolderOf(list));
      if (!named.empty() && ReadSkinFile(named, theme)) return theme;
    }
  }
  return DefaultSkin();
}

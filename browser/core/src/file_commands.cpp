#include "kelmor/file_commands.h"

#include <algorithm>

#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {

// Where the extension of a path's file name starts (its last "."), npos when the name has
// none after its first character.
size_t NameDot(const std::string& path) {
  size_t nameStart = path.size() - fileio::NameOf(path).size();
  size_t dot = path.rfind('.');
  return dot != std::string::npos && dot > nameStart ? dot : std::string::npos;
}

}  // namespace

std::string OpenListItem(const std::string& program, const std::string& file, int index) {
  return program + "|" + file + "|" + std::to_string(index);
}

bool IsWatchedEditor(const std::string& program) {
  return fileio::ToLower(program).find("photoshop") != std::string::npos;
}

ConversionChoice ParseConversionChoice(const std::string& choice) {
  std::vector<std::string> fields = fileio::SplitFields(choice, ',');
  ConversionChoice c;
  // The box's whole list (no entry was chosen) is no choice.
  if (fields.size() != 2 || choice.find('|') != std::string::npos) return c;
  std::string extension = fileio::ToLower(fileio::Trim(fields[0]));
  size_t first = extension.find_first_not_of('.'), last = extension.find_last_not_of('.');
  if (first != std::string::npos) c.extension = "." + extension.substr(first, last - first + 1);
  c.format = int(fileio::LeadingNumber(fields[1]));
  return c;
}

ConversionFormat ConversionFormatRule(int format) {
  switch (format) {
    case 10:
      return {24, 5, false};
    case 80:
    case 85:
      return {24, 0, false};
    case 5:
      return {24, -1, false};
    case 16:
      return {8, 0, false};
    case 91:
    case 92:
      return {0, 0, true};
    default:
      return {};
  }
}

std::string ConversionTarget(const std::string& source, const std::string& extension) {
  size_t dot = NameDot(source);
  return (dot == std::string::npos ? source : source.substr(0, dot)) + extension;
}

ConversionStep PlanConversion(const std::string& source, const std::string& target, bool targetExists) {
  if (fileio::EqualsNoCase(source, target)) return ConversionStep::kSameFile;
  return targetExists ? ConversionStep::kTargetTaken : ConversionStep::kConvert;
}

std::string CleanSeriesName(const std::string& typed) { return SKCRUNCH(typed, "./\\:;,", " --   "); }

std::string SeriesBaseName(const std::string& typed) { return SKCRUNCH(CleanSeriesName(typed), " "); }

std::string NameExtension(const std::string& path) {
  size_t dot = NameDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::vector<std::string> SideFileExtensions(const std::string& uiEntry50) {
  std::vector<std::string> out;
  for (const auto& field : fileio::SplitFields(uiEntry50, ','))
    if (std::string e = fileio::Trim(field); !e.empty()) out.push_back(e);
  return out;
}

std::string SideFilePath(const std::string& picture, const std::string& extension) {
  size_t dot = NameDot(picture);
  return dot == std::string::npos ? std::string() : picture.substr(0, dot + 1) + extension;
}

std::vector<std::string> SeriesNames(const std::string& folder, const std::string& base, const std::string& extension,
                                     const std::vector<std::string>& sideExtensions) {
  std::vector<std::string> names{folder + base + extension};
  if (!extension.empty())
    for (const auto& side : sideExtensions) names.push_back(folder + base + "." + side);
  return names;
}

std::vector<std::string> ParseListFile(const std::string& bytes, const std::string& programFolder) {
  std::vector<std::string> paths;
  fileio::PathMacros macros{.programFolder = fileio::ToLower(programFolder)};
  for (const auto& line : SplitLines(bytes))
    if (std::string path = fileio::ExpandPathMacros(line, macros); !fileio::Trim(path).empty()) paths.push_back(path);
  return paths;
}

std::string ListFileText(const std::vector<std::string>& paths) {
  std::string text;
  for (const auto& p : paths) text += p + "\r\n";
  return text;
}

std::string ListSaveName(const std::string& typed, const std::string& extension) {
  std::string name = typed;
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && !extension.empty() && fileio::EqualsNoCase(name.substr(dot), extension))
    name.erase(dot);
  return fileio::NameOf(fileio::Trim(name));
}

bool HandsOverType(const std::string& name, const std::string& uiEntry65) {
  std::string extension = NameExtension(fileio::NameOf(name));
  if (extension.empty()) return false;
  std::string types = fileio::ToLower(uiEntry65) + ";";
  return types.find("*" + fileio::ToLower(extension) + ";") != std::string::npos;
}

std::vector<int> InvertedSelection(int count, const std::vector<int>& selected) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i)
    if (std::find(selected.begin(), selected.end(), i) == selected.end()) out.push_back(i);
  return out;
}

bool IsDriveRoot(const std::string& folder) {
  std::string f = fileio::Trim(folder);
  while (!f.empty() && fileio::IsSeparator(f.back())) f.pop_back();
  if (f.empty() || (f.size() == 2 && f[1] == ':')) return true;
  // A network share's root: "\\server\share".
  if (f.size() > 2 && f[0] == '\\' && f[1] == '\\') return std::count(f.begin() + 2, f.end(), '\\') <= 1;
  return false;
}

std::vector<std::string> RecycleOrder(const std::string& folder, const std::vector<std::string>& subfolders) {
  std::vector<std::string> order(subfolders.rbegin(), subfolders.rend());
  order.push_back(folder);
  return order;
}

}  // namespace kelmor

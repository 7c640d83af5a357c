#include "hessam/texts.h"

#include "fileio/fields.h"
#include "fileio/paths.h"

namespace hessam {
namespace {

std::string ReplaceAll(std::string_view text, char mark, std::string_view by) {
  std::string out;
  for (char c : text) {
    if (c == mark) out += by;
    else out += c;
  }
  return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string ProgramBaseName(std::string_view exePath) {
  std::string name = fileio::NameOf(exePath);
  return name.substr(0, name.find('.'));
}

std::string CommandLineFolder(std::string_view commandLine) {
  std::string folder = fileio::UnquoteField(commandLine);
  if (folder.empty()) return {};
  return fileio::WithTrailingSeparator(fileio::WithoutTrailingSeparator(folder));
}

std::string FolderDisplayName(std::string_view folder) {
  std::string trimmed = fileio::WithoutTrailingSeparator(folder);
  std::string name = fileio::NameOf(trimmed);
  return name.empty() ? trimmed : name;
}

std::string SearchMask(std::string_view folder) { return fileio::WithTrailingSeparator(folder) + "*.*"; }

std::string ProbeMask(std::string_view mask) {
  size_t dot = mask.rfind('.');
  if (dot == std::string_view::npos) return std::string(mask);
  return std::string(mask.substr(0, dot + 1)) + "*";
}

std::string SelectionLabel(std::string_view path, int width, int height) {
  return fileio::ToLower(fileio::NameOf(path)) + " " + std::to_string(width) + "x" + std::to_string(height);
}

std::string KeywordText(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  size_t first = 0, last = bytes.size();
  while (first < last && IsSpace(bytes[first])) ++first;
  while (last > first && IsSpace(bytes[last - 1])) --last;
  return std::string(bytes.substr(first, last - first));
}

std::string HoverText(std::string_view path, std::string_view keywords) {
  std::string text = fileio::ToLower(fileio::NameOf(path));
  if (!keywords.empty()) text += " :  " + std::string(keywords);
  return text;
}

std::string MissingPictureText(std::string_view entry, std::string_view path) {
  std::string folder = fileio::FolderOf(path);
  // A root keeps its "\" ("C:\"), every other folder loses it.
  if (folder.size() > 1 && fileio::IsSeparator(folder.back()) && folder[folder.size() - 2] != ':') folder.pop_back();
  return std::string(entry) + "|" + fileio::ToUpper(folder);
}

std::string FillCountAndFolder(std::string_view text, int count, std::string_view folder) {
  return ReplaceAll(ReplaceAll(text, '#', std::to_string(count)), '@', folder);
}

std::string AboutText(std::string_view credit, std::string_view entry, int year) {
  std::string text(credit);
  if (!text.empty() && !entry.empty()) text += "|";
  return text + ReplaceAll(entry, '#', std::to_string(year));
}

}  // namespace hessam

#include "grilton/archive_rules.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "db/archive.h"
#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"

namespace grilton {

ArchiveSettings DefaultSettings(int screenWidth, int screenHeight, const std::string& windowsFolder,
                                int defaultRecordingChoice) {
  ArchiveSettings s;
  s.left = std::max(0, (screenWidth - s.width) / 2);
  s.top = std::max(0, (screenHeight - s.height) / 2);
  s.startFolder = windowsFolder;
  s.recordingChoice = defaultRecordingChoice;
  return s;
}

namespace {

bool BreaksSettingsLine(std::string_view field) { return field.find_first_of("\"|\r\n") != std::string_view::npos; }

}  // namespace

ArchiveSettings ParseSettingsLine(std::string_view line, const ArchiveSettings& defaults) {
  ArchiveSettings s = defaults;
  std::string first(line.substr(0, line.find_first_of("\r\n")));
  if (fileio::Trim(first).empty()) return s;
  // The line's fields are never quoted: a quote is part of its field, and the bars alone
  // part the fields, so that a stray quote cannot swallow the fields after it.
  std::vector<std::string> f;
  for (size_t start = 0;;) {
    size_t bar = first.find('|', start);
    f.push_back(first.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  f.resize(std::max<size_t>(f.size(), 8));
  auto number = [&](size_t i, int& out) {
    std::string t = fileio::Trim(f[i]);
    if (!t.empty() && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-')) out = fileio::LeadingNumber(t);
  };
  number(0, s.left);
  number(1, s.top);
  number(2, s.width);
  number(3, s.height);
  // A window that no longer fits any screen comes back at the default size.
  if (s.width < 100 || s.height < 100) {
    s.width = defaults.width;
    s.height = defaults.height;
  }
  s.left = std::max(0, s.left);
  s.top = std::max(0, s.top);
  if (!fileio::Trim(f[4]).empty() && !BreaksSettingsLine(f[4])) s.startFolder = fileio::Trim(f[4]);
  if (!fileio::Trim(f[5]).empty()) s.thesaurus = fileio::Trim(f[5]);
  int choice = 0;
  number(6, choice);
  if (choice != 0) s.recordingChoice = choice;
  int style = 0;
  number(7, style);
  s.displayStyle = ClampDisplayStyle(style);
  return s;
}

std::string FormatSettingsLine(const ArchiveSettings& s) {
  // A folder that no Windows path can be and the line cannot hold is left out: the next
  // start takes the default.
  const std::string folder = BreaksSettingsLine(s.startFolder) ? std::string() : s.startFolder;
  return std::to_string(s.left) + "|" + std::to_string(s.top) + "|" + std::to_string(s.width) + "|" +
         std::to_string(s.height) + "|" + folder + "|" + s.thesaurus + "|" + std::to_string(s.recordingChoice) +
         "|" + std::to_string(ClampDisplayStyle(s.displayStyle));
}

int ClampDisplayStyle(int style) { return style >= 1 && style <= 6 ? style : 1; }

std::string ExpandFolderEntry(std::string_view entry, const std::string& programFolder) {
  std::string text = fileio::Trim(entry);
  if (text.empty()) return {};
  fileio::PathMacros macros;
  macros.programFolder = fileio::WithTrailingSeparator(programFolder);
  text = fileio::ToUpper(fileio::ExpandPathMacros(text, macros));
  while (!text.empty() && fileio::IsSeparator(text.back())) text.pop_back();
  return text + "\\";
}

std::string TemporaryPicturePath(const std::string& tempFolder, const std::string& programFile) {
  return fileio::WithTrailingSeparator(tempFolder) + fileio::ToUpper(programFile.substr(0, 3)) + "CONV.BMP";
}

PictureNameFields NameFieldsOf(std::string_view path) {
  PictureNameFields f;
  f.name = fileio::ToUpper(fileio::StemOf(path));
  f.extension = fileio::ToUpper(fileio::ExtensionOf(path));
  if (f.extension == "JPEG") f.extension = "JPG";
  return f;
}

namespace {

std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string Four(int v) {
  std::string t = std::to_string(v);
  return std::string(t.size() < 4 ? 4 - t.size() : 0, '0') + t;
}

}  // namespace

std::string FilingDate(int year, int month, int day, bool french, char separator) {
  if (french) return Two(day) + separator + Two(month) + separator + Four(year);
  return Two(month) + "-" + Two(day) + "-" + Four(year);
}

bool IsAcceptableDate(std::string_view text, bool dayFirst) {
  return db::IsAcceptableDateText(fileio::Trim(text), dayFirst);
}

std::string WorkDocumentPath(const std::string& workFolder, std::string_view documentItem) {
  std::string name = fileio::Trim(documentItem);
  if (name.empty()) return {};
  return fileio::WithTrailingSeparator(workFolder) + name;
}

std::string WorkSoundPath(const std::string& workFolder, std::string_view documentItem) {
  std::string name = fileio::Trim(documentItem);
  if (name.empty()) return {};
  return fileio::WithTrailingSeparator(workFolder) + name.substr(0, name.find('.')) + ".WAV";
}

std::string LayeredPicturePath(std::string_view picturePath) {
  return fileio::WithoutExtension(picturePath) + ".QMF";
}

HelpViewer ParseHelpViewer(std::string_view entry) {
  HelpViewer v;
  std::string rest;
  fileio::SplitAtFirst(entry, ',', v.program, rest);
  v.program = fileio::Trim(v.program);
  v.windowClass = fileio::Trim(rest);
  return v;
}

std::string HelpViewerCommandLine(const std::string& program, const std::string& document) {
  return program + " " + document + ",";
}

std::string ProgramOfCommand(std::string_view command) {
  std::string text = fileio::Trim(command);
  if (!text.empty() && text[0] == '"') {
    size_t end = text.find('"', 1);
    return end == std::string::npos ? text.substr(1) : text.substr(1, end - 1);
  }
  return text.substr(0, text.find(' '));
}

std::string OpenDialogFilter(std::string_view pairs) {
  std::string filter;
  size_t start = 0;
  while (start <= pairs.size() && !pairs.empty()) {
    size_t bar = pairs.find('|', start);
    std::string_view part = pairs.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    filter.append(part);
    filter.push_back('\0');
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  filter.push_back('\0');
  return filter;
}

std::string WithExtension(std::string_view name, std::string_view extension) {
  return fileio::WithoutExtension(name) + std::string(extension);
}

}  // namespace grilton

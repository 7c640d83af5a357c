#include "dunmere/show_format.h"

#include <utility>

#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace dunmere {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string HeaderNumbers(const ShowHeader& h) {
  return "|" + std::to_string(h.optionOne) + "|" + std::to_string(h.optionTwo) + "|" + std::to_string(h.optionThree) +
         "|" + std::to_string(h.groupValue) + "|" + std::to_string(h.textFileNumber) + "|" +
         std::to_string(h.defaultTime);
}

// The inside of a "[...]" header line: without the "[" and a closing "]".
std::string HeaderInside(const std::string& line) {
  std::string inside = line.substr(1);
  if (!inside.empty() && inside.back() == ']') inside.pop_back();
  return inside;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return !tail.empty() && text.size() >= tail.size() &&
         fileio::EqualsNoCase(std::string_view(text).substr(text.size() - tail.size()), tail);
}

}  // namespace

std::string FormatProjectFile(const ShowHeader& header, const std::vector<std::string>& slides) {
  std::string out = "[" + header.musicList + HeaderNumbers(header) + "]";
  out += kLineEnd;
  for (const auto& slide : slides) {
    out += slide;
    out += kLineEnd;
  }
  return out;
}

ProjectFile ParseProjectFile(std::string_view text) {
  ProjectFile file;
  for (const auto& raw : SplitLines(std::string(text))) {
    std::string line = fileio::Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '[') {
      std::vector<std::string> fields;
      SKSPLITS(HeaderInside(line), "|", fields);
      file.hasHeader = true;
      file.musicList = fileio::Trim(fields[0]);
      for (size_t i = 0; i < 3; ++i) {
        if (fields.size() <= i + 1) break;
        file.hasOption[i] = true;
        file.options[i] = fileio::LeadingNumber(fields[i + 1]) != 0 ? 1 : 0;
      }
      continue;
    }
    file.slides.push_back(line);
  }
  return file;
}

std::string ShowNameOf(std::string name, const std::string& defaultName, const std::string& extension) {
  name = fileio::Trim(name);
  if (name.empty()) name = defaultName;
  if (EndsWithNoCase(name, extension)) name.resize(name.size() - extension.size());
  name = fileio::Trim(fileio::NameOf(fileio::Trim(name)));
  if (name.empty()) name = fileio::NameOf(fileio::Trim(defaultName));
  return name;
}

std::string ProjectFilePath(const std::string& showFolder, std::string name, const std::string& defaultName,
                            const std::string& extension) {
  return fileio::WithTrailingSeparator(showFolder) + ShowNameOf(std::move(name), defaultName, extension) + extension;
}

void SplitExtensions(const std::string& entry, std::string& first, std::string& second) {
  std::vector<std::string> parts;
  SKSPLITS(entry, ",", parts);
  auto dotted = [](std::string e) {
    e = fileio::Trim(e);
    if (!e.empty() && e.front() != '.') e.insert(e.begin(), '.');
    return e;
  };
  first = dotted(parts[0]);
  second = parts.size() > 1 ? dotted(parts[1]) : std::string();
}

std::string FormatShowList(const ShowHeader& header, const std::vector<ShowListEntry>& entries) {
  std::string out = "[" + header.musicList + HeaderNumbers(header) + "|" + std::to_string(header.modeFlag) + "]";
  out += kLineEnd;
  for (const auto& e : entries) {
    out += e.picture + "," + e.time;
    out += kLineEnd;
  }
  return out;
}

ShowList ParseShowList(std::string_view text, const std::string& listFolder) {
  ShowList list;
  bool first = true;
  for (const auto& raw : SplitLines(std::string(text))) {
    std::string line = fileio::Trim(raw);
    if (line.empty()) continue;
    if (first) {
      first = false;
      if (line.front() != '[') return list;
      std::vector<std::string> f;
      SKSPLITS(HeaderInside(line), "|", f);
      f.resize(8);
      ShowHeader& h = list.header;
      h.musicList =
          f[0].empty() ? std::string() : fileio::ExpandPathMacros(fileio::Trim(f[0]), ShowPathMacros(listFolder));
      h.optionOne = fileio::LeadingNumber(f[1]);
      h.optionTwo = fileio::LeadingNumber(f[2]);
      h.optionThree = fileio::LeadingNumber(f[3]);
      h.groupValue = fileio::LeadingNumber(f[4]);
      h.textFileNumber = fileio::LeadingNumber(f[5]);
      h.defaultTime = fileio::LeadingNumber(f[6]);
      h.modeFlag = fileio::LeadingNumber(f[7]) != 0 ? -1 : 0;
      list.valid = true;
      continue;
    }
    // The time follows the last ",": a picture's folder may hold commas.
    size_t comma = line.rfind(',');
    ShowListEntry e;
    e.picture = fileio::ExpandPathMacros(fileio::Trim(line.substr(0, comma)), ShowPathMacros(listFolder));
    if (comma != std::string::npos) e.time = fileio::Trim(line.substr(comma + 1));
    list.entries.push_back(std::move(e));
  }
  return list;
}

std::string TimeFromTimText(std::string_view timText) {
  std::vector<std::string> lines = SplitLines(std::string(timText));
  return lines.empty() ? std::string() : fileio::Trim(lines.front());
}

std::string FormatAutorun(const std::string& playerProgram, const std::string& openName) {
  std::string out = "[autorun]";
  out += kLineEnd;
  out += "OPEN=" + playerProgram + " " + QuoteIfBlank(openName);
  out += kLineEnd;
  out += "ICON=" + playerProgram + ",0";
  out += kLineEnd;
  return out;
}

fileio::PathMacros ShowPathMacros(const std::string& folder) {
  return {.programFolder = folder, .atStartOnly = true};
}

std::string QuoteIfBlank(const std::string& path) {
  if (path.find(' ') == std::string::npos || (path.size() >= 2 && path.front() == '"' && path.back() == '"'))
    return path;
  return "\"" + path + "\"";
}

}  // namespace dunmere

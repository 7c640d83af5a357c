#include <algorithm>
#include <cctype>
#include <new>

#include "db/archive.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_crypt.h"

namespace db {
namespace {

constexpr int kMaxTopicSlots = 99;
constexpr int32_t kShadeColour = 223 | (223 << 8) | (223 << 16);  // RGB(223, 223, 223)

std::string FirstLine(const std::string& text) {
  size_t end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

TopicSlots ParseTopicSlots(std::string_view entry) {
  TopicSlots slots;
  std::string text = fileio::Trim(entry);
  size_t blank = text.find_last_of(" \t");
  std::string head = blank == std::string::npos ? "" : text.substr(0, blank);
  std::string tail = blank == std::string::npos ? text : text.substr(blank + 1);
  bool number = !tail.empty() && tail.size() <= 6 &&
                std::all_of(tail.begin(), tail.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (number) {
    slots.count = std::clamp(std::stoi(tail), 3, kMaxTopicSlots);
  } else {
    head = text;  // no number: the whole text is the prefix
  }
  slots.titlePrefix = fileio::Trim(head) + " ";
  return slots;
}

std::vector<DBFIELD> ArchiveFields(int n, int year, int month, int32_t flagColour1, int32_t flagColour2) {
  n = std::clamp(n, 3, kMaxTopicSlots);
  struct FieldShape {
    int width, kind, flag;
  };
  std::vector<FieldShape> shapes = {{8, 10, 0}, {30, 2, 0}, {8, 4, 0}, {3, 2, 0}, {2, 10, 0}, {8, 10, 0},
                             {5, 10, 0}, {5, 10, 0}, {9, 10, 0}, {4, 10, 2}, {2, 10, 2}};
  for (int k = 0; k < n; ++k) shapes.push_back({40, 20, 1});
  for (int w : {100, 1, 20, 30, 12, 12, 12}) shapes.push_back({w, w == 1 ? 6 : 20, 0});
  std::vector<DBFIELD> fields;
  int position = 1;
  for (size_t i = 0; i < shapes.size(); ++i) {
    const int f = int(i) + 1;
    DBFIELD d;
    d.kind = int16_t(shapes[i].kind);
    d.width = int16_t(shapes[i].width);
    d.flag = uint8_t(shapes[i].flag);
    d.shade = 1;
    d.position = int16_t(position);
    position += shapes[i].width;
    d.style = (f == 1 || f == FieldFlag(n)) ? 2 : (f <= FieldFreeText(n) ? 1 : 0);
    if (f == FieldFlag(n)) {
      d.colour1 = flagColour1;
      d.colour2 = flagColour2;
    } else {
      d.colour2 = kShadeColour;
    }
    if (f == 10) {
      d.minimum = 1800;
      d.maximum = 2100;
      d.defaultValue = int16_t(std::clamp(year, 1800, 2100));
    } else if (f == 11) {
      d.minimum = 1;
      d.maximum = 12;
      d.defaultValue = int16_t(std::clamp(month, 1, 12));
    }
    fields.push_back(d);
  }
  return fields;
}

std::string DefaultTopicTitle(const std::string& prefix, int slot) {
  std::string number = std::to_string(slot);
  if (number.size() < 2) number.insert(0, 1, '0');
  return prefix + number;
}

std::vector<std::string> ReadTopicTitles(const std::string& path, int topicSlots, const std::string& prefix) {
  std::vector<std::string> titles(size_t(std::max(topicSlots, 0)));
  std::string text;
  if (fileio::ReadWholeFile(path, text) == 0) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  }
  if (text.empty()) {
    for (size_t k = 0; k < titles.size(); ++k) titles[k] = DefaultTopicTitle(prefix, int(k) + 1);
    return titles;
  }
  size_t k = 0, start = 0;
  while (k < titles.size()) {
    size_t bar = text.find('|', start);
    titles[k++] = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return titles;
}

int WriteTopicTitles(const std::string& path, const std::vector<std::string>& titles) {
  std::string text;
  for (size_t i = 0; i < titles.size(); ++i) text += (i ? "|" : "") + titles[i];
  return fileio::WriteFileReplacing(path, text);
}

int ResolveDataFolder(const std::string& programFolder, const std::string& baseName, std::string& dataFolder) {
  const std::string program = fileio::WithTrailingSeparator(programFolder);
  dataFolder = program;
  std::string text;
  if (fileio::ReadWholeFile(program + baseName + "NET.CFG", text) != 0) return 0;
  std::string line = fileio::ToUpper(fileio::Trim(FirstLine(text)));
  if (line.empty()) return 0;
  line = fileio::ExpandPathMacros(line, {.programFolder = program});
  while (!line.empty() && fileio::IsSeparator(line.back())) line.pop_back();
  dataFolder = line + "\\";
  return fileio::MakeDirectories(dataFolder);
}

int CopyStandardThesaurus(const std::string& programFolder, const std::string& dataFolder) {
  const std::string source = fileio::WithTrailingSeparator(programFolder) + "standard.thm";
  const std::string target = fileio::WithTrailingSeparator(dataFolder) + "standard.thm";
  if (fileio::Exists(target) || !fileio::Exists(source)) return 0;
  return fileio::CopyFileTo(source, target);
}

int ReadPasswordFile(const std::string& path, std::string& password) {
  password.clear();
  std::string bytes;
  int rc = fileio::ReadWholeFile(path, bytes);
  if (rc != 0) return rc;
  return SKDECRYPT(bytes, password);
}

int WritePasswordFile(const std::string& path, const std::string& password) {
  try {
    return fileio::WriteFileReplacing(path, SKENCRYPT(password));
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

}  // namespace db

#include "jorvel/player_texts.h"

#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace jorvel {

namespace {

std::string ReplaceAll(std::string text, char mark, const std::string& by) {
  for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
    text.replace(at, 1, by);
  return text;
}

std::string FileNameOf(const std::string& item) {
  std::string folder, name;
  SKSPLITN(item, folder, name);
  return name;
}

}  // namespace

std::string PlayFailureText(const std::string& entry12, const std::string& item, int result,
                            const std::string& reasons, const std::string& failure) {
  std::string text = ReplaceAll(entry12, '#', std::to_string(result)) + item;
  if (failure.empty()) return text;
  for (const std::string& field : fileio::SplitFields(reasons, '|')) {
    size_t equals = field.find('=');
    if (equals != std::string::npos && fileio::Trim(field.substr(0, equals)) == failure)
      return text + "|" + fileio::Trim(field.substr(equals + 1));
  }
  return text;
}

std::string AboutText(const std::string& credit, const std::string& entry2, const std::string& date) {
  std::string year = date.size() >= 4 ? date.substr(date.size() - 4) : date;
  return credit + "|" + ReplaceAll(entry2, '#', year);
}

std::string PlayingTitle(const std::string& entry1, const std::string& item) {
  return entry1 + " - " + FileNameOf(item);
}

std::string MarqueeText(const std::string& item, const std::string& musicName, const std::string& streamName) {
  if (!musicName.empty()) return musicName;
  if (!streamName.empty()) return streamName;
  return FileNameOf(item);
}

std::string ConfigFolderOf(const std::string& entry81, const std::string& programFolder,
                           const std::string& userFolder) {
  if (entry81.empty()) return std::string();
  std::string folder = fileio::ExpandPathMacros(fileio::ToLower(entry81),
                                                {.programFolder = programFolder, .userFolder = userFolder});
  const bool network = folder.rfind("\\\\", 0) == 0;
  std::string collapsed = network ? "\\\\" : "";
  for (size_t i = collapsed.size(); i < folder.size(); ++i)
    if (!(folder[i] == '\\' && !collapsed.empty() && collapsed.back() == '\\')) collapsed += folder[i];
  return fileio::WithTrailingSeparator(collapsed);
}

}  // namespace jorvel

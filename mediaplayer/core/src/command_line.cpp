#include "falcet/command_line.h"

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace falcet {

namespace {
constexpr char kProtectedBlank = '\1';
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         fileio::EqualsNoCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && fileio::EqualsNoCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

bool HasRecordKeyword(const std::string& commandLine) {
  return SKUCASE(commandLine).find("SSL2AVI") != std::string::npos;
}

std::string ArgumentList(const std::string& commandLine) {
  std::string line = fileio::Trim(commandLine);
  // Quoted names: their blanks are protected and the quotes go.
  size_t from = 0;
  bool restIsOneName = true;
  for (;;) {
    size_t open = line.find('"', from);
    if (open == std::string::npos) break;
    size_t close = line.find('"', open + 1);
    if (close == std::string::npos) {
      // An unmatched quote: the rest of the line is one name.
      line.erase(open, 1);
      break;
    }
    for (size_t i = open + 1; i < close; ++i)
      if (line[i] == ' ') line[i] = kProtectedBlank;
    // The closing quote was one of the last two characters: every name is given.
    bool lastTwo = close + 2 >= line.size();
    line.erase(close, 1);
    line.erase(open, 1);
    if (lastTwo) {
      restIsOneName = false;
      break;
    }
    from = close - 1;  // just after the name, in the shortened line
  }
  if (restIsOneName) {
    // No (further) quote: every blank belongs to one name.
    for (char& c : line)
      if (c == ' ') c = kProtectedBlank;
  }
  for (char& c : line) {
    if (c == ' ') c = '|';
    else if (c == kProtectedBlank) c = ' ';
  }
  // A blank in front of a drive path parts two names.
  for (size_t i = 0; i + 3 < line.size(); ++i)
    if (line[i] == ' ' && line[i + 2] == ':' && line[i + 3] == '\\') line[i] = '|';
  std::vector<std::string> parts;
  SKSPLITS(line, "|", parts);
  std::string out;
  for (const auto& p : parts) {
    std::string name = fileio::Trim(p);
    if (name.empty()) continue;
    if (!out.empty()) out += '|';
    out += name;
  }
  return out;
}

bool IsUiTextArgument(const std::string& commandLine) {
  return EndsWithNoCase(commandLine, ".SYS") && commandLine.find(' ') == std::string::npos;
}

bool IsUsableUiText(const std::string& text, std::vector<UiTextError>& errors) {
  errors.clear();
  UiTextFile file = ParseUiText(text, errors);
  return errors.empty() && (file.strings.size() > 1 || !file.menus.menus.empty());
}

bool IsWebAddress(const std::string& item) {
  return StartsWithNoCase(item, "http://") || StartsWithNoCase(item, "https://") || StartsWithNoCase(item, "ftp://");
}

bool NeedsConnection(const std::string& item) { return IsWebAddress(item); }

std::string WebAddressOf(const std::string& name) {
  if (StartsWithNoCase(name, "file://") || IsWebAddress(name)) return name;
  return "file://" + name;
}

std::string AutorunStartItem(const std::string& autorunText, const std::string& programName) {
  const std::string key = "open=" + fileio::ToLower(programName);
  for (const auto& raw : SplitLines(autorunText)) {
    std::string line = fileio::Trim(raw);
    if (fileio::ToLower(line).rfind(key, 0) != 0) continue;
    std::string rest = line.substr(key.size());
    // "open=falcet.exe NAME": the program's name must end there.
    if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') continue;
    return fileio::UnquoteField(rest);
  }
  return std::string();
}

}  // namespace falcet

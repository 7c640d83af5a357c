#include "kelmor/cmdline.h"

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {

constexpr char kProtected = '\x01';

void ProtectBlanks(std::string& text, size_t from, size_t to) {
  for (size_t i = from; i < to && i < text.size(); ++i)
    if (text[i] == ' ') text[i] = kProtected;
}

// Pass 1. The pass ends when a closing quote was the last or next-to-last character:
// the text after removing the two quotes is shorter than the closing quote's 1-based
// position.
void ProtectQuoted(std::string& text) {
  for (;;) {
    size_t open = text.find('"');
    if (open == std::string::npos) {
      ProtectBlanks(text, 0, text.size());
      return;
    }
    size_t close = text.find('"', open + 1);
    if (close == std::string::npos) {
      // No partner for this quote: the rest of the line is one name.
      ProtectBlanks(text, open + 1, text.size());
      text.erase(open, 1);
      return;
    }
    ProtectBlanks(text, open + 1, close);
    text.erase(close, 1);
    text.erase(open, 1);
    if (text.size() < close + 1) return;
  }
}

bool IsDriveAt(const std::string& text, size_t i) {
  return i + 2 < text.size() && text[i + 1] == ':' && (text[i + 2] == '\\' || text[i + 2] == '/');
}

std::string WithoutEmptyNames(const std::string& list) {
  std::string out;
  size_t pos = 0;
  while (pos <= list.size()) {
    size_t bar = list.find('|', pos);
    std::string name = list.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
    if (!name.empty()) out += (out.empty() ? "" : "|") + name;
    if (bar == std::string::npos) break;
    pos = bar + 1;
  }
  return out;
}

bool EndsWithSks(const std::string& text) {
  return text.size() >= 4 && fileio::EqualsNoCase(std::string_view(text).substr(text.size() - 4), ".sks");
}

}  // namespace

std::string PrepareFileNames(std::string_view input) {
  std::string text(input);
  ProtectQuoted(text);
  for (char& c : text) {
    if (c == ' ') c = '|';
    else if (c == kProtected) c = ' ';
  }
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == ' ' && IsDriveAt(text, i + 1)) text[i] = '|';
  return WithoutEmptyNames(text);
}

BrowserCommandLine ParseBrowserCommandLine(std::string_view commandLine) {
  BrowserCommandLine out;
  std::string text = SKLCASE(fileio::Trim(commandLine));
  if (text.empty()) return out;
  if (SKUCASE(text) == kUsbDetectedArgument) {
    out.startByDrive = true;
    return out;
  }
  // A skin file given in quotes (a folder with blanks) is still a skin file.
  std::string unquoted = fileio::UnquoteField(text);
  if (EndsWithSks(unquoted)) {
    out.skinFile = unquoted;
    return out;
  }
  out.fileList = PrepareFileNames(text);
  return out;
}

}  // namespace kelmor

#include "skin/ui_text.h"

#include "skin/sk_text.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

#include "fileio/file.h"
#include "fileio/paths.h"

Menu* MenuTable::FindMenu(int number) {
  for (auto& m : menus)
    if (m.number == number) return &m;
  return nullptr;
}

const Menu* MenuTable::FindMenu(int number) const {
  return const_cast<MenuTable*>(this)->FindMenu(number);
}

MenuItem* MenuTable::FindItem(int command) {
  for (auto& m : menus)
    for (auto& i : m.items)
      if (!i.separator && i.command == command) return &i;
  return nullptr;
}

const MenuItem* MenuTable::FindItem(int command) const {
  return const_cast<MenuTable*>(this)->FindItem(command);
}

bool MenuTable::RemoveItem(int command) {
  for (auto& m : menus) {
    for (auto it = m.items.begin(); it != m.items.end(); ++it) {
      if (!it->separator && it->command == command) {
        m.items.erase(it);
        return true;
      }
    }
  }
  return false;
}

const std::string& UiEntry(const StringTable& strings, int n) {
  static const std::string kEmpty;
  if (n <= 0 || size_t(n) >= strings.size()) return kEmpty;
  return strings[size_t(n)];
}

namespace {

// One line split into words: bare words, numbers and quoted texts ("" inside a quoted text
// stands for one quote).
struct Tokens {
  std::vector<std::string> words;
  std::vector<bool> quoted;
};

bool Tokenise(const std::string& line, Tokens& out, std::string& error) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    if (c == '"') {
      std::string text;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            text += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        text += line[i++];
      }
      if (!closed) {
        error = "a quoted text has no closing quote";
        return false;
      }
      out.words.push_back(text);
      out.quoted.push_back(true);
      continue;
    }
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"') ++i;
    out.words.push_back(line.substr(start, i - start));
    out.quoted.push_back(false);
  }
  return true;
}

bool ParseNumber(const std::string& word, int& value) {
  if (word.empty() || word.size() > 9) return false;
  for (char c : word)
    if (c < '0' || c > '9') return false;
  value = std::atoi(word.c_str());
  return true;
}

}  // namespace

UiTextFile ParseUiText(const std::string& text, std::vector<UiTextError>& errors) {
  UiTextFile file;
  Menu* current = nullptr;
  int lineNumber = 0;
  auto fail = [&](const std::string& message) { errors.push_back({lineNumber, message}); };

  for (std::string line : SplitLines(text)) {
    ++lineNumber;
    if (lineNumber == 1 && line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    std::string trimmed = fileio::Trim(line);
    if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';') continue;

    Tokens t;
    std::string error;
    if (!Tokenise(trimmed, t, error)) {
      fail(error);
      continue;
    }
    std::string keyword = fileio::ToUpper(t.words[0]);
    if (t.quoted[0]) {
      fail("a line must begin with STRING, MENU, POPUP, ITEM, SEPARATOR or END");
      continue;
    }
    int number = 0;
    if (keyword == "STRING") {
      if (t.words.size() != 3 || !ParseNumber(t.words[1], number) || number < 1 || !t.quoted[2]) {
        fail("expected: STRING <number> \"text\"");
        continue;
      }
      if (number > kUiEntryLimit) {
        fail("entry " + std::to_string(number) + " is above the highest entry number, " +
             std::to_string(kUiEntryLimit));
        continue;
      }
      if (size_t(number) >= file.strings.size()) file.strings.resize(size_t(number) + 1);
      file.strings[size_t(number)] = t.words[2];
    } else if (keyword == "MENU" || keyword == "POPUP") {
      if (current) {
        fail("menu " + std::to_string(current->number) + " has no END");
        current = nullptr;
      }
      if (t.words.size() != 3 || !ParseNumber(t.words[1], number) || number < 1 || !t.quoted[2]) {
        fail("expected: " + keyword + " <number> \"caption\"");
        continue;
      }
      if (file.menus.FindMenu(number)) {
        fail("menu " + std::to_string(number) + " is defined twice");
        continue;
      }
      Menu m;
      m.number = number;
      m.caption = t.words[2];
      m.inMenuBar = keyword == "MENU";
      file.menus.menus.push_back(std::move(m));
      current = &file.menus.menus.back();
    } else if (keyword == "ITEM") {
      if (!current) {
        fail("ITEM outside a menu");
        continue;
      }
      size_t n = t.words.size();
      if (n < 3 || !ParseNumber(t.words[1], number) || !t.quoted[2] || (n >= 4 && !t.quoted[3])) {
        fail("expected: ITEM <command> \"caption\" [\"action\"] [CHECKED] [GRAYED]");
        continue;
      }
      MenuItem item;
      item.command = number;
      item.caption = t.words[2];
      size_t k = 3;
      if (n >= 4 && t.quoted[3]) item.action = t.words[k++];
      bool ok = true;
      for (; k < n; ++k) {
        std::string flag = fileio::ToUpper(t.words[k]);
        if (t.quoted[k]) ok = false;
        else if (flag == "CHECKED") item.checked = true;
        else if (flag == "GRAYED") item.grayed = true;
        else ok = false;
      }
      if (!ok) {
        fail("unknown item flag (CHECKED and GRAYED are known)");
        continue;
      }
      if (file.menus.FindItem(number)) {
        fail("command " + std::to_string(number) + " is used twice");
        continue;
      }
      current->items.push_back(std::move(item));
    } else if (keyword == "SEPARATOR") {
      if (!current) {
        fail("SEPARATOR outside a menu");
        continue;
      }
      MenuItem sep;
      sep.separator = true;
      current->items.push_back(sep);
    } else if (keyword == "END") {
      if (!current) fail("END without a menu");
      current = nullptr;
    } else {
      fail("unknown keyword " + t.words[0]);
    }
  }
  if (current) {
    fail("menu " + std::to_string(current->number) + " has no END");
  }
  return file;
}

std::string UiTextErrorReport(const std::string& path, const std::vector<UiTextError>& errors,
                              const std::string& separator) {
  std::string report;
  for (const auto& e : errors) {
    if (!report.empty()) report += separator;
    report += path + "(" + std::to_string(e.line) + "): " + e.message;
  }
  return report;
}

namespace {
std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}
}  // namespace

std::string FormatUiText(const UiTextFile& file) {
  std::string out;
  for (const auto& m : file.menus.menus) {
    out += (m.inMenuBar ? "MENU " : "POPUP ") + std::to_string(m.number) + " " + Quote(m.caption) + "\r\n";
    for (const auto& i : m.items) {
      if (i.separator) {
        out += "  SEPARATOR\r\n";
        continue;
      }
      out += "  ITEM " + std::to_string(i.command) + " " + Quote(i.caption);
      if (!i.action.empty() || i.checked || i.grayed) out += " " + Quote(i.action);
      if (i.checked) out += " CHECKED";
      if (i.grayed) out += " GRAYED";
      out += "\r\n";
    }
    out += "END\r\n";
  }
  for (size_t n = 1; n < file.strings.size(); ++n) {
    out += "STRING " + std::to_string(n) + " " + Quote(file.strings[n]) + "\r\n";
  }
  return out;
}

namespace {
std::function<void(const std::string&)>& Reporter() {
  static std::function<void(const std::string&)> reporter;
  return reporter;
}

// Reads and parses a UI text file, reporting each malformed line once with its path.
bool LoadUiText(const std::string& path, UiTextFile& file) {
  std::string bytes;
  if (fileio::ReadWholeFile(path, bytes) != fileio::kOk) return false;
  std::vector<UiTextError> errors;
  file = ParseUiText(bytes, errors);
  // The menus and the strings come from one file: report its faults once per process.
  static std::mutex lock;
  static std::set<std::string> reported;
  if (!errors.empty()) {
    std::lock_guard<std::mutex> g(lock);
    if (reported.insert(fileio::ToUpper(path)).second) ReportSkinError(UiTextErrorReport(path, errors));
  }
  return true;
}
}  // namespace

void SetSkinErrorReporter(std::function<void(const std::string&)> reporter) { Reporter() = std::move(reporter); }

void ReportSkinError(const std::string& message) {
  if (Reporter()) Reporter()(message);
  else std::fprintf(stderr, "%s\n", message.c_str());
}

int SKREADM(const std::string& path, MenuTable& table, int& count) {
  UiTextFile file;
  if (!LoadUiText(path, file)) {
    table = MenuTable();
    count = -1;
    return -1;
  }
  table = std::move(file.menus);
  count = int(table.menus.size());
  return count;
}

int SKREADSTR(const std::string& path, StringTable& strings, int& count) {
  UiTextFile file;
  if (!LoadUiText(path, file)) {
    strings = StringTable{std::string()};
    count = -1;
    return -1;
  }
  strings = std::move(file.strings);
  count = int(strings.size()) - 1;
  return count;
}

std::string SKMACTE(int command, const MenuTable& table) {
  const MenuItem* item = table.FindItem(command);
  return item ? item->action : std::string();
}

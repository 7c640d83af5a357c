// The UI text file (<program>.SYS): the program's menus and its numbered string table.
// The format is described in docs/ui-text-file.md. Portable.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct MenuItem {
  int command = 0;          // 100 x menu number + item number, as the file gives it
  std::string caption;      // "&" marks the access key; a TAB separates a shortcut text
  std::string action;       // the action text (SKMACTE); "" when none
  bool separator = false;
  bool checked = false;
  bool grayed = false;
};

struct Menu {
  int number = 0;
  std::string caption;
  bool inMenuBar = true;    // false for menus that are only shown as popups
  std::vector<MenuItem> items;
};

struct MenuTable {
  std::vector<Menu> menus;

  Menu* FindMenu(int number);
  const Menu* FindMenu(int number) const;
  MenuItem* FindItem(int command);
  const MenuItem* FindItem(int command) const;
  // Deletes the item with this command from its menu; false when there is none.
  bool RemoveItem(int command);
};

// The numbered string table: entry n is strings[n]; strings[0] is unused.
using StringTable = std::vector<std::string>;

// The highest entry number a UI text file may define. The programs use entries below 200;
// the table is as long as its highest entry, so a mistyped number must not reserve more.
constexpr int kUiEntryLimit = 9999;

// Entry n of a string table, "" when the table has no such entry.
const std::string& UiEntry(const StringTable& strings, int n);

struct UiTextFile {
  MenuTable menus;
  StringTable strings{std::string()};
};

struct UiTextError {
  int line = 0;
  std::string message;
};

// Parses the text of a UI text file. Malformed lines are skipped and reported in errors;
// everything else is kept.
UiTextFile ParseUiText(const std::string& text, std::vector<UiTextError>& errors);
// The report of a file's malformed lines: "path(line): message" for each, joined by
// separator.
std::string UiTextErrorReport(const std::string& path, const std::vector<UiTextError>& errors,
                              const std::string& separator = "\n");
// Writes a table back in the file's format (used by tools and tests).
std::string FormatUiText(const UiTextFile& file);

// Engine-wide reporter for malformed files: "path(line): message". The Windows engine
// shows a message box; the default writes to stderr.
void SetSkinErrorReporter(std::function<void(const std::string&)> reporter);
void ReportSkinError(const std::string& message);

// Reads the menus of a UI text file; returns the number of menus, or -1 when the file
// cannot be read (count is set the same way).
int SKREADM(const std::string& path, MenuTable& table, int& count);
// Reads the string table; count receives the highest entry number (-1: no file).
int SKREADSTR(const std::string& path, StringTable& strings, int& count);
// The action text of a command, "" when the table has no such command.
std::string SKMACTE(int command, const MenuTable& table);

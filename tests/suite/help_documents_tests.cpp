// The help documents of the installed suite: every program with a help command finds the
// document it opens in the program folder, under the name it opens, and the document covers
// the program's menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "shipped_ui_file.h"
#include "test_windows.h"

namespace {

// How a program names its help document: a UI entry (or one comma field of it), "@path@"
// standing for the program folder and a bare name lying beside the program; or, with no
// entry, the program's own name with ".htm".
struct HelpSource {
  const char* program;
  int entry;       // 0: "<program>.htm"
  int field = -1;  // -1: the whole entry; else the 0-based comma field
};

const std::vector<HelpSource>& HelpSources() {
  static const std::vector<HelpSource> sources = {
      {"kelmor", 45},  {"bravik", 43},  {"hessam", 40},     {"grilton", 80}, {"ostrel", 70},
      {"lumbric", 65}, {"jorvel", 60},  {"jorvel", 79},     {"falcet", 90, 2}, {"dunmere", 0},
  };
  return sources;
}

const char* const kPrograms[] = {"kelmor", "bravik", "dunmere", "falcet", "jorvel",
                                 "hessam", "grilton", "lumbric", "narwen", "ostrel"};

std::string DocumentPath(const HelpSource& source, const UiTextFile& ui) {
  const std::string folder = SuiteFolder();
  if (source.entry == 0) return folder + source.program + ".htm";
  std::string name = UiEntry(ui.strings, source.entry);
  if (source.field >= 0) {
    std::vector<std::string> fields = fileio::SplitFields(name, ',');
    name = size_t(source.field) < fields.size() ? fields[size_t(source.field)] : std::string();
  }
  name = fileio::Trim(fileio::ExpandPathMacros(name, {.programFolder = folder}));
  if (name.empty()) return {};
  const bool full = name.find(':') != std::string::npos || name.rfind("\\\\", 0) == 0;
  return full ? name : folder + name;
}

// A menu caption as the document would name it: no access key mark, no shortcut text.
std::string PlainCaption(const std::string& caption) {
  std::string text = caption.substr(0, caption.find('\t'));
  std::string plain;
  for (char c : text)
    if (c != '&') plain += c;
  return fileio::Trim(plain);
}

bool HasHelpCommand(const UiTextFile& ui) {
  for (const Menu& menu : ui.menus.menus)
    for (const MenuItem& item : menu.items)
      if (!item.separator && fileio::EqualsNoCase(PlainCaption(item.caption), "Help")) return true;
  return false;
}

bool Listed(const std::string& program) {
  for (const HelpSource& source : HelpSources())
    if (program == source.program) return true;
  return false;
}

// The document is there and whole, and names each menu of the program's menu bar.
void CheckDocument(const HelpSource& source) {
  const UiTextFile ui = LoadShippedUiFile(SuiteFolder() + source.program + ".SYS");
  const std::string path = DocumentPath(source, ui);
  ASSERT_FALSE(path.empty()) << "the UI text file names no help document";
  std::string text;
  ASSERT_EQ(fileio::ReadWholeFile(path, text), fileio::kOk) << path;
  EXPECT_GT(text.size(), 200u) << path;
  const std::string lower = fileio::ToLower(text);
  for (const Menu& menu : ui.menus.menus) {
    if (!menu.inMenuBar) continue;
    const std::string caption = fileio::ToLower(PlainCaption(menu.caption));
    EXPECT_NE(lower.find(caption), std::string::npos) << path << " does not name the menu " << caption;
  }
  if (fileio::EqualsNoCase(fileio::ExtensionOf(path), "htm")) {
    EXPECT_NE(lower.find("<title>"), std::string::npos) << path;
    EXPECT_NE(lower.find("</html>"), std::string::npos) << path << " is cut short";
  } else {
    // A plain text for Windows viewers: every line ends in CR LF.
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
      ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << path << " has a bare LF at " << at;
  }
}

TEST(HelpDocuments, EachProgramFindsItsDocumentInTheProgramFolderAndItNamesEveryMenu) {
  for (const HelpSource& source : HelpSources()) {
    SCOPED_TRACE(std::string(source.program) + " entry " + std::to_string(source.entry));
    CheckDocument(source);
  }
}

TEST(HelpDocuments, EveryProgramWithAHelpMenuItemIsChecked) {
  for (const char* program : kPrograms) {
    const UiTextFile ui = LoadShippedUiFile(SuiteFolder() + program + ".SYS");
    if (HasHelpCommand(ui)) {
      EXPECT_TRUE(Listed(program)) << program << " has a help command but no document check";
    }
  }
}

}  // namespace

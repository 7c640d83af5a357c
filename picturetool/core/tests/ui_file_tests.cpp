// The shipped bravik.SYS: it parses cleanly and holds every entry and command that the
// picture tool reads, with partner entries that name programs of the suite.
#include <gtest/gtest.h>

#include <map>

#include "fileio/file.h"
#include "imaging/partner_entry.h"
#include "imaging/suite_classes.h"
#include "shipped_ui_file.h"
#include "skin/ui_text.h"
#ifdef _WIN32
#include "test_windows.h"
#endif

namespace bravik {
namespace {

std::string ShippedUiFile() {
#ifdef _WIN32
  return SuiteFolder() + "bravik.SYS";
#else
  return BRAVIK_SOURCE_DIR "/bravik.SYS";
#endif
}

UiTextFile Load() { return LoadShippedUiFile(ShippedUiFile()); }

TEST(ShippedUiFile, HoldsEveryEntryThePictureToolReads) {
  UiTextFile file = Load();
  for (int n = 1; n <= 72; ++n) {
    if (n == 2 || n == 7 || n == 9 || n == 12 || n == 15 || (n >= 17 && n <= 19) || n == 25 ||
        (n >= 28 && n <= 30) || n == 35 || n == 41 || n == 42 || (n >= 59 && n <= 62) || n == 64 || n == 66)
      continue;
    EXPECT_FALSE(UiEntry(file.strings, n).empty()) << "UI entry " << n;
  }
  EXPECT_GT(std::atoi(UiEntry(file.strings, 56).c_str()), 0);
  EXPECT_NE(UiEntry(file.strings, 32).find('#'), std::string::npos);
  EXPECT_NE(UiEntry(file.strings, 32).find('@'), std::string::npos);
  EXPECT_NE(UiEntry(file.strings, 55).find(','), std::string::npos);
}

TEST(ShippedUiFile, HoldsEveryCommand) {
  UiTextFile file = Load();
  std::vector<int> commands{101, 102, 104, 106, 107, 108, 110, 112, 203, 204, 205, 206, 207, 208, 209, 210, 211,
                            212, 214, 216, 217, 301, 302, 303, 304, 306, 308, 309, 313, 315, 317, 408, 409, 410,
                            411, 412, 413, 414, 608, 1001, 1002, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1110,
                            1111, 1301, 1302};
  for (int base : {400, 600, 700, 800, 900, 1200})
    for (int i = 1; i <= (base == 800 ? 3 : base == 400 || base == 600 ? 6 : base == 1200 ? 5 : 8); ++i)
      commands.push_back(base + i);
  for (int id : commands) EXPECT_NE(file.menus.FindItem(id), nullptr) << "command " << id;
  const MenuItem* exit = file.menus.FindItem(109);
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->action, "END");
  // The pop-up menus are not in the menu bar.
  for (int popup : {10, 11, 12, 13}) {
    const Menu* m = file.menus.FindMenu(popup);
    ASSERT_NE(m, nullptr) << popup;
    EXPECT_FALSE(m->inMenuBar) << popup;
  }
  // The order menu: its first item puts an object at the back, its last in front.
  EXPECT_EQ(file.menus.FindMenu(13)->items.front().command, 1301);
}

TEST(ShippedUiFile, PartnersNameProgramsOfTheSuite) {
  UiTextFile file = Load();
  const std::map<std::string, std::string> suite{
      {kClassBrowser, "kelmor.exe"}, {kClassHelp, "vandrel.exe"}, {kClassPictureBrowser, "hessam.exe"}};
  for (int n : {40, 44}) {
    PartnerEntry p = ParsePartnerEntry(UiEntry(file.strings, n));
    auto it = suite.find(p.className);
    ASSERT_NE(it, suite.end()) << n;
    EXPECT_EQ(p.program, it->second) << n;
  }
}

}  // namespace
}  // namespace bravik

// The shipped kelmor.SYS: it parses cleanly and holds every entry and command that the
// browser reads, with partner entries that name the suite's programs.
#include <gtest/gtest.h>

#include <map>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/suite_classes.h"
#include "kelmor/command_table.h"
#include "kelmor/layout.h"
#include "kelmor/menus.h"
#include "kelmor/partner_rules.h"
#include "shipped_ui_file.h"
#include "skin/sk_skins.h"
#include "skin/sk_text.h"
#include "skin/skin_theme.h"
#include "skin/ui_text.h"
#ifdef _WIN32
#include "test_windows.h"
#endif

namespace kelmor {

namespace {

std::string ShippedUiFile() {
#ifdef _WIN32
  return SuiteFolder() + "kelmor.SYS";
#else
  return KELMOR_SOURCE_DIR "/kelmor.SYS";
#endif
}

UiTextFile Load() { return LoadShippedUiFile(ShippedUiFile()); }

// The programs of the suite by window class.
const std::map<std::string, std::string> kSuite{
    {kClassBrowser, "kelmor.exe"},        {kClassPlayer, "falcet.exe"},         {kClassHelp, "vandrel.exe"},
    {kClassAudioPlayer, "jorvel.exe"},    {kClassSlideMaker, "dunmere.exe"},    {kClassPictureTool, "bravik.exe"},
    {kClassPictureBrowser, "hessam.exe"}, {kClassSpectrum, "pelmor.exe"},       {kClassBurner, "corvith.exe"},
    {kClassArchive, "grilton.exe"},       {kClassTopicEditor, "lumbric.exe"},   {kClassQuery, "ostrel.exe"},
    {kClassMaintenance, "narwen.exe"}};

void ExpectSuiteProgram(const std::string& text, const std::string& what) {
  PartnerEntry p = ParsePartnerEntry(text);
  auto it = kSuite.find(p.className);
  ASSERT_NE(it, kSuite.end()) << what << ": " << text;
  EXPECT_EQ(p.program, it->second) << what << ": " << text;
}

TEST(ShippedUiFile, HoldsEveryEntryTheBrowserReads) {
  UiTextFile file = Load();
  for (int n : {1,  3,  4,  15, 16, 17, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 32, 33, 35, 36, 38,
                39, 40, 41, 42, 43, 44, 45, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 61, 63,
                64, 65, 66, 67, 68, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 82, 83, 84, 86, 89, 90})
    EXPECT_FALSE(UiEntry(file.strings, n).empty()) << "UI entry " << n;
  // Buttons: a caption and a tip.
  for (int n : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 95}) {
    const std::string& e = UiEntry(file.strings, n);
    size_t comma = e.find(',');
    ASSERT_NE(comma, std::string::npos) << "button " << n;
    EXPECT_GT(comma, 0u) << "button " << n;
    EXPECT_LT(comma + 1, e.size()) << "button " << n;
  }
  // Six file types, the fifth with a filter of patterns; four fields in each registration.
  std::vector<std::string> types;
  SKSPLITS(UiEntry(file.strings, 15), "|", types);
  EXPECT_EQ(types.size(), 12u);
  EXPECT_NE(types[9].find(';'), std::string::npos);
  for (int n : {83, 84}) {
    std::vector<std::string> fields;
    EXPECT_EQ(SKSPLITS(UiEntry(file.strings, n), ",", fields), 4) << "UI entry " << n;
  }
  EXPECT_EQ(UiEntry(file.strings, 16).find_first_not_of("0123456789"), std::string::npos);
}

TEST(ShippedUiFile, PartnersAreProgramsOfTheSuite) {
  UiTextFile file = Load();
  ExpectSuiteProgram(UiEntry(file.strings, 19), "default partner");
  ExpectSuiteProgram(UiEntry(file.strings, 44), "help viewer");
  ExpectSuiteProgram(UiEntry(file.strings, 64), "player of entry 65");
  for (int command : {212, 503, 504, 505, 506, 1001, 1002, 1003, 1004, 1005}) {
    const MenuItem* item = file.menus.FindItem(command);
    ASSERT_NE(item, nullptr) << command;
    ExpectSuiteProgram(item->action, "command " + std::to_string(command));
  }
}

TEST(ShippedUiFile, HoldsTheCommandsOfTheMenusAndPopups) {
  UiTextFile file = Load();
  std::vector<int> commands{101, 103, 104, 105, 106, 107, 108, 109, 110, 112, 113, 114, 116, 201, 202, 203, 204,
                            205, 206, 208, 210, 212, 401, 402, 403, 404, 405, 406, 408, 701, 703, 704, 705, 706,
                            707, 710, 711, 809, 1400, 1401, 1201, 1202, 1203, 1204, 1301, 1302, 1303, 1304,
                            1501, 1502, 1503};
  for (int c = 801; c <= 807; ++c) commands.push_back(c);
  for (int c = 901; c <= 907; ++c) commands.push_back(c);
  for (int c : commands) EXPECT_NE(file.menus.FindItem(c), nullptr) << "command " << c;
  EXPECT_EQ(SKMACTE(109, file.menus), "END");
  ASSERT_NE(file.menus.FindMenu(kSkinMenu), nullptr);
  ASSERT_NE(file.menus.FindMenu(15), nullptr);
  EXPECT_FALSE(file.menus.FindMenu(15)->inMenuBar);
  // Layouts of the sheets and pages: three numbers.
  for (int c : {801, 807, 904, 1400}) {
    std::vector<int> numbers;
    EXPECT_EQ(SKCODE(SKMACTE(c, file.menus), numbers), 3) << c;
  }
}

// Every item of the shipped menus and every button has a handler in the command table.
TEST(ShippedUiFile, EveryMenuItemAndButtonHasAHandler) {
  UiTextFile file = Load();
  int checked = 0;
  for (const Menu& menu : file.menus.menus)
    for (const MenuItem& item : menu.items) {
      if (item.separator) continue;
      ++checked;
      EXPECT_NE(CommandAction(item.command, item.action), BrowserAction::kNone) << "command " << item.command;
    }
  EXPECT_GT(checked, 70);
  std::vector<int> buttons = FileListButtons();
  buttons.insert(buttons.end(), CollectionButtons().begin(), CollectionButtons().end());
  for (int id : buttons)
    EXPECT_NE(CommandAction(id, ""), BrowserAction::kNone) << "button " << id;
  // The skins' commands are made at start, one per skin.
  EXPECT_EQ(CommandAction(kFirstSkinCommand + 1, ""), BrowserAction::kSkin);
  EXPECT_EQ(CommandAction(kHandToPartnerCommand, "END"), BrowserAction::kClose);
}

}  // namespace

namespace {

std::string ShippedSkinFolder() {
#ifdef _WIN32
  return SuiteFolder();
#else
  return KELMOR_SOURCE_DIR "/skins/";
#endif
}

TEST(ShippedSkins, TwoSkinsAndTheListNamesSlate) {
  std::vector<std::string> skins = SKLISTSKINS(ShippedSkinFolder());
  ASSERT_EQ(skins.size(), 2u);
  EXPECT_EQ(fileio::NameOf(skins[0]), "Sand.sks");
  EXPECT_EQ(fileio::NameOf(skins[1]), "Slate.sks");
  std::vector<std::string> reported;
  SetSkinErrorReporter([&reported](const std::string& m) { reported.push_back(m); });
  SkinTheme slate = LoadSkin(ShippedSkinFolder() + "TOLVERN.SKL");
  EXPECT_EQ(slate.name, "Slate");
  EXPECT_EQ(slate.pictures.count(1), 1u);
  EXPECT_TRUE(fileio::Exists(slate.pictures[1]));
  EXPECT_EQ(LoadSkin(skins[0]).name, "Sand");
  EXPECT_TRUE(reported.empty()) << (reported.empty() ? "" : reported.front());
  SetSkinErrorReporter(nullptr);
}

}  // namespace

}  // namespace kelmor

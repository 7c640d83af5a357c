// The menus as the browser shows them: its title in the texts, only the programs that are
// installed, and one item per skin.
#include <gtest/gtest.h>

#include <set>

#include "kelmor/menus.h"

namespace kelmor {

namespace {

MenuTable Parse(const std::string& text) {
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(text, errors);
  EXPECT_TRUE(errors.empty());
  return file.menus;
}

std::vector<int> Commands(const MenuTable& table, int menu) {
  std::vector<int> out;
  for (const auto& item : table.FindMenu(menu)->items) out.push_back(item.separator ? 0 : item.command);
  return out;
}

const char* kMenus =
    "MENU 2 \"Collection\"\n"
    "  ITEM 201 \"Remove\"\n"
    "  ITEM 210 \"Play\" \"jorvel.exe,JORVELPLAYER\"\n"
    "  SEPARATOR\n"
    "  ITEM 211 \"Print\" \"printer.exe,PRINTER\"\n"
    "  ITEM 212 \"Burn\" \"corvith.exe,QBURNER\"\n"
    "  SEPARATOR\n"
    "  ITEM 205 \"@prog@ help\"\n"
    "END\n"
    "MENU 5 \"Programs of @prog@\"\n"
    "  ITEM 501 \"Partner\"\n"
    "  ITEM 503 \"Picture tool\" \"bravik.exe,QPICTOOL\"\n"
    "  ITEM 504 \"Slide shows\" \" dunmere.exe , SKSLIDEMAKER\"\n"
    "  SEPARATOR\n"
    "  ITEM 1001 \"Archive\" \"grilton.exe,GRILTONARCHIVER\"\n"
    "  ITEM 1002 \"Topics\" \"lumbric.exe,QSUPERVISOR\"\n"
    "  SEPARATOR\n"
    "  ITEM 1101 \"Notepad\" \"notepad.exe\"\n"
    "  ITEM 1109 \"Read me\" \"readme.htm\"\n"
    "END\n";

TEST(Menus, TheTitleReplacesTheMacroInCaptions) {
  MenuTable t = Parse(kMenus);
  ReplaceProgramTitle(t, "Media browser");
  EXPECT_EQ(t.FindMenu(5)->caption, "Programs of Media browser");
  EXPECT_EQ(t.FindItem(205)->caption, "Media browser help");
}

TEST(Menus, ProgramsThatAreNotInstalledAreRemoved) {
  MenuTable t = Parse(kMenus);
  std::set<std::string> installed{"dunmere.exe", "grilton.exe"};
  std::set<std::string> asked;
  bool burner = PruneProgramMenus(t, [&](const std::string& p) {
    asked.insert(p);
    return installed.count(p) > 0;
  });
  EXPECT_FALSE(burner);
  // Menu 2 from item 11 on; menu 5 from item 3; menu 10 from item 1; menu 11 from item 9.
  EXPECT_EQ(Commands(t, 2), (std::vector<int>{201, 210, 0, 205}));
  EXPECT_EQ(Commands(t, 5), (std::vector<int>{501, 504, 0, 1001, 0, 1101}));
  EXPECT_EQ(asked.count("jorvel.exe"), 0u);
  EXPECT_EQ(asked.count("notepad.exe"), 0u);
}

TEST(Menus, TheBurnerIsNotedBeforeItsMenuIsPruned) {
  MenuTable t = Parse(kMenus);
  bool burner = PruneProgramMenus(t, [](const std::string& p) { return p == "corvith.exe"; });
  EXPECT_TRUE(burner);
  EXPECT_NE(t.FindItem(212), nullptr);
  EXPECT_EQ(t.FindItem(211), nullptr);
  // A menu whose programs are all missing keeps no dangling separators.
  EXPECT_EQ(Commands(t, 5), (std::vector<int>{501, 0, 1101}));
}

TEST(SkinMenu, OneItemPerSkinCheckedWhereTheEngineIs) {
  MenuTable t = Parse("MENU 3 \"Skins\"\n  ITEM 301 \"placeholder\"\nEND\n");
  BuildSkinMenu(t, {"C:\\Suite\\Sand\\Sand.sks", "C:\\Suite\\Slate\\Slate.sks"}, "c:\\suite\\slate\\");
  const Menu& m = *t.FindMenu(kSkinMenu);
  ASSERT_EQ(m.items.size(), 2u);
  EXPECT_EQ(m.items[0].command, 301);
  EXPECT_EQ(m.items[0].caption, "Sand.sks");
  EXPECT_EQ(m.items[0].action, "C:\\Suite\\Sand\\Sand.sks");
  EXPECT_FALSE(m.items[0].checked);
  EXPECT_TRUE(m.items[1].checked);
  EXPECT_FALSE(m.items[0].grayed);
}

TEST(SkinMenu, ASingleSkinIsGreyedAndTheMenuIsMadeWhenMissing) {
  MenuTable t;
  BuildSkinMenu(t, {"C:\\Suite\\Slate\\Slate.sks"}, "C:\\Suite\\Slate");
  ASSERT_NE(t.FindItem(301), nullptr);
  EXPECT_TRUE(t.FindItem(301)->grayed);
  EXPECT_TRUE(t.FindItem(301)->checked);

  std::vector<std::string> many;
  for (int i = 0; i < 120; ++i) many.push_back("C:\\S\\s" + std::to_string(i) + "\\a.sks");
  BuildSkinMenu(t, many, "");
  EXPECT_EQ(t.FindMenu(kSkinMenu)->items.size(), 99u);
  EXPECT_EQ(t.FindMenu(kSkinMenu)->items.back().command, 399);
}

}  // namespace

}  // namespace kelmor

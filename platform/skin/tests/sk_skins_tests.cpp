// The skins a program offers and the choice of one: listed from the skin folders, named by
// the skin list, and found again by the engine's loader.
#include <gtest/gtest.h>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_skins.h"
#include "skin/skin_theme.h"
#include "temp_dir.h"

namespace {

// Paths compared with either separator.
bool SamePath(std::string a, std::string b) {
  for (auto* s : {&a, &b})
    for (char& c : *s)
      if (c == '/') c = '\\';
  return fileio::EqualsNoCase(a, b);
}

TEST(SkinList, OnlyFoldersWithASkinFileAndAPicturePackCount) {
  TempDir dir;
  dir.Write("Slate/Slate.sks", "name = Slate\n");
  dir.Write("Slate/Slate.skp", "[pictures]\n");
  dir.Write("Slate/Another.sks", "name = Another\n");
  dir.Write("amber/b.sks", "name = Amber\n");
  dir.Write("amber/x.skp", "");
  dir.Write("NoPack/NoPack.sks", "");
  dir.Write("NoSkin/NoSkin.skp", "");
  dir.Write("loose.sks", "");
  std::vector<std::string> skins = SKLISTSKINS(dir.Path());
  ASSERT_EQ(skins.size(), 2u);
  EXPECT_EQ(fileio::NameOf(skins[0]), "b.sks");          // sorted without regard to case
  EXPECT_EQ(fileio::NameOf(skins[1]), "Another.sks");    // the first skin file by name
  EXPECT_TRUE(SamePath(fileio::FolderOf(skins[1]), dir.Path() + "Slate/"));
  EXPECT_TRUE(SKLISTSKINS(dir.File("missing")).empty());
}

TEST(SkinList, TheListNamesASkinBelowItRelatively) {
  EXPECT_EQ(FormatSkinList("C:\\Suite\\", "C:\\suite\\Sand\\Sand.sks"),
            "# The current skin of the suite, relative to this folder.\r\nSand\\Sand.sks\r\n");
  EXPECT_EQ(ParseSkinList(FormatSkinList("C:\\Suite", "D:\\Skins\\x.sks"), "C:\\Suite\\"), "D:\\Skins\\x.sks");
}

TEST(SkinList, ChoosingASkinRewritesTheListThatTheEngineLoads) {
  TempDir dir;
  dir.Write("Slate/Slate.sks", "name = Slate\n");
  dir.Write("Slate/Slate.skp", "");
  dir.Write("Sand/Sand.sks", "name = Sand\n[window]\nminwidth = 500\n");
  dir.Write("Sand/Sand.skp", "");
  std::string list = dir.File("TOLVERN.SKL");
  ASSERT_EQ(SKSETSKIN(list, SKLISTSKINS(dir.Path())[1]), 0);
  EXPECT_EQ(LoadSkin(list).name, "Slate");
  ASSERT_EQ(SKSETSKIN(list, SKLISTSKINS(dir.Path())[0]), 0);
  SkinTheme sand = LoadSkin(list);
  EXPECT_EQ(sand.name, "Sand");
  EXPECT_EQ(sand.minWidth, 500);
  EXPECT_TRUE(SamePath(sand.folder, dir.Path() + "Sand/"));
  // A skin that is not there leaves the choice as it was.
  EXPECT_EQ(SKSETSKIN(list, dir.File("Gone/Gone.sks")), 2);
  EXPECT_EQ(LoadSkin(list).name, "Sand");
}

}  // namespace

// The shipped dunmere.SYS: it parses cleanly, holds every entry and command the slide show
// maker reads, names the suite's programs as partners, and its effect groups and command
// groups carry the values the program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dunmere/command_ids.h"
#include "dunmere/side_data.h"
#include "dunmere/ui_rules.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/partner_entry.h"
#include "imaging/suite_classes.h"
#include "shipped_ui_file.h"
#include "skin/sk_text.h"
#include "skin/ui_text.h"
#ifdef _WIN32
#include "test_windows.h"
#endif

namespace {

std::string ShippedFolder() {
#ifdef _WIN32
  return SuiteFolder();
#else
  return DUNMERE_SOURCE_DIR "/";
#endif
}

UiTextFile Load() { return LoadShippedUiFile(ShippedFolder() + "dunmere.SYS"); }

UiTextFile LoadBrowsers() {
#ifdef _WIN32
  return LoadShippedUiFile(SuiteFolder() + "kelmor.SYS");
#else
  return LoadShippedUiFile(DUNMERE_SOURCE_DIR "/../browser/kelmor.SYS");
#endif
}

std::string Folder(const std::string& entry) {
  return fileio::WithoutTrailingSeparator(fileio::Trim(fileio::UnquoteField(entry)));
}


TEST(ShippedUiFile, HoldsEveryEntryTheProgramReads) {
  UiTextFile file = Load();
  for (int n : {1,  4,  7,  8,  9,  12, 14, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 40, 44, 45, 46,
                47, 51, 52, 53, 54, 55, 58, 59, 60, 61, 62, 64, 65, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79,
                80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 175})
    EXPECT_FALSE(UiEntry(file.strings, n).empty()) << "UI entry " << n;
  for (int n : {5, 6, 7, 9, 10, 11, 51, 52, 53, 54}) {
    std::string caption, tip;
    fileio::SplitAtFirst(UiEntry(file.strings, 100 + n), ',', caption, tip);
    EXPECT_FALSE(caption.empty()) << "button " << n;
    EXPECT_FALSE(tip.empty()) << "button " << n;
  }
  // Partners by the suite list.
  EXPECT_EQ(ParsePartnerEntry(UiEntry(file.strings, 14)).className, kClassHelp);
  EXPECT_EQ(ParsePartnerEntry(UiEntry(file.strings, 14)).program, "vandrel.exe");
  EXPECT_EQ(ParsePartnerEntry(UiEntry(file.strings, 15)).className, kClassBrowser);
  EXPECT_EQ(ParsePartnerEntry(UiEntry(file.strings, 15)).program, "kelmor.exe");
  EXPECT_EQ(ParsePartnerEntry(UiEntry(file.strings, 19)).className, kClassPlayer);
  EXPECT_EQ(ParsePartnerEntry(UiEntry(file.strings, 19)).program, "falcet.exe");
  // Two extensions; a text-file number in the second field of entry 20.
  EXPECT_NE(UiEntry(file.strings, 25).find(','), std::string::npos);
  EXPECT_FALSE(dunmere::FieldOf(UiEntry(file.strings, 20), "|", 2).empty());
}

// With no music list yet, the maker sends the user to the media browser, whose saved
// collection lists are the lists the maker then offers: the same folder and extension.
TEST(ShippedUiFile, MusicListsAreWhereTheBrowserSavesItsLists) {
  UiTextFile maker = Load();
  UiTextFile browser = LoadBrowsers();
  std::string musicFolder = Folder(UiEntry(maker.strings, 9)), listFolder = Folder(UiEntry(browser.strings, 21));
  EXPECT_TRUE(fileio::EqualsNoCase(musicFolder, listFolder)) << musicFolder << " / " << listFolder;
  std::string musicExtension = Folder(UiEntry(maker.strings, 7)), listExtension = Folder(UiEntry(browser.strings, 25));
  EXPECT_TRUE(fileio::EqualsNoCase(musicExtension, listExtension)) << musicExtension << " / " << listExtension;
  // The maker's question names the browser's way of making one.
  EXPECT_NE(UiEntry(maker.strings, 18).find("save"), std::string::npos) << UiEntry(maker.strings, 18);
}

#ifdef _WIN32
// The build copies the player's files (entry 80) from the program folder: each one is
// where the suite installs it, the recorder of video builds too.
TEST(ShippedUiFile, ThePlayersFilesAreWhereTheSuiteInstallsThem) {
  std::vector<std::string> names = fileio::SplitFields(UiEntry(Load().strings, 80), ',');
  EXPECT_NE(std::find(names.begin(), names.end(), "morvane.dll"), names.end());
  for (const std::string& name : names) EXPECT_TRUE(fileio::Exists(SuiteFolder() + name)) << name;
}
#endif

TEST(ShippedUiFile, CommandsAndTheirValues) {
  UiTextFile file = Load();
  using namespace dunmere;
  for (int c : {kCmdNewShow, kCmdOpenShow, kCmdSaveShow, kCmdBuildShow, kCmdPicturesFromBrowser, kCmdChooseMusic,
                kCmdNoMusic, kCmdHelp, kCmdRemoveSlides, kCmdEffectToSelected, kCmdSelectAll, kCmdInvertSelection,
                kCmdSelectNone, kCmdCut, kCmdPaste, kCmdOpenBrowser, kCmdDeleteTexts, kCmdDeleteSounds,
                kCmdDeleteEffects, kCmdDeleteTimes})
    EXPECT_NE(file.menus.FindItem(c), nullptr) << "command " << c;
  // Every command of a group, which the program walks from its first to its last.
  for (CommandGroup g : {kDisplayTimes, kRecordingQualities, kGroupValues, kDefaultTimes, kModes, kOutputSizes})
    for (int c = g.first; c <= g.last; ++c) EXPECT_NE(file.menus.FindItem(c), nullptr) << "command " << c;
  bool exit = false;
  for (const auto& m : file.menus.menus)
    for (const auto& item : m.items) exit = exit || item.action == "END";
  EXPECT_TRUE(exit);
  // Times and default times are milliseconds; the last time goes back to the default.
  for (int c = kDisplayTimes.first; c < kCmdDefaultDisplayTime; ++c)
    EXPECT_GT(std::stoi(SKMACTE(c, file.menus)), 0) << c;
  for (int c = kDefaultTimes.first; c <= kDefaultTimes.last; ++c) EXPECT_GT(std::stoi(SKMACTE(c, file.menus)), 0) << c;
  // The side-file commands name a side-file kind each, and every kind once.
  std::set<std::string> kinds;
  for (int c = kCmdDeleteTexts; c <= kCmdDeleteTimes; ++c) {
    std::string kind = fileio::Trim(dunmere::FieldOf(SKMACTE(c, file.menus), ",", 2));
    EXPECT_TRUE(dunmere::IsSlideSideFileKind(kind)) << c;
    kinds.insert(kind);
  }
  EXPECT_EQ(kinds.size(), 4u);
  // A video build is told by its size alone: no picture size equals a video size.
  for (int v = kVideoSizes.first; v <= kVideoSizes.last; ++v)
    for (int c = kOutputSizes.first; c < kVideoSizes.first; ++c)
      EXPECT_NE(SKMACTE(v, file.menus), SKMACTE(c, file.menus)) << v << " " << c;
  EXPECT_EQ(SKMACTE(kOutputSizes.first, file.menus), "0,0");
  // Recording qualities are capture bits the recorder knows (64 is the default row).
  std::set<int> known{1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048};
  for (int c = kRecordingQualities.first; c <= kRecordingQualities.last; ++c)
    EXPECT_TRUE(known.count(std::stoi(SKMACTE(c, file.menus)))) << c;
  for (int c = kFrameRates.first; file.menus.FindItem(c); ++c) {
    int fps = std::stoi(SKMACTE(c, file.menus));
    EXPECT_TRUE(fps >= 1 && fps <= 30) << c;
  }
}

TEST(ShippedUiFile, EffectGroupsPutThePlugInAndNoEffectWhereTheNumbersSay) {
  UiTextFile file = Load();
  std::string entry40 = UiEntry(file.strings, 40);
  std::vector<std::string> groups = dunmere::EffectGroupNames(entry40);
  ASSERT_EQ(groups.size(), 17u);
  for (int g = 0; g < 17; ++g) {
    std::string list = dunmere::EffectListFile(entry40, g);
    ASSERT_EQ(list.rfind("@path@effects\\", 0), 0u) << list;
    std::string text;
    EXPECT_EQ(fileio::ReadWholeFile(ShippedFolder() + "effects/" + list.substr(14), text), fileio::kOk) << list;
    EXPECT_FALSE(text.empty()) << list;
  }
  // Group 15 holds the plug-in's effects (17000 asks for its own choice), group 16 "no effect".
  EXPECT_EQ(dunmere::EffectId(dunmere::kPluginGroup, 0), dunmere::kAutomaticPluginEffect);
  EXPECT_EQ(dunmere::EffectId(16, 0), dunmere::kNoEffect);
  EXPECT_NE(dunmere::EffectListFile(entry40, 15).find("plugin"), std::string::npos);
  EXPECT_NE(dunmere::EffectListFile(entry40, 16).find("none"), std::string::npos);
}

// Every entry that a user can choose is played: the imaging layer's painter knows the
// number of each entry of groups 0 to 14, the plug-in gets its own, "no effect" is plain.
TEST(ShippedUiFile, EveryListedEffectHasItsPainter) {
  UiTextFile file = Load();
  std::string entry40 = UiEntry(file.strings, 40);
  for (int g = 0; g < 17; ++g) {
    std::string text;
    fileio::ReadWholeFile(ShippedFolder() + "effects/" + dunmere::EffectListFile(entry40, g).substr(14), text);
    int index = 0;
    for (const std::string& line : SplitLines(text)) {
      if (fileio::Trim(line).empty()) continue;
      dunmere::EffectEntry entry = dunmere::ParseEffectEntry(line);
      dunmere::TransitionPlan plan =
          dunmere::PlanTransition(dunmere::EffectId(g, index), entry.step, entry.time, 2000);
      dunmere::TransitionPainter expected = g < dunmere::kPluginGroup ? dunmere::TransitionPainter::kImaging
                                            : g == dunmere::kPluginGroup ? dunmere::TransitionPainter::kPlugin
                                                                         : dunmere::TransitionPainter::kPlain;
      EXPECT_EQ(plan.painter, expected) << line;
      if (g == dunmere::kPluginGroup && index > 0) {
        EXPECT_EQ(plan.effect, index) << line;
        EXPECT_GT(plan.step, 0) << line;
      }
      ++index;
    }
    EXPECT_GT(index, 0) << g;
  }
}

}  // namespace

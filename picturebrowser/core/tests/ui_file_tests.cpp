// The shipped hessam.SYS: it parses cleanly and holds every entry and command that the
// picture browser reads.
#include <gtest/gtest.h>

#include "hessam/command_ids.h"
#include "hessam/shows.h"
#include "imaging/partner_entry.h"
#include "imaging/suite_classes.h"
#include "shipped_ui_file.h"
#include "skin/ui_text.h"
#ifdef _WIN32
#include "test_windows.h"
#endif

namespace hessam {
namespace {

std::string ShippedUiFile() {
#ifdef _WIN32
  return SuiteFolder() + "hessam.SYS";
#else
  return HESSAM_SOURCE_DIR "/hessam.SYS";
#endif
}

TEST(ShippedUiFile, HoldsEveryEntryThePictureBrowserReads) {
  UiTextFile file = LoadShippedUiFile(ShippedUiFile());
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 21, 24, 25, 27, 28, 29, 30, 31, 32, 33, 34,
                35, 36, 37, 38, 39, 40})
    EXPECT_FALSE(UiEntry(file.strings, n).empty()) << "UI entry " << n;
  EXPECT_NE(UiEntry(file.strings, 1).find('#'), std::string::npos);
  EXPECT_NE(UiEntry(file.strings, 8).find('#'), std::string::npos);
  EXPECT_NE(UiEntry(file.strings, 8).find('@'), std::string::npos);
  PartnerEntry viewer = ParsePartnerEntry(UiEntry(file.strings, 13));
  EXPECT_EQ(viewer.className, kClassHelp);
  EXPECT_EQ(viewer.program, "vandrel.exe");
}

TEST(ShippedUiFile, HoldsEveryCommandWithItsAction) {
  UiTextFile file = LoadShippedUiFile(ShippedUiFile());
  for (int id : {kCmdPrinterSetup, kCmdSlideShow, kCmdTiledShow, kCmdTiledShow2, kCmdNamesOn, kCmdNamesOff,
                 kCmdHelpMenu})
    EXPECT_NE(file.menus.FindItem(id), nullptr) << id;
  EXPECT_GT(SlideTime(SKMACTE(kCmdSlideShow, file.menus)), 0);
  for (int id : {kCmdTiledShow, kCmdTiledShow2}) {
    TiledShowSettings s = ParseTiledShow(SKMACTE(id, file.menus));
    EXPECT_EQ(std::to_string(s.columns) + "," + std::to_string(s.rows) + "," + std::to_string(s.timeMs),
              SKMACTE(id, file.menus));
  }
  // The file-name option is off at start.
  ASSERT_NE(file.menus.FindItem(kCmdNamesOff), nullptr);
  EXPECT_TRUE(file.menus.FindItem(kCmdNamesOff)->checked);
  EXPECT_FALSE(file.menus.FindItem(kCmdNamesOn)->checked);
  bool hasEnd = false;
  for (const Menu& m : file.menus.menus)
    for (const MenuItem& item : m.items) hasEnd = hasEnd || item.action == "END";
  EXPECT_TRUE(hasEnd);
}

}  // namespace
}  // namespace hessam

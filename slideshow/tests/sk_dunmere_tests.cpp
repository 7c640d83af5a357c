// The skin engine functions the slide show maker added: emptying and measuring a folder tree.
#include <gtest/gtest.h>

#include "fileio/file.h"
#include "skin/sk_dunmere.h"
#include "temp_dir.h"

TEST(ClearTree, EmptiesTheFolderAndKeepsIt) {
  TempDir dir;
  dir.Write("show/a.png", "12345");
  dir.Write("show/skin/back.bmp", "123");
  dir.Write("show/skin/deeper/x.txt", "1");
  dir.Write("beside.txt", "keep");
  std::string show = dir.File("show");
  EXPECT_EQ(SKFOLDERSIZE(show), 9);
  EXPECT_EQ(SKCLEARTREE(show), 0);
  EXPECT_TRUE(fileio::IsDirectory(show));
  EXPECT_TRUE(fileio::ListDirectory(show + "/*").empty());
  EXPECT_EQ(SKFOLDERSIZE(show), 0);
  // Nothing outside the folder goes.
  EXPECT_EQ(dir.Read("beside.txt"), "keep");
}

TEST(ClearTree, RefusesRootsRelativePathsAndMissingFolders) {
  for (const char* bad : {"", "  ", "C:\\", "C:", "c:/", "\\\\server\\share", "\\\\server\\share\\", "relative\\x"})
    EXPECT_EQ(SKCLEARTREE(bad), 5) << bad;
#ifndef _WIN32
  EXPECT_EQ(SKCLEARTREE("/"), 5);
#endif
  TempDir dir;
  EXPECT_EQ(SKCLEARTREE(dir.File("missing")), 3);
  EXPECT_EQ(SKFOLDERSIZE(dir.File("missing")), 0);
}

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

TEST(DiskFree, AsksTheNearestExistingFolder) {
  TempDir dir;
  int64_t free = SKDISKFREE(dir.Path());
  EXPECT_GT(free, 0);
  // A target that does not exist yet is measured on its volume.
  EXPECT_GT(SKDISKFREE(dir.File("not\\yet\\there\\")), 0);
  EXPECT_EQ(SKDISKFREE(""), -1);
}

TEST(TrackBarAndPanel, PositionsAndPlacement) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HWND panel = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(panel, nullptr);
  HWND bar = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD, 0, 0, 100, 20, panel, nullptr, nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SKSETTRACKPOS(bar, 42);
  EXPECT_EQ(SKGETTRACKPOS(bar), 42);
  SKSETTRACKPOS(bar, 250);  // the bar keeps its range
  EXPECT_EQ(SKGETTRACKPOS(bar), 100);
  EXPECT_EQ(SKGETTRACKPOS(nullptr), 0);
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(SKPANELCHILDXY(panel, 10, 10), 1);
  EXPECT_EQ(SKPANELCHILDXY(panel, client.right + 5, 10), 0);
  EXPECT_EQ(SKPANELCHILDXY(panel, -1, 10), 0);
  EXPECT_EQ(SKPANELCHILDXY(nullptr, 10, 10), 0);
  DestroyWindow(panel);
}
#endif

// The maintenance tool under Wine, driven from outside: the command-line job over every
// library of an archive, its failure box, the library pick and the item commands; the
// libraries are checked here through the database library.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "../core/tests/test_bytes.h"
#include "library_items.h"
#include "db/db.h"
#include "driver.h"
#include "fileio/file.h"
#include "imaging/suite_classes.h"
#include "narwen/settings.h"
#include "narwen/tool_rules.h"
#include "program_test.h"
#include "skin/skin.h"
#include "test_windows.h"

namespace {

constexpr int kProgressBarId = 10;
constexpr DWORD kLimitMs = 60000;

class Narwen : public ProgramTest {
 protected:
  Narwen() : ProgramTest({"narwen", kClassMaintenance, kProgressBarId}) {}

  // A library of the folder with items A (100 bytes), B (5,000) and C (20,000), B removed.
  std::string MakeLibrary(const std::string& folder, int number, int seed) {
    char name[32];
    std::snprintf(name, sizeof name, "ARC%03d.B01", number);
    const std::string lib = folder + name;
    items.Fill(lib, Copy().File("in\\"), seed);
    return lib;
  }
  // Every live item of every library copies out as stored and nothing else is indexed.
  void ExpectLiveItems() { items.ExpectLive(Copy().File("out\\")); }
  narwen::LibraryItems items;
  std::map<std::string, std::map<std::string, std::string>>& live = items.live;
};

TEST_F(Narwen, WithoutItsUiFileABoxCaptionedNarwenAndExitCode2) {
  WithoutUiFile();
  ChildProcess& tool = Launch();
  HWND box = WaitForWindow("SKMSGBOX", kLimitMs, tool.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "NARWEN");
  EXPECT_EQ(FindWindowA(kClassMaintenance, nullptr), nullptr);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(tool.Wait(kLimitMs), 2);
}

TEST_F(Narwen, TheWindowTakesItsPlaceFromTheSettingsAndKeepsWhereItWasMoved) {
  Copy().WriteSettings(narwen::FormatToolSettings({100, 80, 520, 260}));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT r;
  ASSERT_TRUE(GetWindowRect(frame, &r));
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 520);
  EXPECT_EQ(r.bottom - r.top, 260);
  EXPECT_NE(driver::FindChild(frame, kProgressBarId), nullptr);
  EXPECT_NE(driver::FindChildByClass(frame, "SKSTATUS"), nullptr);
  ASSERT_TRUE(SetWindowPos(frame, nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  ASSERT_TRUE(PumpUntil([&] { return GetWindowRect(frame, &r) && r.left == 150; }, kEventLimit));
  EXPECT_EQ(Close(), 0);
  const narwen::WindowPlace kept = narwen::ParseToolSettings(Copy().ReadSettings(), 4000, 4000);
  EXPECT_EQ(kept.left, 150);
  EXPECT_EQ(kept.top, 120);
  EXPECT_EQ(kept.width, 520);
  EXPECT_EQ(kept.height, 260);
}

TEST_F(Narwen, TheCommandLineCompactsEveryLibraryOfAQuotedPatternAndEnds) {
  Copy().SetUiEntry(5, "ARC");
  const std::string folder = Copy().File("MY DATA\\");
  const std::string lib1 = MakeLibrary(folder, 1, 1), lib2 = MakeLibrary(folder, 2, 2);
  const int64_t before = fileio::FileSize(lib1);
  // As the topic editor starts it: the data folder, the base name and "*.I01 /O".
  ChildProcess& tool = Launch("\"" + folder + "arc*.i01\" /O");
  ASSERT_EQ(tool.Wait(kLimitMs), 0);
  EXPECT_EQ(fileio::FileSize(lib1), before - 5000 - 22);
  EXPECT_EQ(fileio::FileSize(lib2), before - 5000 - 22);
  ExpectLiveItems();
}

TEST_F(Narwen, AnIndexRebuildLeavesTheLibrariesByteForByte) {
  Copy().SetUiEntry(5, "ARC");
  const std::string folder = Copy().File("data\\");
  const std::string lib1 = MakeLibrary(folder, 1, 3), lib2 = MakeLibrary(folder, 2, 4);
  const std::string bytes1 = ReadText(lib1), bytes2 = ReadText(lib2);
  // The second index lost its keys.
  fileio::RemoveFile(DBNAME(lib2, 'I'));
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBNAME(lib2, 'I'), 12, handle, status), 0);
  qBtClose(handle);
  ChildProcess& tool = Launch(folder + "ARC*.I01 /I");
  ASSERT_EQ(tool.Wait(kLimitMs), 0);
  EXPECT_TRUE(ReadText(lib1) == bytes1);
  EXPECT_TRUE(ReadText(lib2) == bytes2);
  ExpectLiveItems();
}

// A library with bytes but no item at its start: the box names the library and what is
// wrong with it, the tool still ends, and nothing is left behind (no index either).
TEST_F(Narwen, AFailureNamesTheLibraryAndWhatIsWrongAndTheToolStillEnds) {
  const std::string lib = Copy().Write("data\\JUNK001.B01", std::string(100, 'x'));
  ChildProcess& tool = Launch(lib);
  HWND box = WaitForWindow("SKMSGBOX", kLimitMs, tool.Id());
  ASSERT_NE(box, nullptr);
  PumpUntil([&] { return !driver::BoxText(box).empty(); }, std::chrono::milliseconds(10000));
  const std::string text = fileio::ToUpper(driver::BoxText(box));
  EXPECT_NE(text.find("JUNK001.B01"), std::string::npos) << text;
  EXPECT_NE(text.find("DAMAGED AT ITS START"), std::string::npos) << text;
  EXPECT_EQ(text.find(fileio::ToUpper(SKWINERR(18))), std::string::npos) << text;
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(tool.Wait(kLimitMs), 0);
  EXPECT_TRUE(ReadText(lib) == std::string(100, 'x'));
  EXPECT_FALSE(fileio::Exists(DBNAME(lib, 'I')));
}

// The next pick dialog other than `last`, once it lists something.
HWND NextPickDialog(HWND last, std::vector<std::string>& entries) {
  HWND dialog = nullptr;
  PumpUntil(
      [&] {
        dialog = FindWindowA("QORDLG", nullptr);
        if (!dialog || dialog == last || !IsWindowVisible(dialog)) return false;
        entries = driver::ListItems(driver::FindChild(dialog, 2));
        return true;
      },
      std::chrono::milliseconds(kLimitMs));
  return dialog;
}

// Waits for the next pick dialog after `last`, presses OK on its (first) selected entry
// and waits until it is gone; its entries, or a failure.
HWND PickFirst(HWND last, std::vector<std::string>& entries) {
  HWND dialog = NextPickDialog(last, entries);
  EXPECT_NE(dialog, nullptr);
  if (!dialog) return nullptr;
  EXPECT_TRUE(driver::PressButton("QORDLG", 2, "", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, std::chrono::milliseconds(kLimitMs)));
  return dialog;
}

TEST_F(Narwen, CompactingAPickedLibraryAsksFirst) {
  Copy().SetUiEntry(5, "ARC");
  const std::string lib = MakeLibrary(Copy().ProgramFolder(), 1, 6);
  const int64_t before = fileio::FileSize(lib);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> entries;
  // Answered no: nothing changes.
  ASSERT_TRUE(driver::PostCommand(frame, narwen::kCmdCompactLibrary));
  HWND pick = PickFirst(nullptr, entries);
  HWND box = WaitForWindow("SKMSGBOX", kLimitMs, Process().Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Compact a library...");
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, std::chrono::milliseconds(kLimitMs)));
  EXPECT_EQ(fileio::FileSize(lib), before);
  // Answered yes.
  ASSERT_TRUE(driver::PostCommand(frame, narwen::kCmdCompactLibrary));
  PickFirst(pick, entries);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return fileio::FileSize(lib) == before - 5000 - 22; }, std::chrono::milliseconds(kLimitMs)));
  EXPECT_EQ(Close(), 0);
  ExpectLiveItems();
}

TEST_F(Narwen, StoringAPickedFileAndCopyingAPickedItemOut) {
  Copy().SetUiEntry(5, "ARC");
  const std::string lib = MakeLibrary(Copy().ProgramFolder(), 1, 7);
  // Named to come first in the program folder's listing.
  const std::string data = narwen::TestBytes(3000, 70);
  Copy().WriteInProgram("0NEW.JPG", data);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> entries;
  ASSERT_TRUE(driver::PostCommand(frame, narwen::kCmdStoreFiles));
  HWND pick = PickFirst(nullptr, entries);
  pick = PickFirst(pick, entries);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0], "0new.jpg");
  live[lib]["0NEW.JPG"] = data;
  // The key list starts with the new item: copied out into the temporary folder.
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(frame); }, std::chrono::milliseconds(kLimitMs)));
  ASSERT_TRUE(driver::PostCommand(frame, narwen::kCmdCopyItemsOut));
  pick = PickFirst(pick, entries);
  PickFirst(pick, entries);
  EXPECT_EQ(entries, (std::vector<std::string>{"0NEW.JPG", "A.JPG", "C.JPG"}));
  const std::string out = Copy().TempFolder() + "NARWEN\\0NEW.JPG";
  EXPECT_TRUE(PumpUntil([&] { return ReadText(out) == data; }, std::chrono::milliseconds(kLimitMs)));
  EXPECT_EQ(Close(), 0);
  ExpectLiveItems();
}

TEST_F(Narwen, RemovingAnItemPicksTheLibraryThenItsKey) {
  Copy().SetUiEntry(5, "ARC");
  const std::string lib = MakeLibrary(Copy().ProgramFolder(), 1, 5);
  Copy().WriteInProgram("ARC001.BAK", "backup");
  Copy().WriteInProgram("ARC001.TXT", "notes");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::PostCommand(frame, narwen::kCmdRemoveItems));
  std::vector<std::string> entries;
  HWND libraries = NextPickDialog(nullptr, entries);
  ASSERT_NE(libraries, nullptr);
  EXPECT_EQ(entries, (std::vector<std::string>{"arc001.b01"}));
  ASSERT_TRUE(driver::PressButton("QORDLG", 2, "", kEventLimitMs));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(libraries); }, std::chrono::milliseconds(kLimitMs)));
  HWND keys = NextPickDialog(libraries, entries);
  ASSERT_NE(keys, nullptr);
  EXPECT_EQ(entries, (std::vector<std::string>{"A.JPG", "C.JPG"}));
  // The first key is selected: OK removes A.
  ASSERT_TRUE(driver::PressButton("QORDLG", 2, "", kEventLimitMs));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(keys); }, std::chrono::milliseconds(kLimitMs)));
  EXPECT_EQ(Close(), 0);
  live[lib].erase("A.JPG");
  ExpectLiveItems();
}

}  // namespace

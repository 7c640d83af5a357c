// The topic editor under Wine, driven from outside: the data folder, walking and saving
// records through the form, the media copied out, the topic titles, the lock, the exports
// handed to a stand-in partner and the maintenance tool's command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "db_test_util.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "../../rebuild/tests/library_items.h"
#include "lumbric/command_ids.h"
#include "lumbric/records.h"
#include "lumbric/work_folder.h"
#include "program_test.h"
#include "skin/sk_files.h"
#include "skin/skin.h"

namespace {

constexpr const char* kBox = "SKMSGBOX";
constexpr const char* kInputBox = "SKINPUTBOX";
constexpr int kTopicSlots = 10;
constexpr int kRecordLength = 671;
constexpr int kFreeText = kTopicSlots + 12;
constexpr int kLastField = kTopicSlots + 11;  // the last topic slot: the form makes it last

class LumbricFolder : public ProgramCopy {
 public:
  explicit LumbricFolder(bool uiFile = true) : ProgramCopy("lumbric", uiFile) {}
  // Without NET.CFG the archive lives in the program folder.
  std::string RecordFile() const { return ProgramFolder() + "QORIMAGE.F01"; }
  std::string Library() const { return ProgramFolder() + "QORIMAGE001.B01"; }
};

std::string Key(int n) {
  std::string s = std::to_string(n);
  return std::string(8 - s.size(), '0') + s;
}

class Lumbric : public ProgramTestOf<LumbricFolder> {
 protected:
  Lumbric() : ProgramTestOf({"lumbric", kClassTopicEditor, lumbric::kFieldIdBase + kLastField}) {}

  const std::vector<DBFIELD> fields_ = db::ArchiveFields(kTopicSlots, 2024, 5);

  // Records 00000001 .. with topic "T<n>" in the record file of `file`.
  void MakeArchive(const std::string& file, int records) {
    ASSERT_EQ(DBCREATE(file, kRecordLength), 0);
    int number = 0, ok = 0;
    DBOPENF(file, number, ok);
    ASSERT_EQ(ok, 1);
    for (int r = 1; r <= records; ++r)
      ASSERT_EQ(DBCREF(file, number, ArchiveValues(Key(r), {"T" + std::to_string(r)}), fields_), 0);
    SKFCLOSE(number);
  }
  void DeleteRecord(int r) {
    int number = 0, ok = 0;
    DBOPENF(Copy().RecordFile(), number, ok);
    ASSERT_EQ(lumbric::DELETERECORD(Copy().RecordFile(), number, r + 1, ArchiveValues(Key(r), {}), fields_), 0);
    SKFCLOSE(number);
  }
  // The work folder named by the settings file, in the test's own folder.
  std::string UseWorkFolder() {
    std::string work = Copy().File("work\\");
    fileio::MakeDirectories(work);
    lumbric::Settings s;
    s.left = 20;
    s.top = 20;
    s.width = 740;
    s.height = 600;
    s.workFolder = work;
    Copy().WriteSettings(lumbric::FormatSettings(s));
    return work;
  }

  static HWND Field(HWND frame, int field) { return driver::FindChild(frame, lumbric::kFieldIdBase + field); }
  static std::string FieldText(HWND frame, int field) { return driver::WindowText(Field(frame, field)); }
  // Waits until the field shows the text; a failure tells what it shows and any box.
  static ::testing::AssertionResult WaitField(HWND frame, int field, const std::string& text) {
    if (PumpUntil([&] { return FieldText(frame, field) == text; }, std::chrono::milliseconds(10000)))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "field " << field << " shows \"" << FieldText(frame, field)
                                         << "\"; box: \"" << driver::BoxText(FindWindowA(kBox, nullptr)) << "\"";
  }
  // The text of the next box that shows (once it has one); "" when none came.
  static std::string WaitBoxText(HWND* box = nullptr) {
    std::string text;
    HWND found = nullptr;
    PumpUntil([&] { return !(text = driver::BoxText(found = FindWindowA(kBox, nullptr))).empty(); },
              std::chrono::milliseconds(10000));
    if (box) *box = found;
    return text;
  }
  // Presses button `number` of the box that shows and waits until it is gone.
  static bool Answer(int number = 1) {
    HWND box = WaitForWindow(kBox, kEventLimitMs);
    return box && driver::PressButton(kBox, number, "", kEventLimitMs) &&
           PumpUntil([&] { return !IsWindow(box); }, std::chrono::milliseconds(10000));
  }
  // Posts a command and answers the box it shows with button `number`; a failure when the
  // box says something else (or nothing).
  static ::testing::AssertionResult CommandSays(HWND frame, int command, const std::string& text, int number = 1) {
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    std::string said = WaitBoxText();
    if (said != text) return ::testing::AssertionFailure() << "the box says \"" << said << "\"";
    if (!Answer(number)) return ::testing::AssertionFailure() << "the box could not be answered";
    return ::testing::AssertionSuccess();
  }
  // Starts the program and shows the record that the walking command finds; null when it did not come.
  HWND StartShowing(int command, const std::string& key) {
    HWND frame = Start();
    if (!frame) return nullptr;
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    EXPECT_TRUE(WaitField(frame, 1, key));
    return FieldText(frame, 1) == key ? frame : nullptr;
  }
  // Types into the input box that shows and presses its first button.
  static bool TypeIntoInputBox(const std::string& text) { return driver::AnswerInputBox(text, kEventLimitMs); }
  std::string Bytes(const std::string& path) {
    std::string bytes;
    fileio::ReadWholeFile(path, bytes);
    return bytes;
  }
};

TEST_F(Lumbric, WithoutNetCfgTheProgramFolderHoldsTheArchiveAndTheButtonsWalkPastDeletedRecords) {
  MakeArchive(Copy().RecordFile(), 4);
  DeleteRecord(2);
  DeleteRecord(4);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // The topic slots' panel fills the form below the other fields, left of the buttons.
  HWND panel = driver::FindChildByClass(frame, "SKLIST");
  ASSERT_NE(panel, nullptr);
  RECT r, save;
  GetWindowRect(panel, &r);
  GetWindowRect(driver::FindChild(frame, lumbric::kCmdSave), &save);
  EXPECT_GE(r.bottom - r.top, 4 * 26);
  EXPECT_GE(r.right - r.left, 400);
  EXPECT_LT(r.right, save.left);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdFirst, 0);
  ASSERT_TRUE(WaitField(frame, 1, Key(1)));
  EXPECT_EQ(FieldText(frame, 2), "PICTURE " + Key(1));
  EXPECT_EQ(FieldText(frame, 3), "05-31-2024");
  EXPECT_EQ(FieldText(frame, 12), "T1");
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdNext, 0);
  ASSERT_TRUE(WaitField(frame, 1, Key(3)));
  EXPECT_EQ(FieldText(frame, 12), "T3");
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdPrevious, 0);
  ASSERT_TRUE(WaitField(frame, 1, Key(1)));
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdLast, 0);
  ASSERT_TRUE(WaitField(frame, 1, Key(3)));
  // A number typed into the key field, then Enter: that record.
  ASSERT_TRUE(driver::SetText(Field(frame, 1), "1"));
  PostMessageA(frame, lumbric::kMsgKeyEntered, 0, lumbric::kFieldIdBase + 1);
  ASSERT_TRUE(WaitField(frame, 1, Key(1)));
  EXPECT_EQ(FieldText(frame, 12), "T1");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, SaveWritesTheFormIntoItsSlotAndABadDateIsRefusedWithItsCaption) {
  MakeArchive(Copy().RecordFile(), 2);
  HWND frame = StartShowing(lumbric::kCmdLast, Key(2));
  ASSERT_NE(frame, nullptr);
  const std::string before = Bytes(Copy().RecordFile());

  ASSERT_TRUE(driver::SetText(Field(frame, 3), "02-30-2024"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "Date 02-30-2024"));
  EXPECT_EQ(Bytes(Copy().RecordFile()), before);

  ASSERT_TRUE(driver::SetText(Field(frame, 3), "06-01-2024"));
  ASSERT_TRUE(driver::SetText(Field(frame, kFreeText), "new words"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The record is saved."));
  std::string after = Bytes(Copy().RecordFile());
  ASSERT_EQ(after.size(), before.size());
  std::string record = after.substr(2 * kRecordLength, kRecordLength);
  EXPECT_EQ(record.substr(38, 8), "20240601");
  EXPECT_EQ(record.substr(484, 100), "new words" + std::string(91, ' '));
  EXPECT_EQ(after.substr(0, 2 * kRecordLength), before.substr(0, 2 * kRecordLength));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, ASaveOntoASlotThatAnotherCopyRefilledIsRefusedAndChangesNothing) {
  MakeArchive(Copy().RecordFile(), 3);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, 1), "2"));
  PostMessageA(frame, lumbric::kMsgKeyEntered, 0, lumbric::kFieldIdBase + 1);
  ASSERT_TRUE(WaitField(frame, 1, Key(2)));
  // Meanwhile elsewhere: record 1 deleted and the file rebuilt, so slot 3 now holds key 3.
  DeleteRecord(1);
  ASSERT_EQ(lumbric::REBUILDINDEX(Copy().RecordFile(), fields_), 0);
  const std::string before = Bytes(Copy().RecordFile());
  ASSERT_EQ(before.substr(2 * kRecordLength, 8), Key(3));
  ASSERT_TRUE(driver::SetText(Field(frame, kFreeText), "lost?"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, SKWINERR(kDbRefused)));
  EXPECT_EQ(Bytes(Copy().RecordFile()), before);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, DeleteMarksTheRecordDropsItsItemsAndShowsTheRecordBefore) {
  MakeArchive(Copy().RecordFile(), 3);
  for (const std::string& item : {Key(2) + ".JPG", Key(2) + ".WAV", Key(1) + ".JPG"}) {
    std::string source = Copy().Write("items\\" + item, item);
    std::string name = item;
    qBtMmText(name, 1);
    ASSERT_EQ(qBtMmLib(Copy().Library(), source, 1), 0) << item;
  }
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, 1), "2"));
  PostMessageA(frame, lumbric::kMsgKeyEntered, 0, lumbric::kFieldIdBase + 1);
  ASSERT_TRUE(WaitField(frame, 1, Key(2)));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdDelete, "Delete this record?"));
  ASSERT_TRUE(WaitField(frame, 1, Key(1)));
  EXPECT_EQ(Bytes(Copy().RecordFile()).substr(2 * kRecordLength, 8), "////////");
  // The deleted record's items are gone from the library; the other record keeps its own.
  for (const std::string& item : {Key(2) + ".JPG", Key(2) + ".WAV"}) {
    std::string name = item;
    qBtMmText(name, 1);
    EXPECT_EQ(qBtMmLib(Copy().Library(), Copy().File("out.bin"), -2), kDbErrNotFound) << item;
  }
  std::string name = Key(1) + ".JPG";
  qBtMmText(name, 1);
  EXPECT_EQ(qBtMmLib(Copy().Library(), Copy().File("out.bin"), -2), 0);
  // Next from the record before passes over the deleted one.
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdNext, 0);
  ASSERT_TRUE(WaitField(frame, 1, Key(3)));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, TheRebuildSqueezesDeletedSlotsOutAndTheRecordShownCanStillBeSaved) {
  MakeArchive(Copy().RecordFile(), 4);
  DeleteRecord(2);
  HWND frame = StartShowing(lumbric::kCmdLast, Key(4));
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdRebuildIndex, 0);
  ASSERT_TRUE(Answer(1));
  ASSERT_TRUE(PumpUntil([&] { return Bytes(Copy().RecordFile()).size() == 4u * kRecordLength; },
                        std::chrono::milliseconds(15000)));
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr) << driver::BoxText(FindWindowA(kBox, nullptr));
  const std::string rebuilt = Bytes(Copy().RecordFile());
  EXPECT_EQ(rebuilt.substr(3 * kRecordLength, 8), Key(4));
  // The form follows its record to its new slot: a save goes there, not refused.
  ASSERT_TRUE(WaitField(frame, 1, Key(4)));
  ASSERT_TRUE(driver::SetText(Field(frame, kFreeText), "after the rebuild"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The record is saved."));
  std::string after = Bytes(Copy().RecordFile());
  ASSERT_EQ(after.size(), 4u * kRecordLength);
  EXPECT_EQ(after.substr(3 * kRecordLength + 484, 17), "after the rebuild");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, StatisticsOfAnArchiveWithoutLibrariesCountNoneAndMakeNoFile) {
  MakeArchive(Copy().RecordFile(), 2);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdStatistics, 0);
  std::string text = WaitBoxText();
  EXPECT_EQ(text.substr(0, text.find("Bytes")), "Records: 2\r\nMedia libraries: 0\r\nItems: 0\r\n") << text;
  ASSERT_TRUE(Answer());
  EXPECT_FALSE(fileio::Exists(Copy().ProgramFolder() + "QORIMAGE001.I01"));
  EXPECT_FALSE(fileio::Exists(Copy().ProgramFolder() + "QORIMAGE000.I01"));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, AWorkFolderThatIsTheDataFolderGivesWayToTheProgramsOwn) {
  MakeArchive(Copy().RecordFile(), 1);
  lumbric::Settings s;
  s.left = 20;
  s.top = 20;
  s.width = 740;
  s.height = 600;
  s.workFolder = Copy().ProgramFolder();
  Copy().WriteSettings(lumbric::FormatSettings(s));
  const std::string own = Copy().TempFolder() + "lumbric\\";
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  fileio::WriteFileReplacing(own + "old.jpg", "old");
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdEmptyWorkFolder, "Delete every file of the work folder " + own + " ?"));
  ASSERT_TRUE(PumpUntil([&] { return !fileio::Exists(own + "old.jpg"); }, kEventLimit));
  EXPECT_TRUE(fileio::Exists(Copy().RecordFile()));
  EXPECT_TRUE(fileio::Exists(Copy().Exe()));
  EXPECT_EQ(Close(), 0);
  // The settings written at the end name the program's own folder.
  lumbric::Settings written = lumbric::ParseSettings(Copy().ReadSettings(), {});
  EXPECT_EQ(written.workFolder, own);
}

TEST_F(Lumbric, MediaCopiesTheRecordsFourItemsIntoTheWorkFolder) {
  MakeArchive(Copy().RecordFile(), 1);
  std::vector<std::string> items = {Key(1) + ".JPG", Key(1) + ".DOC", Key(1) + ".WAV", Key(1) + ".QMF"};
  for (const std::string& item : items) {
    std::string source = Copy().Write("items\\" + item, "bytes of " + item);
    std::string name = item;
    qBtMmText(name, 1);
    ASSERT_EQ(qBtMmLib(Copy().Library(), source, 1), 0) << item;
  }
  const std::string work = UseWorkFolder();
  Copy().Write("work\\stale.txt", "an earlier record's");
  HWND frame = StartShowing(lumbric::kCmdFirst, Key(1));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdMedia, "4 items copied into the work folder."));
  for (const std::string& item : items) EXPECT_EQ(Bytes(work + item), "bytes of " + item) << item;
  EXPECT_FALSE(fileio::Exists(work + "stale.txt"));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, EmptiedTopicTitlesAreStoredAsTheDefaultTitles) {
  MakeArchive(Copy().RecordFile(), 1);
  Copy().WriteInProgram("QORIMAGE.TIT", "Places|People|Boats");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdTopicTitles, 0);
  HWND box = WaitForWindow("TopicTitle", kEventLimitMs);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return driver::FindChild(box, lumbric::kTitleFieldBase + kTopicSlots) != nullptr; },
                        kEventLimit));
  EXPECT_EQ(driver::WindowText(driver::FindChild(box, lumbric::kTitleFieldBase + 1)), "Places");
  EXPECT_EQ(driver::WindowText(driver::FindChild(box, lumbric::kTitleFieldBase + 3)), "Boats");
  for (int row = 1; row <= kTopicSlots; ++row)
    ASSERT_TRUE(driver::SetText(driver::FindChild(box, lumbric::kTitleFieldBase + row), ""));
  PostMessageA(box, WM_COMMAND, lumbric::kTitleConfirm, 0);
  // The titles changed: the question whether to start again; no.
  EXPECT_EQ(WaitBoxText(), "The topic titles have changed. Start the topic editor again now?");
  ASSERT_TRUE(Answer(2));
  std::string expected;
  for (int row = 1; row <= kTopicSlots; ++row)
    expected += (row > 1 ? "|Topic " : "Topic ") + std::string(row < 10 ? "0" : "") + std::to_string(row);
  EXPECT_EQ(Bytes(Copy().ProgramFolder() + "QORIMAGE.TIT"), expected);
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, ALockedArchiveRefusesChangesUntilTheRightPasswordUnlocksThisCopy) {
  MakeArchive(Copy().RecordFile(), 1);
  const std::string pwd = Copy().ProgramFolder() + "QORIMAGE.PWD";
  ASSERT_EQ(db::WritePasswordFile(pwd, "Secret 1"), 0);
  const std::string lockBytes = Bytes(pwd);
  HWND frame = StartShowing(lumbric::kCmdFirst, Key(1));
  ASSERT_NE(frame, nullptr);
  const std::string before = Bytes(Copy().RecordFile());

  // Locked: a new password is refused (it would show the old one), and so is a save.
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSetPassword, "The archive is locked."));
  ASSERT_TRUE(driver::SetText(Field(frame, kFreeText), "changed"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The archive is locked."));
  EXPECT_EQ(Bytes(Copy().RecordFile()), before);

  // A wrong password (letter case counts) changes nothing.
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdLock, 0);
  ASSERT_TRUE(TypeIntoInputBox("secret 1"));
  EXPECT_EQ(WaitBoxText(), "The password is wrong.");
  ASSERT_TRUE(Answer());
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The archive is locked."));

  // The right one unlocks this copy: the save goes through, the lock file stays.
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdLock, 0);
  ASSERT_TRUE(TypeIntoInputBox("Secret 1"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The record is saved."));
  EXPECT_NE(Bytes(Copy().RecordFile()), before);
  EXPECT_EQ(Bytes(pwd), lockBytes);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, BothExportsReachThePartnerOfEntry27AsCodeThree) {
  MakeArchive(Copy().RecordFile(), 3);
  DeleteRecord(2);
  const std::string log = Copy().File("partner.log");
  Copy().SetUiEntry(27, "standin.exe,TESTTOPICPARTNER");
  Copy().AddStandinAs("standin.exe");
  ASSERT_TRUE(RunStandin("TESTTOPICPARTNER", log));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // No thesaurus file of the current name: an empty export, handed over all the same.
  Copy().WriteInProgram("QORTOPIC.TXT", "an old export");
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdExportThesaurus, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(got[0].text, Copy().ProgramFolder() + "QORTOPIC.TXT");
  EXPECT_EQ(Bytes(Copy().ProgramFolder() + "QORTOPIC.TXT"), "");

  PostMessageA(frame, WM_COMMAND, lumbric::kCmdExportRecords, 0);
  got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(got[1].text, Copy().ProgramFolder() + "QORIMAGE.TXT");
  EXPECT_EQ(Bytes(Copy().ProgramFolder() + "QORIMAGE.TXT"),
            Key(1) + "  tester\r\n" + Key(3) + "  tester\r\n");

  // Help (F1 or 109) hands the document of entry 65 over the same way; a missing one is said.
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdHelp, Copy().ProgramFolder() + "LUMBRIC.TXT\r\n" + SKWINERR(2)));
  Copy().CopyFromSuite("LUMBRIC.TXT");  // the help text the suite ships
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdHelp, 0);
  got = WaitForLog(log, 3, kEventLimitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].code, kCodeOpen);
  EXPECT_EQ(got[2].text, Copy().ProgramFolder() + "LUMBRIC.TXT");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, TheMaintenanceToolGetsTheLibraryPatternQuotedForADataFolderWithBlanks) {
  Copy().WriteInProgram("QORIMAGENET.CFG", "@path@Data Folder\r\n");
  fileio::CopyFileTo(TestProgramFolder() + "lumbric_args_standin.exe", Copy().ProgramFolder() + "NARWEN.EXE");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  const std::string data = Copy().ProgramFolder() + "DATA FOLDER\\";
  EXPECT_TRUE(fileio::IsDirectory(fileio::WithoutTrailingSeparator(data)));
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdLibraryIndexes, 0);
  ASSERT_TRUE(Answer(1));
  const std::string line = Copy().ProgramFolder() + "NARWEN.log";
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(line); }, std::chrono::milliseconds(15000)));
  EXPECT_EQ(Bytes(line), " \"" + data + "QORIMAGE*.I01\" /I");
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(frame); }, kEventLimit));

  fileio::RemoveFile(line);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdCompactLibraries, 0);
  ASSERT_TRUE(Answer(1));
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(line); }, std::chrono::milliseconds(15000)));
  EXPECT_EQ(Bytes(line), " \"" + data + "QORIMAGE*.I01\" /O");
  EXPECT_EQ(Close(), 0);
}

// Libraries 001 and 002 with a removed item each: 204 starts the real maintenance tool,
// which compacts both and ends, and the editor comes back; 203 then rebuilds an index.
TEST_F(Lumbric, TheToolStartedFromTheEditorCompactsBothLibrariesThenRebuildsALostIndex) {
  Copy().CopyFromSuite("narwen.*");
  MakeArchive(Copy().RecordFile(), 2);
  narwen::LibraryItems items;
  const std::string lib1 = Copy().ProgramFolder() + "QORIMAGE001.B01";
  const std::string lib2 = Copy().ProgramFolder() + "QORIMAGE002.B01";
  items.Fill(lib1, Copy().File("in\\"), 11);
  items.Fill(lib2, Copy().File("in\\"), 12);
  const int64_t before1 = fileio::FileSize(lib1), before2 = fileio::FileSize(lib2);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdCompactLibraries, 0);
  ASSERT_TRUE(Answer(1));
  // Both libraries lose the removed item (its 5,000 bytes and trailer).
  EXPECT_TRUE(PumpUntil(
      [&] {
        return fileio::FileSize(lib1) == before1 - 5022 && fileio::FileSize(lib2) == before2 - 5022 &&
               !IsIconic(frame) && IsWindowEnabled(frame);
      },
      std::chrono::milliseconds(60000)))
      << fileio::FileSize(lib1) << " " << fileio::FileSize(lib2) << " of " << before1 << " " << before2;
  EXPECT_TRUE(PumpUntil([] { return FindWindowA(kClassMaintenance, nullptr) == nullptr; },
                        kEventLimit));
  items.ExpectLive(Copy().File("out\\"));

  // 203 rebuilds an index that lost its keys and leaves the libraries byte for byte.
  const std::string bytes1 = Bytes(lib1), bytes2 = Bytes(lib2);
  fileio::RemoveFile(DBNAME(lib2, 'I'));
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBNAME(lib2, 'I'), 12, handle, status), 0);
  ASSERT_EQ(qBtKeyNbr(handle), 0);
  qBtClose(handle);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdLibraryIndexes, 0);
  ASSERT_TRUE(Answer(1));
  EXPECT_TRUE(PumpUntil(
      [&] {
        int h = 0, st = 0, keys = 0;
        if (qBtOpen(DBNAME(lib2, 'I'), 12, h, st) != 0) return false;
        keys = qBtKeyNbr(h);
        qBtClose(h);
        return keys == 2 && !IsIconic(frame) && IsWindowEnabled(frame) &&
               FindWindowA(kClassMaintenance, nullptr) == nullptr;
      },
      std::chrono::milliseconds(60000)));
  EXPECT_TRUE(Bytes(lib1) == bytes1);
  EXPECT_TRUE(Bytes(lib2) == bytes2);
  items.ExpectLive(Copy().File("out\\"));
  EXPECT_EQ(Close(), 0);
}

// The tool keeps running while its ".hold" file exists: the editor waits minimised, takes
// no commands, still answers, and comes back (or ends, when a close came meanwhile) after.
TEST_F(Lumbric, WhileTheMaintenanceToolRunsTheEditorAnswersButTakesNoCommandsAndComesBackAfter) {
  fileio::CopyFileTo(TestProgramFolder() + "lumbric_args_standin.exe", Copy().ProgramFolder() + "NARWEN.EXE");
  const std::string hold = Copy().ProgramFolder() + "NARWEN.hold";
  const std::string line = Copy().ProgramFolder() + "NARWEN.log";
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  auto startTool = [&](int command) {
    fileio::RemoveFile(line);
    ASSERT_EQ(fileio::WriteFileReplacing(hold, "wait"), fileio::kOk);
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    ASSERT_TRUE(Answer(1));
    ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(line); }, std::chrono::milliseconds(15000)));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(frame) && !IsWindowEnabled(frame); }, kEventLimit));
  };
  auto answers = [&] {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
  };

  startTool(lumbric::kCmdCompactLibraries);
  EXPECT_TRUE(answers());
  // The statistics would show a box: a command while the tool runs is not carried out.
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdStatistics, 0);
  EXPECT_TRUE(answers());
  EXPECT_TRUE(Process().Running());
  fileio::RemoveFile(hold);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(frame) && IsWindowEnabled(frame); }, std::chrono::milliseconds(15000)));
  EXPECT_FALSE(PumpUntil([&] { return FindWindowA(kBox, nullptr) != nullptr; }, std::chrono::milliseconds(1500)));

  startTool(lumbric::kCmdLibraryIndexes);
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(answers());
  EXPECT_TRUE(Process().Running());
  EXPECT_TRUE(IsWindow(frame));
  fileio::RemoveFile(hold);
  EXPECT_EQ(Process().Wait(15000), 0);
}

}  // namespace

namespace {

// The window made lower and then a little higher again: the topic panel still reaches
// down to its margin and the progress bar keeps to the bottom.
TEST_F(Lumbric, TheTopicPanelAndTheProgressBarFollowTheWindowsSize) {
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND progress = driver::FindChild(frame, lumbric::kProgressBar);
  ASSERT_NE(progress, nullptr);
  HWND holder = GetParent(progress);
  HWND panel = driver::FindChildByClass(holder, "SKLIST");
  ASSERT_NE(panel, nullptr);
  auto inHolder = [&](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, holder, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  auto holderHeight = [&] {
    RECT c;
    GetClientRect(holder, &c);
    return int(c.bottom);
  };
  auto fits = [&] {
    RECT c;
    GetClientRect(holder, &c);
    RECT p = inHolder(panel), b = inHolder(progress);
    return p.bottom == c.bottom - 8 && p.right == std::min<LONG>(578, c.right - 8) && b.top == c.bottom - 22;
  };
  ASSERT_TRUE(PumpUntil(fits, kEventLimit));
  RECT w;
  GetWindowRect(frame, &w);
  int height = int(w.bottom - w.top);
  for (int change : {-120, 60}) {
    const int before = holderHeight();
    height += change;
    SetWindowPos(frame, nullptr, 0, 0, int(w.right - w.left), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] { return holderHeight() != before && fits(); }, kEventLimit))
        << "change " << change << ": holder " << before << " -> " << holderHeight() << ", panel bottom "
        << inHolder(panel).bottom << ", bar top " << inHolder(progress).top;
  }
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, TheLockButtonOnAnOpenArchiveSetsThePasswordAndLocksIt) {
  MakeArchive(Copy().RecordFile(), 1);
  const std::string pwd = Copy().ProgramFolder() + "QORIMAGE.PWD";
  HWND frame = StartShowing(lumbric::kCmdFirst, Key(1));
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdLock, 0);
  HWND box = WaitForWindow(kInputBox, kEventLimitMs);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(driver::WaitChild(box, 2, kEventLimitMs), nullptr);  // the fields may come after the box
  ASSERT_TRUE(driver::SetText(driver::FindChild(box, 1), "Open Sesame"));
  ASSERT_TRUE(driver::SetText(driver::FindChild(box, 2), "Open Sesame"));
  ASSERT_TRUE(driver::PressButton(kInputBox, 1, "", kEventLimitMs));
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(pwd); }, kEventLimit));
  std::string password;
  EXPECT_EQ(db::ReadPasswordFile(pwd, password), 0);
  EXPECT_EQ(password, "Open Sesame");
  // From now on this copy is locked too.
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The archive is locked."));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, ASaveWithoutATopicIsRefusedAndANewTopicWordJoinsTheThesaurus) {
  MakeArchive(Copy().RecordFile(), 1);
  HWND frame = StartShowing(lumbric::kCmdFirst, Key(1));
  ASSERT_NE(frame, nullptr);
  const std::string before = Bytes(Copy().RecordFile());
  for (int k = 0; k < kTopicSlots; ++k) ASSERT_TRUE(driver::SetText(Field(frame, 12 + k), k % 2 ? "(none)" : ""));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "A record needs at least one topic before it is saved."));
  EXPECT_EQ(Bytes(Copy().RecordFile()), before);

  ASSERT_TRUE(driver::SetText(Field(frame, 13), "LIGHTHOUSE"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The record is saved."));
  EXPECT_EQ(Bytes(Copy().RecordFile()).substr(kRecordLength + 124, 10), "LIGHTHOUSE");
  EXPECT_NE(Bytes(Copy().ProgramFolder() + "STANDARD.THM").find("LIGHTHOUSE"), std::string::npos);
  // Index 2 (the second slot's) files the word under the record.
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBINDEX(Copy().RecordFile(), 2), 40, handle, status), 0);
  std::string key = "LIGHTHOUSE";
  int32_t record = 0;
  qBtSearch(handle, key, record, status);
  qBtClose(handle);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(record, 2);

  // With the check box beside the thesaurus cleared, a new word stays in the record only.
  HWND check = driver::FindChild(frame, lumbric::kThesaurusCheck);
  ASSERT_NE(check, nullptr);
  SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
  ASSERT_TRUE(driver::SetText(Field(frame, 14), "QUAYSIDE"));
  EXPECT_TRUE(CommandSays(frame, lumbric::kCmdSave, "The record is saved."));
  EXPECT_EQ(Bytes(Copy().RecordFile()).substr(kRecordLength + 164, 8), "QUAYSIDE");
  EXPECT_EQ(Bytes(Copy().ProgramFolder() + "STANDARD.THM").find("QUAYSIDE"), std::string::npos);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, EscapeDuringTheRecordExportAsksAndAYesStopsItWithoutAHandOver) {
  MakeArchive(Copy().RecordFile(), 2);
  const std::string log = Copy().File("partner.log");
  Copy().SetUiEntry(27, "standin.exe,TESTTOPICPARTNER");
  Copy().AddStandinAs("standin.exe");
  ASSERT_TRUE(RunStandin("TESTTOPICPARTNER", log));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // The Escape waits in the queue behind the command: the export's first check finds it.
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdExportRecords, 0);
  PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(WaitBoxText(), "Stop the export?");
  ASSERT_TRUE(Answer(1));
  // The next hand-over is the thesaurus export's: the stopped one sent nothing.
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdExportThesaurus, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].text, Copy().ProgramFolder() + "QORTOPIC.TXT");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, ChangedTitlesAndAYesStartTheEditorAgain) {
  MakeArchive(Copy().RecordFile(), 1);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdTopicTitles, 0);
  HWND box = WaitForWindow("TopicTitle", kEventLimitMs);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return driver::FindChild(box, lumbric::kTitleFieldBase + 1) != nullptr; },
                        kEventLimit));
  ASSERT_TRUE(driver::SetText(driver::FindChild(box, lumbric::kTitleFieldBase + 1), "Harbours"));
  PostMessageA(box, WM_COMMAND, lumbric::kTitleConfirm, 0);
  ASSERT_TRUE(Answer(1));
  EXPECT_EQ(Process().Wait(20000), 0);
  EXPECT_EQ(Bytes(Copy().ProgramFolder() + "QORIMAGE.TIT").substr(0, 9), "Harbours|");
  // The new copy shows the new title; it is ended here, as the fixture does not know it.
  HWND again = WaitForWindow(kClassTopicEditor, kEventLimitMs);
  ASSERT_NE(again, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return driver::FindChild(again, lumbric::kFieldIdBase + kLastField) != nullptr; },
                        std::chrono::milliseconds(20000)));
  DWORD id = 0;
  GetWindowThreadProcessId(again, &id);
  EXPECT_NE(id, Process().Id());
  driver::SendCommand(again, kCodeClose, "");
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(again); }, std::chrono::milliseconds(20000)));
}

TEST_F(Lumbric, AThesaurusChosenFillsTheTopicSlotsIsExportedAndKeptInTheSettings) {
  MakeArchive(Copy().RecordFile(), 1);
  Copy().WriteInProgram("BOATS.THM", "DINGHY\r\nKETCH\r\n");
  Copy().WriteInProgram("STANDARD.THM", "HARBOUR\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND choice = driver::FindChild(frame, lumbric::kThesaurusBox);
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(driver::ListItems(choice), (std::vector<std::string>{"BOATS", "STANDARD"}));
  ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(Field(frame, 12)).size() == 2; },
                        kEventLimit));
  EXPECT_EQ(driver::ListItems(Field(frame, 12)), (std::vector<std::string>{"", "HARBOUR"}));
  // The user picks BOATS: the choice box tells its parent that the selection is made.
  SendMessageA(choice, CB_SETCURSEL, 0, 0);
  SendMessageA(GetParent(choice), WM_COMMAND, MAKEWPARAM(lumbric::kThesaurusBox, CBN_SELENDOK), LPARAM(choice));
  ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(Field(frame, 21)).size() == 3; },
                        kEventLimit));
  EXPECT_EQ(driver::ListItems(Field(frame, 21)), (std::vector<std::string>{"", "DINGHY", "KETCH"}));
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdExportThesaurus, 0);
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(Copy().ProgramFolder() + "QORTOPIC.TXT"); },
                        kEventLimit));
  EXPECT_TRUE(PumpUntil([&] { return Bytes(Copy().ProgramFolder() + "QORTOPIC.TXT") == "BOATS\r\n-----\r\n\r\nDINGHY\r\nKETCH\r\n"; },
                        kEventLimit))
      << Bytes(Copy().ProgramFolder() + "QORTOPIC.TXT");
  EXPECT_EQ(Close(), 0);
  lumbric::Settings written = lumbric::ParseSettings(Copy().ReadSettings(), {});
  EXPECT_EQ(written.thesaurus, "BOATS");
}

// The thesaurus editor with the topic editor's own texts: a word that a record uses stays,
// with a warning that says so; after Add the focus is back in the word's field.
TEST_F(Lumbric, TheThesaurusEditorKeepsAWordInUseWithTheEditorsOwnWarning) {
  MakeArchive(Copy().RecordFile(), 1);  // record 1 has the topic T1
  Copy().WriteInProgram("STANDARD.THM", "T1\r\nT9\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdEditThesaurus, 0);
  HWND editor = WaitForWindow("THESAURUS", kEventLimitMs, Process().Id());
  ASSERT_NE(editor, nullptr);
  HWND words = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (words = driver::FindChild(editor, 1)) && driver::FindChild(editor, 4) &&
                                     driver::ListItems(words).size() == 2; },
                        kEventLimit));
  SendMessageA(words, CB_SETCURSEL, 0, 0);
  PostMessageA(driver::FindChild(editor, 3), BM_CLICK, 0, 0);
  HWND box = nullptr;
  EXPECT_EQ(WaitBoxText(&box), "T1 is used by a record and stays in the thesaurus.");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Thesaurus");
  ASSERT_TRUE(Answer());
  EXPECT_EQ(driver::ListItems(words), (std::vector<std::string>{"T1", "T9"}));

  ASSERT_TRUE(driver::SetText(words, "T5"));
  PostMessageA(driver::FindChild(editor, 2), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(words).size() == 3; }, kEventLimit));
  SendAndWait(editor, WM_NULL, 0, 0);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &info));
  EXPECT_TRUE(info.hwndFocus == words || IsChild(words, info.hwndFocus));
  PostMessageA(editor, WM_COMMAND, 32196, 0);
  ASSERT_TRUE(WaitForNoWindow("THESAURUS", kEventLimitMs));
  EXPECT_EQ(Bytes(Copy().ProgramFolder() + "STANDARD.THM"), "T1\r\nT5\r\nT9\r\n");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, ANewThesaurusIsMadeUnderItsCleanedNameAndABadNameIsSaid) {
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, lumbric::kCmdNewThesaurus, 0);
  ASSERT_TRUE(TypeIntoInputBox("Old boats, 1900"));
  HWND choice = driver::FindChild(frame, lumbric::kThesaurusBox);
  ASSERT_TRUE(PumpUntil([&] { return !driver::ListItems(choice).empty(); }, kEventLimit));
  EXPECT_EQ(driver::ListItems(choice), (std::vector<std::string>{"OLDBOATS1900"}));
  EXPECT_TRUE(fileio::Exists(Copy().ProgramFolder() + "OLDBOATS1900.THM"));

  PostMessageA(frame, WM_COMMAND, lumbric::kCmdNewThesaurus, 0);
  ASSERT_TRUE(TypeIntoInputBox("a<b"));
  std::string text = WaitBoxText();
  EXPECT_EQ(text.substr(0, 5), "a<b\r\n") << text;
  ASSERT_TRUE(Answer());
  EXPECT_EQ(driver::ListItems(choice).size(), 1u);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lumbric, ASecondStartLeavesTheFirstRunningAndEndsWithZero) {
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // Without a record file the buttons find nothing and make no index.
  SendAndWait(frame, WM_COMMAND, lumbric::kCmdFirst, 0);
  SendAndWait(frame, WM_COMMAND, lumbric::kCmdNext, 0);
  EXPECT_EQ(FieldText(frame, 1), "");
  EXPECT_FALSE(fileio::Exists(DBINDEX(Copy().RecordFile(), 0)));
  ChildProcess& second = Launch();
  EXPECT_EQ(second.Wait(20000), 0);
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(Close(), 0);
}

class LumbricWithoutUiFile : public Lumbric {
 protected:
  LumbricWithoutUiFile() { WithoutUiFile(); }
};

TEST_F(LumbricWithoutUiFile, SaysTheFileIsMissingAndEndsWithTwo) {
  ChildProcess& p = Launch();
  HWND box = WaitForWindow(kBox, kEventLimitMs, p.Id());
  ASSERT_NE(box, nullptr);
  std::string text = WaitBoxText();
  EXPECT_NE(text.find("lumbric.SYS missing !"), std::string::npos) << text;
  EXPECT_EQ(FindTopWindow(kClassTopicEditor), nullptr);
  ASSERT_TRUE(driver::PressButton(kBox, 1, "", kEventLimitMs));
  EXPECT_EQ(p.Wait(20000), 2);
}

}  // namespace

// The query tool under Wine, driven from outside: an archive made here through the
// database library, searches whose result folder a stand-in media browser receives,
// the free-text search, statistics, the password of a locked archive.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "ostrel/command_ids.h"
#include "program_test.h"
#include "skin/sk_files.h"
#include "wait_until.h"
#include "worker_process.h"

namespace {

constexpr const char* kBox = "SKMSGBOX";
constexpr const char* kBrowser = "TESTQUERYBROWSER";
constexpr const char* kStatusClass = "SKSTATUS";  // the skin's status line
constexpr int kYear = 10;
constexpr int kUser = 25;  // the text field after the ten topic slots
constexpr DWORD kLimit = 20000;

class OstrelFolder : public ProgramCopy {
 public:
  explicit OstrelFolder(bool uiFile = true) : ProgramCopy("ostrel", uiFile) {}
  std::string RecordFile() const { return ProgramFolder() + "QORIMAGE.F01"; }
  std::string Library() const { return ProgramFolder() + "QORIMAGE001.B01"; }
  std::string ResultFolder() const { return ProgramFolder() + "RESULT\\"; }
};

std::string ItemBytes(const std::string& item) {
  std::string bytes = "item " + item + "\r\n";
  for (int i = 0; i < 2000; ++i) bytes += char((i * 31 + int(item[7])) & 0xFF);
  return bytes;
}

std::vector<std::string> Items(const std::string& key) {
  return {key + ".JPG", key + ".DOC", key + ".WAV", key + ".QMF"};
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const fileio::DirEntry& e : fileio::ListDirectory(folder + "*")) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

class Ostrel : public ProgramTestOf<OstrelFolder> {
 protected:
  Ostrel() : ProgramTestOf({"ostrel", kClassQuery, ostrel::kProgressBar}) {}

  // Records with the years given, each with its four items in library 001 (unless not),
  // and the topics given (else "HARBOUR" in the first slot).
  void MakeArchive(const std::vector<std::string>& years, bool withItems = true,
                   const std::vector<std::vector<std::string>>& topics = {}) {
    const std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
    ASSERT_EQ(DBCREATE(Copy().RecordFile(), DbRecordLength(fields)), 0);
    int file = 0, ok = 0;
    ASSERT_EQ(DBOPENF(Copy().RecordFile(), file, ok), 0);
    DbBeginBatch();
    for (size_t i = 0; i < years.size(); ++i) {
      std::string number = std::to_string(i + 1);
      std::string key = std::string(8 - number.size(), '0') + number;
      std::vector<std::string> values(fields.size());
      values[0] = key;
      values[1] = "PICTURE " + key;
      values[3] = "JPG";
      values[9] = years[i];
      values[11] = "HARBOUR";
      if (i < topics.size())
        for (size_t k = 0; k < topics[i].size() && k < 10; ++k) values[11 + k] = topics[i][k];
      values[size_t(kUser - 1)] = "note " + key;
      ASSERT_EQ(DBCREF(Copy().RecordFile(), file, values, fields), 0);
      if (!withItems) continue;
      for (const std::string& item : Items(key)) {
        std::string source = Copy().Write("src\\" + item, ItemBytes(item));
        std::string name = item;
        ASSERT_EQ(qBtMmText(name, 1), 0);
        ASSERT_EQ(qBtMmLib(Copy().Library(), source, 1), 0);
      }
    }
    DbEndBatch();
    SKFCLOSE(file);
  }
  // The stand-in media browser of UI entry 66, logging to the returned file.
  std::string RunBrowser() {
    const std::string log = Copy().File("browser.log");
    Copy().SetUiEntry(66, std::string("standin.exe,") + kBrowser);
    Copy().AddStandinAs("standin.exe");
    EXPECT_TRUE(RunStandin(kBrowser, log));
    return log;
  }
  static HWND Field(HWND frame, int field) { return driver::FindChild(frame, ostrel::kFieldIdBase + field); }
  static HWND High(HWND frame, int field) { return driver::FindChild(frame, ostrel::kHighIdBase + field); }
  static HWND Radio(HWND frame, int op) { return driver::FindChild(frame, ostrel::kRadioBase + op); }
  // The field takes the focus (as its input reports it) and the operator's radio button is pressed.
  static void ChooseOperator(HWND frame, int field, int op) {
    Focused(frame, field);
    SendAndWait(Radio(frame, op), BM_CLICK, 0, 0);
  }
  // What a field's input tells its parent (the form's list panel) when it takes the focus.
  static void Focused(HWND frame, int field) {
    HWND input = Field(frame, field);
    SendAndWait(GetParent(input), WM_COMMAND, MAKEWPARAM(ostrel::kFieldIdBase + field, EN_SETFOCUS), LPARAM(input));
  }
  static std::string WaitBoxText() {
    std::string text;
    PumpUntil([&] { return !(text = driver::BoxText(FindWindowA(kBox, nullptr))).empty(); },
              std::chrono::milliseconds(kLimit));
    return text;
  }
  static bool Answer(const char* boxClass = kBox, int button = 1) {
    HWND box = WaitForWindow(boxClass, kLimit);
    return box && driver::PressButton(boxClass, button, "", kLimit) &&
           PumpUntil([&] { return !IsWindow(box); }, std::chrono::milliseconds(kLimit));
  }
  // Types into the input box that shows (or comes) and presses OK.
  static bool Type(const std::string& text) { return driver::AnswerInputBox(text, kLimit); }
  static bool WaitSearchDone(HWND frame) {
    return PumpUntil([&] { return driver::WindowText(driver::FindChild(frame, ostrel::kCmdSearch)) == "Search"; },
                     std::chrono::milliseconds(kLimit));
  }
};

TEST_F(Ostrel, ARangeTypedHighFirstCopiesOutTheTwelveItemsAndHandsTheFolderOver) {
  MakeArchive({"1995", "2000", "2005", "2010", "1990"});
  const std::string log = RunBrowser();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "2005"));
  ASSERT_TRUE(driver::SetText(High(frame, kYear), "1995"));
  ChooseOperator(frame, kYear, 8);
  // A number field offers the number operators only.
  for (int op = 1; op <= 4; ++op) EXPECT_FALSE(IsWindowEnabled(Radio(frame, op))) << op;
  for (int op = 5; op <= 9; ++op) EXPECT_TRUE(IsWindowEnabled(Radio(frame, op))) << op;
  EXPECT_EQ(SendMessageA(Radio(frame, 8), BM_GETCHECK, 0, 0), BST_CHECKED);
  fileio::MakeDirectories(Copy().ResultFolder());
  fileio::WriteFileReplacing(Copy().ResultFolder() + "OLD.JPG", "from an earlier search");

  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kLimit);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeGoToFolder);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, Copy().ResultFolder())) << got[0].text;
  EXPECT_EQ(got[1].code, kCodeFileType5);
  EXPECT_EQ(got[1].text, "");
  std::vector<std::string> expected;
  for (const char* key : {"00000001", "00000002", "00000003"})
    for (const std::string& item : Items(key)) expected.push_back(item);
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(Names(Copy().ResultFolder()), expected);
  for (const std::string& item : expected) {
    std::string bytes;
    fileio::ReadWholeFile(Copy().ResultFolder() + item, bytes);
    EXPECT_EQ(bytes, ItemBytes(item)) << item;
  }
  EXPECT_EQ(Close(), 0);
}

// Another program files records meanwhile and a record is deleted as the topic editor
// deletes it: the search takes the live records of the range only.
TEST_F(Ostrel, ASearchWhileAFilerFilesAndARecordIsDeletedTakesOnlyLiveRecords) {
  MakeArchive({"1995", "2000", "2005"});
  Copy().WriteInProgram("QORIMAGE.CPT", "0000000003\r\n");
  const std::string log = RunBrowser();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  WorkerProcess filer;
  ASSERT_TRUE(filer.Start("db_append_worker", {Copy().RecordFile(), Copy().ProgramFolder() + "QORIMAGE.CPT", "1",
                                               "400", Copy().File("ready"), Copy().File("go")}));
  ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(Copy().File("ready")); }, std::chrono::seconds(60),
                        std::chrono::milliseconds(5)));
  Copy().Write("go", "");
  ASSERT_TRUE(WaitUntil([&] { return fileio::FileSize(Copy().RecordFile()) > 20 * 671; }, std::chrono::seconds(60),
                        std::chrono::milliseconds(2)));
  {
    // Record 3 (key 00000002) deleted under the header lock.
    int file = 0, ok = 0;
    ASSERT_EQ(DBOPENF(Copy().RecordFile(), file, ok), 0);
    ASSERT_EQ(DbLockHeader(file, 671), 0);
    EXPECT_EQ(SKFPUTAT(file, 2 * 671, std::string(8, '/')), 0);
    SKFUNLOCK(file, 0, 671);
    SKFCLOSE(file);
  }
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "1995"));
  ASSERT_TRUE(driver::SetText(High(frame, kYear), "2005"));
  ChooseOperator(frame, kYear, 8);
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  ASSERT_EQ(WaitForLog(log, 2, kLimit).size(), 2u);
  std::vector<std::string> expected;
  for (const char* key : {"00000001", "00000003"})
    for (const std::string& item : Items(key)) expected.push_back(item);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(Copy().ResultFolder()), expected);
  EXPECT_EQ(filer.Wait(60000), 0);
  EXPECT_EQ(fileio::FileSize(Copy().RecordFile()), (4 + 400) * 671);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Ostrel, TheMenuCheckPassesOverMarkedRecordsAndSaysHowMany) {
  MakeArchive({"2000", "2000", "2000"});
  {
    // The second record marked.
    const std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
    const DBFIELD& mark = fields[size_t(db::FieldFlag(10) - 1)];
    int file = 0;
    ASSERT_EQ(SKFOPEN(Copy().RecordFile(), 2, 4, file), 0);
    ASSERT_EQ(SKFPUTAT(file, 2 * 671 + mark.position - 1, "X"), 0);
    SKFCLOSE(file);
  }
  const std::string log = RunBrowser();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "2000"));
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdPassOverMarked, 0);
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  ASSERT_EQ(WaitForLog(log, 2, kLimit).size(), 2u);
  HWND status = driver::FindChildByClass(frame, kStatusClass);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(driver::WindowText(status), "2 pictures found (1 marked records passed over)");
  EXPECT_FALSE(fileio::Exists(Copy().ResultFolder() + "00000002.JPG"));
  EXPECT_TRUE(fileio::Exists(Copy().ResultFolder() + "00000003.JPG"));
  EXPECT_EQ(Close(), 0);
}

// "Differs from" on a topic slot drops every record one of whose slots begins with the
// word; a slot that holds it further on does not.
TEST_F(Ostrel, DiffersFromOnATopicDropsTheRecordsWithASlotBeginningWithTheWord) {
  MakeArchive({"2000", "2000", "2000", "2000"}, true,
              {{"HARBOUR", "CATALOG"}, {"HARBOUR", "DOG"}, {"BOBCAT"}, {"CAT", "SEA"}});
  const std::string log = RunBrowser();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, 12), "CAT"));
  ChooseOperator(frame, 12, 4);
  EXPECT_EQ(SendMessageA(Radio(frame, 4), BM_GETCHECK, 0, 0), BST_CHECKED);
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  ASSERT_EQ(WaitForLog(log, 2, kLimit).size(), 2u);
  std::vector<std::string> expected;
  for (const char* key : {"00000002", "00000003"})
    for (const std::string& item : Items(key)) expected.push_back(item);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(Copy().ResultFolder()), expected);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Ostrel, AFormWithoutConditionIsRefusedAndAnEmptyResultEntryDeletesNothing) {
  MakeArchive({"2000"});
  const std::string log = RunBrowser();
  Copy().SetUiEntry(35, "");
  Copy().WriteInProgram("KEEP.JPG", "keep");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  EXPECT_EQ(WaitBoxText(), "Type a value into at least one field first.");
  ASSERT_TRUE(Answer());
  // A date that is no day of the calendar stops the search with the field's title.
  ASSERT_TRUE(driver::SetText(Field(frame, 3), "02-30-2024"));
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  EXPECT_EQ(WaitBoxText(), "Date 02-30-2024");
  ASSERT_TRUE(Answer());
  ASSERT_TRUE(driver::SetText(Field(frame, 3), ""));
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "2000"));
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  EXPECT_NE(WaitBoxText().find("cannot be used"), std::string::npos);
  ASSERT_TRUE(Answer());
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdEmptyResult, 0);
  ASSERT_TRUE(Answer());  // yes, empty it
  EXPECT_NE(WaitBoxText().find("cannot be used"), std::string::npos);
  ASSERT_TRUE(Answer());
  EXPECT_TRUE(fileio::Exists(Copy().ProgramFolder() + "KEEP.JPG"));
  EXPECT_TRUE(fileio::Exists(Copy().RecordFile()));
  EXPECT_TRUE(fileio::Exists(Copy().ProgramFolder() + "ostrel.SYS"));
  EXPECT_TRUE(ReadStandinLog(log).empty());
  EXPECT_EQ(Close(), 0);
}

TEST_F(Ostrel, ASearchStoppedWithTheButtonHandsNothingOver) {
  MakeArchive(std::vector<std::string>(3000, "2000"), false);
  const std::string log = RunBrowser();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "2000"));
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  HWND status = driver::FindChildByClass(frame, kStatusClass);
  ASSERT_NE(status, nullptr);
  HWND button = driver::FindChild(frame, ostrel::kCmdSearch);
  ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(button) == "Stop"; }, std::chrono::milliseconds(kLimit)));
  // Each record taken shows its key.
  ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(status).rfind("Found: 0", 0) == 0; },
                        std::chrono::milliseconds(kLimit)));
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  ASSERT_TRUE(WaitSearchDone(frame));
  Sleep(1000);
  EXPECT_TRUE(ReadStandinLog(log).empty());
  EXPECT_EQ(driver::WindowText(status), "");
  EXPECT_EQ(Close(), 0);
}

// The media browser is not running: the tool starts it and hands the folder over.
TEST_F(Ostrel, FreeTextSearchWritesThePictureAndItsNote) {
  MakeArchive({"1995", "2000"});
  const std::string log = Copy().File("started.log");
  Copy().SetUiEntry(66, std::string("kelmor.exe,") + kBrowser);
  Copy().AddStandinAs("kelmor.exe", kBrowser, log);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdFreeText, 0);
  ASSERT_TRUE(Type("PICTURE 00000002"));
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kLimit);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeGoToFolder);
  EXPECT_EQ(Names(Copy().ResultFolder()), (std::vector<std::string>{"00000002.JPG", "00000002.TXT"}));
  std::string note, picture;
  fileio::ReadWholeFile(Copy().ResultFolder() + "00000002.TXT", note);
  fileio::ReadWholeFile(Copy().ResultFolder() + "00000002.JPG", picture);
  EXPECT_EQ(note, "note 00000002");
  EXPECT_EQ(picture, ItemBytes("00000002.JPG"));
  EXPECT_EQ(Close(), 0);
  CloseStandin(kBrowser);
}

TEST_F(Ostrel, AWordOfTheThesaurusGoesIntoTheFieldLastFocusedAndTheChoiceIsKept) {
  Copy().WriteInProgram("STANDARD.THM", "HARBOUR\r\nLIGHTHOUSE\r\n\r\nSEA\r\n");
  Copy().WriteInProgram("BOATS.THM", "SAIL\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  HWND words = driver::FindChild(frame, ostrel::kWordList);
  EXPECT_EQ(driver::ListItems(words), (std::vector<std::string>{"HARBOUR", "LIGHTHOUSE", "SEA"}));
  // A topic slot is a text field: the text operators only.
  Focused(frame, 13);
  for (int op = 1; op <= 5; ++op) EXPECT_TRUE(IsWindowEnabled(Radio(frame, op))) << op;
  for (int op = 6; op <= 9; ++op) EXPECT_FALSE(IsWindowEnabled(Radio(frame, op))) << op;
  SendMessageA(words, LB_SETCURSEL, 1, 0);
  SendAndWait(frame, WM_COMMAND, MAKEWPARAM(ostrel::kWordList, LBN_DBLCLK), LPARAM(words));
  EXPECT_EQ(driver::WindowText(Field(frame, 13)), "LIGHTHOUSE");
  // Another thesaurus fills the list, and the choice is in the settings at the end.
  HWND box = driver::FindChild(frame, ostrel::kThesaurusBox);
  ASSERT_EQ(SendMessageA(box, CB_SETCURSEL, 0, 0), 0);  // "BOATS", sorted first
  SendAndWait(frame, WM_COMMAND, MAKEWPARAM(ostrel::kThesaurusBox, CBN_SELCHANGE), LPARAM(box));
  EXPECT_EQ(driver::ListItems(words), (std::vector<std::string>{"SAIL"}));
  EXPECT_EQ(Close(), 0);
  const std::string settings = Copy().ReadSettings();
  ASSERT_GT(settings.size(), 8u);
  EXPECT_EQ(settings.substr(settings.size() - 6), "|BOATS");
}

TEST_F(Ostrel, HelpGoesToTheViewerOfEntry71AsCodeThreeWithThePath) {
  const std::string log = Copy().File("help.log");
  // The help page the suite ships, not one made for the test.
  Copy().CopyFromSuite("ostrel.htm");
  Copy().SetUiEntry(71, "standin.exe,TESTQUERYHELP");
  Copy().AddStandinAs("standin.exe");
  ASSERT_TRUE(RunStandin("TESTQUERYHELP", log));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_KEYDOWN, VK_F1, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kLimit);
  ASSERT_GE(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, Copy().ProgramFolder() + "ostrel.htm")) << got[0].text;
  EXPECT_EQ(Close(), 0);
}

TEST_F(Ostrel, StatisticsOfALockedArchiveComeAfterItsPassword) {
  MakeArchive({"1995", "2000", "2005"});
  ASSERT_EQ(db::WritePasswordFile(Copy().ProgramFolder() + "QORIMAGE.PWD", "harbour"), 0);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdStatistics, 0);
  ASSERT_TRUE(Type("wrong"));
  EXPECT_EQ(WaitBoxText(), "The password does not match.");
  ASSERT_TRUE(Answer());
  // Nor does a search run.
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "2000"));
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdSearch, 0);
  ASSERT_TRUE(Type("wrong again"));
  ASSERT_TRUE(Answer());
  EXPECT_FALSE(fileio::Exists(Copy().ResultFolder()));

  PostMessageA(frame, WM_COMMAND, ostrel::kCmdStatistics, 0);
  ASSERT_TRUE(Type("harbour"));
  std::string text = WaitBoxText();
  EXPECT_EQ(text.rfind("3 records, 1 libraries, 12 items, ", 0), 0u) << text;
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Close(), 0);
}

TEST_F(Ostrel, AQuerySavedLoadedAndDeletedThroughThePickDialog) {
  Copy().CopyFromSuite("nadrix.dll");
  MakeArchive({"2000"}, false);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kYear), "2005"));
  ASSERT_TRUE(driver::SetText(High(frame, kYear), "1995"));
  ChooseOperator(frame, kYear, 8);
  ASSERT_TRUE(driver::SetText(Field(frame, 2), "HARBOUR"));
  ChooseOperator(frame, 2, 3);
  // The name field's text names the file in the dialog's folder, the program folder.
  auto pick = [&](int command, const std::string& name) {
    PostMessageA(frame, WM_COMMAND, command, 0);
    HWND dialog = WaitForWindow("QORDLG", kLimit, Process().Id());
    HWND field = dialog ? driver::WaitChild(dialog, 4, kLimit) : nullptr;
    return field && driver::SetText(field, name) && driver::PressButton("QORDLG", 2, "", kLimit) &&
           PumpUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, std::chrono::milliseconds(kLimit));
  };
  ASSERT_TRUE(pick(ostrel::kCmdSave, "harbour"));
  const std::string saved = Copy().ProgramFolder() + "harbour.&01";
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(saved); }, std::chrono::milliseconds(kLimit)));
  std::string bytes;
  SendAndWait(frame, WM_NULL, 0, 0);
  fileio::ReadWholeFile(saved, bytes);
  std::string expected = "STANDARD\r\n0|\r\n3|HARBOUR\r\n";
  for (int f = 3; f <= 9; ++f) expected += "0|\r\n";
  expected += "8|1995|2005\r\n";
  for (int f = 11; f <= 28; ++f) expected += "0|\r\n";
  EXPECT_EQ(bytes, expected);

  for (int f : {2, kYear}) {
    driver::SetText(Field(frame, f), "");
    driver::SetText(High(frame, f), "");
  }
  ASSERT_TRUE(pick(ostrel::kCmdLoad, "harbour.&01"));
  ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(Field(frame, kYear)) == "1995"; },
                        std::chrono::milliseconds(kLimit)));
  EXPECT_EQ(driver::WindowText(High(frame, kYear)), "2005");
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "HARBOUR");
  for (int op = 1; op <= 9; ++op) EXPECT_EQ(SendMessageA(Radio(frame, op), BM_GETCHECK, 0, 0), BST_UNCHECKED) << op;
  Focused(frame, kYear);
  EXPECT_EQ(SendMessageA(Radio(frame, 8), BM_GETCHECK, 0, 0), BST_CHECKED);
  Focused(frame, 2);
  EXPECT_EQ(SendMessageA(Radio(frame, 3), BM_GETCHECK, 0, 0), BST_CHECKED);

  // The saved query picked in the list, the name field left as it came.
  PostMessageA(frame, WM_COMMAND, ostrel::kCmdDelete, 0);
  HWND dialog = WaitForWindow("QORDLG", kLimit, Process().Id());
  HWND list = dialog ? driver::WaitChild(dialog, 2, kLimit) : nullptr;
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 1; }, std::chrono::milliseconds(kLimit)));
  EXPECT_EQ(driver::WindowText(driver::FindChild(dialog, 4)), "*.&01");
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  ASSERT_TRUE(driver::PressButton("QORDLG", 2, "", kLimit));
  EXPECT_EQ(WaitBoxText(), "Delete this saved query?");
  ASSERT_TRUE(Answer());
  EXPECT_TRUE(PumpUntil([&] { return !fileio::Exists(saved); }, std::chrono::milliseconds(kLimit)));
  EXPECT_EQ(Close(), 0);
}

}  // namespace

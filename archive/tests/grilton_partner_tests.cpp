// The archive under Wine with the programs and the scanner it works with, all stand-ins:
// the scanner's source manager (a DLL the imaging layer loads from the program folder),
// the picture tool and the application registered for documents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "db/db.h"
#include "grilton_fixture.h"
#include "imaging/copydata.h"
#include "imglib/imglib.h"
#include "win/raii.h"

namespace {

using namespace grilton_tests;

constexpr auto kWait = std::chrono::milliseconds(20000);
constexpr const char* kInputBox = "SKINPUTBOX";

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadText(path), line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  return lines;
}

size_t CountOf(const std::vector<std::string>& lines, const std::string& word) {
  size_t n = 0;
  for (const std::string& l : lines) n += l == word;
  return n;
}

class GriltonPartners : public Grilton {
 protected:
  // The stand-in source manager in the program folder, with what its source does.
  void AddScanner(const std::string& configuration) {
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "grilton_twain_standin.dll").c_str(),
                          (Copy().ProgramFolder() + "TWAINDSM.DLL").c_str(), FALSE));
    SetScanner(configuration);
  }
  void SetScanner(const std::string& configuration) { Copy().WriteInProgram("TWAINDSM.cfg", configuration); }
  std::vector<std::string> ScannerLog() { return Lines(Copy().ProgramFolder() + "TWAINDSM.log"); }
  // Posts a scan run and waits until it has ended with the session.
  bool Scan(HWND frame) {
    size_t closed = CountOf(ScannerLog(), "close-manager");
    PostMessageA(frame, WM_COMMAND, grilton::kCmdScan, 0);
    return PumpUntil([&] { return CountOf(ScannerLog(), "close-manager") > closed; }, kWait);
  }
  std::string ScanFolder() { return Copy().ProgramFolder() + "TWAIN\\"; }

  // Both scan commands chosen from the menu do nothing, while the first item of the
  // thesaurus menu, chosen the same way, asks for a name (the keys do arrive).
  void ExpectScanCommandsGreyed(HWND frame) {
    EXPECT_TRUE(ChooseMenuItem(frame, 'P', 1));
    EXPECT_TRUE(ChooseMenuItem(frame, 'P', 2));
    SendAndWait(frame, WM_NULL, 0, 0);
    EXPECT_FALSE(fileio::Exists(ScanFolder()));  // a scan run makes it first
    EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr);
    EXPECT_TRUE(ChooseMenuItem(frame, 'T', 1));
    ASSERT_NE(WaitForWindow(kInputBox, kEventLimitMs, Process().Id()), nullptr);
    ASSERT_TRUE(driver::PressButton(kInputBox, 2, "", kEventLimitMs));  // Cancel
    EXPECT_TRUE(WaitForNoWindow(kInputBox, kEventLimitMs));
  }

  // The stand-in of a program the archive starts and waits for, under the file name.
  std::string AddTool(const std::string& fileName) {
    std::string path = Copy().ProgramFolder() + fileName;
    EXPECT_TRUE(CopyFileA((TestProgramFolder() + "grilton_tool_standin.exe").c_str(), path.c_str(), FALSE));
    return path;
  }
  static std::string Beside(const std::string& path, const std::string& extension) {
    return path.substr(0, path.rfind('.')) + extension;
  }
  // Waits until the tool has run n times, checks that the archive waits minimised
  // meanwhile, lets the tool end and waits until the archive is back. The tool's command line.
  std::string RunTool(HWND frame, const std::string& tool, size_t n) {
    std::string line;
    bool started = PumpUntil(
        [&] {
          std::vector<std::string> lines = Lines(Beside(tool, ".log"));
          if (lines.size() < n) return false;
          line = lines[n - 1];
          return true;
        },
        kWait);
    EXPECT_TRUE(started);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(frame) != FALSE; }, kWait));
    Copy().WriteInProgram(fileio::NameOf(Beside(tool, ".go")), "");
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(frame) && IsWindowVisible(frame); }, kWait));
    fileio::RemoveFile(Beside(tool, ".go"));
    return line;
  }
};

// The file name field of an open dialog: the edit box of the name box (the older dialog's
// own edit box where there is no name box).
HWND FileNameField(HWND dialog) {
  constexpr int kNameBox = 0x47c, kOldNameEdit = 0x480;
  HWND found = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND w, LPARAM data) {
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (GetDlgCtrlID(w) != kNameBox || lstrcmpiA(cls, "Edit") != 0) return TRUE;
        *reinterpret_cast<HWND*>(data) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found ? found : GetDlgItem(dialog, kOldNameEdit);
}

// Chooses the entry at of the file type box as the user does.
void ChooseFileType(HWND dialog, int at) {
  constexpr int kTypeBox = 0x470;
  HWND box = GetDlgItem(dialog, kTypeBox);
  SendMessageTimeoutA(box, CB_SETCURSEL, WPARAM(at), 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  // A choice with the mouse or the keys ends with these two notifications.
  for (WORD note : {WORD(CBN_SELENDOK), WORD(CBN_SELCHANGE)})
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(kTypeBox, note), LPARAM(box), SMTO_ABORTIFHUNG, 5000, nullptr);
}

// ".doc" registered to a program for the time of a test; what was registered before comes
// back afterwards.
class DocumentApplication {
 public:
  explicit DocumentApplication(const std::string& program) {
    had_ = Read(".doc", before_);
    Write(".doc", kClass);
    Write(std::string(kClass) + "\\shell\\open\\command", "\"" + program + "\" \"%1\"");
  }
  ~DocumentApplication() {
    if (had_)
      Write(".doc", before_);
    else
      RegDeleteTreeA(HKEY_CLASSES_ROOT, ".doc");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
  }
  DocumentApplication(const DocumentApplication&) = delete;
  DocumentApplication& operator=(const DocumentApplication&) = delete;

 private:
  static constexpr const char* kClass = "GriltonTestDocument";
  static bool Read(const std::string& key, std::string& value) {
    char text[512] = {};
    LONG size = sizeof text;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), text, &size) != ERROR_SUCCESS) return false;
    value = text;
    return true;
  }
  static void Write(const std::string& key, const std::string& value) {
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), DWORD(value.size())), ERROR_SUCCESS);
  }
  bool had_ = false;
  std::string before_;
};

TEST_F(GriltonPartners, WithoutAScannerManagerTheScanCommandsAreGreyedAndDoNothing) {
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  ExpectScanCommandsGreyed(frame);
  EXPECT_EQ(Count(frame), "1");
  EXPECT_EQ(Close(), 0);
}

TEST_F(GriltonPartners, AManagerThatKnowsNoSourceGreysTheScanCommands) {
  AddScanner("0 1 none");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(CountOf(ScannerLog(), "open-manager"), 1u);  // the manager was asked
  ExpectScanCommandsGreyed(frame);
  EXPECT_EQ(CountOf(ScannerLog(), "select"), 0u);
  EXPECT_EQ(CountOf(ScannerLog(), "enable"), 0u);
  EXPECT_EQ(Close(), 0);
}

TEST_F(GriltonPartners, ScannedPagesAreNumberedListedAndTheNextRunGoesOnNumbering) {
  AddScanner("1 0 none");
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  // The source is chosen through the menu: the commands are there.
  ASSERT_TRUE(ChooseMenuItem(frame, 'P', 2));
  EXPECT_TRUE(PumpUntil([&] { return CountOf(ScannerLog(), "select") == 1; }, kWait));

  // Cancelled before the first page: the list stays as it was.
  ASSERT_TRUE(Scan(frame));
  EXPECT_EQ(CountOf(ScannerLog(), "page 1"), 0u);
  EXPECT_EQ(Count(frame), "2");
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");

  // Two pages; the source's dialog stays open until the archive closes it.
  SetScanner("1 2 owned");
  ASSERT_TRUE(Scan(frame));
  std::vector<std::string> log = ScannerLog();
  EXPECT_EQ(CountOf(log, "page 2"), 1u);
  EXPECT_EQ(CountOf(log, "dialog-closed"), 1u);
  EXPECT_TRUE(WaitCount(frame, "2"));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "TWN00001");
  for (const char* page : {"TWN00001.jpg", "TWN00002.jpg"}) {
    ImgFileInfo info;
    ASSERT_EQ(L_FileInfo(ScanFolder() + page, &info), imglib::kSuccess) << page;
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 48);
    EXPECT_EQ(ReadText(ScanFolder() + page).substr(0, 2), "\xFF\xD8") << page;
  }

  // The next run goes on from the counter.
  SetScanner("1 1 none");
  ASSERT_TRUE(Scan(frame));
  EXPECT_TRUE(WaitCount(frame, "3"));
  EXPECT_TRUE(fileio::Exists(ScanFolder() + "TWN00003.jpg"));
  EXPECT_FALSE(fileio::Exists(ScanFolder() + "TWN00004.jpg"));
  EXPECT_EQ(CountOf(ScannerLog(), "close-source"), 3u);
  // The scan folder is the one listed at the next start.
  EXPECT_EQ(CloseByUser(), 0);
  std::vector<std::string> fields = SettingsFields();
  ASSERT_EQ(fields.size(), 8u) << Copy().ReadSettings();
  EXPECT_TRUE(fileio::EqualsNoCase(fileio::WithTrailingSeparator(fields[4]), ScanFolder())) << fields[4];
}

// A source dialog of its own, captioned as a known one, is closed too; the end code ends
// the program while the source still runs.
TEST_F(GriltonPartners, AKnownSourceDialogIsClosedAndTheEndCodeEndsAScanRun) {
  AddScanner("1 1 captioned");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(Scan(frame));
  EXPECT_EQ(CountOf(ScannerLog(), "dialog-closed"), 1u);
  EXPECT_TRUE(WaitCount(frame, "1"));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "TWN00001");

  SetScanner("1 1 owned");
  PostMessageA(frame, WM_COMMAND, grilton::kCmdScan, 0);
  ASSERT_TRUE(PumpUntil([&] { return CountOf(ScannerLog(), "page 1") == 2; }, kWait));
  driver::SendCommand(frame, kCodeClose, "");
  EXPECT_EQ(Process().Wait(20000), 0);
  std::vector<std::string> log = ScannerLog();
  EXPECT_EQ(CountOf(log, "close-source"), 2u);
  EXPECT_EQ(CountOf(log, "dialog-closed"), 1u);
}

// A page that cannot be saved ends the acquisition; the pages saved before it are listed.
TEST_F(GriltonPartners, APageThatCannotBeSavedEndsTheRunAndThePagesBeforeItAreListed) {
  AddScanner("1 3 none");
  Copy().MakeFolder("TWAIN\\TWN00002.jpg");  // where the second page would go
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(Scan(frame));
  std::vector<std::string> log = ScannerLog();
  EXPECT_EQ(CountOf(log, "page 2"), 1u);
  EXPECT_EQ(CountOf(log, "page 3"), 0u);
  EXPECT_EQ(CountOf(log, "close-source"), 1u);
  EXPECT_TRUE(WaitCount(frame, "1"));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "TWN00001");
  EXPECT_FALSE(fileio::Exists(ScanFolder() + "TWN00003.jpg"));
  EXPECT_EQ(Close(), 0);
}

TEST_F(GriltonPartners, EditingRunsThePictureToolOnThePictureWhileTheArchiveWaitsMinimised) {
  const std::string folder = Pictures(2);
  HWND frame = Start(folder);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitCount(frame, "2"));
  // Without the picture tool the command does nothing.
  SendAndWait(frame, WM_COMMAND, grilton::kCmdEditPicture, 0);
  EXPECT_FALSE(IsIconic(frame));
  const std::string tool = AddTool("BRAVIK.EXE");
  PostMessageA(frame, WM_COMMAND, grilton::kCmdEditPicture, 0);
  std::string line = RunTool(frame, tool, 1);
  EXPECT_TRUE(fileio::EqualsNoCase(line.substr(line.size() - (folder.size() + 8)), folder + "p100.bmp")) << line;
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  EXPECT_EQ(Count(frame), "2");
  EXPECT_EQ(Close(), 0);
}

// With no window of the viewer's class, help starts the viewer on the document, followed
// by an empty field after a comma; the archive does not wait for it.
TEST_F(GriltonPartners, WithoutARunningViewerHelpStartsItOnTheDocument) {
  const std::string viewer = AddTool("VIEWER.EXE");
  Copy().SetUiEntry(81, "VIEWER.EXE,GRILTONNOSUCHVIEWER");
  const std::string document = Copy().WriteInProgram("grilton.htm", "<html>help</html>");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, grilton::kCmdHelp, 0);
  std::vector<std::string> lines;
  ASSERT_TRUE(PumpUntil([&] { return !(lines = Lines(Beside(viewer, ".log"))).empty(); }, kWait));
  const std::string tail = " " + document + ",";
  ASSERT_GE(lines[0].size(), tail.size());
  EXPECT_TRUE(fileio::EqualsNoCase(lines[0].substr(lines[0].size() - tail.size()), tail)) << lines[0];
  SendAndWait(frame, WM_NULL, 0, 0);  // answers while the viewer runs
  EXPECT_FALSE(IsIconic(frame));
  Copy().WriteInProgram("VIEWER.go", "");
  EXPECT_EQ(Close(), 0);
}

TEST_F(GriltonPartners, TheDocumentStartsAsTheTemplateAndIsFiledOnlyWhenItWasEdited) {
  const std::string tool = AddTool("WORDS.EXE");
  DocumentApplication registered(tool);
  const std::string templateDoc = Copy().WriteInProgram("TEMPLATE.DOC", "template text");
  // An old template, as one that shipped with the program.
  {
    win::Handle f(CreateFileA(templateDoc.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(f);
    FILETIME old{0xD53E8000u, 0x01D5A1A3u};  // late 2019
    ASSERT_TRUE(SetFileTime(f.Get(), nullptr, nullptr, &old));
  }
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(IsWindowEnabled(driver::FindChild(frame, grilton::kCmdOpenDocument)));
  const std::string work = Copy().ProgramFolder() + "WORK\\";

  // Opened and closed unchanged: the copy of the template is not filed.
  PostMessageA(frame, WM_COMMAND, grilton::kCmdOpenDocument, 0);
  std::string line = RunTool(frame, tool, 1);
  EXPECT_NE(fileio::ToUpper(line).find("\"" + fileio::ToUpper(work) + "00000001.DOC\""), std::string::npos) << line;
  EXPECT_EQ(ReadText(work + "00000001.DOC"), "template text");
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "LETTERS"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  ASSERT_TRUE(WaitCount(frame, "1"));
  EXPECT_FALSE(fileio::Exists(work + "00000001.DOC"));
  std::string records = RecordBytes();
  ASSERT_EQ(records.size(), 2u * 671u);
  EXPECT_EQ(records.substr(671 + 635, 12), std::string(12, ' '));
  std::string item = "00000001.DOC";
  qBtMmText(item, 1);
  EXPECT_EQ(qBtMmLib(Copy().Library(), Copy().File("out1.doc"), -2), kDbErrNotFound);

  // Edited in the application: the document is filed under the record's key.
  Copy().WriteInProgram("WORDS.cfg", " and my notes");
  PostMessageA(frame, WM_COMMAND, grilton::kCmdOpenDocument, 0);
  RunTool(frame, tool, 2);
  EXPECT_EQ(ReadText(work + "00000002.DOC"), "template text and my notes");
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "LETTERS"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  ASSERT_TRUE(WaitCount(frame, "0"));
  records = RecordBytes();
  ASSERT_EQ(records.size(), 3u * 671u);
  EXPECT_EQ(records.substr(2 * 671 + 635, 12), "00000002.DOC");
  item = "00000002.DOC";
  qBtMmText(item, 1);
  ASSERT_EQ(qBtMmLib(Copy().Library(), Copy().File("out2.doc"), -2), 0);
  EXPECT_EQ(ReadText(Copy().File("out2.doc")), "template text and my notes");
  EXPECT_EQ(ReadText(templateDoc), "template text");
  EXPECT_EQ(Close(), 0);
}

// A document is attached through the system's open dialog, skinned and centred on the
// screen by the archive: the file picked becomes the work document of the planned key.
TEST_F(GriltonPartners, AnAttachedDocumentIsCopiedToTheWorkDocumentThroughTheOpenDialog) {
  const std::string picked = Copy().Write("letter.doc", "a letter to attach");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, grilton::kCmdAttachDocument, 0);
  HWND dialog = WaitForWindow("#32770", kEventLimitMs, Process().Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return driver::WindowText(dialog) == "Attach a document"; }, kWait));
  // Skinned by the hook (the skin engine marks the frames it skins).
  EXPECT_TRUE(PumpUntil([&] { return GetPropA(dialog, "SkSkinnedFrame") != nullptr; }, kWait));
  const int midX = GetSystemMetrics(SM_CXSCREEN) / 2, midY = GetSystemMetrics(SM_CYSCREEN) / 2;
  auto centred = [&] {
    RECT r;
    GetWindowRect(dialog, &r);
    return std::abs((r.left + r.right) / 2 - midX) <= 2 && std::abs((r.top + r.bottom) / 2 - midY) <= 2;
  };
  EXPECT_TRUE(PumpUntil(centred, kWait));
  HWND name = FileNameField(dialog);
  ASSERT_NE(name, nullptr);
  // Choosing the document type again gives the name typed so far the document's extension.
  ASSERT_TRUE(driver::SetText(name, "letter.txt"));
  ChooseFileType(dialog, 1);
  ChooseFileType(dialog, 0);
  EXPECT_TRUE(PumpUntil([&] { return driver::WindowText(name) == "letter.DOC"; }, kWait)) << driver::WindowText(name);
  ASSERT_TRUE(driver::SetText(name, picked));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  const std::string work = Copy().ProgramFolder() + "WORK\\00000001.DOC";
  EXPECT_TRUE(PumpUntil([&] { return ReadText(work) == "a letter to attach"; }, kWait));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(ReadText(picked), "a letter to attach");
  EXPECT_EQ(Close(), 0);
}

}  // namespace

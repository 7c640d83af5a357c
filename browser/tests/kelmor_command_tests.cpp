// The media browser's picture and file commands as a user and its partners see them: the
// size box before a resize, conversions and numbered series with their side files, long
// operations stopped by Escape or by a close, files opened in their associated program,
// collection list files, sound files for the audio program, the selection commands and a
// folder's delete. The browser runs under Wine and is driven from outside.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imglib/imglib.h"
#include "kelmor/box_rules.h"
#include "kelmor/command_ids.h"
#include "kelmor/modal_boxes.h"
#include "kelmor_command_fixture.h"

namespace kelmor {

namespace {

using std::chrono::milliseconds;

TEST_F(KelmorCommands, TheSizeBoxShowsTheLastAcceptedSizeAndCancelChangesNothing) {
  TempDir pictures;
  ASSERT_TRUE(WriteBmp(pictures.File("p.bmp"), 300, 200, 200, 40, 40));
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" p.bmp"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  const FileStamp stamp = StampOf(pictures.File("p.bmp"));

  PostMessageA(frame, WM_COMMAND, kTransformResize, 0);
  HWND box = WaitBox(kNewSizeClass);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "Resize...");
  EXPECT_EQ(SendAndWait(driver::FindChild(box, kKeepCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  driver::SetText(driver::FindChild(box, kWidthField), "100");
  driver::SetText(driver::FindChild(box, kHeightField), "1000");
  PressBoxButton(box, 2);
  // Keeping the proportions, 100 x 1000 fits 300 x 200 into 100 x 67.
  EXPECT_TRUE(WaitForPictureSize(pictures.File("p.bmp"), stamp, 100, 67));
  std::string resized;
  fileio::ReadWholeFile(pictures.File("p.bmp"), resized);

  // The next resize offers the accepted values; cancel leaves picture and values alone.
  for (int round = 0; round < 2; ++round) {
    SelectOnly(list_, {0});
    PostMessageA(frame, WM_COMMAND, kTransformResize, 0);
    box = WaitBox(kNewSizeClass);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::WindowText(driver::FindChild(box, kWidthField)), "100");
    EXPECT_EQ(driver::WindowText(driver::FindChild(box, kHeightField)), "1000");
    driver::SetText(driver::FindChild(box, kWidthField), "7");
    PressBoxButton(box, 1);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }, milliseconds(kBoxMs)));
  }
  SendAndWait(frame, WM_NULL, 0, 0);
  std::string after;
  fileio::ReadWholeFile(pictures.File("p.bmp"), after);
  EXPECT_EQ(after, resized);
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorCommands, ConvertingMakesTheNewTypeAndNeverReplacesAnotherFile) {
  TempDir pictures;
  ASSERT_TRUE(WriteBmp(pictures.File("b.bmp"), 30, 20, 10, 200, 30));
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" b.bmp"}, kEventLimitMs).size(), 1u);
  ASSERT_TRUE(StartConversion(frame, "PNG picture - png"));
  EXPECT_EQ(WaitForList(list_, {" b.png"}, kEventLimitMs), std::vector<std::string>{" b.png"});
  ImgFileInfo png;
  ASSERT_EQ(L_FileInfo(pictures.File("b.png"), &png), imglib::kSuccess);
  EXPECT_EQ(png.format, imglib::kFormatPng);
  EXPECT_EQ(png.width, 30);
  EXPECT_EQ(png.height, 20);
  EXPECT_FALSE(fileio::Exists(pictures.File("b.bmp")));

  // To JPEG: a.jpg is its own target and is skipped; c.png would become c.jpg, which is
  // another file: c.png is skipped and named, and both stay as they were.
  TempDir second;
  second.Write("a.jpg", "a: not converted");
  second.Write("c.jpg", "c: another picture");
  second.Write("c.png", "c: the source");
  EXPECT_EQ(driver::SendCommand(frame, kCodeGoToFolder, fileio::WithoutTrailingSeparator(second.Path())), 1);
  ASSERT_EQ(WaitForList(list_, {" a.jpg", " c.jpg", " c.png"}, kEventLimitMs).size(), 3u);
  ASSERT_TRUE(StartConversion(frame, "JPEG picture - jpg"));
  std::string report = MessageBoxText();
  EXPECT_NE(report.find(fileio::ToLower(second.File("c.png"))), std::string::npos) << report;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(second.Read("a.jpg"), "a: not converted");
  EXPECT_EQ(second.Read("c.jpg"), "c: another picture");
  EXPECT_EQ(second.Read("c.png"), "c: the source");
  EXPECT_EQ(Close(), 0);
}

class KelmorBatch : public KelmorCommands {
 protected:
  static constexpr int kPictures = 30;
  HWND StartWithPictures() {
    for (int i = 0; i < kPictures; ++i)
      if (!WriteBmp(pictures_.File("p" + std::to_string(100 + i) + ".bmp"), 8, 8, 1, 2, 3)) return nullptr;
    HWND frame = Start(pictures_.Path(), "*.*");
    if (frame) WaitForList(list_, std::vector<std::string>(1, ""), 0);
    PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == kPictures; }, milliseconds(10000));
    return frame;
  }
  int Converted() {
    int n = 0;
    for (int i = 0; i < kPictures; ++i) n += fileio::Exists(pictures_.File("p" + std::to_string(100 + i) + ".png"));
    return n;
  }
  // A close right after a conversion started: the batch stops before its first file, then
  // the browser ends with 0 and writes its settings.
  void ExpectCloseEndsBatch(const std::function<void(HWND)>& close) {
    HWND frame = StartWithPictures();
    ASSERT_NE(frame, nullptr);
    fileio::RemoveFile(Copy().SettingsFile());
    ASSERT_TRUE(StartConversion(frame, "PNG picture - png"));
    close(frame);
    EXPECT_EQ(Process().Wait(20000), 0);
    EXPECT_LT(Converted(), kPictures);
    std::string settings = Copy().ReadSettings();
    EXPECT_NE(settings.find(fileio::ToLower(pictures_.Path())), std::string::npos) << settings;
  }
  TempDir pictures_;
};

TEST_F(KelmorBatch, EscapeAsksOnceAndTheSecondAnswerGoesOn) {
  HWND frame = StartWithPictures();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(StartConversion(frame, "PNG picture - png"));
  // The picture-type box has gone: the Escape reaches the batch's first pump.
  PostMessageA(list_, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(MessageBoxText(), "Stop the work that is running?");
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return Converted() == kPictures; }, milliseconds(20000))) << Converted();
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 300, Process().Id()), nullptr);
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorBatch, AWindowCloseEndsTheBatchAndThenTheBrowserWithItsSettings) {
  ExpectCloseEndsBatch([](HWND frame) { PostMessageA(frame, WM_CLOSE, 0, 0); });
}

TEST_F(KelmorBatch, ThePartnersCloseEndsTheBatchAndThenTheBrowser) {
  ExpectCloseEndsBatch([](HWND frame) { EXPECT_EQ(driver::SendCommand(frame, kCodeClose, ""), 1); });
}

// The close arrives while the stop question shows: the question goes, the batch stops and
// the browser ends - the end of the program is not lost in the pump.
TEST_F(KelmorBatch, ACloseDuringTheStopQuestionEndsTheBatchAndTheBrowser) {
  HWND frame = StartWithPictures();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(StartConversion(frame, "PNG picture - png"));
  PostMessageA(list_, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ASSERT_EQ(MessageBoxText(), "Stop the work that is running?");
  EXPECT_EQ(driver::SendCommand(frame, kCodeClose, ""), 1);
  EXPECT_EQ(Process().Wait(20000), 0);
  EXPECT_LT(Converted(), kPictures);
}

TEST_F(KelmorCommands, ASeriesTakesOnlyFreeNumbersAndTheSideFilesFollowTheirPictures) {
  TempDir pictures;
  pictures.Write("a.jpg", "a");
  pictures.Write("a.kwd", "a words");
  pictures.Write("a.wav", "a sound");
  pictures.Write("b.jpg", "b");
  pictures.Write("b.kwd", "b words");
  pictures.Write("c.jpg", "c");
  pictures.Write("trip1.kwd", "belongs to no picture here");
  HWND frame = Start(pictures.Path(), "*.jpg");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.jpg", " b.jpg", " c.jpg"}, kEventLimitMs).size(), 3u);
  SendAndWait(list_, LB_SETSEL, TRUE, -1);
  PostMessageA(frame, WM_COMMAND, kRenameSeriesCommand, 0);
  HWND input = WaitForWindow("SKINPUTBOX", kBoxMs, Process().Id());
  ASSERT_NE(input, nullptr);
  ASSERT_NE(driver::WaitChild(input, 100, kEventLimitMs), nullptr);
  driver::SetText(driver::FindChild(input, 1), "tr:ip");  // ":" becomes a blank, then goes
  PostMessageA(driver::FindChild(input, 100), BM_CLICK, 0, 0);
  EXPECT_EQ(WaitForList(list_, {" trip0.jpg", " trip2.jpg", " trip3.jpg"}, kEventLimitMs),
            (std::vector<std::string>{" trip0.jpg", " trip2.jpg", " trip3.jpg"}));
  EXPECT_EQ(pictures.Read("trip0.jpg"), "a");
  EXPECT_EQ(pictures.Read("trip0.kwd"), "a words");
  EXPECT_EQ(pictures.Read("trip0.wav"), "a sound");
  EXPECT_EQ(pictures.Read("trip2.jpg"), "b");
  EXPECT_EQ(pictures.Read("trip2.kwd"), "b words");
  EXPECT_EQ(pictures.Read("trip3.jpg"), "c");
  EXPECT_EQ(pictures.Read("trip1.kwd"), "belongs to no picture here");
  for (const char* gone : {"a.jpg", "a.kwd", "a.wav", "b.jpg", "b.kwd", "c.jpg", "trip1.jpg"})
    EXPECT_FALSE(fileio::Exists(pictures.File(gone))) << gone;
  EXPECT_EQ(Close(), 0);
}

// An extension of the test's own, opened by a stand-in program.
class TestFileType {
 public:
  TestFileType(const std::string& extension, const std::string& command) : extension_(extension) {
    SetDefault(extension_, kType);
    SetDefault(std::string(kType) + "\\shell\\open\\command", command);
  }
  ~TestFileType() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kType);
  }

 private:
  static constexpr const char* kType = "KelmorTest.Document";
  static void SetDefault(const std::string& key, const std::string& value) {
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), DWORD(value.size()));
  }
  std::string extension_;
};

TEST_F(KelmorCommands, TheBrowserWaitsMinimisedForTheAssociatedProgramAndAnswersMeanwhile) {
  KelmorFolder& folder = Copy();
  folder.AddStandinAs("kmtedit.exe");
  std::string log = folder.Log("editor.txt");
  TestFileType type(".kmtx", "\"" + folder.ProgramFolder() + "kmtedit.exe\" KELMOREDITOR " + log + " \"%1\"");
  TempDir files;
  files.Write("notes.kmtx", "to edit");
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" notes.kmtx"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  PostMessageA(frame, WM_COMMAND, kOpenInEditorCommand, 0);
  HWND editor = WaitForWindow("KELMOREDITOR", kEventLimitMs);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(frame) != FALSE; }, kEventLimit));
  // A partner's command is answered while the browser waits.
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
  COPYDATASTRUCT data{kCodeFileWritten, 1, const_cast<char*>("")};
  EXPECT_NE(SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 1000, &answer), 0);
  EXPECT_EQ(answer, 1u);
  PumpMessages(300);
  EXPECT_TRUE(IsIconic(frame));
  // The frame comes back when the program ends.
  driver::SendCommand(editor, kCodeClose, "");
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(frame); }, kEventLimit));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorCommands, ACollectionListIsSavedAndLoadedAgain) {
  KelmorFolder& folder = Copy();
  TempDir files;
  std::string kept = files.Write("kept.txt", "k");
  folder.WriteInProgram("samples\\s.txt", "s");
  folder.WriteInProgram("lists\\macro.qls", "@path@samples\\s.txt\r\n" + files.File("gone.txt") + "\r\n");
  folder.WriteInProgram("lists\\vanished.qls", files.File("gone.txt") + "\r\n");
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" kept.txt"}, kEventLimitMs).size(), 1u);
  HWND collection = driver::FindChild(frame, kCollectionList);
  SelectOnly(list_, {0});
  SendAndWait(frame, WM_COMMAND, kAddButton, 0);
  std::string path = fileio::ToLower(kept);
  ASSERT_EQ(driver::ListItems(collection), std::vector<std::string>{" " + path});

  // Saved under a name typed with the list extension: the extension once, one path, CR LF.
  PostMessageA(frame, WM_COMMAND, kSaveListCommand, 0);
  HWND box = WaitBox(kPickFileClass);
  ASSERT_NE(box, nullptr);
  // The working list's name is offered first.
  EXPECT_EQ(driver::WindowText(driver::FindChild(box, kBoxMainId)), "collection.qls");
  driver::SetText(driver::FindChild(box, kBoxMainId), "trip.qls");
  PressBoxButton(box, 1);
  std::string saved = folder.ProgramFolder() + "lists\\trip.qls";
  EXPECT_TRUE(PumpUntil([&] { return fileio::Exists(saved); }, kEventLimit));
  std::string bytes;
  fileio::ReadWholeFile(saved, bytes);
  EXPECT_EQ(bytes, path + "\r\n");

  // Loaded again into an emptied list: the same list.
  SendAndWait(collection, LB_RESETCONTENT, 0, 0);
  PostMessageA(frame, WM_COMMAND, kLoadListCommand, 0);
  box = WaitBox(kPickFileClass);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::ListItems(driver::FindChild(box, kBoxMainId)),
            (std::vector<std::string>{"macro.qls", "trip.qls", "vanished.qls"}));
  ASSERT_TRUE(ChooseInBox(box, "trip.qls"));
  PressBoxButton(box, 1);
  EXPECT_EQ(WaitForList(collection, {" " + path}, 5000), std::vector<std::string>{" " + path});

  // "@path@" stands for the program folder; files that are gone are left out.
  PostMessageA(frame, WM_COMMAND, kLoadButton, 0);
  box = WaitBox(kPickFileClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(ChooseInBox(box, "macro.qls"));
  PressBoxButton(box, 1);
  std::string sample = " " + fileio::ToLower(folder.ProgramFolder()) + "samples\\s.txt";
  EXPECT_EQ(WaitForList(collection, {sample}, 5000), std::vector<std::string>{sample});

  // A list none of whose files exists is named and goes to the recycle bin.
  PostMessageA(frame, WM_COMMAND, kLoadListCommand, 0);
  box = WaitBox(kPickFileClass);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(ChooseInBox(box, "vanished.qls"));
  PressBoxButton(box, 1);
  EXPECT_NE(MessageBoxText().find("vanished.qls holds no file"), std::string::npos);
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return !fileio::Exists(folder.ProgramFolder() + "lists\\vanished.qls"); },
                        kEventLimit));
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorCommands, OnlySoundFilesGoToTheAudioProgramAndTheSelectionCommandsWork) {
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("audio.txt");
  folder.AddStandinAs("jorvel.exe", "JORVELPLAYER", log);
  TempDir files;
  for (const char* name : {"a.wav", "b.jpg", "c.mp3", "d.txt"}) files.Write(name, name);
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.wav", " b.jpg", " c.mp3", " d.txt"}, kEventLimitMs).size(), 4u);

  // 113 on entries 1 and 3 of 4 leaves 0 and 2; 112 selects all; 114 none.
  SelectOnly(list_, {1, 3});
  SendAndWait(frame, WM_COMMAND, kInvertSelectionCommand, 0);
  EXPECT_EQ(Selected(list_), (std::vector<int>{0, 2}));
  SendAndWait(frame, WM_COMMAND, kSelectAllCommand, 0);
  EXPECT_EQ(Selected(list_), (std::vector<int>{0, 1, 2, 3}));

  std::string base = fileio::ToLower(files.Path());
  SendAndWait(frame, WM_COMMAND, kPlayFilesCommand, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(got[1].text, base + "a.wav|" + base + "c.mp3");

  SendAndWait(frame, WM_COMMAND, kSelectNoneCommand, 0);
  EXPECT_TRUE(Selected(list_).empty());
  // From the collection list: the running program gets code 3 only.
  SelectOnly(list_, {1, 2});
  SendAndWait(frame, WM_COMMAND, kAddButton, 0);
  HWND collection = driver::FindChild(frame, kCollectionList);
  SelectOnly(collection, {0, 1});
  SendAndWait(frame, WM_COMMAND, kPlayCollectionCommand, 0);
  got = WaitForLog(log, 3, kEventLimitMs);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].code, kCodeOpen);
  EXPECT_EQ(got[2].text, base + "c.mp3");
  SendAndWait(frame, WM_COMMAND, kCollectionSelectNoneCommand, 0);
  EXPECT_TRUE(Selected(collection).empty());
  CloseStandin("JORVELPLAYER");
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorCommands, DeletingAFolderRecyclesItsFilesAndRemovesItsFolders) {
  TempDir files;
  // Names of their own: the recycle bin is shared by every test of the session.
  const std::vector<std::string> names{"k1503-top.txt", "k1503-one.txt", "k1503-deep.txt", "k1503-two.txt"};
  std::vector<int> trashed;
  for (const auto& name : names) trashed.push_back(InTrash(name));
  files.Write("album\\" + names[0], "a");
  files.Write("album\\one\\" + names[1], "b");
  files.Write("album\\one\\deep\\" + names[2], "c");
  files.Write("album\\two\\" + names[3], "d");
  files.Write("keep.txt", "k");
  HWND frame = Start(files.File("album"), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" " + names[0]}, kEventLimitMs).size(), 1u);
  // The popup menu is opened for the selected folder, the album: a new folder in it.
  ASSERT_NE(OpenAndCloseTreePopup(frame), nullptr);
  PostMessageA(frame, WM_COMMAND, kNewFolderCommand, 0);
  EXPECT_TRUE(PumpUntil([&] { return fileio::IsDirectory(files.File("album\\New folder")); }, kEventLimit));
  // The tree is built again with the new folder (posted before this returns): a command
  // that follows without a new popup menu does nothing, and asks nothing.
  SendAndWait(frame, WM_NULL, 0, 0);
  PostMessageA(frame, WM_COMMAND, kDeleteFolderCommand, 0);
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 1000, Process().Id()), nullptr);
  EXPECT_TRUE(fileio::IsDirectory(files.File("album")));
  ASSERT_NE(OpenAndCloseTreePopup(frame), nullptr);
  PostMessageA(frame, WM_COMMAND, kDeleteFolderCommand, 0);
  std::string question = MessageBoxText();
  EXPECT_NE(question.find(fileio::WithoutTrailingSeparator(files.File("album"))), std::string::npos) << question;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_TRUE(PumpUntil([&] { return !fileio::Exists(files.File("album")); }, kEventLimit));
  EXPECT_EQ(files.Read("keep.txt"), "k");
  // The files went to the recycle bin, not for good.
  for (size_t i = 0; i < names.size(); ++i) {
    if (trashed[i] < 0) continue;
    EXPECT_EQ(InTrash(names[i]), trashed[i] + 1) << names[i];
  }
  // The list shows the folder above now.
  EXPECT_EQ(WaitForList(list_, {" keep.txt"}, 5000), std::vector<std::string>{" keep.txt"});
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorCommands, TheFolderMenusRenameEditsTheLabelOfItsFolder) {
  TempDir files;
  files.Write("album\\a.txt", "a");
  HWND frame = Start(files.File("album"), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" a.txt"}, kEventLimitMs).size(), 1u);
  HWND tree = OpenAndCloseTreePopup(frame);
  ASSERT_NE(tree, nullptr);
  PostMessageA(frame, WM_COMMAND, kRenameFolderCommand, 0);
  HWND edit = nullptr;
  EXPECT_TRUE(PumpUntil([&] { return (edit = reinterpret_cast<HWND>(SendAndWait(tree, TVM_GETEDITCONTROL, 0, 0))); },
                        kEventLimit));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(driver::WindowText(edit), "album");
  ASSERT_TRUE(driver::SetText(edit, "summer"));
  PostMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
  EXPECT_TRUE(PumpUntil([&] { return fileio::IsDirectory(files.File("summer")); }, kEventLimit));
  EXPECT_FALSE(fileio::Exists(files.File("album")));
  EXPECT_EQ(Close(), 0);
}

}  // namespace

}  // namespace kelmor

namespace kelmor {
namespace {

TEST_F(KelmorCommands, DeletingRecyclesAPictureWithItsSideFilesAndTakesItOutOfBothLists) {
  TempDir files;
  const std::vector<std::string> names{"k105-a.jpg", "k105-a.kwd", "k105-a.wav", "k105-notes.txt"};
  std::vector<int> trashed;
  for (const auto& name : names) {
    trashed.push_back(InTrash(name));
    files.Write(name, name);
  }
  files.Write("k105-keep.txt", "k");
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  const std::vector<std::string> listed{" k105-a.jpg", " k105-a.wav", " k105-keep.txt", " k105-notes.txt"};
  ASSERT_EQ(WaitForList(list_, listed, kEventLimitMs), listed);
  HWND collection = driver::FindChild(frame, kCollectionList);
  SelectOnly(list_, {0, 2});
  SendAndWait(frame, WM_COMMAND, kAddButton, 0);
  ASSERT_EQ(driver::ListItems(collection).size(), 2u);

  SelectOnly(list_, {0, 3});
  PostMessageA(frame, WM_COMMAND, kDeleteFilesCommand, 0);
  EXPECT_EQ(MessageBoxText(), "Move the selected files to the recycle bin?");
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(WaitForList(list_, {" k105-keep.txt"}, kEventLimitMs), std::vector<std::string>{" k105-keep.txt"});
  std::vector<std::string> left = driver::ListItems(collection);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_NE(left[0].find("k105-keep.txt"), std::string::npos);
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_FALSE(fileio::Exists(files.File(names[i]))) << names[i];
    if (trashed[i] >= 0) {
      EXPECT_EQ(InTrash(names[i]), trashed[i] + 1) << names[i];
    }
  }
  EXPECT_EQ(files.Read("k105-keep.txt"), "k");
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorCommands, CopyingReplacesWithSideFilesAndNeverCopiesOntoItself) {
  TempDir files, target;
  files.Write("b.jpg", "new picture");
  files.Write("b.kwd", "new keywords");
  target.Write("b.jpg", "old picture");
  target.Write("b.tim", "old time");
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" b.jpg"}, kEventLimitMs).size(), 1u);
  SelectOnly(list_, {0});
  PostMessageA(frame, WM_COMMAND, kCopyFilesCommand, 0);
  ASSERT_TRUE(ChooseTarget(target.Path()));
  EXPECT_TRUE(PumpUntil([&] { return target.Read("b.kwd") == "new keywords"; }, kEventLimit));
  EXPECT_EQ(target.Read("b.jpg"), "new picture");
  EXPECT_FALSE(fileio::Exists(target.File("b.tim")));
  EXPECT_EQ(files.Read("b.jpg"), "new picture");
  EXPECT_EQ(files.Read("b.kwd"), "new keywords");

  // Into the current folder named in another case: nothing happens to the picture.
  SelectOnly(list_, {0});
  PostMessageA(frame, WM_COMMAND, kCopyFilesCommand, 0);
  ASSERT_TRUE(ChooseTarget(fileio::ToUpper(files.Path())));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(files.Read("b.jpg"), "new picture");
  EXPECT_EQ(files.Read("b.kwd"), "new keywords");
  EXPECT_EQ(fileio::ListDirectory(files.File("*.*")).size(), 2u);
  EXPECT_EQ(WaitForList(list_, {" b.jpg"}, 2000), std::vector<std::string>{" b.jpg"});

  // A move takes the picture and its side file out of the folder.
  SelectOnly(list_, {0});
  PostMessageA(frame, WM_COMMAND, kMoveFilesCommand, 0);
  TempDir moved;
  ASSERT_TRUE(ChooseTarget(moved.Path()));
  EXPECT_EQ(WaitForList(list_, {}, kEventLimitMs), std::vector<std::string>{});
  EXPECT_EQ(moved.Read("b.jpg"), "new picture");
  EXPECT_EQ(moved.Read("b.kwd"), "new keywords");
  EXPECT_FALSE(fileio::Exists(files.File("b.kwd")));
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace kelmor

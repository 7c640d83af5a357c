// The archive program under Wine, driven from outside: start-up, filing into an archive
// read back here through the database library, the whole list, help, the end code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "skin/sk_files.h"
#include "grilton_fixture.h"
#include "imaging/copydata.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "worker_process.h"
#include "stress_count.h"

namespace {

using namespace grilton_tests;

// A child window's pixels as the screen shows them, its program's frame brought to the
// front and its messages answered first.
bool CaptureInFront(HWND frame, HWND window, int& width, int& height, std::vector<unsigned char>& bgr) {
  SetForegroundWindow(frame);
  SendAndWait(frame, WM_NULL, 0, 0);
  return driver::CaptureWindowPixels(window, width, height, bgr);
}

TEST_F(Grilton, ADataFolderThatCannotBeMadeEndsWithAStopBoxAndCodeThree) {
  Copy().WriteInProgram("BLOCK", "a file where the folder should be");
  Copy().WriteInProgram("QORIMAGENET.CFG", "@path@block\\data\r\n");
  ChildProcess& p = Launch();
  HWND box = WaitForWindow(kBox, kEventLimitMs, p.Id());
  ASSERT_NE(box, nullptr);
  std::string text = WaitBoxText();
  // The line is upper-cased before the program folder takes the place of its macro.
  EXPECT_EQ(text.substr(0, text.find("\r\n")), Copy().ProgramFolder() + "BLOCK\\DATA\\");
  EXPECT_NE(text.find(SKWINERR(3)), std::string::npos) << text;
  EXPECT_EQ(FindTopWindow(kClassArchive), nullptr);
  ASSERT_TRUE(driver::PressButton(kBox, 1, "", kEventLimitMs));
  EXPECT_EQ(p.Wait(20000), 3);
}

// Partners find these by their plain names in the program file.
TEST_F(Grilton, TheProgramExportsItsWindowProcedureBlitAndPageCallbackByName) {
  win::Module program(LoadLibraryExA(Copy().Exe().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
  ASSERT_TRUE(program);
  for (const char* name : {"WNDPROC", "DIAPOTRANSBLT", "_twaincallback"})
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(program.Get(), name)), nullptr) << name;
}

TEST_F(Grilton, ASecondStartLeavesTheFirstRunningAndEnds) {
  HWND frame = Start("WAITFORCOMMAND");
  ASSERT_NE(frame, nullptr);
  ChildProcess& second = Launch("WAITFORCOMMAND");
  EXPECT_EQ(second.Wait(20000), 0);
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, ASecondStartRestoresTheFirstWhenItIsMinimised) {
  HWND frame = Start("WAITFORCOMMAND");
  ASSERT_NE(frame, nullptr);
  ShowWindow(frame, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(frame) != FALSE; }, kEventLimit));
  ChildProcess& second = Launch("WAITFORCOMMAND");
  EXPECT_EQ(second.Wait(20000), 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(frame) && IsWindowVisible(frame); }, kEventLimit));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, FilingWithoutATopicSaysSoAndWritesNothing) {
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND box = PostAndWaitBox(frame, grilton::kCmdFile);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WaitBoxText(), "A picture needs at least one topic before it is filed.");
  ASSERT_TRUE(Answer());
  EXPECT_LE(RecordBytes().size(), 671u);  // at most the header
  EXPECT_EQ(Count(frame), "1");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, AFilingWritesRecordTwoItsItemAndItsTopicKey) {
  std::string folder = Pictures(1);
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = Start(folder);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitCount(frame, "1"));
  EXPECT_EQ(driver::WindowText(Field(frame, 1)), "00000001");
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  EXPECT_EQ(driver::WindowText(Field(frame, 7)), "40");
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  ASSERT_TRUE(driver::SetText(Field(frame, kTopicSlots + 12), "free words"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr) << driver::BoxText(FindWindowA(kBox, nullptr));
  ASSERT_TRUE(WaitCount(frame, "0"));

  // Record 2, column by column as the record layout places them.
  std::string bytes = RecordBytes();
  ASSERT_EQ(bytes.size(), 2u * 671u);
  std::string r = bytes.substr(671);
  EXPECT_EQ(r.substr(0, 8), "00000001");
  EXPECT_EQ(r.substr(8, 30), "P100" + std::string(26, ' '));
  EXPECT_EQ(r.substr(38, 8).find_first_not_of("0123456789"), std::string::npos);
  EXPECT_EQ(r.substr(46, 3), "BMP");
  EXPECT_EQ(r.substr(59, 5), "40   ");
  EXPECT_EQ(r.substr(64, 5), "30   ");
  EXPECT_EQ(r.substr(84, 40), "HARBOUR" + std::string(33, ' '));
  EXPECT_EQ(r.substr(124, 40), "(none)" + std::string(34, ' '));
  EXPECT_EQ(r.substr(484, 100), "free words" + std::string(90, ' '));
  EXPECT_EQ(r.substr(585, 20), "STANDARD" + std::string(12, ' '));
  EXPECT_EQ(r.substr(605, 30), std::string(DBUSERNAME()).append(30 - DBUSERNAME().size(), ' '));

  // The picture copies out of the library unchanged; the topic index finds the record.
  std::string item = "00000001.BMP";
  qBtMmText(item, 1);
  ASSERT_EQ(qBtMmLib(Copy().Library(), Copy().File("out.bmp"), -2), 0);
  std::string original, copied;
  fileio::ReadWholeFile(folder + "p100.bmp", original);
  fileio::ReadWholeFile(Copy().File("out.bmp"), copied);
  EXPECT_EQ(copied, original);
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBINDEX(Copy().RecordFile(), 1), 40, handle, status), 0);
  std::string key = "HARBOUR";
  int32_t record = 0;
  qBtSearch(handle, key, record, status);
  qBtClose(handle);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(record, 2);
  EXPECT_EQ(Close(), 0);
}

// A work folder is emptied when the program ends: one that names the program folder is
// replaced by a folder of the temporary folder, and the program's files stay.
TEST_F(Grilton, AWorkFolderThatIsTheProgramFolderIsNotTakenNorEmptied) {
  Copy().SetUiEntry(66, "@path@");
  const std::string keep = Copy().WriteInProgram("00000001.WAV", "a file of the program folder");
  const std::string work = Copy().TempFolder() + "GRILTONWORK\\";
  ASSERT_EQ(fileio::MakeDirectories(work), 0);
  const std::string sound = work + "00000001.WAV";
  ASSERT_EQ(fileio::WriteFileReplacing(sound, "RIFF"), 0);
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  // The comment of the planned key is found in the replacement folder.
  EXPECT_TRUE(IsWindowEnabled(driver::FindChild(frame, grilton::kCmdPlaySound)));
  EXPECT_EQ(Close(), 0);
  EXPECT_FALSE(fileio::Exists(sound));
  EXPECT_EQ(ReadText(keep), "a file of the program folder");
  EXPECT_TRUE(fileio::Exists(Copy().ProgramFolder() + "grilton.SYS"));
  EXPECT_TRUE(fileio::Exists(Copy().Exe()));
}

TEST_F(Grilton, ARecordFileThatCannotBeOpenedIsReportedAndThePictureStays) {
  Copy().MakeFolder("QORIMAGE.F01");
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  PostMessageA(frame, WM_COMMAND, grilton::kCmdFile, 0);
  std::string text = WaitBoxText();
  EXPECT_EQ(text.rfind("The record file cannot be written:", 0), 0u) << text;
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Count(frame), "1");
  std::string item = "00000001.BMP";
  qBtMmText(item, 1);
  EXPECT_NE(qBtMmLib(Copy().Library(), Copy().File("out.bmp"), -2), 0);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, TheWholeListFilesTwentyPicturesAndLeavesACountOfZero) {
  std::string folder = Pictures(20);
  HWND frame = Start(folder);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitCount(frame, "20"));
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "(none)"));
  PostMessageA(frame, WM_COMMAND, grilton::kCmdFileAll, 0);
  ASSERT_TRUE(Answer());  // "file every picture?"
  // Without a topic the run stops at once with the topic message.
  EXPECT_EQ(WaitBoxText(), "A picture needs at least one topic before it is filed.");
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Count(frame), "20");
  Copy().WriteInProgram("NEWWORDS.OK", "");
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "BOATS"));
  PostMessageA(frame, WM_COMMAND, grilton::kCmdFileAll, 0);
  ASSERT_TRUE(Answer());
  EXPECT_TRUE(WaitCount(frame, "0")) << Count(frame) << " " << driver::BoxText(FindWindowA(kBox, nullptr));
  EXPECT_EQ(RecordBytes().size(), 21u * 671u);
  EXPECT_EQ(Close(), 0);
}

// While the whole list is filed, Escape asks whether to stop: no goes on, yes stops with
// the pictures not yet filed left in the list.
TEST_F(Grilton, EscapeWhileTheWholeListIsFiledAsksAndYesStopsTheRun) {
  Copy().WriteInProgram("NEWWORDS.OK", "");
  const int pictures = 60;
  HWND frame = StartOn(pictures);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(FileAll(frame, "BOATS"));
  PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(WaitBoxText(), "Stop now?");
  ASSERT_TRUE(driver::PressButton(kBox, 2, "", kEventLimitMs));  // no
  ASSERT_TRUE(WaitForNoWindow(kBox, kEventLimitMs));
  const int countAtNo = std::atoi(Count(frame).c_str());
  ASSERT_GT(countAtNo, 0) << "the run ended before Escape came";
  EXPECT_TRUE(PumpUntil([&] { return std::atoi(Count(frame).c_str()) < countAtNo; }, kEventLimit));
  PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(WaitBoxText(), "Stop now?");
  ASSERT_TRUE(Answer());  // yes
  PumpMessages(500);
  const int left = std::atoi(Count(frame).c_str());
  EXPECT_GT(left, 0);
  EXPECT_EQ(RecordBytes().size(), size_t(1 + pictures - left) * 671u);
  PumpMessages(500);
  EXPECT_EQ(std::atoi(Count(frame).c_str()), left) << "the run went on";
  EXPECT_EQ(Close(), 0);
}

// A new thesaurus is a file of the data folder named after the cleaned name, holding the
// placeholder; a thesaurus chosen in the box fills the topic boxes and is kept in the
// settings.
TEST_F(Grilton, ANewThesaurusIsMadeAndAChosenOneFillsTheTopicsAndIsKept) {
  Copy().WriteInProgram("BIRDS.THM", "(none)\r\nOWL\r\nWREN\r\n");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND box = driver::FindChild(frame, grilton::kThesaurusBox);
  ASSERT_NE(box, nullptr);
  PostMessageA(frame, WM_COMMAND, grilton::kCmdNewThesaurus, 0);
  ASSERT_TRUE(driver::AnswerInputBox("sea ships,new", kEventLimitMs, Process().Id()));
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(Copy().ProgramFolder() + "SEA_SHIPS NEW.THM"); },
                        kEventLimit));
  EXPECT_EQ(ReadText(Copy().ProgramFolder() + "SEA_SHIPS NEW.THM"), "(none)\r\n");
  std::vector<std::string> names = driver::ListItems(box);
  auto at = std::find(names.begin(), names.end(), "BIRDS");
  ASSERT_NE(at, names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "SEA_SHIPS NEW"), names.end());

  SendMessageA(box, CB_SETCURSEL, WPARAM(at - names.begin()), 0);
  SendAndWait(GetParent(box), WM_COMMAND, MAKEWPARAM(grilton::kThesaurusBox, grilton::kSelectionChanged), LPARAM(box));
  std::vector<std::string> words = driver::ListItems(Field(frame, kFirstTopic));
  EXPECT_NE(std::find(words.begin(), words.end(), "OWL"), words.end());
  EXPECT_NE(std::find(words.begin(), words.end(), "WREN"), words.end());
  EXPECT_EQ(CloseByUser(), 0);
  std::vector<std::string> fields = SettingsFields();
  ASSERT_EQ(fields.size(), 8u) << Copy().ReadSettings();
  EXPECT_EQ(fields[5], "BIRDS");
}

TEST_F(Grilton, DeletingAPictureAsksThenRecyclesItWithItsWorkFilesAndShowsTheNext) {
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  const std::string picture = Copy().File("pics\\p100.bmp");
  const std::string sound = Copy().ProgramFolder() + "WORK\\00000001.WAV";
  ASSERT_EQ(fileio::WriteFileReplacing(sound, "RIFF"), 0);
  // No: everything stays.
  ASSERT_NE(PostAndWaitBox(frame, grilton::kCmdDelete), nullptr);
  EXPECT_EQ(WaitBoxText(), "Move this picture to the recycle bin?");
  ASSERT_TRUE(driver::PressButton(kBox, 2, "", kEventLimitMs));
  ASSERT_TRUE(WaitForNoWindow(kBox, kEventLimitMs));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_TRUE(fileio::Exists(picture));
  EXPECT_TRUE(fileio::Exists(sound));
  EXPECT_EQ(Count(frame), "2");
  // Yes: the picture and its comment go, the next picture shows.
  ASSERT_NE(PostAndWaitBox(frame, grilton::kCmdDelete), nullptr);
  ASSERT_TRUE(Answer());
  EXPECT_TRUE(WaitCount(frame, "1"));
  EXPECT_FALSE(fileio::Exists(picture));
  EXPECT_FALSE(fileio::Exists(sound));
  EXPECT_TRUE(fileio::Exists(Copy().File("pics\\p101.bmp")));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P101");
  EXPECT_EQ(Close(), 0);
}

// The comment's buttons follow its file: play and delete only while it exists.
TEST_F(Grilton, DeletingTheCommentRemovesItsFileAndDisablesPlayAndDelete) {
  const std::string sound = Copy().ProgramFolder() + "WORK\\00000001.WAV";
  ASSERT_EQ(fileio::MakeDirectories(Copy().ProgramFolder() + "WORK\\"), 0);
  ASSERT_EQ(fileio::WriteFileReplacing(sound, "RIFF"), 0);
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND play = driver::FindChild(frame, grilton::kCmdPlaySound);
  HWND remove = driver::FindChild(frame, grilton::kCmdDeleteSound);
  ASSERT_TRUE(play && remove);
  EXPECT_TRUE(IsWindowEnabled(play));
  EXPECT_TRUE(IsWindowEnabled(remove));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdDeleteSound, 0);
  EXPECT_FALSE(fileio::Exists(sound));
  EXPECT_FALSE(IsWindowEnabled(play));
  EXPECT_FALSE(IsWindowEnabled(remove));
  EXPECT_EQ(Close(), 0);
}

// Filing the whole list is offered in the menu only once a topic is set.
TEST_F(Grilton, TheWholeListIsOfferedInTheMenuOnlyWithATopic) {
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(ChooseMenuItem(frame, 'A', 2));
  SendAndWait(frame, WM_NULL, 0, 0);
  PumpMessages(300);
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr) << driver::BoxText(FindWindowA(kBox, nullptr));
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "BOATS"));
  ASSERT_TRUE(ChooseMenuItem(frame, 'A', 2));
  EXPECT_EQ(WaitBoxText(), "File every picture of the list with these values?");
  ASSERT_TRUE(driver::PressButton(kBox, 2, "", kEventLimitMs));  // no
  ASSERT_TRUE(WaitForNoWindow(kBox, kEventLimitMs));
  EXPECT_EQ(Count(frame), "2");
  EXPECT_EQ(Close(), 0);
}

// A picture that cannot be filed stops the whole list with a message; it and the pictures
// after it stay in the list.
TEST_F(Grilton, APictureThatCannotBeFiledStopsTheWholeListAndStays) {
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(4);
  ASSERT_NE(frame, nullptr);
  const std::string gone = Copy().File("pics\\p101.bmp");
  ASSERT_EQ(fileio::RemoveFile(gone), 0);
  ASSERT_TRUE(FileAll(frame, "BOATS"));
  std::string text = WaitBoxText();
  EXPECT_TRUE(fileio::EqualsNoCase(text.substr(0, gone.size()), gone)) << text;
  ASSERT_TRUE(Answer());
  PumpMessages(500);
  EXPECT_EQ(Count(frame), "3");
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P101");
  EXPECT_EQ(RecordBytes().size(), 2u * 671u);
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, LeavingAPictureWithAnUnfiledCommentAsksFirst) {
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  HWND strip = driver::FindChildByClass(frame, "GRILTONSTRIP");
  ASSERT_NE(strip, nullptr);
  RECT r;
  GetClientRect(strip, &r);
  const LPARAM secondFrame = MAKELPARAM(r.right / 4 + 10, 60), firstFrame = MAKELPARAM(10, 60);
  const std::string sound = Copy().ProgramFolder() + "WORK\\00000001.WAV";
  ASSERT_EQ(fileio::WriteFileReplacing(sound, "RIFF"), 0);
  // Two pictures fill no more than the strip: it does not move.
  SendAndWait(frame, WM_COMMAND, grilton::kCmdForward, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  // No: the picture stays, and so does its comment.
  PostMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, secondFrame);
  ASSERT_NE(WaitForWindow(kBox, kEventLimitMs), nullptr);
  ASSERT_TRUE(driver::PressButton(kBox, 2, "", kEventLimitMs));
  ASSERT_TRUE(WaitForNoWindow(kBox, kEventLimitMs));
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  EXPECT_TRUE(fileio::Exists(sound));
  // Yes: the comment goes and the picture clicked shows.
  PostMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, secondFrame);
  ASSERT_TRUE(Answer());
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P101");
  EXPECT_FALSE(fileio::Exists(sound));
  // Without work files nothing is asked.
  SendAndWait(strip, WM_LBUTTONDOWN, MK_LBUTTON, firstFrame);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr);
  EXPECT_EQ(Close(), 0);
}

// Each frame of the strip that holds a picture carries its number in the list, drawn in
// yellow over a black outline; empty frames carry none.
TEST_F(Grilton, StripFramesCarryTheirPicturesNumbersInYellow) {
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  HWND strip = driver::FindChildByClass(frame, "GRILTONSTRIP");
  ASSERT_NE(strip, nullptr);
  // Yellow pixels, and black ones, in the top 40 rows of each quarter of the strip, as the
  // screen shows it once painted (another window may be in front for a while).
  std::vector<int> yellow(4, 0), black(4, 0);
  auto capture = [&] {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    yellow.assign(4, 0);
    black.assign(4, 0);
    if (!CaptureInFront(frame, strip, width, height, bgr)) return false;
    for (int y = 0; y < std::min(height, 40); ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned char* p = &bgr[(size_t(y) * width + x) * 3];
        int quarter = std::min(3, x * 4 / width);
        if (p[0] < 40 && p[1] > 215 && p[2] > 215) ++yellow[quarter];
        if (p[0] < 30 && p[1] < 30 && p[2] < 30) ++black[quarter];
      }
    return yellow[1] > 5;
  };
  EXPECT_TRUE(PumpUntil(capture, kEventLimit));
  EXPECT_GT(yellow[1], 5) << "frame 2";
  EXPECT_GT(black[1], yellow[1]) << "frame 2 outline";
  EXPECT_EQ(yellow[2], 0) << "frame 3 is empty";
  EXPECT_EQ(yellow[3], 0) << "frame 4 is empty";
  EXPECT_EQ(Close(), 0);
}

// The slide frame lies over the current picture: the picture shows through its
// transparent (magenta) parts, and no magenta reaches the screen.
TEST_F(Grilton, TheCurrentPictureShowsThroughTheSlideFrame) {
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND slide = driver::FindChildByClass(frame, "DIABOX");
  ASSERT_NE(slide, nullptr);
  int picture = 0, magenta = 0;
  auto capture = [&] {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    picture = magenta = 0;
    if (!CaptureInFront(frame, slide, width, height, bgr)) return false;
    for (size_t i = 0; i + 2 < bgr.size(); i += 3) {
      // The test pictures are RGB(40, 120, 200).
      picture += std::abs(bgr[i] - 200) < 12 && std::abs(bgr[i + 1] - 120) < 12 && std::abs(bgr[i + 2] - 40) < 12;
      magenta += bgr[i] > 240 && bgr[i + 1] < 15 && bgr[i + 2] > 240;
    }
    return picture > 100;
  };
  EXPECT_TRUE(PumpUntil(capture, kEventLimit)) << picture;
  EXPECT_EQ(magenta, 0);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, StripCommandsMoveTheStripUnderTheSlideFrame) {
  HWND frame = StartOn(6);
  ASSERT_NE(frame, nullptr);
  SendAndWait(frame, WM_COMMAND, grilton::kCmdBack, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  SendAndWait(frame, WM_COMMAND, grilton::kCmdForward, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P101");
  SendAndWait(frame, WM_COMMAND, grilton::kCmdLast, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P102");  // the strip shows 3 .. 6
  SendAndWait(frame, WM_COMMAND, grilton::kCmdForward, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P102");
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFirst, 0);
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  EXPECT_EQ(Close(), 0);
}

// The record panel follows the window's size: the recording display keeps to the right
// edge and the free text field takes the room left of it, never less than its own width.
TEST_F(Grilton, TheRecordPanelLaysItselfOutAgainWhenTheWindowIsResized) {
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND display = driver::FindChildByClass(frame, "GRILTONSPECTRUM");
  HWND freeText = Field(frame, kFirstTopic + kTopicSlots);
  ASSERT_NE(display, nullptr);
  ASSERT_NE(freeText, nullptr);
  HWND holder = GetParent(display);
  auto rectIn = [&](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, holder, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  const LONG startWidth = rectIn(freeText).right - rectIn(freeText).left;
  const LONG displayWidth = rectIn(display).right - rectIn(display).left;
  // Where the display belongs in the holder's present size: at the right edge, but never
  // left of where the form leaves room for it.
  auto displayInPlace = [&] {
    RECT client;
    GetClientRect(holder, &client);
    return rectIn(display).left == std::max<LONG>(620, client.right - 4 - displayWidth);
  };
  for (int width : {1400, 1100, 500}) {
    SetWindowPos(frame, nullptr, 0, 0, width, 760, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil(displayInPlace, kEventLimit)) << width;
    const RECT d = rectIn(display), f = rectIn(freeText);
    if (width > 1000) {
      EXPECT_EQ(f.right, d.left - 8) << width;
      EXPECT_GT(f.right - f.left, startWidth) << width;
    } else {
      EXPECT_GE(f.right - f.left, 40);
      EXPECT_LE(f.right - f.left, startWidth);
    }
  }
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, TheRightButtonEnlargesAPictureThatArrowsScrollAndAnyOtherKeyCloses) {
  const std::string folder = Copy().File("pics\\");
  WriteTestPicture(folder + "big.bmp", 1600, 1200);
  HWND frame = Start(folder);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitCount(frame, "1"));
  HWND strip = driver::FindChildByClass(frame, "GRILTONSTRIP");
  ASSERT_NE(strip, nullptr);
  PostMessageA(strip, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 60));  // the second frame: no picture
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(driver::FindChildByClass(frame, "GRILTONZOOM"), nullptr);
  PostMessageA(strip, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 60));
  HWND zoom = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (zoom = driver::FindChildByClass(frame, "GRILTONZOOM")) != nullptr; },
                        kEventLimit));
  PostMessageA(zoom, WM_KEYDOWN, VK_END, 0);
  SendAndWait(zoom, WM_NULL, 0, 0);
  EXPECT_TRUE(IsWindow(zoom));
  PostMessageA(zoom, WM_KEYDOWN, 'Q', 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(zoom); }, kEventLimit));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, TheEndCodeEndsTheProgramEvenWhileItAsks) {
  HWND frame = StartOn(2);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(fileio::WriteFileReplacing(Copy().ProgramFolder() + "WORK\\00000001.DOC", "draft"), 0);
  HWND strip = driver::FindChildByClass(frame, "GRILTONSTRIP");
  ASSERT_NE(strip, nullptr);
  RECT r;
  GetClientRect(strip, &r);
  PostMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 4 + 10, 60));
  ASSERT_NE(WaitForWindow(kBox, kEventLimitMs), nullptr);
  driver::SendCommand(frame, kCodeClose, "");
  EXPECT_EQ(Process().Wait(20000), 0);
}

TEST_F(Grilton, HelpGoesToTheViewerOfEntry81AsCodeThreeWithThePath) {
  const std::string log = Copy().File("help.log");
  // The help page the suite ships, not one made for the test.
  Copy().CopyFromSuite("grilton.htm");
  Copy().SetUiEntry(81, "standin.exe,TESTHELPVIEWER");
  Copy().AddStandinAs("standin.exe");
  ASSERT_TRUE(RunStandin("TESTHELPVIEWER", log));
  HWND frame = Start("WAITFORCOMMAND");
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, grilton::kCmdHelp, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_GE(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, Copy().ProgramFolder() + "grilton.htm")) << got[0].text;
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, EndCodeEndsAtOnceAndAListByMessageIsShown) {
  std::string folder = Pictures(3);
  HWND frame = Start("WAITFORCOMMAND");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Count(frame), "0");
  driver::SendCommand(frame, kCodeOpen, folder + "p100.bmp|" + folder + "p102.bmp|");
  ASSERT_TRUE(WaitCount(frame, "2"));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P100");
  EXPECT_EQ(driver::SendCommand(frame, kCodeClose, ""), 1);
  EXPECT_EQ(Process().Wait(20000), 0);
}

// A list by message takes the place of the folder listed; an empty one clears the view.
TEST_F(Grilton, AListByMessageReplacesTheListAndAnEmptyOneClearsTheView) {
  const std::string folder = Pictures(3);
  HWND frame = Start(folder);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(WaitCount(frame, "3"));
  EXPECT_EQ(driver::SendCommand(frame, kCodeOpen, folder + "p102.bmp|"), 1);
  ASSERT_TRUE(WaitCount(frame, "1"));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "P102");
  EXPECT_EQ(driver::SendCommand(frame, kCodeOpen, ""), 1);
  ASSERT_TRUE(WaitCount(frame, "0"));
  EXPECT_EQ(driver::WindowText(Field(frame, 2)), "");
  EXPECT_FALSE(IsWindowEnabled(driver::FindChild(frame, grilton::kCmdRecord)));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, RecordingWithoutACaptureDeviceSaysWhyAndFilesNoSound) {
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  if (const char* shot = std::getenv("GRILTON_SHOT")) driver::CaptureWindow(frame, shot);
  PostMessageA(frame, WM_COMMAND, grilton::kCmdRecord, 0);
  EXPECT_FALSE(WaitBoxText().empty());
  ASSERT_TRUE(Answer());
  EXPECT_TRUE(IsWindowEnabled(driver::FindChild(frame, grilton::kCmdRecord)));
  EXPECT_FALSE(IsWindowEnabled(driver::FindChild(frame, grilton::kCmdStopRecording)));
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "QUIET"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  ASSERT_TRUE(WaitCount(frame, "0"));
  std::string r = RecordBytes().substr(671);
  EXPECT_EQ(r.substr(647, 12), std::string(12, ' '));
  std::string item = "00000001.WAV";
  qBtMmText(item, 1);
  EXPECT_EQ(qBtMmLib(Copy().Library(), Copy().File("out.wav"), -2), kDbErrNotFound);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Grilton, TheProgramAndAnotherFilerAtOnceTakeDistinctKeysAndKeepEachItemUnderItsRecord) {
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(25);
  ASSERT_NE(frame, nullptr);
  WorkerProcess worker;
  ASSERT_TRUE(worker.Start("grilton_filing_worker",
                           {Copy().ProgramFolder(), "1", "25", Copy().File("ready"), Copy().File("go")}));
  ASSERT_TRUE(PumpUntil([&] { return fileio::Exists(Copy().File("ready")); }, std::chrono::milliseconds(30000)));
  Copy().Write("go", "");
  ASSERT_TRUE(FileAll(frame, "HARBOUR"));
  EXPECT_EQ(worker.Wait(60000), 0);
  EXPECT_TRUE(WaitCount(frame, "0"));
  EXPECT_EQ(Close(), 0);
  std::vector<CheckedRecord> records = CheckArchive(
      Place(),
      [&](const CheckedRecord& r) { return r.name[0] == 'W' ? "picture of " + r.name : PictureBytes(r.name); },
      [](const CheckedRecord& r) { return r.name[0] == 'W' ? "sound of " + r.name : std::string(); },
      [](const CheckedRecord& r) { return r.name[0] == 'W' ? std::string("WORKER1") : std::string("HARBOUR"); });
  EXPECT_EQ(records.size(), 50u);
}

// SUITE_KILL_ROUNDS raises the number of kills for a local run.
int KillRounds() { return StressCount("SUITE_KILL_ROUNDS", 4); }

TEST_F(Grilton, KilledWhileFilingTheWholeListItLeavesEachFilingWholeOrAbsent) {
  Copy().WriteInProgram("NEWWORDS.OK", "");
  const std::string folder = Pictures(100);
  std::mt19937 random(1209);
  const int rounds = KillRounds();
  for (int round = 0; round <= rounds; ++round) {
    HWND frame = Start(folder);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitCount(frame, "100"));
    ASSERT_TRUE(FileAll(frame, "HARBOUR"));
    if (round == rounds) {
      EXPECT_TRUE(PumpUntil([&] { return Count(frame) == "0"; }, std::chrono::milliseconds(120000)));
      EXPECT_EQ(Close(), 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 1500));
    Process().Kill();
  }
  std::vector<CheckedRecord> records = CheckArchive(
      Place(), [&](const CheckedRecord& r) { return PictureBytes(r.name); },
      [](const CheckedRecord&) { return std::string(); }, [](const CheckedRecord&) { return std::string("HARBOUR"); });
  std::set<std::string> names;
  for (const CheckedRecord& r : records) names.insert(r.name);
  EXPECT_EQ(names.size(), 100u);
}

// Run by the test entry grilton_null_device_tests, whose ALSA configuration makes the null
// device the default one (SUITE_NULL_ALSA tells so): the program records silence from it,
// but a whole WAVE file that is filed.
TEST_F(Grilton, ACommentRecordedFromANullDeviceIsFiledAsAWaveItem) {
  if (!std::getenv("SUITE_NULL_ALSA")) GTEST_SKIP() << "run with the null device's ALSA configuration";
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, grilton::kCmdRecord, 0);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(driver::FindChild(frame, grilton::kCmdStopRecording)) ||
                                     FindWindowA(kBox, nullptr); },
                        kEventLimit));
  ASSERT_EQ(FindWindowA(kBox, nullptr), nullptr) << WaitBoxText();
  PumpMessages(600);
  SendAndWait(frame, WM_COMMAND, grilton::kCmdStopRecording, 0);
  const std::string sound = Copy().ProgramFolder() + "WORK\\00000001.WAV";
  std::string wave;
  fileio::ReadWholeFile(sound, wave);
  ASSERT_GE(wave.size(), 46u);
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(wave.substr(8, 4), "WAVE");
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "VOICE"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  ASSERT_TRUE(WaitCount(frame, "0"));
  std::string item = "00000001.WAV";
  qBtMmText(item, 1);
  ASSERT_EQ(qBtMmLib(Copy().Library(), Copy().File("out.wav"), -2), 0);
  std::string copied;
  fileio::ReadWholeFile(Copy().File("out.wav"), copied);
  EXPECT_EQ(copied, wave);
  EXPECT_EQ(Close(), 0);
}

// Run by grilton_null_device_tests too: clicks on the recording display change its style
// only while a comment is recorded, and the style is kept in the settings.
TEST_F(Grilton, ClicksChangeTheDisplayStyleOnlyWhileRecordingFromANullDevice) {
  if (!std::getenv("SUITE_NULL_ALSA")) GTEST_SKIP() << "run with the null device's ALSA configuration";
  Copy().WriteSettings("10|10|808|608||STANDARD|0|3\r\n");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  HWND display = driver::FindChildByClass(frame, "GRILTONSPECTRUM");
  ASSERT_NE(display, nullptr);
  SendAndWait(display, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // not recording: no change
  PostMessageA(frame, WM_COMMAND, grilton::kCmdRecord, 0);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(driver::FindChild(frame, grilton::kCmdStopRecording)) ||
                                     FindWindowA(kBox, nullptr); },
                        kEventLimit));
  ASSERT_EQ(FindWindowA(kBox, nullptr), nullptr) << WaitBoxText();
  SendAndWait(display, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // 3 -> 2
  SendAndWait(display, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // 2 -> 1
  SendAndWait(display, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // 1 -> 6
  SendAndWait(display, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));  // 6 -> 1
  SendAndWait(display, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));  // 1 -> 2
  SendAndWait(frame, WM_COMMAND, grilton::kCmdStopRecording, 0);
  SendAndWait(display, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // stopped: no change
  EXPECT_EQ(CloseByUser(), 0);
  std::vector<std::string> fields = SettingsFields();
  ASSERT_EQ(fields.size(), 8u) << Copy().ReadSettings();
  EXPECT_EQ(fields[7], "2");
}

}  // namespace

namespace {

// The record values of a filed picture for the archive's form.
std::vector<std::string> FiledValues(int number) {
  std::vector<std::string> v(size_t(kTopicSlots) + 18);
  char key[16];
  std::snprintf(key, sizeof key, "%08d", number);
  v[0] = key;
  v[1] = "P" + std::to_string(number);
  v[3] = "BMP";
  for (int k = 0; k < kTopicSlots; ++k) v[size_t(11 + k)] = k == 0 ? "HARBOUR" : "(none)";
  return v;
}

}  // namespace

// The archive started on a record file damaged under its indexes.
class GriltonDamage : public Grilton {
 protected:
  // Files `count` pictures into a new record file and returns its bytes.
  std::string FileRecords(int count) {
    const std::string f01 = Copy().RecordFile();
    const std::vector<DBFIELD> fields = db::ArchiveFields(kTopicSlots, 2024, 5);
    EXPECT_EQ(DBCREATE(f01, 671), 0);
    int fn = 0, ok = 0;
    EXPECT_EQ(DBOPENF(f01, fn, ok), 0);
    DbBeginBatch();
    for (int i = 1; i <= count; ++i) EXPECT_EQ(DBCREF(f01, fn, FiledValues(i), fields), 0) << i;
    DbEndBatch();
    SKFCLOSE(fn);
    DbCloseIndexes(f01);
    return RecordBytes();
  }
  // With `damaged` as the record file and the counter at `counter`: the start names the
  // file and `words`, and a filing is refused with the same words, leaving one picture to go.
  void ExpectReportedAndNotFiledInto(const std::string& damaged, int counter, const std::string& words) {
    const std::string f01 = Copy().RecordFile();
    ASSERT_EQ(fileio::WriteFileReplacing(f01, damaged), 0);
    char number[16];
    std::snprintf(number, sizeof number, "%010d", counter);
    ASSERT_EQ(fileio::WriteFileReplacing(Copy().ProgramFolder() + "QORIMAGE.CPT", std::string(number) + "\r\n"), 0);
    Copy().WriteInProgram("NEWWORDS.OK", "");
    HWND frame = Start(Pictures(1));
    ASSERT_NE(frame, nullptr);
    std::string text = WaitBoxText();
    EXPECT_NE(text.find(f01), std::string::npos) << text;
    EXPECT_NE(text.find(words), std::string::npos) << text;
    ASSERT_TRUE(Answer());
    ASSERT_TRUE(WaitCount(frame, "1"));
    ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
    PostMessageA(frame, WM_COMMAND, grilton::kCmdFile, 0);
    text = WaitBoxText();
    EXPECT_NE(text.find(words), std::string::npos) << text;
    ASSERT_TRUE(Answer());
    EXPECT_EQ(Count(frame), "1");
  }
};

// A record file cut under intact indexes: the start names the file and the rebuild that
// mends it, and a filing is refused with the same words; nothing is written.
TEST_F(GriltonDamage, ARecordFileCutUnderItsIndexesIsReportedAtStartAndNotFiledInto) {
  const std::string whole = FileRecords(20);
  ASSERT_NO_FATAL_FAILURE(ExpectReportedAndNotFiledInto(whole.substr(0, 11 * 671), 20, "rebuild"));
  EXPECT_EQ(RecordBytes().size(), 11u * 671u);
  EXPECT_EQ(Close(), 0);
}

// A damaged header number (it names record 50 of 200): the start reports it and the
// filing neither cuts the file nor files into it.
TEST_F(GriltonDamage, AHeaderNumberNamingAnInnerRecordIsReportedAndCutsNothing) {
  std::string bytes = FileRecords(199);
  ASSERT_EQ(bytes.size(), 200u * 671u);
  bytes[0] = 50;
  ASSERT_NO_FATAL_FAILURE(ExpectReportedAndNotFiledInto(bytes, 199, "record 50"));
  EXPECT_TRUE(RecordBytes() == bytes) << "the record file changed";
  EXPECT_EQ(Close(), 0);
}

// The topic editor's rebuild was killed while it put its squeezed files in place: the
// next filing finishes that work and files into the rebuilt archive, and no copy of the
// rebuild stays beside it.
TEST_F(Grilton, AFilingAfterARebuildKilledHalfWayFinishesItAndFiles) {
  const std::string f01 = Copy().RecordFile();
  const std::vector<DBFIELD> fields = db::ArchiveFields(kTopicSlots, 2024, 5);
  ASSERT_EQ(DBCREATE(f01, 671), 0);
  {
    int fn = 0, ok = 0;
    ASSERT_EQ(DBOPENF(f01, fn, ok), 0);
    for (int i = 1; i <= 4; ++i) ASSERT_EQ(DBCREF(f01, fn, FiledValues(i), fields), 0) << i;
    SKFCLOSE(fn);
    DbCloseIndexes(f01);
  }
  const std::string old = RecordBytes();
  const std::string squeezed = old.substr(0, 2 * 671) + old.substr(3 * 671);  // without record 3
  ASSERT_EQ(fileio::WriteFileReplacing(DbReplacementCopy(f01), squeezed), 0);
  ASSERT_EQ(DbRebuildIndexes(DbReplacementCopy(f01), fields), 0);
  DbCloseIndexes(DbReplacementCopy(f01));
  ASSERT_EQ(fileio::WriteFileReplacing(DbReplacementMark(f01), ""), 0);
  ASSERT_EQ(fileio::WriteFileReplacing(f01, squeezed.substr(0, 3 * 671) + old.substr(3 * 671)), 0);
  ASSERT_EQ(fileio::WriteFileReplacing(Copy().ProgramFolder() + "QORIMAGE.CPT", "0000000004\r\n"), 0);
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  SendAndWait(frame, WM_COMMAND, grilton::kCmdFile, 0);
  EXPECT_EQ(FindWindowA(kBox, nullptr), nullptr) << driver::BoxText(FindWindowA(kBox, nullptr));
  ASSERT_TRUE(WaitCount(frame, "0"));
  const std::string now = RecordBytes();
  ASSERT_EQ(now.size(), squeezed.size() + 671);
  EXPECT_TRUE(now.substr(0, squeezed.size()) == squeezed) << "the rebuilt records are not in place";
  EXPECT_EQ(now.substr(squeezed.size(), 8), "00000005");
  for (const std::string& left : {DbReplacementCopy(f01), DbReplacementMark(f01), DBINDEX(DbReplacementCopy(f01), 0)})
    EXPECT_FALSE(fileio::Exists(left)) << left;
  EXPECT_EQ(Close(), 0);
}

// A key counter that holds no number: the filing stops with the counter's name and what is
// wrong with it, not a bare system text, and writes nothing.
TEST_F(Grilton, ACounterThatIsNotANumberIsNamedWhenAFilingStops) {
  const std::string counter = Copy().ProgramFolder() + "QORIMAGE.CPT";
  ASSERT_EQ(fileio::WriteFileReplacing(counter, "twelve\r\n"), 0);
  Copy().WriteInProgram("NEWWORDS.OK", "");
  HWND frame = StartOn(1);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(driver::SetText(Field(frame, kFirstTopic), "HARBOUR"));
  PostMessageA(frame, WM_COMMAND, grilton::kCmdFile, 0);
  const std::string text = WaitBoxText();
  EXPECT_NE(fileio::ToUpper(text).find(fileio::ToUpper(counter)), std::string::npos) << text;
  EXPECT_NE(text.find("does not hold a number"), std::string::npos) << text;
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Count(frame), "1");
  EXPECT_LE(RecordBytes().size(), 671u);
  EXPECT_EQ(Close(), 0);
}

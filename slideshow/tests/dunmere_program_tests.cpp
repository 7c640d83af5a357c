// The slide show maker as a user and its partner programs see it: started under Wine,
// driven from outside with the test driver, with stand-in partners that log what they get.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "driver.h"
#include "test_windows.h"
#include "dunmere_fixture.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "skin/sk_text.h"
#include "sound_files.h"
#include "win/raii.h"

namespace {

using namespace std::chrono_literals;
using namespace dunmere;

constexpr DWORD kStartMs = 30000;

TEST_F(Dunmere, WithoutItsUiFileItNamesTheFileAndEndsWithCode2) {
  WithoutUiFile();
  ChildProcess& program = Launch();
  HWND box = WaitForWindow(kMessageBox, kStartMs, program.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "dunmere");
  EXPECT_EQ(FindWindowA(kClassSlideMaker, nullptr), nullptr);
  ASSERT_TRUE(driver::PressButton(kMessageBox, 1, "", kEventLimitMs));
  EXPECT_EQ(program.Wait(kStartMs), 2);
}

TEST_F(Dunmere, ASecondStartBringsTheFirstForwardAndEnds) {
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  ShowWindow(frame, SW_MINIMIZE);
  ChildProcess& second = Launch();
  EXPECT_EQ(second.Wait(kStartMs), 0);
  EXPECT_FALSE(IsIconic(frame));
  EXPECT_EQ(FindWindowA(kClassSlideMaker, nullptr), frame);
  EXPECT_TRUE(Process().Running());
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, Code3AddsTheSlidesItDoesNotHoldYet) {
  std::string a = WriteTestPicture(Copy().File("pics\\a.bmp"), 40, 30);
  std::string b = WriteTestPicture(Copy().File("pics\\b.bmp"), 30, 40);
  std::string c = WriteTestPicture(Copy().File("pics\\c.bmp"), 20, 20);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::WindowText(frame), "Slide show maker");
  EXPECT_EQ(driver::SendCommand(frame, kCodeOpen, a + "|" + b), 1);
  EXPECT_EQ(WaitSlides(frame, {a, b}), (std::vector<std::string>{a, b}));
  EXPECT_EQ(Status(frame), "2 slides");
  // A slide the list holds, a new one and a file that does not exist.
  driver::SendCommand(frame, kCodeOpen, b + "|" + c + "|" + Copy().File("pics\\missing.bmp"));
  EXPECT_EQ(WaitSlides(frame, {a, b, c}), (std::vector<std::string>{a, b, c}));
  EXPECT_EQ(Status(frame), "3 slides");
  // The thumbnail walk gives every slide its thumbnail and the title back.
  HWND list = List(frame);
  EXPECT_TRUE(PumpUntil(
      [list] {
        for (int k = 0; k < 3; ++k)
          if (SendAndWait(list, LB_GETITEMDATA, WPARAM(k), 0) == 0) return false;
        return true;
      },
      kListLimit));
  EXPECT_TRUE(PumpUntil([frame] { return driver::WindowText(frame) == "Slide show maker"; }, kEventLimit));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, ThumbnailsReachLateSlidesAndAnUnloadableOneKeepsNone) {
  DunmereFolder& folder = Copy();
  std::vector<std::string> first, late;
  for (int k = 0; k < 12; ++k)
    first.push_back(WriteTestPicture(folder.File("pics\\a" + std::to_string(k) + ".bmp"), 400, 300));
  std::string broken = folder.Write("pics\\broken.jpg", "this is no JPEG at all");
  for (int k = 0; k < 3; ++k)
    late.push_back(WriteTestPicture(folder.File("pics\\late" + std::to_string(k) + ".bmp"), 40, 30));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  std::string joined;
  for (const auto& p : first) joined += p + "|";
  driver::SendCommand(frame, kCodeOpen, joined + broken);
  // More slides arrive while the first walk still runs.
  driver::SendCommand(frame, kCodeOpen, late[0] + "|" + late[1] + "|" + late[2]);
  ASSERT_EQ(WaitSlides(frame, 16).size(), 16u);
  HWND list = List(frame);
  auto withThumbnail = [&] {
    int n = 0;
    for (int k = 0; k < 16; ++k) n += SendAndWait(list, LB_GETITEMDATA, WPARAM(k), 0) != 0 ? 1 : 0;
    return n;
  };
  EXPECT_TRUE(PumpUntil([&] { return withThumbnail() == 15; }, kListLimit)) << withThumbnail();
  EXPECT_TRUE(PumpUntil([frame] { return driver::WindowText(frame) == "Slide show maker"; }, kEventLimit));
  EXPECT_EQ(SendAndWait(list, LB_GETITEMDATA, 12, 0), 0);  // the broken picture
  // Removing slides while a walk may run leaves every other slide its own thumbnail.
  SelectSlides(frame, {0, 1, 2});
  Command(frame, kCmdRemoveSlides);
  ASSERT_EQ(WaitSlides(frame, 13).size(), 13u);
  for (int k = 0; k < 13; ++k)
    EXPECT_EQ(SendAndWait(list, LB_GETITEMDATA, WPARAM(k), 0) != 0, k != 9) << k;
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, SideFilesAreWrittenReadBackAndAnnounced) {
  DunmereFolder& folder = Copy();
  std::string log = folder.File("browser.log");
  ASSERT_TRUE(RunStandin(kClassBrowser, log));
  std::string a = WriteTestPicture(folder.File("pics\\a.bmp"), 40, 30);
  std::string b = WriteTestPicture(folder.File("pics\\b.bmp"), 40, 30);
  folder.Write("pics\\b.kwd", "From outside");
  // A picture without extension in a folder with a dot has no side files.
  std::string scan = WriteTestPicture(folder.File("my.pics\\scan"), 20, 20);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, a + "|" + b + "|" + scan);
  ASSERT_EQ(WaitSlides(frame, 3).size(), 3u);
  HWND field = driver::FindChild(frame, kTextField);

  SelectSlides(frame, {0});
  std::string text = "Hello | world\r\nsecond line";
  ASSERT_TRUE(driver::SetText(field, text));
  Command(frame, kSaveTextButton);
  EXPECT_EQ(ReadText(folder.File("pics\\a.kwd")), text);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_GE(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeFileWritten);
  EXPECT_EQ(got[0].text, SKLCASE(fileio::WithoutTrailingSeparator(folder.File("pics"))));

  Command(frame, kDisplayTimes.first + 2);  // 3 seconds
  EXPECT_EQ(ReadText(folder.File("pics\\a.tim")), "3000");
  Command(frame, kApplyEffectButton);  // the first effect of the first group
  EXPECT_EQ(ReadText(folder.File("pics\\a.sfx")), "2000|Wipe from the left");
  Command(frame, kCmdDefaultDisplayTime);
  EXPECT_FALSE(fileio::Exists(folder.File("pics\\a.tim")));
  // Saving an empty text deletes the file.
  ASSERT_TRUE(driver::SetText(field, ""));
  Command(frame, kSaveTextButton);
  EXPECT_FALSE(fileio::Exists(folder.File("pics\\a.kwd")));
  EXPECT_GE(WaitForLog(log, 5, kEventLimitMs).size(), 5u);

  // Another slide shows its own text; the delete button deletes it.
  SelectSlides(frame, {1});
  EXPECT_EQ(driver::WindowText(field), "From outside");
  Command(frame, kDeleteTextButton);
  EXPECT_FALSE(fileio::Exists(folder.File("pics\\b.kwd")));
  EXPECT_EQ(driver::WindowText(field), "");

  // Nothing is written for the picture without extension, neither beside it nor above.
  SelectSlides(frame, {2});
  ASSERT_TRUE(driver::SetText(field, "no side file"));
  Command(frame, kSaveTextButton);
  Command(frame, kDisplayTimes.first + 4);  // 5 seconds
  EXPECT_FALSE(fileio::Exists(folder.File("my.kwd")));
  EXPECT_FALSE(fileio::Exists(folder.File("my.tim")));
  EXPECT_EQ(fileio::ListDirectory(folder.File("my.pics\\*")).size(), 1u);

  // The display time of several slides at once, and the delete command of one kind.
  SelectSlides(frame, {0, 1});
  Command(frame, kDisplayTimes.first + 1);  // 2 seconds
  EXPECT_EQ(ReadText(folder.File("pics\\a.tim")), "2000");
  EXPECT_EQ(ReadText(folder.File("pics\\b.tim")), "2000");
  PostMessageA(frame, WM_COMMAND, kCmdDeleteTimes, 0);
  HWND box = nullptr;
  ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &box));
  PumpUntil([&] { return !fileio::Exists(folder.File("pics\\b.tim")); }, 5s);
  EXPECT_FALSE(fileio::Exists(folder.File("pics\\a.tim")));
  EXPECT_FALSE(fileio::Exists(folder.File("pics\\b.tim")));
  EXPECT_TRUE(fileio::Exists(folder.File("pics\\a.sfx")));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, AShowIsSavedByteForByteAndOpenedAgain) {
  DunmereFolder& folder = Copy();
  std::string a = WriteTestPicture(folder.File("pics\\a.bmp"), 40, 30);
  std::string b = WriteTestPicture(folder.File("pics\\b.bmp"), 40, 30);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, a + "|" + b);
  ASSERT_EQ(WaitSlides(frame, 2).size(), 2u);
  Command(frame, kGroupValues.first + 4);   // music volume 60 %
  Command(frame, kDefaultTimes.first + 1);  // default time 2000
  PostMessageA(frame, WM_COMMAND, kCmdSaveShow, 0);
  HWND box = nullptr;
  ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &box));
  std::string show = folder.ShowFolder() + "NEWSHOW.ssf";
  PumpUntil([&] { return fileio::Exists(show); }, 5s);
  EXPECT_EQ(ReadText(show), "[|0|0|0|60|1|2000]\r\n" + a + "\r\n" + b + "\r\n");

  // A new show empties the list; opening the saved one brings the slides back.
  PostMessageA(frame, WM_COMMAND, kCmdNewShow, 0);
  HWND msg = nullptr;
  ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &msg));
  EXPECT_TRUE(WaitSlides(frame, 0).empty());
  EXPECT_EQ(Status(frame), "0 slides");
  PostMessageA(frame, WM_COMMAND, kCmdOpenShow, 0);
  ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &box));
  EXPECT_EQ(WaitSlides(frame, {a, b}), (std::vector<std::string>{a, b}));
  EXPECT_EQ(Close(), 0);
  // The settings keep the music volume and the default time.
  std::string settings = ReadText(folder.SettingsFile());
  std::vector<std::string> fields;
  SKSPLITS(settings, "|", fields);
  ASSERT_EQ(fields.size(), 13u) << settings;
  EXPECT_EQ(fields[7], "60");
  EXPECT_EQ(fields[8], "2000");
}

TEST_F(Dunmere, PlayingSelectedSlidesHandsThePlayerTheShowsValuesFirst) {
  DunmereFolder& folder = Copy();
  std::string log = folder.File("player.log");
  ASSERT_TRUE(RunStandin(kClassPlayer, log));
  std::string a = WriteTestPicture(folder.File("pics\\a.bmp"), 40, 30);
  std::string b = WriteTestPicture(folder.File("pics\\b.bmp"), 40, 30);
  std::string c = WriteTestPicture(folder.File("pics\\c.bmp"), 40, 30);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, a + "|" + b + "|" + c);
  ASSERT_EQ(WaitSlides(frame, 3).size(), 3u);
  SelectSlides(frame, {0, 2});
  Command(frame, kPlayButton);
  std::vector<LoggedMessage> got = WaitForLog(log, 6, kEventLimitMs);
  ASSERT_EQ(got.size(), 6u);
  std::vector<int> codes;
  for (const auto& m : got) codes.push_back(m.code);
  EXPECT_EQ(codes, (std::vector<int>{kCodeSlideShow, kCodeAttachedSound, kCodeShowKeywords, kCodeEnlargedView,
                                     kCodeOpen, kCodePressPlay}));
  EXPECT_EQ(got[0].text, "4000");
  EXPECT_EQ(got[1].text, "| 100| 1| 4000");  // the music at its default volume
  EXPECT_EQ(got[4].text, a + "|" + c);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, CutPasteAndMovesKeepEverySlideOnce) {
  std::vector<std::string> p;
  for (const char* n : {"a", "b", "c", "d"})
    p.push_back(WriteTestPicture(Copy().File(std::string("pics\\") + n + ".bmp"), 20, 20));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, p[0] + "|" + p[1] + "|" + p[2] + "|" + p[3]);
  ASSERT_EQ(WaitSlides(frame, 4).size(), 4u);
  HWND list = List(frame);
  // Alt+Down moves the selected slide down by one. The key is posted, as a key press is: the
  // test waits for the moved list, not for an answer that may come before the key is read.
  SelectSlides(frame, {1});
  PostMessageA(list, WM_SYSKEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(WaitSlides(frame, {p[0], p[2], p[1], p[3]}), (std::vector<std::string>{p[0], p[2], p[1], p[3]}));
  // With the last one selected nothing moves.
  SelectSlides(frame, {3});
  PostMessageA(list, WM_SYSKEYDOWN, VK_DOWN, 0);
  ASSERT_TRUE(SelectNoneAfterPosted(frame));
  EXPECT_EQ(driver::ListItems(list), (std::vector<std::string>{p[0], p[2], p[1], p[3]}));
  // Cut two slides, paste them before the first one.
  SelectSlides(frame, {1, 2});
  Command(frame, kCmdCut);
  EXPECT_EQ(WaitSlides(frame, {p[0], p[3]}), (std::vector<std::string>{p[0], p[3]}));
  EXPECT_EQ(Status(frame), "2 slides");
  SelectSlides(frame, {0});
  Command(frame, kCmdPaste);
  EXPECT_EQ(WaitSlides(frame, {p[2], p[1], p[0], p[3]}), (std::vector<std::string>{p[2], p[1], p[0], p[3]}));
  // Nothing is held any more: a second paste adds nothing.
  Command(frame, kCmdPaste);
  EXPECT_EQ(driver::ListItems(list).size(), 4u);
  // A cut that is cut again before a paste is gone for good.
  SelectSlides(frame, {0});
  Command(frame, kCmdCut);
  SelectSlides(frame, {0});
  Command(frame, kCmdCut);
  SelectSlides(frame, {0});
  Command(frame, kCmdPaste);
  EXPECT_EQ(WaitSlides(frame, {p[1], p[0], p[3]}), (std::vector<std::string>{p[1], p[0], p[3]}));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, AFailedWriteKeepsTheOldSideFileAndShow) {
  DunmereFolder& folder = Copy();
  std::string a = WriteTestPicture(folder.File("pics\\a.bmp"), 40, 30);
  folder.Write("pics\\a.kwd", "old text");
  folder.Write("suite\\SHOWS\\NEWSHOW.ssf", "[|0|0|0|3|1|4000]\r\nold.jpg\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, a);
  ASSERT_EQ(WaitSlides(frame, 1).size(), 1u);
  SelectSlides(frame, {0});
  {
    // Another program holds both files: they cannot be replaced now.
    win::Handle kwd(CreateFileA(folder.File("pics\\a.kwd").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    win::Handle show(CreateFileA(folder.File("suite\\SHOWS\\NEWSHOW.ssf").c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(kwd && show);
    ASSERT_TRUE(driver::SetText(driver::FindChild(frame, kTextField), "new text"));
    Command(frame, kSaveTextButton);
    PostMessageA(frame, WM_COMMAND, kCmdSaveShow, 0);
    HWND pick = nullptr, msg = nullptr;
    ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &pick));
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &msg));  // the write error
  }
  SendAndWait(frame, WM_NULL, 0, 0);
  EXPECT_EQ(ReadText(folder.File("pics\\a.kwd")), "old text");
  EXPECT_EQ(ReadText(folder.File("suite\\SHOWS\\NEWSHOW.ssf")), "[|0|0|0|3|1|4000]\r\nold.jpg\r\n");
  EXPECT_EQ(fileio::ListDirectory(folder.File("pics\\a.kwd*")).size(), 1u);
  EXPECT_EQ(fileio::ListDirectory(folder.File("suite\\SHOWS\\*")).size(), 1u);
  // Once free, the same commands write.
  Command(frame, kSaveTextButton);
  EXPECT_EQ(ReadText(folder.File("pics\\a.kwd")), "new text");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Dunmere, ANarrationThatCannotStartKeepsTheOldOne) {
  DunmereFolder& folder = Copy();
  std::string a = WriteTestPicture(folder.File("pics\\a.bmp"), 40, 30);
  folder.Write("pics\\a.wav", "old narration");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::SendCommand(frame, kCodeOpen, a);
  ASSERT_EQ(WaitSlides(frame, 1).size(), 1u);
  SelectSlides(frame, {0});
  PostMessageA(frame, WM_COMMAND, kRecordButton, 0);
  HWND box = nullptr;
  if (PressNextBox(kMessageBox, 1, "", &box, 3000)) {
    // No sound card: the old narration is still there, and nothing half-written beside it.
    WaitNoBox(frame, kMessageBox);
    EXPECT_EQ(ReadText(folder.File("pics\\a.wav")), "old narration");
    EXPECT_EQ(fileio::ListDirectory(folder.File("pics\\a.wav*")).size(), 1u);
  } else {
    // A sound card recorded: stop gives a whole RIFF WAVE file in place of the old one.
    Command(frame, kStopButton);
    std::string wav = ReadText(folder.File("pics\\a.wav"));
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 4), "WAVE");
  }
  EXPECT_EQ(Close(), 0);
}

// The slide show maker with the logging stand-in as its effects plug-in, two slides and the
// first selected.
class DunmerePreview : public Dunmere {
 protected:
  HWND StartWithSlides() {
    DunmereFolder& folder = Copy();
    EXPECT_TRUE(CopyFileA((TestProgramFolder() + "pellox_log.dll").c_str(), (folder.ProgramFolder() + "pellox.dll").c_str(),
                          FALSE));
    // The plug-in's list with a sixth entry that gives no numbers.
    folder.WriteInProgram("effects\\plugin.txt",
                          "Automatic choice\r\nSpin,1,10\r\nPage turn,2,20\r\nRipple,1,15\r\nShatter,3,25\r\nBare\r\n");
    a = WriteTestPicture(folder.File("pics\\a.bmp"), 64, 48);
    b = WriteTestPicture(folder.File("pics\\b.bmp"), 48, 64);
    HWND frame = Start();
    if (!frame) return nullptr;
    driver::SendCommand(frame, kCodeOpen, a + "|" + b);
    EXPECT_EQ(WaitSlides(frame, 2).size(), 2u);
    SelectSlides(frame, {0});
    return frame;
  }
  // Chooses entry `index` of effect group `group` as a user would.
  static void ChooseEffect(HWND frame, int group, int index) {
    HWND groups = driver::FindChild(frame, kEffectGroupBox);
    SendAndWait(groups, CB_SETCURSEL, WPARAM(group), 0);
    SendAndWait(frame, WM_COMMAND, MAKEWPARAM(kEffectGroupBox, CBN_SELCHANGE), LPARAM(groups));
    SendAndWait(driver::FindChild(frame, kEffectList), LB_SETCURSEL, WPARAM(index), 0);
  }
  std::string Log() { return ReadText(Copy().ProgramFolder() + "pellox.log"); }
  std::string PaneArguments(HWND frame) {
    RECT r{};
    GetClientRect(driver::FindChild(frame, kPreviewPane), &r);
    return "1,0,0," + std::to_string(r.right) + "," + std::to_string(r.bottom) + ",1,0,1,";
  }
  std::string a, b;
};

TEST_F(DunmerePreview, ThePlugInGetsItsElevenArgumentsFromTheEntry) {
  HWND frame = StartWithSlides();
  ASSERT_NE(frame, nullptr);
  ChooseEffect(frame, 15, 1);  // "Spin,1,10"
  Command(frame, kPreviewButton);
  ChooseEffect(frame, 15, 5);  // "Bare"
  Command(frame, kPreviewButton);
  std::string pane = PaneArguments(frame);
  EXPECT_EQ(Log(), pane + "1,10,1;1\n" + pane + "0,0,5;1\n");
  // No effect: the plug-in is not called and the pane shows the picture.
  ChooseEffect(frame, 16, 0);
  Command(frame, kPreviewButton);
  EXPECT_EQ(Log(), pane + "1,10,1;1\n" + pane + "0,0,5;1\n");
  EXPECT_EQ(Close(), 0);
}

TEST_F(DunmerePreview, AClickEndsAPreviewAndReachesTheList) {
  HWND frame = StartWithSlides();
  ASSERT_NE(frame, nullptr);
  ChooseEffect(frame, 15, 1);
  HWND list = List(frame);
  int row = int(SendAndWait(list, LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(row, 0);
  // The click waits in the queue behind the command: the preview's callback finds it.
  PostMessageA(frame, WM_COMMAND, kPreviewButton, 0);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, row + row / 2));
  EXPECT_TRUE(PumpUntil([&] { return Log().find(';') != std::string::npos; }, kEventLimit));
  EXPECT_EQ(Log(), PaneArguments(frame) + "1,10,1;-100\n");
  EXPECT_TRUE(PumpUntil([&] { return SendAndWait(list, LB_GETCARETINDEX, 0, 0) == 1; }, kEventLimit));
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(8, row + row / 2));
  // The next preview is not stopped by the click before.
  SendAndWait(list, WM_NULL, 0, 0);
  Command(frame, kPreviewButton);
  std::string pane = PaneArguments(frame);
  EXPECT_EQ(Log(), pane + "1,10,1;-100\n" + pane + "1,10,1;1\n");
  EXPECT_EQ(Close(), 0);
}

// The preview of a cross fade, a wipe and a push starts from a cleared pane: the middle of
// the pane, where the slide's picture stands, shows something else on the way and ends on
// the picture again.
TEST_F(DunmerePreview, ATransitionPreviewShowsTheWayIn) {
  HWND frame = StartWithSlides();
  ASSERT_NE(frame, nullptr);
  HWND pane = driver::FindChild(frame, kPreviewPane);
  ASSERT_NE(pane, nullptr);
  auto middle = [pane]() {
    int w = 0, h = 0;
    std::vector<unsigned char> bgr;
    if (!driver::CaptureWindowPixels(pane, w, h, bgr) || w < 8 || h < 8) return std::vector<unsigned char>();
    std::vector<unsigned char> out;
    for (int y = h / 2 - 2; y <= h / 2 + 2; ++y)
      out.insert(out.end(), bgr.begin() + (y * w + w / 2 - 2) * 3, bgr.begin() + (y * w + w / 2 + 3) * 3);
    return out;
  };
  // At rest the pane shows the picture: the same twice in a row.
  std::vector<unsigned char> still, now;
  ASSERT_TRUE(PumpUntil(
      [&] {
        now = middle();
        bool steady = !now.empty() && now == still;
        still = now;
        return steady;
      },
      10s, 100ms));
  struct Effect {
    int group, index;
    const char* name;
  };
  for (Effect effect : {Effect{10, 2, "cross fade"}, Effect{0, 0, "wipe"}, Effect{1, 0, "push"}}) {
    ChooseEffect(frame, effect.group, effect.index);
    // The preview runs to its end in a thread of its own, watched meanwhile: a preview
    // asked for while one runs would not run.
    std::atomic<bool> ended{false};
    std::thread preview([&] {
      SendAndWait(frame, WM_COMMAND, kPreviewButton, 0);
      ended = true;
    });
    bool changed = false;
    EXPECT_TRUE(PumpUntil(
        [&] {
          changed = changed || middle() != still;
          return ended.load();
        },
        20s, 1ms));
    preview.join();
    EXPECT_TRUE(changed) << effect.name << " shows no change";
    EXPECT_TRUE(PumpUntil([&] { return middle() == still; }, kEventLimit)) << effect.name << " does not end on the picture";
  }
  EXPECT_EQ(Close(), 0);
}

// A show of two slides and music, built into a folder of its own.
class DunmereBuild : public Dunmere {
 protected:
  void SetUp() override {
    Dunmere::SetUp();
    DunmereFolder& folder = Copy();
    target = folder.File("target\\");
    folder.SetEntry(79, target);
    a = WriteTestPicture(folder.File("pics\\a.bmp"), 64, 48);
    folder.Write("pics\\a.tim", "6000");
    folder.Write("pics\\a.kwd", "First slide");
    folder.Write("pics\\a.sfx", "2001|Wipe from the right");
    b = folder.Write("pics\\b.jpg", "this is no JPEG at all");
    folder.Write("one\\song.mp3", "first song");
    folder.Write("two\\song.mp3", "second song");
    folder.Write("suite\\lists\\calm.qls", folder.File("one\\song.mp3") + "\r\n" + folder.File("two\\song.mp3") +
                                               "\r\n" + folder.File("one\\missing.mp3") + "\r\n" +
                                               folder.File("one\\notes.txt") + "\r\n");
    folder.Write("one\\notes.txt", "not a sound");
    // What the target holds before goes; what lies beside it stays.
    folder.Write("target\\old.txt", "old");
    folder.Write("beside.txt", "stays");
  }

  HWND StartWithShow() {
    HWND frame = Start();
    if (!frame) return nullptr;
    driver::SendCommand(frame, kCodeOpen, a + "|" + b);
    EXPECT_EQ(WaitSlides(frame, 2).size(), 2u);
    PostMessageA(frame, WM_COMMAND, kCmdChooseMusic, 0);
    HWND box = nullptr;
    EXPECT_TRUE(PressNextBox(kPickFileBox, 1, "", &box));
    WaitNoBox(frame, kPickFileBox);
    return frame;
  }

  // The build command up to the final question.
  void BuildUpToTheQuestion(HWND frame) {
    PostMessageA(frame, WM_COMMAND, kCmdBuildShow, 0);
    HWND box = nullptr, pick = nullptr, msg = nullptr;
    ASSERT_TRUE(PressNextBox(kBuildBox, 0, "OK", &box));
    ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &pick));
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &msg));  // the summary
    last = msg;
  }

  // The suite's player, its UI file and effects plug-in into the program folder; marker: the
  // built show's marker too (in its subfolder).
  void CopyThePlayer(bool marker) {
    for (const char* file : {"falcet.exe", "falcet.SYS", "pellox.dll"}) Copy().CopyFromSuite(file);
    if (marker) Copy().CopyFromSuite("player\\dravel.dll");
  }

  // Starts the program on the two slides and builds them as a video up to the start of the
  // recording; command: a menu command before (0: none).
  void BuildAVideo(HWND& frame, int command = 0) {
    frame = Start();
    ASSERT_NE(frame, nullptr);
    driver::SendCommand(frame, kCodeOpen, a + "|" + b);
    ASSERT_EQ(WaitSlides(frame, 2).size(), 2u);
    if (command) Command(frame, command);
    Command(frame, kVideoSizes.first);
    WaitForSteadyTitle(frame, "Slide show maker - Video 320 x 240");
    PostMessageA(frame, WM_COMMAND, kCmdBuildShow, 0);
    // No build box for a video build.
    ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &last));
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // the summary
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // yes: record it
  }

  // A video build that the stand-in player "records" (reporting counts; a video only when
  // it counts frames), up to the question what to do with the video.
  void RecordAVideo(HWND& frame, const std::string& counts = "25,0,0") {
    DunmereFolder& folder = Copy();
    std::string playerLog = folder.File("player.log");
    folder.AddStandin();
    // The player runs from the show folder: its program file is one of the player's files.
    folder.SetEntry(80, "standin.exe");
    folder.SetEntry(19, "standin.exe QPLAYER " + playerLog + ",QPLAYER");
    DeleteFileA(playerLog.c_str());
    ASSERT_NO_FATAL_FAILURE(BuildAVideo(frame));
    std::vector<LoggedMessage> got = WaitForLog(playerLog, 1, kEventLimitMs);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].code, kCodeRecordShow);
    EXPECT_EQ(got[0].text, "320,240,3," + std::to_string(uintptr_t(frame)));
    // The player records, reports its counts and closes.
    bool recorded = counts.front() != '0';
    if (recorded) folder.Write("target\\standin.avi", "a video");
    driver::SendCommand(frame, kCodeRecordingCounts, counts);
    ClosePartner(kClassPlayer);
    ASSERT_EQ(FindWindowA(kClassPlayer, nullptr), nullptr);
    if (recorded) {
      ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // the recording's report
    }
  }

  // The thumbnail walk that follows every command shows its progress in the title and then
  // puts the title back; the unreadable slide never gets a thumbnail, so every walk shows
  // it. The title counts once it has stayed without a progress mark for a second.
  static void WaitForSteadyTitle(HWND frame, const std::string& expected) {
    std::string title = driver::WindowText(frame);
    auto steadySince = std::chrono::steady_clock::now();
    PumpUntil(
        [&] {
          std::string now = driver::WindowText(frame);
          if (now != title) {
            title = now;
            steadySince = std::chrono::steady_clock::now();
            return false;
          }
          return title.find('/') == std::string::npos && std::chrono::steady_clock::now() - steadySince >= 1s;
        },
        20s, 25ms);
    EXPECT_EQ(title, expected);
  }

  // The show's music is a tone of kToneLevel; slide 1 wipes in from the left and stays
  // 1.5 seconds.
  void UseToneMusic() {
    DunmereFolder& folder = Copy();
    std::string tone = folder.File("one\\tone.wav");
    folder.Write("one\\tone.wav", soundtest::PcmWave(soundtest::Sine(kToneHz, 8000, 1, 3.0, kToneLevel), 1, 8000));
    folder.Write("suite\\lists\\calm.qls", tone + "\r\n");
    folder.Write("pics\\a.tim", "1500");
    folder.Write("pics\\a.sfx", "2000|Wipe from the left");
  }

  // The tap folder for the programs started while it lives.
  struct TapFolder {
    explicit TapFolder(const std::string& folder) : path(folder) { soundtest::SetTapFolder(folder); }
    ~TapFolder() { soundtest::SetTapFolder(""); }
    std::string path;
  };

  // The player's first sound is the music at 60 % of the tone (1 dB either way), measured
  // over its first second past 0.1 s.
  static void ExpectMusicAt60(const TapFolder& tap, DWORD processId) {
    std::vector<int16_t> heard;
    audio::WaveInfo info;
    bool enough = PumpUntil(
        [&] {
          std::vector<std::string> files = soundtest::TapFiles(tap.path, processId);
          if (files.empty()) return false;
          heard = soundtest::PcmSamplesOf(ReadText(files.front()), &info);
          return info.sampleRate > 0 && heard.size() >= size_t(info.channels) * info.sampleRate * 11 / 10;
        },
        20s, 50ms);
    ASSERT_TRUE(enough) << heard.size() << " samples heard";
    double level = soundtest::LevelAt(heard, info.channels, 0, info.sampleRate, kToneHz, info.sampleRate / 10,
                                      size_t(info.sampleRate) * 11 / 10);
    EXPECT_GT(level, 0.6 * kToneLevel * 0.891) << level;
    EXPECT_LT(level, 0.6 * kToneLevel * 1.122) << level;
  }

  static constexpr double kToneHz = 1000;
  static constexpr double kToneLevel = 10000;
  static constexpr int kMusicAt60 = 705;
  static constexpr int kOneSecondDefault = 801;
  static constexpr int kSixtySecondsDefault = 812;

  // Esc as the user presses it, to whichever window has the keyboard. The recording player
  // in front ends itself on Esc; an Esc that reaches the maker makes it ask whether to stop,
  // and the answer is "yes".
  void StopWithEscape() {
    bool asked = false;
    ASSERT_TRUE(PumpUntil(
        [&] {
          HWND question = FindWindowA(kMessageBox, nullptr);
          if (question && driver::BoxText(question).find("Stop the work") != std::string::npos) {
            asked = true;
            return true;
          }
          if (!FindWindowA(kClassPlayer, nullptr)) return true;
          INPUT keys[2]{};
          keys[0].type = keys[1].type = INPUT_KEYBOARD;
          keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
          keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
          if (!question) SendInput(2, keys, sizeof keys[0]);
          return false;
        },
        20s, 500ms))
        << "Esc neither ended the recording player nor made the maker ask to stop";
    if (asked) {
      ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // yes, stop
    }
  }

  // The report of a recording that holds nothing, which asks nothing further.
  void ExpectNoVideoReport(HWND frame) {
    // Not the question answered before, and only once its text stands.
    std::string text;
    ASSERT_TRUE(PumpUntil(
        [&] {
          HWND report = FindWindowA(kMessageBox, nullptr);
          text = report && report != last ? driver::BoxText(report) : std::string();
          return !text.empty();
        },
        20s))
        << "no report";
    EXPECT_NE(text.find("No video was recorded"), std::string::npos) << text;
    EXPECT_EQ(text.find("is ready"), std::string::npos) << text;
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));
    WaitNoBox(frame, kMessageBox);
    EXPECT_EQ(FindWindowA(kMessageBox, nullptr), nullptr) << "no question about a video that is not there";
  }

  // Closes a partner that the program started (the fixture ends only what it started).
  static void ClosePartner(const char* className) {
    if (HWND w = FindWindowA(className, nullptr)) SENDCOPYDATA(w, kCodeClose, "");
    WaitForNoWindow(className, kEventLimitMs);
  }

  std::string target, a, b;
  HWND last = nullptr;
};

TEST_F(DunmereBuild, TheFolderHoldsTheSlidesTheirSideFilesAndTheMusic) {
  DunmereFolder& folder = Copy();
  std::string playerLog = folder.File("player.log"), burnerLog = folder.File("burner.log");
  ASSERT_TRUE(RunStandin(kClassPlayer, playerLog));
  ASSERT_TRUE(RunStandin(kClassBurner, burnerLog));
  HWND frame = StartWithShow();
  ASSERT_NE(frame, nullptr);
  BuildUpToTheQuestion(frame);
  ASSERT_TRUE(PressNextBox(kMessageBox, 2, "", &last));  // No: to the disc burner

  // The burner gets the show's name, then the folder.
  std::vector<LoggedMessage> burned = WaitForLog(burnerLog, 3, kEventLimitMs);
  ASSERT_EQ(burned.size(), 3u);
  EXPECT_EQ(burned[0].code, kCodeBurnJobName);
  EXPECT_EQ(burned[0].text, "NEWSHOW");
  EXPECT_EQ(burned[1].code, kCodeBurnNewList);
  EXPECT_EQ(burned[1].text, "");
  EXPECT_EQ(burned[2].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(burned[2].text, target + "*.*")) << burned[2].text;
  // The running player was closed before the build.
  std::vector<LoggedMessage> played = ReadStandinLog(playerLog);
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0].code, kCodeClose);

  EXPECT_EQ(ReadText(target + "AUTORUN.INF"), "[autorun]\r\nOPEN=falcet.exe falcet.ssf\r\nICON=falcet.exe,0\r\n");
  EXPECT_EQ(ReadText(target + "falcet.ssf"),
            "[@path@calm.qls|0|0|0|100|1|4000|0]\r\n@path@00000001.png,6000\r\n@path@00000002.png,4000\r\n");
  std::string png = ReadText(target + "00000001.png");
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(ReadText(target + "00000002.png"), "this is no JPEG at all");
  EXPECT_EQ(ReadText(target + "00000001.kwd"), "First slide");
  EXPECT_EQ(ReadText(target + "00000001.sfx"), "2001|Wipe from the right");
  EXPECT_FALSE(fileio::Exists(target + "00000001.tim"));
  // Two songs of one name from two folders both arrive.
  EXPECT_EQ(ReadText(target + "song.mp3"), "first song");
  EXPECT_EQ(ReadText(target + "song_2.mp3"), "second song");
  EXPECT_EQ(ReadText(target + "calm.qls"), "@path@song.mp3\r\n@path@song_2.mp3\r\n");
  EXPECT_FALSE(fileio::Exists(target + "old.txt"));
  EXPECT_EQ(ReadText(folder.File("beside.txt")), "stays");
  // The show was saved before the build.
  EXPECT_TRUE(fileio::Exists(folder.ShowFolder() + "NEWSHOW.ssf"));
  EXPECT_EQ(Close(), 0);
}

TEST_F(DunmereBuild, TheFirstAnswerStartsThePlayerWithTheBurnJob) {
  DunmereFolder& folder = Copy();
  std::string playerLog = folder.File("player.log");
  folder.AddStandin();
  folder.SetEntry(19, "standin.exe QPLAYER " + playerLog + ",QPLAYER");
  HWND frame = StartWithShow();
  ASSERT_NE(frame, nullptr);
  BuildUpToTheQuestion(frame);
  ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // Yes: play it
  std::vector<LoggedMessage> got = WaitForLog(playerLog, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeBurnJob);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, target + "*.*|NEWSHOW")) << got[0].text;
  EXPECT_EQ(Close(), 0);
  ClosePartner(kClassPlayer);
}

TEST_F(DunmereBuild, AVideoBuildRecordsThroughThePlayerAndBurnsTheVideo) {
  DunmereFolder& folder = Copy();
  std::string burnerLog = folder.File("burner.log");
  ASSERT_TRUE(RunStandin(kClassBurner, burnerLog));
  HWND frame = nullptr;
  ASSERT_NO_FATAL_FAILURE(RecordAVideo(frame));
  ASSERT_TRUE(PressNextBox(kMessageBox, 3, "", &last));  // burn the video alone
  std::vector<LoggedMessage> burned = WaitForLog(burnerLog, 3, kEventLimitMs);
  ASSERT_EQ(burned.size(), 3u);
  EXPECT_EQ(burned[0].code, kCodeBurnJobName);
  EXPECT_EQ(burned[2].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(burned[2].text, target + "NEWSHOW.avi")) << burned[2].text;
  EXPECT_EQ(ReadText(target + "NEWSHOW.avi"), "a video");
  EXPECT_EQ(ReadText(target + "AUTORUN.INF"), "[autorun]\r\nOPEN=standin.exe NEWSHOW.avi\r\nICON=standin.exe,0\r\n");
  EXPECT_TRUE(fileio::Exists(target + "standin.ssf"));
  EXPECT_EQ(Close(), 0);
}

// "Copy the video" opens the target-folder window on the show folder; a new folder typed
// there is made, gets the video and is kept in the settings for the next time.
TEST_F(DunmereBuild, TheVideoIsCopiedToAFolderOfTheTargetWindowWhichIsKept) {
  DunmereFolder& folder = Copy();
  std::string videos = folder.File("videos\\trip");
  for (int round = 0; round < 2; ++round) {
    HWND frame = nullptr;
    ASSERT_NO_FATAL_FAILURE(RecordAVideo(frame));
    ASSERT_TRUE(PressNextBox(kMessageBox, 2, "", &last));  // copy the video
    HWND window = WaitForWindow(kTargetFolderWindow, kEventLimitMs);
    ASSERT_NE(window, nullptr);
    std::string preset = round == 0 ? target.substr(0, target.size() - 1) : videos;
    EXPECT_TRUE(PumpUntil([&] { return fileio::EqualsNoCase(driver::WindowText(window), preset); }, kEventLimit))
        << driver::WindowText(window) << " is not " << preset;
    if (round == 0) {
      ASSERT_TRUE(PressNextBox(kTargetFolderWindow, 2, "", &last));  // new folder
      ASSERT_TRUE(driver::AnswerInputBox(videos, kEventLimitMs));
      EXPECT_TRUE(PumpUntil([&] { return ReadText(videos + "\\NEWSHOW.avi") == "a video"; }, kEventLimit));
    } else {
      ASSERT_TRUE(PressNextBox(kTargetFolderWindow, 3, "", &last));  // cancel
    }
    WaitNoBox(frame, kTargetFolderWindow);
    EXPECT_EQ(Close(), 0);
    std::vector<std::string> fields;
    SKSPLITS(ReadText(folder.SettingsFile()), "|", fields);
    ASSERT_EQ(fields.size(), 14u);
    EXPECT_TRUE(fileio::EqualsNoCase(fields[13], videos)) << fields[13];
  }
}

TEST_F(DunmereBuild, ClosingTheFinalQuestionWithoutAnAnswerDoesNothing) {
  std::string burnerLog = Copy().File("burner.log");
  ASSERT_TRUE(RunStandin(kClassBurner, burnerLog));
  HWND frame = StartWithShow();
  ASSERT_NE(frame, nullptr);
  BuildUpToTheQuestion(frame);
  ASSERT_TRUE(CloseNextBox(kMessageBox, &last));
  WaitNoBox(frame, kMessageBox);
  // Whatever the closed question would start has had time to reach the burner.
  PumpMessages(500);
  EXPECT_TRUE(ReadStandinLog(burnerLog).empty());
  EXPECT_EQ(FindWindowA(kClassPlayer, nullptr), nullptr);
  EXPECT_TRUE(fileio::Exists(target + "falcet.ssf"));
  EXPECT_EQ(Close(), 0);
}

// Built from the installed suite: the player's files, its plug-ins, the built show's
// marker (kept in a subfolder of the program folder) and the whole skin (its pane pictures
// in a subfolder) go into the show, whose own player then plays it: slide 2 after slide
// 1's time, and the music at the show's volume.
TEST_F(DunmereBuild, TheBuiltFolderPlaysWithTheCopiedPlayer) {
  DunmereFolder& folder = Copy();
  folder.CopyInstalledSuite();
  ASSERT_TRUE(fileio::Exists(folder.ProgramFolder() + "player\\dravel.dll"));
  std::vector<std::string> skin = DunmereFolder::FilesBelow(folder.ProgramFolder() + "Slate\\");
  ASSERT_TRUE(std::find(skin.begin(), skin.end(), "pane\\b48.bmp") != skin.end());
  UseToneMusic();
  HWND frame = StartWithShow();
  ASSERT_NE(frame, nullptr);
  Command(frame, kMusicAt60);
  BuildUpToTheQuestion(frame);
  ASSERT_TRUE(CloseNextBox(kMessageBox, &last));
  WaitNoBox(frame, kMessageBox);
  for (const char* file : {"falcet.exe", "falcet.SYS", "pellox.dll", "morvane.dll", "dravel.dll", "TOLVERN.SKL", "tone.wav"})
    EXPECT_TRUE(fileio::Exists(target + file)) << file;
  EXPECT_FALSE(fileio::Exists(target + "player"));
  for (const std::string& file : skin)
    EXPECT_TRUE(ReadText(target + "Slate\\" + file) == ReadText(folder.ProgramFolder() + "Slate\\" + file))
        << file << " is not in the show";
  EXPECT_EQ(ReadText(target + "falcet.ssf"),
            "[@path@calm.qls|0|0|0|60|1|4000|0]\r\n@path@00000001.png,1500\r\n@path@00000002.png,4000\r\n");
  EXPECT_EQ(Close(), 0);

  // Started by the autorun line, and bare (it finds its list itself).
  TapFolder tap(folder.File("tap"));
  for (const char* arguments : {"falcet.ssf", ""}) {
    ChildProcess player;
    ASSERT_TRUE(player.Start(target + "falcet.exe", arguments, target));
    HWND window = WaitForWindow(kClassPlayer, kEventLimitMs, player.Id());
    ASSERT_NE(window, nullptr) << "exit code " << player.Wait(0);
    EXPECT_GE(WaitTitle(window, "Media player - 00000001.png", kEventLimitMs), 0) << driver::WindowText(window);
    auto first = std::chrono::steady_clock::now();
    EXPECT_GE(WaitTitle(window, "Media player - 00000002.png", kEventLimitMs), 0) << driver::WindowText(window);
    EXPECT_GE(std::chrono::steady_clock::now() - first, 1200ms) << "slide 2 came before slide 1's time";
    ExpectMusicAt60(tap, player.Id());
    EXPECT_TRUE(player.Running());
    SENDCOPYDATA(window, kCodeClose, "");
    EXPECT_EQ(player.Wait(10000), 0) << "started with \"" << arguments << "\"";
  }
}

// "Play selected slides" starts the player beside the maker with the show's music volume.
TEST_F(DunmereBuild, SelectedSlidesPlayWithTheMusicAtTheShowsVolume) {
  DunmereFolder& folder = Copy();
  CopyThePlayer(false);
  UseToneMusic();
  TapFolder tap(folder.File("tap"));
  HWND frame = StartWithShow();
  ASSERT_NE(frame, nullptr);
  Command(frame, kMusicAt60);
  SelectSlides(frame, {0, 1});
  Command(frame, kPlayButton);
  HWND window = WaitForWindow(kClassPlayer, kEventLimitMs);
  ASSERT_NE(window, nullptr);
  DWORD playerId = 0;
  GetWindowThreadProcessId(window, &playerId);
  ExpectMusicAt60(tap, playerId);
  EXPECT_EQ(Close(), 0);
  ClosePartner(kClassPlayer);
}

// A player without its recorder records nothing: the build says so, and offers nothing.
TEST_F(DunmereBuild, AVideoBuildThatRecordedNothingSaysSo) {
  HWND frame = nullptr;
  ASSERT_NO_FATAL_FAILURE(RecordAVideo(frame, "0,0,0"));
  ASSERT_NO_FATAL_FAILURE(ExpectNoVideoReport(frame));
  EXPECT_EQ(Close(), 0);
}

// The suite's own player, copied without its recorder morvane.dll, plays the video build
// to its end and records nothing: the build says so.
TEST_F(DunmereBuild, AVideoBuildWithoutTheRecorderPlugInReportsTheFailure) {
  DunmereFolder& folder = Copy();
  CopyThePlayer(true);
  ASSERT_FALSE(fileio::Exists(folder.ProgramFolder() + "morvane.dll"));
  folder.Write("pics\\a.tim", "1000");
  HWND frame = nullptr;
  ASSERT_NO_FATAL_FAILURE(BuildAVideo(frame, kOneSecondDefault));
  HWND player = WaitForWindow(kClassPlayer, kEventLimitMs);
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(WaitForNoWindow(kClassPlayer, kEventLimitMs)) << "the player ends after the show";
  ASSERT_NO_FATAL_FAILURE(ExpectNoVideoReport(frame));
  EXPECT_FALSE(fileio::Exists(target + "NEWSHOW.avi"));
  EXPECT_EQ(Close(), 0);
}

// A video build of the installed suite takes the recorder along. The recording player
// stands in front with its show disabled; the user's Esc ends it (by itself, or through the
// maker's stop), and the build ends with its report instead of waiting for a show of a
// minute a slide.
TEST_F(DunmereBuild, EscapeEndsTheRecordingPlayerAndTheBuildReports) {
  DunmereFolder& folder = Copy();
  folder.CopyInstalledSuite();
  HWND frame = nullptr;
  ASSERT_NO_FATAL_FAILURE(BuildAVideo(frame, kSixtySecondsDefault));
  EXPECT_TRUE(fileio::Exists(target + "morvane.dll"));
  HWND player = WaitForWindow(kClassPlayer, kEventLimitMs);
  ASSERT_NE(player, nullptr);
  // The maker waits for the player once its controls are disabled.
  HWND record = driver::FindChild(frame, kRecordButton);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(record); }, 20s));
  ASSERT_NO_FATAL_FAILURE(StopWithEscape());
  EXPECT_TRUE(WaitForNoWindow(kClassPlayer, kEventLimitMs)) << "the recording player still runs";
  // The report names the video file, recorded or not.
  std::string text;
  ASSERT_TRUE(PumpUntil(
      [&] {
        HWND report = FindWindowA(kMessageBox, nullptr);
        text = report && report != last ? driver::BoxText(report) : std::string();
        return !text.empty();
      },
      20s))
      << "no report";
  EXPECT_NE(text.find("FALCET.AVI"), std::string::npos) << text;
  EXPECT_TRUE(IsWindowEnabled(record) || FindWindowA(kMessageBox, nullptr));
  // Whatever it asks further is left unanswered.
  while (CloseNextBox(kMessageBox, &last, 3000)) WaitNoBox(frame, kMessageBox);
  EXPECT_EQ(Close(), 0);
}

// A player that never starts its recording (nor ends) holds the build up only until Esc:
// the maker ends it and reports that nothing was recorded.
TEST_F(DunmereBuild, ARecordingThatNeverStartsEndsWithTheReport) {
  DunmereFolder& folder = Copy();
  std::string playerLog = folder.File("player.log");
  folder.AddStandin();
  folder.SetEntry(80, "standin.exe");
  folder.SetEntry(19, "standin.exe QPLAYER " + playerLog + ",QPLAYER");
  HWND frame = nullptr;
  ASSERT_NO_FATAL_FAILURE(BuildAVideo(frame));
  std::vector<LoggedMessage> got = WaitForLog(playerLog, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeRecordShow);
  ASSERT_NO_FATAL_FAILURE(StopWithEscape());
  got = WaitForLog(playerLog, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].code, kCodeClose);
  EXPECT_TRUE(WaitForNoWindow(kClassPlayer, kEventLimitMs)) << "the player still runs";
  ASSERT_NO_FATAL_FAILURE(ExpectNoVideoReport(frame));
  EXPECT_TRUE(IsWindowEnabled(driver::FindChild(frame, kRecordButton)));
  EXPECT_EQ(Close(), 0);
}

// The build box asks in the player's words; the show list carries what the player reads:
// the slide texts with option three, the enlarged view with option one at 0.
TEST_F(DunmereBuild, TheBuildBoxsOptionsDoWhatTheySayInThePlayer) {
  HWND frame = StartWithShow();
  ASSERT_NE(frame, nullptr);
  struct Round {
    bool texts, enlarged;
    const char* options;
  };
  for (Round round : {Round{true, false, "|1|0|1|"}, Round{false, true, "|0|0|0|"}, Round{true, true, "|0|0|1|"},
                      Round{false, false, "|1|0|0|"}}) {
    PostMessageA(frame, WM_COMMAND, kCmdBuildShow, 0);
    HWND box = WaitForWindow(kBuildBox, kEventLimitMs);
    ASSERT_NE(box, nullptr);
    HWND texts = nullptr, enlarged = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
          texts = driver::FindButton(box, 0, "Show the slide texts");
          enlarged = driver::FindButton(box, 0, "Show the slides enlarged in the player");
          return texts && enlarged;
        },
        kEventLimit))
        << "the build box offers no such options";
    SendAndWait(texts, BM_SETCHECK, round.texts ? BST_CHECKED : BST_UNCHECKED, 0);
    SendAndWait(enlarged, BM_SETCHECK, round.enlarged ? BST_CHECKED : BST_UNCHECKED, 0);
    ASSERT_TRUE(PressNextBox(kBuildBox, 0, "OK", &last));
    ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &last));
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // the summary
    ASSERT_TRUE(CloseNextBox(kMessageBox, &last));           // the final question
    WaitNoBox(frame, kMessageBox);
    std::string list = ReadText(target + "falcet.ssf");
    EXPECT_EQ(list.substr(0, list.find("100|1|4000")), std::string("[@path@calm.qls") + round.options) << list;
  }
  EXPECT_EQ(Close(), 0);
}

// The road to background music: with no music list yet the maker sends the user to the
// media browser, whose collection list (saved as the browser saves it) the maker then offers.
// A list of pictures only is not music: it is named, and stays the browser's list.
TEST_F(Dunmere, TheBrowsersSavedListsAreTheMusicLists) {
  DunmereFolder& folder = Copy();
  std::string browserLog = folder.File("browser.log");
  folder.AddStandinAs("kelmor.exe", kClassBrowser, browserLog);
  std::string song = folder.Write("sounds\\song.wav", "a song");
  std::string picture = WriteTestPicture(folder.File("pics\\a.bmp"), 8, 8);
  HWND last = nullptr;
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // No list yet: the way to the browser, to its sound files.
  PostMessageA(frame, WM_COMMAND, kCmdChooseMusic, 0);
  ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));
  std::vector<LoggedMessage> got = WaitForLog(browserLog, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeFileType4);
  WaitNoBox(frame, kMessageBox);
  // The browser saves its collection lists: lower-cased full paths, CR LF.
  folder.WriteInProgram("lists\\trip.qls", fileio::ToLower(song) + "\r\n" + fileio::ToLower(picture) + "\r\n");
  folder.WriteInProgram("lists\\pictures.qls", fileio::ToLower(picture) + "\r\n");
  for (const char* name : {"trip.qls", "pictures.qls"}) {
    PostMessageA(frame, WM_COMMAND, kCmdChooseMusic, 0);
    HWND box = WaitForWindow(kPickFileBox, kEventLimitMs);
    ASSERT_NE(box, nullptr) << "no music list offered";
    HWND names = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (names = driver::FindChild(box, 1)) != nullptr; }, kEventLimit));
    std::vector<std::string> offered = driver::ListItems(names);
    EXPECT_EQ(offered, (std::vector<std::string>{"pictures.qls", "trip.qls"}));
    auto at = std::find(offered.begin(), offered.end(), name);
    ASSERT_NE(at, offered.end());
    SendAndWait(names, CB_SETCURSEL, WPARAM(at - offered.begin()), 0);
    SendAndWait(box, WM_COMMAND, MAKEWPARAM(1, CBN_SELCHANGE), LPARAM(names));
    HWND none = nullptr;
    ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &none));
    WaitNoBox(frame, kPickFileBox);
    if (std::string(name) == "trip.qls") {
      EXPECT_TRUE(PumpUntil([&] { return driver::WindowText(driver::FindChild(frame, kMusicLabel)) == "Music: trip.qls"; },
                            kEventLimit))
          << driver::WindowText(driver::FindChild(frame, kMusicLabel));
    } else {
      HWND warning = WaitForWindow(kMessageBox, kEventLimitMs);
      ASSERT_NE(warning, nullptr);
      EXPECT_NE(driver::BoxText(warning).find("pictures.qls holds no sound"), std::string::npos)
          << driver::BoxText(warning);
      ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));
      WaitNoBox(frame, kMessageBox);
      EXPECT_TRUE(fileio::Exists(folder.ProgramFolder() + "lists\\pictures.qls"));
      EXPECT_EQ(driver::WindowText(driver::FindChild(frame, kMusicLabel)), "No background music");
    }
  }
  EXPECT_EQ(Close(), 0);
  // The browser the program started ends too.
  if (HWND browser = FindWindowA(kClassBrowser, nullptr)) SENDCOPYDATA(browser, kCodeClose, "");
  EXPECT_TRUE(WaitForNoWindow(kClassBrowser, kEventLimitMs));
}

// The same road with the suite's own media browser, driven as a user drives it: to its
// sound files, a sound into its collection list, the list saved; back in the maker that
// list is the show's music.
TEST_F(Dunmere, TheRoadToMusicRunsThroughTheSuitesBrowser) {
  // The browser's controls and its list-file box, as its window makes them.
  constexpr int kBrowserFileList = 3, kBrowserCollection = 4, kBrowserAddButton = 5, kBrowserSaveList = 204;
  constexpr int kListBoxName = 1, kListBoxFirstButton = 2;
  DunmereFolder& folder = Copy();
  folder.CopyInstalledSuite();
  ASSERT_TRUE(fileio::Exists(folder.ProgramFolder() + "kelmor.exe"));
  folder.Write("sounds\\song.wav", soundtest::PcmWave(soundtest::Sine(1000, 8000, 1, 0.2, 1000), 1, 8000));
  HWND last = nullptr;
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // The browser the program starts ends with the test, passed or failed.
  struct EndBrowser {
    ~EndBrowser() {
      if (HWND running = FindWindowA(kClassBrowser, nullptr)) SENDCOPYDATA(running, kCodeClose, "");
      WaitForNoWindow(kClassBrowser, kEventLimitMs);
    }
  } endBrowser;
  PostMessageA(frame, WM_COMMAND, kCmdChooseMusic, 0);
  ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &last));  // yes: to the browser
  HWND browser = WaitForWindow(kClassBrowser, kEventLimitMs);
  ASSERT_NE(browser, nullptr);
  // Its start-up hint, when this start shows one (the browser's settings may have it off),
  // closed as a user closes it.
  HWND hint = nullptr;
  if (CloseNextBox(kBuildBox, &hint, 10000)) {
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hint) || !IsWindowVisible(hint); }, kEventLimit));
  }
  HWND files = driver::WaitChild(browser, kBrowserFileList, kEventLimitMs);
  ASSERT_NE(files, nullptr);
  driver::SendCommand(browser, kCodeGoToFolder, folder.File("sounds"));
  std::vector<std::string> listed;
  EXPECT_TRUE(PumpUntil(
      [&] {
        listed = driver::ListItems(files);
        return listed.size() == 1 && listed[0].find("song.wav") != std::string::npos;
      },
      20s))
      << listed.size();
  SendAndWait(files, LB_SETSEL, TRUE, 0);
  SendAndWait(browser, WM_COMMAND, kBrowserAddButton, 0);
  HWND collection = driver::FindChild(browser, kBrowserCollection);
  ASSERT_TRUE(PumpUntil([&] { return driver::ListItems(collection).size() == 1; }, kEventLimit));
  PostMessageA(browser, WM_COMMAND, kBrowserSaveList, 0);
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        box = FindWindowA("PICKFILE", nullptr);
        return box && IsWindowVisible(box) && driver::FindChild(box, kListBoxFirstButton);
      },
      20s));
  driver::SetText(driver::FindChild(box, kListBoxName), "trip");
  SendAndWait(box, WM_COMMAND, MAKEWPARAM(kListBoxFirstButton, BN_CLICKED),
              LPARAM(driver::FindChild(box, kListBoxFirstButton)));
  EXPECT_TRUE(PumpUntil([&] { return !FindWindowA("PICKFILE", nullptr); }, kEventLimit));
  // The maker offers only lists that are there: the browser writes it after its box went.
  ASSERT_TRUE(WaitForFile(folder.ProgramFolder() + "lists\\trip.qls", kEventLimitMs));
  // Back in the maker: the saved list is offered and becomes the music.
  PostMessageA(frame, WM_COMMAND, kCmdChooseMusic, 0);
  HWND pick = WaitForWindow(kPickFileBox, kEventLimitMs);
  ASSERT_NE(pick, nullptr) << "the browser's list is not offered";
  HWND names = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (names = driver::FindChild(pick, 1)) != nullptr; }, kEventLimit));
  EXPECT_EQ(driver::ListItems(names), std::vector<std::string>{"trip.qls"});
  ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &last));
  WaitNoBox(frame, kPickFileBox);
  EXPECT_TRUE(
      PumpUntil([&] { return driver::WindowText(driver::FindChild(frame, kMusicLabel)) == "Music: trip.qls"; }, kEventLimit))
      << driver::WindowText(driver::FindChild(frame, kMusicLabel));
  EXPECT_EQ(Close(), 0);
}

TEST_F(DunmereBuild, ARefusedTargetDeletesNothing) {
  DunmereFolder& folder = Copy();
  folder.Write("suite\\keep.txt", "program folder file");
  for (const std::string& refused : {std::string("@path@"), folder.Root(), std::string()}) {
    folder.SetEntry(79, refused);
    HWND frame = StartWithShow();
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, WM_COMMAND, kCmdBuildShow, 0);
    HWND box = nullptr, pick = nullptr, msg = nullptr;
    ASSERT_TRUE(PressNextBox(kBuildBox, 0, "OK", &box));
    ASSERT_TRUE(PressNextBox(kPickFileBox, 1, "", &pick));
    ASSERT_TRUE(PressNextBox(kMessageBox, 1, "", &msg));  // the refusal
    WaitNoBox(frame, kMessageBox);
    EXPECT_FALSE(FindWindowA(kMessageBox, nullptr)) << "no further question after a refusal";
    EXPECT_EQ(ReadText(folder.File("suite\\keep.txt")), "program folder file") << refused;
    EXPECT_TRUE(fileio::Exists(folder.Exe()));
    EXPECT_EQ(ReadText(folder.File("beside.txt")), "stays");
    EXPECT_FALSE(fileio::Exists(folder.ProgramFolder() + "AUTORUN.INF"));
    EXPECT_FALSE(fileio::Exists(folder.Root() + "AUTORUN.INF"));
    EXPECT_EQ(Close(), 0);
  }
}

// F1 in the slide list hands the help page the suite ships beside the program to the
// running help viewer of entry 14.
TEST_F(Dunmere, F1HandsTheShippedHelpPageToTheHelpViewer) {
  DunmereFolder& folder = Copy();
  folder.CopyFromSuite("dunmere.htm");
  folder.SetEntry(14, "standin.exe,TESTSHOWHELP");
  folder.AddStandin();
  const std::string log = folder.File("help.log");
  ASSERT_TRUE(RunStandin("TESTSHOWHELP", log));
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(List(frame), WM_KEYDOWN, VK_F1, 1);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, folder.ProgramFolder() + "dunmere.htm")) << got[0].text;
  EXPECT_EQ(Close(), 0);
}

}  // namespace

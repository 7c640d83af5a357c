// The media player as a user and its partner programs see it: started under Wine, driven
// from outside with the test driver; start-up, hand-over, lists, shows, settings, codec.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "driver.h"
#include "falcet_fixture.h"
#include "falcet_test.h"
#include "fileio/fields.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "win/raii.h"

using namespace std::chrono_literals;

namespace falcet {

TEST_F(Falcet, SecondStartHandsItsListOverAndEndsWithZero) {
  FalcetFolder& folder = Copy();
  std::string a = WritePicture(folder.File("pics\\a.bmp"), 64, 48, RGB(200, 0, 0));
  std::string b = WritePicture(folder.File("pics\\b.bmp"), 64, 48, RGB(0, 200, 0));
  HWND frame = Start(a);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
  ShowWindow(frame, SW_MINIMIZE);
  EXPECT_EQ(Launch(b).Wait(30000), 0);
  // The running copy came to the front, restored, and plays its own list with the new one.
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(frame); }, 5s, 50ms));
  PumpMessages(500);  // the hand-over opens once its 100 ms timer has run
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  EXPECT_GE(WaitTitle(frame, Title("b.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);  // next on the last item wraps
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, HandOversWithin100MillisecondsOpenAsOneListOwnListFirst) {
  FalcetFolder& folder = Copy();
  std::string a = WritePicture(folder.File("pics\\a.bmp"), 64, 48, RGB(200, 0, 0));
  std::string b = WritePicture(folder.File("pics\\b.bmp"), 64, 48, RGB(0, 200, 0));
  std::string c = WritePicture(folder.File("pics\\c.bmp"), 64, 48, RGB(0, 0, 200));
  std::string d = WritePicture(folder.File("pics\\d.bmp"), 64, 48, RGB(90, 90, 90));
  // The two hand-overs must arrive within the 100 ms of the player's timer; on a machine
  // too busy for that, the player is started again for another try.
  HWND frame = nullptr;
  bool together = false;
  for (int attempt = 0; attempt < 3 && !together; ++attempt) {
    if (frame) {
      EXPECT_EQ(Close(), 0);
    }
    frame = Start(a);
    ASSERT_NE(frame, nullptr);
    EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
    DWORD start = GetTickCount();
    EXPECT_EQ(driver::SendCommand(frame, kCodeHandOver, b), 1);
    EXPECT_EQ(driver::SendCommand(frame, kCodeHandOver, c), 1);
    together = GetTickCount() - start < 100;
  }
  ASSERT_TRUE(together) << "the two hand-overs never arrived within 100 ms";
  PumpMessages(400);
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "a.bmp"}) {
    EXPECT_GE(WaitTitle(frame, Title(name), kEventLimitMs), 0) << name;
    driver::PostCommand(frame, kNextButton);
  }
  // A later hand-over is a list of its own: the player's list is not put in front again.
  EXPECT_GE(WaitTitle(frame, Title("b.bmp"), kEventLimitMs), 0);
  driver::SendCommand(frame, kCodeHandOver, d);
  EXPECT_GE(WaitTitle(frame, Title("d.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  PumpMessages(300);
  EXPECT_EQ(driver::WindowText(frame), Title("d.bmp"));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, UplListWithBlankLinesAndPathMacroOpensItsItems) {
  FalcetFolder& folder = Copy();
  WritePicture(folder.ProgramFolder() + "one.bmp", 64, 48, RGB(200, 0, 0));
  WritePicture(folder.ProgramFolder() + "two.bmp", 64, 48, RGB(0, 200, 0));
  std::string upl = folder.Write("lists\\my list.upl", "\r\n  @path@one.bmp  \r\n\r\n   \r\n@PATH@two.bmp\r\n\r\n");
  HWND frame = Start("\"" + upl + "\"");
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("one.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  EXPECT_GE(WaitTitle(frame, Title("two.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  EXPECT_GE(WaitTitle(frame, Title("one.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kPreviousButton);
  EXPECT_GE(WaitTitle(frame, Title("two.bmp"), kEventLimitMs), 0);  // previous on the first wraps too
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, BuiltShowListOpensSlideOneWithItsTime) {
  FalcetFolder& folder = Copy();
  std::string show = folder.File("show,cd\\");  // a show folder holding ","
  WritePicture(show + "00000001.bmp", 80, 60, RGB(200, 0, 0));
  WritePicture(show + "00000002.bmp", 80, 60, RGB(0, 200, 0));
  folder.Write("show,cd\\falcet.ssf", "[|0|0|0|0|0|4000|0]\r\n@path@00000001.bmp,1500\r\n@path@00000002.bmp,60000\r\n");
  HWND frame = Start(show + "falcet.ssf");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs), 0);
  // The show plays by itself: slide 1 stays its 1.5 seconds.
  long took = WaitTitle(frame, Title("00000002.bmp"), kEventLimitMs);
  EXPECT_GE(took, 1000);
  EXPECT_LT(took, 8000);
  // Slide 2 keeps its own time (60 s), not the one before it.
  PumpMessages(3000);
  EXPECT_EQ(driver::WindowText(frame), Title("00000002.bmp"));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, BuiltShowPaintsEachSlideWithItsTransition) {
  FalcetFolder& folder = Copy();
  // The logging stand-in in the place of the effects plug-in.
  ASSERT_TRUE(CopyFileA((TestProgramFolder() + "pellox_log.dll").c_str(), (folder.ProgramFolder() + "pellox.dll").c_str(),
                        FALSE));
  std::string show = folder.File("show\\");
  std::string list = "[|0|0|0|0|0|4000|0]\r\n";
  for (int k = 1; k <= 4; ++k) {
    WritePicture(show + "0000000" + std::to_string(k) + ".bmp", 80, 60, RGB(60 * k, 0, 0));
    list += "@path@0000000" + std::to_string(k) + ".bmp,60000\r\n";
  }
  folder.Write("show\\00000002.sfx", "18000|No effect");
  folder.Write("show\\00000003.sfx", "17003,2,20");
  folder.Write("show\\00000004.sfx", "17001|Spin,1,10");
  folder.Write("show\\falcet.ssf", list);
  HWND frame = Start(show + "falcet.ssf");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs), 0);
  // The slide show by hand with transitions: slide 2 plainly, 3 and 4 through the plug-in.
  driver::PostCommand(frame, kMenuShowWithEffects);
  std::string log;
  auto logLines = [&](size_t count) {
    return PumpUntil(
        [&] {
          log = ReadText(folder.ProgramFolder() + "pellox.log");
          return size_t(std::count(log.begin(), log.end(), '\n')) == count;
        },
        5s, 50ms);
  };
  size_t expected[] = {0, 1, 2};
  int step = 0;
  for (const char* name : {"00000002.bmp", "00000003.bmp", "00000004.bmp"}) {
    driver::PostCommand(frame, kNextButton);
    ASSERT_GE(WaitTitle(frame, Title(name), kEventLimitMs), 0) << name;
    EXPECT_TRUE(logLines(expected[step++])) << name << "\n" << log;
  }
  // dc, left, top, width, height, bitmap, 0, callback, step, time, effect; the callback's answer.
  std::vector<std::string> lines = fileio::SplitFields(log, '\n');
  ASSERT_GE(lines.size(), 2u);
  for (const std::string& line : {lines[0], lines[1]}) {
    std::vector<std::string> f = fileio::SplitFields(line.substr(0, line.find(';')), ',');
    ASSERT_EQ(f.size(), 11u) << line;
    EXPECT_EQ(f[0], "1");
    EXPECT_EQ(f[1] + f[2], "00");
    EXPECT_GT(std::stoi(f[3]), 0);
    EXPECT_GT(std::stoi(f[4]), 0);
    EXPECT_EQ(f[5] + f[6] + f[7], "101");
  }
  EXPECT_TRUE(lines[0].ends_with(",2,20,3;1")) << lines[0];  // "id,step,time"
  EXPECT_TRUE(lines[1].ends_with(",1,10,1;1")) << lines[1];  // the slide show maker's "id|entry"
  EXPECT_EQ(Close(), 0);
}

// A player whose folder holds no skin (as a built show's folder may): no pane and no bars,
// ready once its window shows.
class FalcetWithoutSkin : public Falcet {
 protected:
  bool Ready(HWND) override { return true; }
};

TEST_F(FalcetWithoutSkin, AShowListPlaysByItselfWithoutAPaneOrAWarning) {
  FalcetFolder& folder = Copy();
  ASSERT_TRUE(DeleteFileA((folder.ProgramFolder() + "tolvern.skl").c_str()));
  std::string show = folder.File("show\\");
  std::string list = "[|0|0|0|0|0|4000|0]\r\n";
  for (int k = 1; k <= 3; ++k) {
    WritePicture(show + "0000000" + std::to_string(k) + ".bmp", 80, 60, RGB(70 * k, 0, 0));
    list += "@path@0000000" + std::to_string(k) + ".bmp,1000\r\n";
  }
  folder.Write("show\\falcet.ssf", list);
  HWND frame = Start(show + "falcet.ssf");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs), 0);
  // Nobody presses play: the show goes on from slide to slide with each one's second.
  for (const char* name : {"00000002.bmp", "00000003.bmp"}) {
    long took = WaitTitle(frame, Title(name), kEventLimitMs);
    EXPECT_GE(took, 500) << name;
    EXPECT_LT(took, 6000) << name;
  }
  EXPECT_EQ(PaneOf(frame), nullptr);
  // No control had to warn that its element is missing.
  EXPECT_EQ(WaitForWindow("SKMSGBOX", 200, Process().Id()), nullptr);
  EXPECT_EQ(Close(), 0);
}

// A skin whose pane description names pictures that are not there (a show folder that got
// the skin's description but not its pane folder): the player cannot build the pane and
// plays the show as one without bars would, instead of waiting on slide 1 for a play
// button nobody can press.
TEST_F(FalcetWithoutSkin, AShowListPlaysByItselfWhenThePanePicturesAreMissing) {
  FalcetFolder& folder = Copy();
  for (const char* picture : {"idle.bmp", "sound.bmp"})
    ASSERT_TRUE(DeleteFileA((folder.ProgramFolder() + "Slate\\pane\\" + picture).c_str())) << picture;
  std::string show = folder.File("show\\");
  std::string list = "[|0|0|0|0|0|4000|0]\r\n";
  for (int k = 1; k <= 3; ++k) {
    WritePicture(show + "0000000" + std::to_string(k) + ".bmp", 80, 60, RGB(0, 70 * k, 0));
    list += "@path@0000000" + std::to_string(k) + ".bmp,1000\r\n";
  }
  folder.Write("show\\falcet.ssf", list);
  HWND frame = Start(show + "falcet.ssf");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs), 0);
  for (const char* name : {"00000002.bmp", "00000003.bmp"}) {
    long took = WaitTitle(frame, Title(name), kEventLimitMs);
    EXPECT_GE(took, 500) << name;
    EXPECT_LT(took, 6000) << name;
  }
  EXPECT_EQ(PaneOf(frame), nullptr);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, MissingSlideGoesWithItsTimeSoLaterSlidesKeepTheirOwn) {
  FalcetFolder& folder = Copy();
  std::string show = folder.File("show\\");
  WritePicture(show + "00000001.bmp", 80, 60, RGB(200, 0, 0));
  WritePicture(show + "00000003.bmp", 80, 60, RGB(0, 0, 200));
  folder.Write("show\\falcet.ssf",
               "[|0|0|0|0|0|4000|0]\r\n@path@00000001.bmp,1000\r\n@path@00000002.bmp,60000\r\n"
               "@path@00000003.bmp,1500\r\n");
  HWND frame = Start(show + "falcet.ssf");
  ASSERT_NE(frame, nullptr);
  ASSERT_GE(WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs), 0);
  ASSERT_GE(WaitTitle(frame, Title("00000003.bmp"), kEventLimitMs), 0);
  // Slide 3 shows for its own 1.5 s; past the last slide the list stands at slide 1 again.
  long took = WaitTitle(frame, Title("00000001.bmp"), kEventLimitMs);
  EXPECT_GE(took, 1000);
  EXPECT_LT(took, 8000);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, SingleNameWithoutAFileOpensAsAnAddressKeepingItsScheme) {
  {
    HWND frame = Start("nosuchfile");
    ASSERT_NE(frame, nullptr);
    HWND text = driver::WaitChild(frame, kWebTextId, kEventLimitMs);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(driver::WindowText(text), "file://nosuchfile");
    EXPECT_EQ(Close(), 0);
  }
  HWND frame = Start("https://www.example.org/page.htm");
  ASSERT_NE(frame, nullptr);
  HWND text = driver::WaitChild(frame, kWebTextId, kEventLimitMs);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(driver::WindowText(text), "https://www.example.org/page.htm");
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, SettingsLineIsWrittenExactly) {
  FalcetFolder& folder = Copy();
  fileio::WriteFileReplacing(folder.SettingsFile(), " 40| 30| 700| 500|C:\\media\\|C:\\shots\\||-1|-1| 305| 0");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 500);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(ReadText(folder.SettingsFile()), " 40| 30| 700| 500|C:\\media\\|C:\\shots\\||-1|-1| 305| 0");
}

TEST_F(Falcet, FreshSettingsGetTheDefaults) {
  FalcetFolder& folder = Copy();
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(Close(), 0);
  std::string expected = " " + std::to_string(r.left) + "| " + std::to_string(r.top) + "| " +
                         std::to_string(r.right - r.left) + "| " + std::to_string(r.bottom - r.top) + "|" +
                         folder.ProgramFolder() + "|" + folder.TempFolder() + "||-1|-1| 307| 0";
  EXPECT_EQ(ReadText(folder.SettingsFile()), expected);
  // Centred on the screen.
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
}

TEST_F(Falcet, CodecIsInstalledWithTheValuesOfItsEntry) {
  const std::string key = "System\\CurrentControlSet\\Control\\MediaResources\\icm\\VIDC.FTST";
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string target = std::string(system) + "\\falcettest.dll";
  auto cleanUp = [&] {
    DeleteFileA(target.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    WritePrivateProfileStringA("Drivers32", "VIDC.FTST", nullptr, "system.ini");
  };
  cleanUp();
  FalcetFolder& folder = Copy();
  folder.WriteInProgram("codec\\falcettest.dll", "a codec driver");
  folder.SetOption(12, "@path@codec\\falcettest.dll|VIDC.FTST|Falcet test codec|");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(ReadText(target), "a codec driver");
  char value[256] = {};
  GetPrivateProfileStringA("Drivers32", "VIDC.FTST", "", value, sizeof value, "system.ini");
  EXPECT_STREQ(value, "falcettest.dll");
  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
  auto read = [&](const char* name, DWORD& length) {
    char data[256] = {};
    DWORD type = 0, size = sizeof data - 1;
    EXPECT_EQ(RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    length = size;
    return std::string(data);
  };
  DWORD length = 0;
  // Each value is stored with its terminating zero.
  EXPECT_EQ(read("Description", length), "Falcet test codec");
  EXPECT_EQ(length, DWORD(sizeof "Falcet test codec"));
  EXPECT_EQ(read("Driver", length), "falcettest.dll");
  EXPECT_EQ(length, DWORD(sizeof "falcettest.dll"));
  EXPECT_EQ(read("FriendlyName", length), "Falcet test codec");  // empty: the description
  RegCloseKey(k);
  EXPECT_EQ(Close(), 0);
  // Installed once: a codec that is there already is left alone.
  fileio::WriteFileReplacing(target, "changed by hand");
  frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(ReadText(target), "changed by hand");
  EXPECT_EQ(Close(), 0);
  cleanUp();
}

TEST_F(Falcet, MissingUiFileEndsWithCode2) {
  WithoutUiFile();
  ChildProcess& player = Launch();
  // The message names the missing file; its box is answered.
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(player.Wait(30000), 2);
}

TEST_F(Falcet, BuiltShowFolderWithoutItsListEndsWithCode2) {
  Copy().WriteInProgram("dravel.dll", "x");
  EXPECT_EQ(Launch().Wait(30000), 2);
}

TEST_F(Falcet, BuiltShowListWithoutItsLibraryEndsWithCode2) {
  // A built show list beside the player, but without "dravel.dll".
  FalcetFolder& folder = Copy();
  WritePicture(folder.ProgramFolder() + "00000001.bmp", 32, 32, RGB(1, 2, 3));
  folder.WriteInProgram("falcet.ssf", "[|0|0|0|0|0|4000|0]\r\n@path@00000001.bmp,4000\r\n");
  EXPECT_EQ(Launch().Wait(30000), 2);
}

TEST_F(Falcet, UiTextArgumentReplacesTheOwnFileAndAnEmptyOneChangesNothing) {
  FalcetFolder& folder = Copy();
  std::string own = ReadText(folder.ProgramFolder() + "falcet.SYS");
  folder.WriteInProgram("empty.sys", "");
  {
    HWND frame = Start("@path@empty.sys");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(driver::WindowText(frame), "Media player");
    EXPECT_EQ(Close(), 0);
  }
  EXPECT_EQ(ReadText(folder.ProgramFolder() + "falcet.SYS"), own);
  std::string other = own;
  other.replace(other.find("STRING 1 \"Media player\""), 23, "STRING 1 \"Other player\"");
  folder.WriteInProgram("other.sys", other);
  HWND frame = Start("@path@other.sys");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::WindowText(frame), "Other player");
  EXPECT_EQ(ReadText(folder.ProgramFolder() + "falcet.SYS"), other);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, UiTextArgumentWithAMalformedLineIsShownAndKeepsTheOwnFile) {
  // An entry number that once asked for gigabytes and ended the player at every start.
  FalcetFolder& folder = Copy();
  std::string own = ReadText(folder.ProgramFolder() + "falcet.SYS");
  folder.WriteInProgram("bad.sys", own + "STRING 999999999 \"huge\"\r\n");
  ChildProcess& player = Launch("@path@bad.sys");
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  HWND frame = WaitForMainWindow(player, kClassPlayer, [](HWND) { return true; }, kStartLimit);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::WindowText(frame), "Media player");
  EXPECT_EQ(ReadText(folder.ProgramFolder() + "falcet.SYS"), own);
  EXPECT_EQ(EndProgram(player, frame, kEndLimit), 0);
}

TEST_F(Falcet, ArrowKeysStepThroughTheList) {
  FalcetFolder& folder = Copy();
  std::string a = WritePicture(folder.File("pics\\a.bmp"), 64, 48, RGB(200, 0, 0));
  std::string b = WritePicture(folder.File("pics\\b.bmp"), 64, 48, RGB(0, 200, 0));
  HWND frame = Start(a + " " + b);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
  // Through the message loop, with its dialog filter, as a key press goes.
  PostMessageA(frame, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_GE(WaitTitle(frame, Title("b.bmp"), kEventLimitMs), 0);
  PostMessageA(frame, WM_KEYDOWN, VK_UP, 0);
  EXPECT_GE(WaitTitle(frame, Title("a.bmp"), kEventLimitMs), 0);
  PostMessageA(frame, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_GE(WaitTitle(frame, Title("b.bmp"), kEventLimitMs), 0);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Falcet, SecondStartGivesUpWhenTheRunningCopyNeverShowsItsWindow) {
  // A copy that holds the single-instance mutex but has no window (still starting, or
  // hung): the second start waits a while, then ends instead of waiting for ever.
  win::Mutex mutex = win::Mutex::Create(kClassPlayer);
  ASSERT_TRUE(mutex);
  DWORD start = GetTickCount();
  EXPECT_EQ(Launch().Wait(60000), 0);
  EXPECT_LT(GetTickCount() - start, 30000u);
  EXPECT_EQ(FindWindowA(kClassPlayer, nullptr), nullptr);
}

TEST_F(Falcet, OpenRequestWithOnePlayListOpensTheListsItems) {
  FalcetFolder& folder = Copy();
  WritePicture(folder.File("pics\\x.bmp"), 32, 32, RGB(200, 0, 0));
  WritePicture(folder.File("pics\\y.bmp"), 32, 32, RGB(0, 200, 0));
  // Names relative to the list's folder, and a comment line.
  std::string m3u = folder.Write("pics\\two.m3u", "#EXTM3U\r\nx.bmp\r\ny.bmp\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(driver::SendCommand(frame, kCodeOpen, m3u), 1);
  EXPECT_GE(WaitTitle(frame, Title("x.bmp"), kEventLimitMs), 0);
  driver::PostCommand(frame, kNextButton);
  EXPECT_GE(WaitTitle(frame, Title("y.bmp"), kEventLimitMs), 0);
  // A code without a meaning of its own opens its text as a list too.
  constexpr int kUnknownCode = 77;
  EXPECT_EQ(driver::SendCommand(frame, kUnknownCode, folder.File("pics\\x.bmp")), 1);
  EXPECT_GE(WaitTitle(frame, Title("x.bmp"), kEventLimitMs), 0);
  EXPECT_EQ(Close(), 0);
}

// The Help menu starts the help viewer and hands it the help page the suite ships beside
// the player (entry 90's third field).
TEST_F(Falcet, HelpHandsTheShippedHelpPageToTheHelpViewer) {
  FalcetFolder& folder = Copy();
  folder.CopyFromSuite("falcethelp.htm");
  const std::string log = folder.File("help.log");
  folder.AddStandinAs("VANDREL.EXE", kClassHelp, log);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, kHelpButton, 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);  // it had to be started
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[1].text, folder.ProgramFolder() + "falcethelp.htm")) << got[1].text;
  EXPECT_TRUE(fileio::Exists(got[1].text)) << "the player hands over a page that is not there";
  EXPECT_EQ(Close(), 0);
  CloseStandin(kClassHelp);
}

}  // namespace falcet

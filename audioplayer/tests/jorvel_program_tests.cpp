// The audio player as its partners see it: started under Wine, driven from outside with
// the test driver and stand-ins; the second start's hand-over, the settings line, the
// partners it starts and tells, and its failure boxes.
#include <gtest/gtest.h>

#include <chrono>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "jorvel_fixture.h"
#include "win/raii.h"

using namespace std::chrono_literals;

namespace jorvel {

namespace {

// The message of the next box of the process, which is then answered.
std::string AnswerBox(DWORD processId) {
  HWND box = WaitForWindow("SKMSGBOX", kEventLimitMs, processId);
  if (!box) return "no box";
  std::string text;
  PumpUntil([&] { return !(text = driver::BoxText(box)).empty(); }, 5s);
  driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs);
  WaitForNoWindow("SKMSGBOX", 5000);
  return text;
}

}  // namespace

TEST_F(JorvelPlayer, ASecondStartHandsItsListOverEvenAnEmptyOneAndEndsWithZero) {
  // A stand-in is the running player: its window, and the mutex the player keeps.
  std::string log = Copy().File("running.log");
  ASSERT_TRUE(RunStandin(kClassAudioPlayer, log));
  win::Mutex running = win::Mutex::Create(kClassAudioPlayer);
  ASSERT_TRUE(running);
  EXPECT_EQ(Launch("a.mp3 \"my song.mp3\"").Wait(30000), 0);
  EXPECT_EQ(Launch("").Wait(30000), 0);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeHandOver);
  EXPECT_EQ(got[0].text, "a.mp3|my song.mp3");
  EXPECT_EQ(got[1].code, kCodeHandOver);
  EXPECT_EQ(got[1].text, "");
}

TEST_F(JorvelPlayer, StopClosesThePlayerAndTheSettingsLineComesBackAsItWas) {
  Copy().WriteSettings(" 10| 20| 300| 200|D:\\Music\\|E:\\Other\\|C:\\nowhere\\blue.sks| 33| 44\r\n");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::PostCommand(frame, kStopButton);
  EXPECT_EQ(Process().Wait(30000), 0);
  // The skin field is always written empty.
  EXPECT_EQ(Copy().ReadSettings(), " 10| 20| 300| 200|D:\\Music\\|E:\\Other\\|| 33| 44");
}

TEST_F(JorvelPlayer, WithoutASettingsFileTheLineHoldsTheDefaults) {
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Close(), 0);
  int left = (GetSystemMetrics(SM_CXSCREEN) - 800) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 600) / 2;
  std::string line = Copy().ReadSettings();
  std::string expected = " " + std::to_string(left) + "| " + std::to_string(top) + "| 800| 600|" +
                         Copy().ProgramFolder() + "|" + fileio::WithTrailingSeparator(Copy().TempFolder()) +
                         "||-1|-1";
  EXPECT_TRUE(fileio::EqualsNoCase(line, expected)) << line << "\n" << expected;
}

TEST_F(JorvelPlayer, WithoutItsUiTextFileThePlayerEndsWithTwo) {
  WithoutUiFile();
  ChildProcess& player = Launch();
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 1, "", kEventLimitMs));
  EXPECT_EQ(player.Wait(30000), 2);
}

// The failure box names the item and, on a line of its own, what is wrong with it.
TEST_F(JorvelPlayer, AnItemOfNoSoundTypeAndAnUnreachableAddressAreNamedInTheFailureBox) {
  std::string notes = Copy().Write("notes.txt", "not a sound");
  Start("\"" + notes + "\"");
  EXPECT_EQ(AnswerBox(Process().Id()),
            "The sound cannot be played (0): " + notes + "\r\nIt is of no sound type the player plays.");
  EXPECT_EQ(Close(), 0);
  // Nothing answers on this port: the layer cannot fetch the stream.
  Start("http://127.0.0.1:9/gone.mp3");
  std::string named = "The sound cannot be played (0): http://127.0.0.1:9/gone.mp3\r\n";
  std::string text = AnswerBox(Process().Id());
  EXPECT_EQ(text.substr(0, named.size()), named);
  EXPECT_GT(text.size(), named.size()) << text;
  EXPECT_EQ(Close(), 0);
  // An ".mp3" that holds no MPEG audio.
  std::string mp3 = Copy().Write("bad.mp3", std::string(30000, '\x5a'));
  Start("\"" + mp3 + "\"");
  EXPECT_EQ(AnswerBox(Process().Id()), "The sound cannot be played (0): " + mp3 +
                                           "\r\nIt holds no sound the player knows: it is no sound file, or it is damaged.");
  EXPECT_EQ(Close(), 0);
}

TEST_F(JorvelPlayer, OpenFilesStartsTheBrowserWaitsForItNamesItselfAndClosesItAtTheEnd) {
  std::string log = Copy().File("browser.log");
  Copy().AddStandinAs("kelmor.exe", kClassBrowser, log);
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  driver::PostCommand(frame, kOpenButton);
  std::vector<LoggedMessage> got = WaitForLog(log, 2, kEventLimitMs);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeSetPartner);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, Copy().Exe() + "," + kClassAudioPlayer)) << got[0].text;
  EXPECT_EQ(got[1].code, kCodeFileType4);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(CodesOf(WaitForLog(log, 3, kEventLimitMs)), (std::vector<int>{kCodeSetPartner, kCodeFileType4, kCodeClose}));
}

TEST_F(JorvelPlayer, HelpOpensTheShippedHelpPageInTheHelpViewer) {
  std::string log = Copy().File("help.log");
  Copy().AddStandinAs("vandrel.exe", kClassHelp, log);
  Copy().CopyFromSuite("jorvel.htm");
  HWND frame = Start();
  ASSERT_NE(frame, nullptr);
  // The first Help starts the viewer with the page, the next hands the page to it.
  driver::PostCommand(frame, kHelpButton);
  ASSERT_NE(WaitForWindow(kClassHelp, kEventLimitMs), nullptr);
  driver::PostCommand(frame, kHelpButton);
  std::vector<LoggedMessage> got = WaitForLog(log, 1, kEventLimitMs);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_TRUE(fileio::EqualsNoCase(got[0].text, Copy().ProgramFolder() + "jorvel.htm")) << got[0].text;
  EXPECT_EQ(Close(), 0);
  CloseStandin(kClassHelp);
}

}  // namespace jorvel

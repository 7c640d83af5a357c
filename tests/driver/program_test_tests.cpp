// The whole-program fixture with the stand-in partner as the program under test: a start
// waits for the complete window; the end of a test ends with the end code what it left
// running, closes a program without a main window and kills one that does not end in time.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "fileio/file.h"
#include "imaging/copydata.h"
#include "program_test.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kMain = "PROGRAMTESTMAIN";

// The stand-in copied as the program: it logs every command it gets and ends on the end code.
class StandinCopy : public ProgramCopy {
 public:
  explicit StandinCopy(bool) : ProgramCopy("standin", false) {
    fileio::CopyFileTo(TestProgramFolder() + "standin.exe", Exe());
  }
};

class StandinProgram : public ProgramTestOf<StandinCopy> {
 protected:
  StandinProgram() : ProgramTestOf({"standin", kMain, 0}) {}
  std::string Log(const std::string& name) { return Copy().File(name); }
};

TEST_F(StandinProgram, WhatATestLeavesRunningEndsAsPartnersEndIt) {
  HWND frame = Start(std::string(kMain) + " " + Log("main.log"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Frame(), frame);
  EXPECT_TRUE(IsWindowVisible(frame));
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  EXPECT_EQ(pid, Process().Id());
  // A second copy with a main window, one showing only another window, and a partner.
  ChildProcess& second = Launch(std::string(kMain) + " " + Log("second.log"));
  ChildProcess& other = Launch("PROGRAMTESTOTHER " + Log("other.log"));
  ASSERT_NE(WaitForWindow(kMain, kEventLimitMs, second.Id()), nullptr);
  ASSERT_NE(WaitForWindow("PROGRAMTESTOTHER", kEventLimitMs, other.Id()), nullptr);
  ASSERT_TRUE(RunStandin("PROGRAMTESTPARTNER", Log("partner.log")));

  TearDown();
  // Each ended by itself (exit code 0); a killed one ends with 99.
  EXPECT_EQ(Process().Wait(0), 0);
  EXPECT_EQ(second.Wait(0), 0);
  EXPECT_EQ(other.Wait(0), 0);
  for (const char* log : {"main.log", "second.log", "partner.log"}) {
    std::vector<LoggedMessage> got = ReadStandinLog(Log(log));
    ASSERT_EQ(got.size(), 1u) << log;
    EXPECT_EQ(got[0].code, kCodeClose) << log;
  }
  // The window of another class was closed, not sent the end code.
  EXPECT_TRUE(ReadStandinLog(Log("other.log")).empty());
  EXPECT_EQ(FindWindowA("PROGRAMTESTPARTNER", nullptr), nullptr);
}

TEST_F(StandinProgram, CloseGivesTheExitCodeAndAHungProgramIsKilled) {
  ASSERT_NE(Start(std::string(kMain) + " " + Log("main.log")), nullptr);
  EXPECT_EQ(Close(), 0);
  EXPECT_FALSE(Process().Running());

  // Busy for a minute with the stand-in's hang code: the end code cannot reach it.
  HWND frame = Start(std::string(kMain) + " " + Log("hung.log") + " 60000");
  ASSERT_NE(frame, nullptr);
  SetSendCopyDataTimeout(200);
  SENDCOPYDATA(frame, kStandinHangCode, "");
  EXPECT_EQ(EndProgram(Process(), frame, 500ms), -1);
  SetSendCopyDataTimeout(0);
  EXPECT_FALSE(Process().Running());
}

TEST_F(StandinProgram, AStartWithoutTheCompleteWindowFails) {
  // Without arguments (and no ".arg" file) the stand-in ends at once: no need to wait.
  HWND frame = nullptr;
  EXPECT_NONFATAL_FAILURE(frame = Start(), "showed no complete PROGRAMTESTMAIN window");
  EXPECT_EQ(frame, nullptr);
  EXPECT_EQ(Process().Wait(0), 2);

  // A window that is there but not ready does not count.
  ChildProcess& process = Launch(std::string(kMain) + " " + Log("main.log"));
  ASSERT_NE(WaitForMainWindow(process, kMain, [](HWND) { return true; }, 20s), nullptr);
  EXPECT_EQ(WaitForMainWindow(process, kMain, [](HWND) { return false; }, 200ms), nullptr);
}

}  // namespace

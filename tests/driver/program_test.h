// The fixture of whole-program tests: a copy of one of the suite's programs, started and
// waited for until its main window is complete, and ended when the test ends - passed or
// failed - together with the stand-in partners the test started. Every wait has a time limit.
//
//   class Kelmor : public ProgramTestOf<KelmorFolder> {
//    protected:
//     Kelmor() : ProgramTestOf({"kelmor", kClassBrowser, 14}) {}
//   };
//   TEST_F(Kelmor, ...) { Copy().WriteSettings(...); HWND frame = Start(); ... EXPECT_EQ(Close(), 0); }
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <utility>

#include "program_copy.h"

// Which program a fixture starts, and how its main window shows that it is complete.
struct ProgramInfo {
  std::string name;        // the program's file name without ".exe" ("kelmor")
  std::string frameClass;  // its main window's class
  int readyControl = 0;    // a control the main window makes last (0: none to wait for)
  bool hiddenFrame = false;  // the main window is never shown (the audio player's)
};

// Waits until the process has a top-level window of the class (a visible one unless
// hidden) for which ready holds; null when the process ended or the limit passed first.
HWND WaitForMainWindow(const ChildProcess& process, const std::string& frameClass,
                       const std::function<bool(HWND)>& ready, std::chrono::milliseconds limit,
                       bool hidden = false);
// Ends a started program as its partners do: the end code to its main window (or, without
// one, WM_CLOSE to its first visible window, such as a box it shows), then waits up to the
// limit and kills it after. Its exit code; -1 when it had to be killed.
int EndProgram(ChildProcess& process, HWND frame, std::chrono::milliseconds limit);

class ProgramTest : public ::testing::Test {
 public:
  static constexpr std::chrono::milliseconds kStartLimit{30000};
  // For what a test left running at its end.
  static constexpr std::chrono::milliseconds kEndLimit{10000};

  // Wine's first start of a program in a fresh prefix is slow, while a partner rule gives a
  // program it starts two seconds: a stand-in is started and closed once before the tests.
  static void SetUpTestSuite();

 protected:
  explicit ProgramTest(ProgramInfo program) : program_(std::move(program)) {}
  // Ends every program the test started that still runs, then its stand-ins.
  void TearDown() override;

  const ProgramInfo& Program() const { return program_; }

  // The test's copy of the program, made on first use (by NewCopy).
  ProgramCopy& Copy();
  // The copy is to have no UI text file; before the first use of the copy.
  void WithoutUiFile();

  // Starts the copy and waits for its complete main window; null, and a failure, when it
  // did not come within kStartLimit. Frame() and Process() are then this start's.
  HWND Start(const std::string& arguments = "");
  // Starts the copy once more without waiting for a window (a second start; a start that
  // shows a box and ends).
  ChildProcess& Launch(const std::string& arguments = "");
  HWND Frame() const { return main_ ? main_->frame : nullptr; }
  ChildProcess& Process();
  // Ends the program of the last Start with the end code; its exit code (-1: killed after
  // kStartLimit).
  int Close();

  // Starts the stand-in partner with a window of the class, logging into log, and waits
  // for its window.
  bool RunStandin(const std::string& className, const std::string& log);

  // Whether the (visible) main window is complete: by default, once its ready control exists.
  virtual bool Ready(HWND frame);
  // Makes the copy; a program with a copy type of its own derives from ProgramTestOf.
  virtual std::unique_ptr<ProgramCopy> NewCopy(bool uiFile);

 private:
  struct Started {
    ChildProcess process;
    HWND frame = nullptr;
  };
  Started& NewProcess(const std::string& arguments);

  ProgramInfo program_;
  bool uiFile_ = true;
  std::unique_ptr<ProgramCopy> copy_;
  std::list<Started> programs_;  // a list: Process() hands out references
  Started* main_ = nullptr;
  std::list<Started> standins_;
};

// The fixture of a program whose copy has a type of its own, made from uiFile
// (KelmorFolder(bool uiFile)); Copy() is then of that type.
template <class Folder>
class ProgramTestOf : public ProgramTest {
 protected:
  using ProgramTest::ProgramTest;
  Folder& Copy() { return static_cast<Folder&>(ProgramTest::Copy()); }

 private:
  std::unique_ptr<ProgramCopy> NewCopy(bool uiFile) override { return std::make_unique<Folder>(uiFile); }
};

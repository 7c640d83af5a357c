// Helpers for the Windows-side tests: the suite's folders, starting programs, waiting for
// windows and processes (every wait has a time limit), and the stand-in's log.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "wait_until.h"
#include "win/raii.h"

// The folder of the running test program, with its final "\".
std::string TestProgramFolder();
// The suite's program folder of this build (..\suite\ from the tests), with its final "\".
std::string SuiteFolder();

// A started program; the process is ended at destruction if it still runs.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Starts program with arguments (appended after a blank); false when it cannot start.
  bool Start(const std::string& program, const std::string& arguments, const std::string& folder = "");
  // Waits for the process to end; returns its exit code, or -1 after the time limit.
  int Wait(DWORD milliseconds);
  bool Running() const;
  void Kill();
  DWORD Id() const { return id_; }
  // Why the last Start failed (the system's error code), 0 after a start that worked.
  DWORD StartError() const { return startError_; }

 private:
  void Release();
  win::Handle process_, thread_;
  DWORD id_ = 0;
  DWORD startError_ = 0;
};

// A top-level window of the class (names compare without case, as Windows does; "": any
// class) for which accept holds (any when accept is empty), or null.
HWND FindTopWindow(const std::string& className, const std::function<bool(HWND)>& accept = {});
// Polls for a top-level window of the class (and, when given, of the process). A message or
// input box counts once it is shown, when its text and buttons stand.
HWND WaitForWindow(const std::string& className, DWORD milliseconds, DWORD processId = 0);
// Polls until no top-level window of the class exists.
bool WaitForNoWindow(const std::string& className, DWORD milliseconds);
// Polls until the file exists and its size stays put for a moment.
bool WaitForFile(const std::string& path, DWORD milliseconds);
// Runs the messages of this thread for a while (for windows created by the test itself).
void PumpMessages(DWORD milliseconds);
// WaitUntil that runs this thread's messages between tries, so that the test's own windows
// (and the windows of a box the test runs) keep working while it waits.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds step = std::chrono::milliseconds(20));

// The command code on which the stand-in partner, started with HANG-MS, stays busy that long
// (a hung partner); no program of the suite uses it.
constexpr int kStandinHangCode = 99;

// One command message as the stand-in partner logged it.
struct LoggedMessage {
  int code = 0;
  std::string text;
};
// Reads the stand-in's log: one line per message, "<code> <length> <hex bytes>".
std::vector<LoggedMessage> ReadStandinLog(const std::string& path);
// The codes of a log, in order.
std::vector<int> CodesOf(const std::vector<LoggedMessage>& log);

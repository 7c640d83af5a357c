// A copy of the media browser in a program folder of its own, for whole-program tests: its
// UI text file is the shipped one (a test may point the default partner at the stand-in),
// and it gets a temporary folder of its own, so that its settings and favourites files are
// the test's. Also what the tests of a browser that starts itself again need.
#pragma once
#include <windows.h>

#include <string>

#include "driver.h"
#include "fileio/file.h"
#include "imaging/copydata.h"
#include "imaging/suite_classes.h"
#include "kelmor/command_ids.h"
#include "program_copy.h"
#include "win/raii.h"

namespace kelmor {

class KelmorFolder : public ProgramCopy {
 public:
  // uiFile: write kelmor.SYS (false: leave it out).
  explicit KelmorFolder(bool uiFile = true) : ProgramCopy("kelmor", uiFile) {}

  std::string FavouritesFile() const { return TempFolder() + "kelmor.fav"; }
  // A log file for a stand-in partner.
  std::string Log(const std::string& name) const { return File(name); }
  // The default partner: the stand-in (copied into the program folder) with this class,
  // logging into log.
  void SetPartner(const std::string& className, const std::string& log) {
    AddStandinAs("standin.exe");
    SetUiEntry(19, "standin.exe " + className + " " + log + "," + className);
  }
  // The suite's two skins in the program folder, Slate the current one: the skin menu
  // lists Sand as command 301 and Slate as 302.
  void CopySkins() {
    for (const char* skin : {"Sand", "Slate"})
      for (const auto& e : fileio::ListDirectory(SuiteFolder() + skin + "\\*.*")) {
        MakeFolder(skin);
        fileio::CopyFileTo(SuiteFolder() + skin + "\\" + e.name, ProgramFolder() + skin + "\\" + e.name);
      }
    fileio::WriteFileReplacing(ProgramFolder() + "TOLVERN.SKL", "Slate\\Slate.sks\r\n");
  }
};

// The window that has the keyboard in the thread of a window.
inline HWND FocusInThreadOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// The window of a browser that started itself again once a browser of another process
// ended: complete with its last control. Null when none came within the time.
inline HWND WaitForBrowserOtherThan(DWORD oldProcess, DWORD milliseconds) {
  HWND found = nullptr;
  PumpUntil(
      [&] {
        found = FindTopWindow(kClassBrowser, [oldProcess](HWND w) {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          return pid != oldProcess && IsWindowVisible(w) && driver::FindChild(w, kHandOverButton) != nullptr;
        });
        return found != nullptr;
      },
      std::chrono::milliseconds(milliseconds));
  return found;
}

// Ends a browser that no test started (one that started itself again) as its partners
// do, with code 10; its exit code, or -1 when it had to be killed.
inline int EndBrowserWindow(HWND frame) {
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  win::Handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid));
  driver::SendCommand(frame, kCodeClose, "");
  if (!process) return -1;
  if (WaitForSingleObject(process.Get(), 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  return int(code);
}

// Ends, when the test ends, every browser still running that the fixture does not know:
// a browser that started again must not outlive its test, passed or failed.
class RestartedBrowsers {
 public:
  ~RestartedBrowsers() {
    for (int i = 0; i < 3; ++i)
      if (HWND w = FindWindowA(kClassBrowser, nullptr)) EndBrowserWindow(w);
  }
};

}  // namespace kelmor

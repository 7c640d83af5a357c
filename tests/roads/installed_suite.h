// The suite as a user gets it: a copy of the whole installed program folder of this build
// (every program, DLL, UI text file, skin and list it ships, nothing else) in a fresh folder,
// with a fresh temporary folder for the settings of the programs started from it. Road
// tests drive these programs only through what a user can reach.
#pragma once
#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"
#include "test_windows.h"

namespace roads {

// One of the ten programs of the suite and how its main window shows it is complete.
struct SuiteProgramInfo {
  const char* name;          // "kelmor"
  const char* frameClass;    // its main window's class
  int readyControl;          // a control the main window makes last (0: none)
  bool hiddenFrame;          // the main window is never shown (the audio player's)
};
// The ten programs, in the order of the overview.
const std::vector<SuiteProgramInfo>& SuitePrograms();
const SuiteProgramInfo& SuiteProgramNamed(const std::string& name);

// Files of the installed folder that only tests make; a release never holds them.
bool IsTestOnlyFile(const std::string& relativePath);

class InstalledSuite {
 public:
  // Copies the build's program folder (..\suite\ from the tests) into a fresh folder.
  InstalledSuite();
  bool Complete() const { return complete_; }
  // The copy's program folder, with its final "\".
  const std::string& Folder() const { return folder_; }
  // The programs' temporary folder (TEMP and TMP), with its final "\".
  const std::string& TempFolder() const { return temp_; }
  // A folder of the test's own, outside the program folder (user documents), made on use.
  std::string UserFolder(const std::string& name) const;
  // The relative paths of every file of the copy, sorted.
  std::vector<std::string> Files() const;

  // Starts a program of the copy (name without ".exe") with the copy's temporary folder.
  bool Start(ChildProcess& process, const std::string& program, const std::string& arguments = "") const;

 private:
  TempDir dir_;
  std::string folder_;
  std::string temp_;
  bool complete_ = false;
};

// Waits until the program of the process shows its complete main window (hidden for the
// audio player): its ready control exists in the frame or in a shown window of the process
// (the media player's bar is on its pane). The frame; null when the limit passed first.
HWND WaitForProgram(const ChildProcess& process, const SuiteProgramInfo& program,
                    std::chrono::milliseconds limit = std::chrono::milliseconds(30000));

// Ends, when it goes, every program that shows a top-level window of the given classes:
// the programs a program of the road started, which the test has no process of. Each gets
// the end code, then WM_CLOSE, and is ended after a time limit.
class ProgramsEndedAtExit {
 public:
  explicit ProgramsEndedAtExit(std::vector<std::string> classes) : classes_(std::move(classes)) {}
  ~ProgramsEndedAtExit();
  ProgramsEndedAtExit(const ProgramsEndedAtExit&) = delete;
  ProgramsEndedAtExit& operator=(const ProgramsEndedAtExit&) = delete;

 private:
  std::vector<std::string> classes_;
};

// The milliseconds since a moment.
inline double MsSince(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// Whether a user can give the command to the program of that process: an item of the
// menus of its UI text file in the copy, or a shown control of its windows.
bool UserCanReach(const InstalledSuite& suite, const std::string& program, DWORD processId, int id);
// Posts the command to the frame as the user's choice of it - only after UserCanReach
// holds; false (and nothing posted) when no user could give it.
bool PostUserCommand(const InstalledSuite& suite, const std::string& program, HWND frame, int id);

// Every control identifier of the windows of a process (its top-level windows and all
// their descendants) that are shown now (and enabled, when asked): what a user sees, or can
// press or pick.
std::vector<int> VisibleControlIds(DWORD processId, bool enabledOnly = false);

}  // namespace roads

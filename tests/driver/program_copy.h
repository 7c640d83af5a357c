// Whole-program test support: a copy of one of the suite's programs in a program folder of
// its own, with its shipped UI text file (entries and menu actions a test may change) and a
// temporary folder of its own for its settings; and the waits such tests share.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "test_windows.h"

// Sets TEMP and TMP for the programs started meanwhile, and puts the old values back.
class TempEnvironment {
 public:
  explicit TempEnvironment(const std::string& folder) {
    for (const char* name : {"TEMP", "TMP"}) {
      char old[MAX_PATH * 2];
      DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
      saved_.push_back({name, n && n < sizeof old ? std::string(old, n) : std::string(), n != 0});
      SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  ~TempEnvironment() {
    for (const auto& s : saved_) SetEnvironmentVariableA(s.name, s.present ? s.value.c_str() : nullptr);
  }
  TempEnvironment(const TempEnvironment&) = delete;
  TempEnvironment& operator=(const TempEnvironment&) = delete;

 private:
  struct Saved {
    const char* name;
    std::string value;
    bool present;
  };
  std::vector<Saved> saved_;
};

class ProgramCopy {
 public:
  // program: the program's name without ".exe" ("kelmor"); its .exe and .SYS are copied from
  // the suite folder (uiFile false: the copy has no UI text file).
  explicit ProgramCopy(const std::string& program, bool uiFile = true);
  virtual ~ProgramCopy() = default;

  const std::string& ProgramFolder() const { return program_; }
  const std::string& Root() const { return dir_.Path(); }
  std::string Exe() const { return program_ + name_ + ".exe"; }
  const std::string& TempFolder() const { return temp_; }
  // The program's settings file in its temporary folder.
  std::string SettingsFile() const { return temp_ + name_ + ".cfg"; }
  // A file of the test's own folder (outside the program folder).
  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string Write(const std::string& name, const std::string& bytes) const { return dir_.Write(name, bytes); }

  // Replaces a UI entry, or the action text of a menu command, in the copy's UI text file.
  void SetUiEntry(int n, const std::string& text);
  void SetMenuAction(int command, const std::string& action);
  // Copies files of the suite folder matching a pattern ("effects\*.txt") into the copy.
  void CopyFromSuite(const std::string& pattern);
  // The stand-in partner copied into the program folder under a program's name.
  void AddStandinAs(const std::string& programFile);
  // The same, started without arguments (as a program starts a partner by its fixed
  // program name) it registers className and logs to log.
  void AddStandinAs(const std::string& programFile, const std::string& className, const std::string& log);
  // Writes a file into the program folder; returns its path.
  std::string WriteInProgram(const std::string& name, const std::string& bytes) const;
  void MakeFolder(const std::string& name);
  void WriteSettings(const std::string& bytes);
  std::string ReadSettings() const;

  // Starts the copy with its own temporary folder (TEMP and TMP).
  bool Start(ChildProcess& process, const std::string& arguments = "");

 private:
  void WriteUiFile();

  TempDir dir_;
  std::string name_;
  std::string program_;
  std::string temp_;
  bool uiFile_;
  std::map<int, std::string> entries_;
  std::map<int, std::string> actions_;
};

// Starts the stand-in partner from the tests folder and waits for its window.
bool StartStandin(ChildProcess& process, const std::string& className, const std::string& log);
// Waits until the log holds at least count messages (or the time is up) and returns it.
std::vector<LoggedMessage> WaitForLog(const std::string& log, size_t count, DWORD milliseconds);
// Sends a message and waits for the answer (at most 20 s): commands run to their end.
LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Closes a stand-in (kCodeClose) and waits until its window is gone.
void CloseStandin(const std::string& className);
// Presses a button of the next visible box of the class other than *last (a box pressed
// before); by number from 1, or by caption without "&". *last becomes the box pressed.
bool PressNextBox(const std::string& boxClass, int number, const std::string& caption, HWND* last,
                  DWORD milliseconds = 20000);
// Closes the next box of the class without pressing a button.
bool CloseNextBox(const std::string& boxClass, HWND* last, DWORD milliseconds = 20000);
// Waits (running this thread's messages) until the window's text is the given one; returns
// the milliseconds it took, or -1.
long WaitTitle(HWND window, const std::string& title, DWORD milliseconds);
// A 24-bit BMP picture of the size, filled with one colour; returns its path.
std::string WriteTestPicture(const std::string& path, int width, int height);
// The bytes of a file ("" when it is missing).
std::string ReadText(const std::string& path);

// A copy of the slide show maker in a program folder of its own for whole-program tests:
// its UI text file is the shipped one with entries a test may change (partners, the build
// target), and it gets a temporary folder of its own for its settings.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "test_windows.h"

class DunmereFolder {
 public:
  // uiFile: write dunmere.SYS (false: leave it out).
  explicit DunmereFolder(bool uiFile = true);

  const std::string& ProgramFolder() const { return program_; }
  const std::string& Root() const { return dir_.Path(); }
  std::string Exe() const { return program_ + "dunmere.exe"; }
  std::string TempFolder() const { return temp_; }
  std::string ShowFolder() const { return program_ + "SHOWS\\"; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string Write(const std::string& name, const std::string& bytes) const { return dir_.Write(name, bytes); }

  // Replaces UI entry n of the copy's UI text file.
  void SetEntry(int n, const std::string& text);
  void WriteSettings(const std::string& line);
  // A stand-in copied into the program folder.
  void AddStandin();

  // Starts the copy with its own temporary folder.
  bool Start(ChildProcess& process, const std::string& arguments = "");

 private:
  void WriteUiFile();

  TempDir dir_;
  std::string program_;
  std::string temp_;
  std::map<int, std::string> entries_;
  bool uiFile_ = true;
};

// A 24-bit BMP picture of the size, filled with one colour.
std::string WritePicture(const std::string& path, int width, int height);
// The text of a file ("" when it is missing).
std::string ReadText(const std::string& path);

// Presses a button of the next box of the class: a box other than *last (which was pressed
// before), visible; by number from 1, or by caption. *last becomes the box pressed.
bool PressNextBox(const std::string& boxClass, int number, const std::string& caption, HWND* last,
                  DWORD milliseconds = 20000);
// Closes the next box of the class without pressing a button.
bool CloseNextBox(const std::string& boxClass, HWND* last, DWORD milliseconds = 20000);

// Starts the stand-in with a class and a log; waits for its window.
bool StartPartner(ChildProcess& process, const std::string& className, const std::string& log);
// Waits until the log holds at least count messages (or the time is up).
std::vector<LoggedMessage> WaitLog(const std::string& log, size_t count, DWORD milliseconds);
// Sends a message and waits for the answer (at most 20 s).
LRESULT SendWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

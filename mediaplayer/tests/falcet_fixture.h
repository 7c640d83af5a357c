// A copy of the media player in a program folder of its own for whole-program tests: its
// UI text file is the shipped one with entries a test may change, and it gets a temporary
// folder of its own (its settings file lives there).
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "test_windows.h"

class FalcetFolder {
 public:
  explicit FalcetFolder(bool uiFile = true);

  const std::string& ProgramFolder() const { return program_; }
  std::string Exe() const { return program_ + "falcet.exe"; }
  std::string TempFolder() const { return temp_; }
  std::string SettingsFile() const { return temp_ + "falcet.cfg"; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string Write(const std::string& name, const std::string& bytes) const { return dir_.Write(name, bytes); }
  // Writes into the program folder.
  std::string WriteInProgram(const std::string& name, const std::string& bytes) const;

  // Replaces UI entry n of the copy's UI text file, or option field n of entry 49.
  void SetEntry(int n, const std::string& text);
  void SetOption(int field, const std::string& value);
  // A stand-in copied into the program folder under a program name; without arguments it
  // registers className and logs to log.
  void AddStandinAs(const std::string& programFile, const std::string& className, const std::string& log);

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

// A 24-bit BMP picture of one colour.
std::string WritePicture(const std::string& path, int width, int height, COLORREF colour);
std::string ReadText(const std::string& path);
// Starts the stand-in with a class and a log; waits for its window.
bool StartPartner(ChildProcess& process, const std::string& className, const std::string& log);
// Waits until the log holds at least count messages (or the time is up).
std::vector<LoggedMessage> WaitLog(const std::string& log, size_t count, DWORD milliseconds);
// Waits until the window's text is the given one; returns the milliseconds it took, or -1.
long WaitTitle(HWND window, const std::string& title, DWORD milliseconds);

// A copy of the media browser in a program folder of its own, for whole-program tests: its
// UI text file is the shipped one with the default partner pointed at the stand-in, and it
// gets a temporary folder of its own, so that its settings and favourites files are the
// test's.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "test_windows.h"

class KelmorFolder {
 public:
  // uiFile: write kelmor.SYS (false: leave it out).
  explicit KelmorFolder(bool uiFile = true);

  const std::string& ProgramFolder() const { return program_; }
  std::string Exe() const { return program_ + "kelmor.exe"; }
  std::string TempFolder() const { return temp_; }
  std::string SettingsFile() const { return temp_ + "kelmor.cfg"; }
  std::string FavouritesFile() const { return temp_ + "kelmor.fav"; }
  // A log file for a stand-in partner.
  std::string Log(const std::string& name) const { return dir_.File(name); }

  // The default partner: the stand-in (copied into the program folder) with this class,
  // logging into log.
  void SetPartner(const std::string& className, const std::string& log);
  // A stand-in copied into the program folder under another program's name.
  void AddStandinAs(const std::string& programFile);
  // Replaces a UI entry, or the action text of a menu command, in the copy's UI text file.
  void SetUiEntry(int n, const std::string& text);
  void SetMenuAction(int command, const std::string& action);
  void MakeFolder(const std::string& name);
  void WriteSettings(const std::string& line);
  std::string ReadSettings() const;

  // Starts the browser copy with its own temporary folder.
  bool Start(ChildProcess& process, const std::string& arguments = "");

 private:
  void WriteUiFile();

  TempDir dir_;
  std::string program_;
  std::string temp_;
  std::map<int, std::string> entries_;
  std::map<int, std::string> actions_;
};

// Starts the stand-in partner from the tests folder.
bool StartStandin(ChildProcess& process, const std::string& className, const std::string& log);
// Waits until the log holds at least count messages (or the time is up) and returns it.
std::vector<LoggedMessage> WaitForLog(const std::string& log, size_t count, DWORD milliseconds);
// Sends a message and waits for the answer (at most 20 s): commands run to their end.
LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Closes a stand-in (code 10) and waits until its window is gone.
void CloseStandin(const std::string& className);

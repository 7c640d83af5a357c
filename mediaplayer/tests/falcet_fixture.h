// A copy of the media player in a program folder of its own for whole-program tests (the
// suite's program copy), with the player's own helpers: option fields of UI entry 49, stand-ins
// started by program name, pictures of a colour and waits for the window's title.
#pragma once
#include <windows.h>

#include <string>

#include "program_copy.h"

namespace falcet {

class FalcetFolder : public ProgramCopy {
 public:
  explicit FalcetFolder(bool uiFile = true) : ProgramCopy("falcet", uiFile) {}

  // Writes into the program folder.
  std::string WriteInProgram(const std::string& name, const std::string& bytes) const;
  // Replaces option field n of UI entry 49.
  void SetOption(int field, const std::string& value);
  // A stand-in copied into the program folder under a program name; started without
  // arguments (as the player starts it) it registers className and logs to log.
  void AddStandinAs(const std::string& programFile, const std::string& className, const std::string& log);

 private:
  std::string options_;
};

// A picture of one colour written by the tests' BMP writer; returns its path.
std::string WritePicture(const std::string& path, int width, int height, COLORREF colour);
// Waits (running this thread's messages) until the window's text is the given one; returns
// the milliseconds it took, or -1.
long WaitTitle(HWND window, const std::string& title, DWORD milliseconds);

}  // namespace falcet

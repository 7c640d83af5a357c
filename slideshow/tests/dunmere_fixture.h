// A copy of the slide show maker in a program folder of its own for whole-program tests: its
// UI text file is the shipped one with entries a test may change (partners, the build
// target), its effect lists, and a temporary folder of its own for its settings.
#pragma once
#include <string>

#include "program_copy.h"

class DunmereFolder : public ProgramCopy {
 public:
  // uiFile: write dunmere.SYS (false: leave it out).
  explicit DunmereFolder(bool uiFile = true) : ProgramCopy("dunmere", uiFile) { CopyFromSuite("effects\\*.txt"); }

  std::string ShowFolder() const { return ProgramFolder() + "SHOWS\\"; }
  void SetEntry(int n, const std::string& text) { SetUiEntry(n, text); }
  void AddStandin() { AddStandinAs("standin.exe"); }
};

// A copy of the media browser in a program folder of its own, for whole-program tests: its
// UI text file is the shipped one (a test may point the default partner at the stand-in),
// and it gets a temporary folder of its own, so that its settings and favourites files are
// the test's.
#pragma once
#include <string>

#include "program_copy.h"

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
};

}  // namespace kelmor

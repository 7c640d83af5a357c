// A copy of the media player in a program folder of its own for whole-program tests (the
// suite's program copy), with the player's own helpers: option fields of UI entry 49 and
// pictures of a colour.
#pragma once
#include <windows.h>

#include <string>

#include "program_copy.h"

namespace falcet {

class FalcetFolder : public ProgramCopy {
 public:
  // The copy takes the suite's Slate skin, whose pane carries the bars.
  explicit FalcetFolder(bool uiFile = true);

  // Replaces option field n of UI entry 49.
  void SetOption(int field, const std::string& value);

 private:
  std::string options_;
};

// A picture of one colour written by the tests' BMP writer; returns its path.
std::string WritePicture(const std::string& path, int width, int height, COLORREF colour);

}  // namespace falcet

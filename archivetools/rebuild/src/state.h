// The maintenance tool's state: who it is, its texts and its windows. Main thread only.
#pragma once
#include <windows.h>

#include <string>

#include "imaging/program_start.h"
#include "narwen/settings.h"
#include "skin/ui_text.h"

namespace narwen {

struct Narwen : startup::ProgramIdentity {
  MenuTable menus;
  StringTable strings{std::string()};
  std::string settingsPath;
  WindowPlace place;
  HWND frame = nullptr;
  HWND clientHolder = nullptr;
  HWND status = nullptr;
  HWND progress = nullptr;
  int shownPercent = -1;
  std::string pickFolder;  // where the next pick of a library starts
};

Narwen& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);

}  // namespace narwen

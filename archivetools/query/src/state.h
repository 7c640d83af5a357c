// The query tool's state: who it is, its folders, the archive's form and the windows.
// Main thread only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "db/db.h"
#include "imaging/program_start.h"
#include "lumbric/work_folder.h"
#include "skin/ui_text.h"

namespace ostrel {

// One row of the query form: the caption and the two inputs.
struct FormRow {
  HWND caption = nullptr;
  HWND value = nullptr;
  HWND high = nullptr;
};

struct Ostrel : startup::ProgramIdentity {
  std::string commandLine;
  HICON icon = nullptr;
  MenuTable menus;
  StringTable strings{std::string()};

  std::string dataFolder;
  std::string baseName;
  std::string settingsPath;
  lumbric::Settings settings;
  int screenWidth = 0;
  int screenHeight = 0;

  // Windows.
  HWND frame = nullptr;
  HWND menuHolder = nullptr;
  HWND clientHolder = nullptr;
  HWND status = nullptr;
  HWND panel = nullptr;  // the list control that holds the form's rows
  HWND thesaurusBox = nullptr;
  HWND wordList = nullptr;
  HWND progress = nullptr;

  // The form: the archive's field table (the operator of field i in fields[i].spare), the
  // captions, the rows, the field that had the focus last (from 0; -1 for none).
  int topicSlots = 10;
  std::vector<DBFIELD> fields;
  std::vector<std::string> titles;
  std::vector<FormRow> rows;
  int focusField = -1;

  // A search runs (the search button stops it); a stop was asked for.
  bool searching = false;
  bool stopRequested = false;
  // Searches leave marked records out (menu check).
  bool passOverMarked = false;
  // The archive's password matched in this run.
  bool unlocked = false;
};

Ostrel& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);

}  // namespace ostrel

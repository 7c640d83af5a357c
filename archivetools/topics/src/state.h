// The topic editor's state: who it is, its folders and archive, the settings, the record
// form and the record shown, the lock and the windows. Main thread only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "db/db.h"
#include "imaging/program_start.h"
#include "lumbric/work_folder.h"
#include "skin/ui_text.h"
#include "win/raii.h"

namespace lumbric {

struct Lumbric : startup::ProgramIdentity {
  std::string commandLine;
  HICON icon = nullptr;
  MenuTable menus;
  StringTable strings{std::string()};
  win::Mutex mutex;
  int screenWidth = 0;
  int screenHeight = 0;

  // The archive: data folder (with its final "\") and base name (UI entry 34).
  std::string dataFolder;
  std::string baseName;
  std::string settingsPath;
  Settings settings;
  bool hasCounter = false;  // ".CPT" existed when the form was built
  bool hasRecords = false;  // ".F01" existed when the form was built
  bool locked = false;      // ".PWD" exists and this copy was not unlocked
  bool restart = false;     // start the program again after it closes

  // Windows.
  HWND frame = nullptr;
  HWND menuHolder = nullptr;
  HWND clientHolder = nullptr;
  HWND status = nullptr;
  HWND progress = nullptr;
  HWND thesaurusBox = nullptr;
  HWND thesaurusCheck = nullptr;
  HWND topicPanel = nullptr;

  // The record form: the field table, a caption and a control per field, the captions'
  // texts, and the record shown (its number 0 for none, its key).
  int topicSlots = 10;
  std::vector<DBFIELD> fields;
  std::vector<HWND> captions;
  std::vector<HWND> controls;
  std::vector<std::string> titles;
  int recordNumber = 0;
  std::string key;
  int focusField = 0;  // the form field that had the focus last (1-based)
  bool cancelled = false;

  std::string RecordFile() const { return dataFolder + baseName + ".F01"; }
  std::string CounterFile() const { return dataFolder + baseName + ".CPT"; }
  std::string PasswordFile() const { return dataFolder + baseName + ".PWD"; }
  std::string TitleFile() const { return dataFolder + baseName + ".TIT"; }
  std::string SkinFile() const { return programFolder + "TOLVERN.SKL"; }
};

Lumbric& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);
// The menu text of a command without "&" (and without its shortcut text): the caption of
// the command's boxes.
std::string MenuText(int command);

}  // namespace lumbric

// What the shared controls know of the program that hosts them. The program hands it over
// once it has its main window and its record form (and again when the form, the data
// folder or the thesaurus in use changes); the controls never read a program's own state.
// Main thread only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "db/db.h"
#include "skin/ui_text.h"

struct ControlsHost {
  HWND mainWindow = nullptr;       // owns the boxes and the thesaurus editor
  ::WNDPROC windowProc = nullptr;  // the host's WNDPROC: the list panel hands it its children's commands
  // The record form. The topic combo boxes are the controls of the fields with flag 1; the
  // thesaurus check searches the indexes the library keeps for the form.
  std::vector<DBFIELD> fields;
  std::string dataFolder;          // with its final "\"
  std::string thesaurusName;       // the thesaurus in use, without ".THM"
  std::string warningCaption;      // UI entry 16 (else 1): the caption of the thesaurus editor's warnings
  std::string messageCaption;      // UI entry 10: the caption of ARCMESSAGEBOX
  std::string inUseText;           // UI entry 15: follows a word that a record uses
  std::string archiveName;         // UI entry 21: the base name of the archive's files

  // Takes the entries from the host's UI string table.
  void TakeUiEntries(const StringTable& strings);
};

void SetControlsHost(const ControlsHost& host);
const ControlsHost& CurrentControlsHost();

// The topic combo boxes of a form: the controls of its fields with flag 1, in form order.
std::vector<HWND> TopicComboBoxes(const std::vector<DBFIELD>& fields);

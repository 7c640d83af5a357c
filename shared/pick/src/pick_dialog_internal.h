// The pick dialog's state while it is open and what its two files share. One dialog at a
// time per process; main thread of the caller only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "pick/pick.h"
#include "pick/pick_filters.h"
#include "pick/pick_listing.h"

namespace pick_dialog {

constexpr const char* kClassName = "QORDLG";
enum ControlId { kTreeId = 1, kListId = 2, kFilterId = 3, kNameId = 4, kFirstButtonId = 5 };

struct DialogState {
  bool running = false;
  bool ready = false;    // the list has had its first filling
  bool closing = false;
  HWND dialog = nullptr;
  HWND owner = nullptr;  // null: the desktop (never disabled)
  HWND tree = nullptr;
  HWND list = nullptr;
  HWND filterBox = nullptr;
  HWND nameField = nullptr;
  HWND pathLabel = nullptr;
  std::vector<HWND> buttons;
  std::vector<HWND> focusRing;  // the controls in creation order, for Tab

  std::string folder;         // the current folder, with its final "\"
  std::string pattern;        // the file pattern in force
  std::string searchMask;     // folder + "*.*"
  std::vector<pick::FilterEntry> filters;
  int filterIndex = -1;
  std::vector<pick::ListedName> names;  // parallel to the list's entries
  int listMode = 0;
  bool nameFieldShown = false;
  bool multiSelection = false;

  std::string resultPath;       // set by the list's selection
  std::string resultExtension;  // the extension held apart for it (list mode 2)
  bool hasPreset = false;
  std::string presetResult;     // what the second button returns (from "preset|name")
  std::string nameText;
  std::string result;           // collected when a button closes the dialog
  int closingButton = 0;

  // Captions drawn on the background, and where.
  struct Caption {
    std::string text;
    int x = 0, y = 0;
  };
  std::vector<Caption> captions;
  int clientWidth = 0, clientHeight = 0;
};

DialogState& Dialog();

// pick_exports.cpp: a DLL has its own copy of the skin engine, which its first dialog
// starts with the skin beside the program (or the one SKPICKSKIN named).
void FollowProgramSkin();
void StartSkinIfNeeded();

// pick_dialog_proc.cpp
PickListSource& ListSource();
void FillList();
void ShowPath();
void SelectFilterFor(const std::string& pattern);
void PaintBackground();

}  // namespace pick_dialog

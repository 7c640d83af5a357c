// What the thesaurus routines and the editor's window procedure share.
#pragma once
#include <windows.h>

#include <string>

#include "win/raii.h"

namespace thesaurus {

// The file of the host's thesaurus in use.
std::string CurrentPath();

// The text of a combo box entry, of any length; false when the entry cannot be read.
bool EntryText(HWND box, int index, std::string& text);

// One editor window: made by RUNTHESAURUS, reached by THESAURUSPROC through the window.
struct Editor {
  std::string title;        // with "#" for the word count
  HWND wordBox = nullptr;
  int count = 0;
  bool modified = false;
  int loadFailure = 0;      // the list could not be read: it can only be looked at
  bool destroyed = false;
  win::Brush listBrush;     // skin colour 104
};

}  // namespace thesaurus

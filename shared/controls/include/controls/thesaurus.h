// Thesaurus word lists on the record form and their editor window (class "THESAURUS").
// The topic combo boxes, the data folder, the thesaurus in use and the archive come from
// the host (SetControlsHost). Main thread only.
#pragma once
#include <windows.h>

#include <string>

#include "controls/thesaurus_file.h"
#include "controls/thesaurus_rules.h"

inline constexpr const char* kThesaurusClass = "THESAURUS";

// The editor's controls and commands.
inline constexpr int kThesaurusWordBox = 1;
inline constexpr int kThesaurusAdd = 2;
inline constexpr int kThesaurusDelete = 3;
inline constexpr int kThesaurusDiscard = 4;        // close without saving
inline constexpr int kThesaurusFrameClose = 32196;  // the popup frame's close: saves a changed list
inline constexpr DWORD kThesaurusWordBoxStyle = 0x50212351;
// WM_CLOSE's wParam that closes without saving.
inline constexpr int kThesaurusCloseWithoutSaving = -1;

// Fills every topic combo box: an empty first entry, then the words of the thesaurus in
// file order. 0, or the error number of a file that exists but cannot be read (the boxes
// then hold only their empty entry).
int LOADTHESAURUS();

// Saves the entries of a combo box as the thesaurus (see SaveThesaurus: the ".BAK" keeps
// the previous file, a failed write changes nothing). Once the file is written, refill
// empties the topic combo boxes and gives them an empty first entry; then every entry
// that is not empty is added to them (the source itself excepted; without refill only
// the entries a box lacks, so that no word shows twice). An entry that cannot
// be read is skipped, unless it is the first: then nothing is written. Returns 0 or the
// error number.
int SAVETHESAURUS(HWND source, int refill);

// Shows the editor as a modal window owned by the host's main window (disabled meanwhile)
// and returns when it closes. "#" in the title stands for the word count; buttons holds
// the labels of the buttons 2, 3, 4, ... separated by "|"; maxLength limits a word.
void RUNTHESAURUS(const std::string& title, const std::string& buttons, int maxLength);

// The editor's parameters between RUNTHESAURUS and the window's creation: set not 0
// stores the two values, 0 gives the stored ones back.
void THESAURUSPARAMS(std::string& buttons, int& maxLength, int set);

// Fills a combo box with the thesauri of a data folder (the "*.THM" names without their
// extension, upper-cased) and selects `current`, else the first.
void FillThesaurusNames(HWND comboBox, const std::string& dataFolder, const std::string& current);

// The editor's window procedure.
LRESULT CALLBACK THESAURUSPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

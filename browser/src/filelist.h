// The file list: filling it from a folder and a file-type filter, refreshing it after a
// change in the folder, its thumbnails and its status line.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "win/raii.h"

namespace kelmor {

// Fills the file list with the files of folder that pass filter, in the thumbnail layout
// when the file-type box shows its fifth entry. Stops the detail filler and the folder
// watcher first and starts them again afterwards.
void FILLFILELIST(const std::string& folder, const std::string& filter);
// The current folder with exactly one trailing "\" ("" when there is none).
std::string CURRENTFOLDER();
// Deletes every thumbnail of the details table and empties it (the detail filler must not
// run: callers stop it first).
void FREETHUMBS();

// The filter in force: that of the selected file type, else the stored one.
std::string CurrentFilter();
// FILLFILELIST of the current folder with the filter in force.
void RefillFileList();
// Brings the list in line with its folder after a change there (main thread).
void RefreshFileList();
// Empties the list and forgets its thumbnails (the current folder went).
void ClearFileList();
// Forgets one entry's thumbnail: item data 0, record and bitmap gone.
void ForgetThumbnail(int index);
// The status line: number of files and the current folder.
void UpdateFileListStatus();

// The widest of the texts given, in a list's font (for a list's column width or horizontal
// extent).
class TextMeasure {
 public:
  explicit TextMeasure(HWND list);
  void Add(const std::string& text);
  int Widest() const { return widest_; }

 private:
  win::WindowDC dc_;
  win::SelectObj font_;
  int widest_ = 0;
};

// Entry texts and selections of a list box.
std::string ListEntryText(HWND list, int index);
std::vector<int> SelectedEntries(HWND list);
// The full paths of the file list's selected entries.
std::vector<std::string> SelectedFilePaths();
// The current entry of a list box: the caret of a list with several selections, otherwise
// the selection; for the collection list without a selected entry its number of entries.
int GETCURSELLISTBOX(HWND list);

// The file list's subclass procedure: the hover text in the thumbnail layout.
LRESULT CALLBACK LISTSUBCLASSPROC(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kelmor

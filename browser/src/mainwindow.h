// The media browser's main window: the skinned frame, its holders and status line, the
// file-type and favourites boxes, the folder tree's place, the two lists, the buttons and
// the option check box.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace kelmor {

// Registers the class and creates the frame at the given rectangle with its holders and
// status line. False when the class cannot be registered or the frame not created.
bool CreateFrame(int left, int top, int width, int height);

// Fills the file-type box from UI entry 15 and selects the entry for the stored filter.
void CreateFileTypeBox(const std::string& storedFilter);
// Creates the favourites box with the given entries (each with one leading blank), its tip
// the current folder, and selects the first entry.
void CreateFavouritesBox(const std::vector<std::string>& entries, const std::string& tip);
// The folder tree, the lists, the buttons, the option check box and the menu bar, in the
// order in which the keyboard visits them.
void CreateControls();
// Places every control by the layout rules for the client holder's present size.
void LayoutControls();

// The entries of a list box or combo box.
std::vector<std::string> ListEntries(HWND list);

}  // namespace kelmor

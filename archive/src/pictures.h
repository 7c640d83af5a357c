// The picture list and the strip of four frames that shows it: listing a folder, taking a
// list, stepping, the current picture and the form that goes with it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace grilton {

constexpr int kStripFrames = 4;
constexpr int kStripHeight = 176;
constexpr const char* kStripClass = "GRILTONSTRIP";

// Creates the strip window in the parent.
HWND CreateStrip(HWND parent, int x, int y, int width);
// Lists the pictures of a folder (pattern "*.*") into the list; Escape may stop it.
void ListFolder(const std::string& folder);
// Takes a list of paths as the picture list and shows its first picture.
void SetPictureList(std::vector<std::string> pictures);
// The current picture's path, "" when none.
std::string CurrentPicture();
// Makes picture i current (0-based) when the leave-guard lets it; the strip follows.
bool SelectPicture(int index);
// Removes the current picture from the list and shows the next one (or an empty view).
void DropCurrentPicture();
// Strip commands 1, 2, 5 and 6.
void StepStrip(int command);
// Shows the count and repaints the strip.
void RefreshView();
// The leave-guard before the current picture changes: false to stay.
bool MayLeavePicture();
// Moves the current picture's work files to the recycle bin and disables 7 and 10.
void DiscardWorkFiles();
// True when the current picture has a work document or work sound.
bool HasWorkFiles();

}  // namespace grilton

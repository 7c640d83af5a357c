// The current folder and the folder tree: going to a folder, the tree's notifications
// (selection, popup menu, renaming and moving a folder), the favourites box, and building
// the tree again when drives or folders change.
#pragma once
#include <windows.h>

#include <string>

namespace kelmor {

// Makes the folder the current one (lower case) and fills the file list from it; with
// selectInTree the tree shows it too. False (nothing changes) when it is no folder.
bool GoToFolder(const std::string& folder, bool selectInTree);
// Selects a folder in the tree without taking the tree's notification as a new choice.
void SelectInTree(const std::string& folder);
// Builds the tree again from the desktop and selects the current folder.
void RebuildFolderTree();
// WM_COMMAND from the folder tree (its notification code in the high word).
void OnFolderTreeCommand(int code, LPARAM lParam);
// The folder commands of the tree's popup menu, on the folder it was opened for: 1501 a
// new folder in it, 1502 its label edited (the rename follows the edit), 1503 it and all
// below it to the recycle bin (never a drive's root).
void NewFolderInTree();
void RenameFolderInTree();
void DeleteFolderInTree();
// The favourites box's selection changed: go to the chosen folder.
void OnFavouriteChosen();

}  // namespace kelmor

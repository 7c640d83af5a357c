// The folder tree control: a skinned child window of class "skBff" that shows the drives
// and folders in a tree view, fills folders when they open, lets the user drag a folder
// onto another and tells its parent through WM_COMMAND (control id in the low word, a
// FolderTreeCode in the high word).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// Messages the control takes.
enum FolderTreeMessage : UINT {
  kFolderTreeClear = WM_USER + 1000,        // delete all items; answers 1
  kFolderTreeRepaint = WM_USER + 1001,      // repaint, erasing the background; answers 1
  kFolderTreeRootPath = WM_USER + 1002,     // lParam: path (wParam: its buffer size); new root; 1 or 0
  kFolderTreeRootSpecial = WM_USER + 1003,  // wParam: shell special folder number (0 desktop); 1 or 0
  kFolderTreeSelectPath = WM_USER + 1004,   // lParam: path (wParam: buffer size); answers the item or 0
  kFolderTreeGetPath = WM_USER + 1005,      // lParam: buffer of wParam bytes; answers the length copied
  kFolderTreePathLength = WM_USER + 1006,   // answers the length of the selected folder's path
  kFolderTreeExpandRoot = WM_USER + 1007,   // wParam not 0: expand the root, 0: collapse; answers 1
  kFolderTreeBackColour = WM_USER + 1008,   // lParam: COLORREF; answers the previous background colour
};

// Notification codes (high word of WM_COMMAND's wParam).
enum FolderTreeCode : WORD {
  kFolderTreeCreated = 1,       // posted; lParam = the control
  kFolderTreeSelChanged = 2,    // selection changed by the mouse or the program; lParam = tree view
  kFolderTreeRightClick = 3,    // lParam = tree view
  kFolderTreeBeginEdit = 4,     // a label edit begins; lParam = tree view
  kFolderTreeEndEdit = 5,       // a label edit ends (the label stays unless the parent renames it)
  kFolderTreeDropped = 6,       // lParam = address of a FolderTreeDrop
};

// What code 6 points to: the dragged folder's item and the item it was dropped on.
struct FolderTreeDrop {
  HTREEITEM dragged;
  HTREEITEM target;
};

// Creates the control (class "skBff", registered once per process) and, when startPath is
// not empty, selects that folder. Returns the control or null. The control's own style may
// carry TVS_EDITLABELS (and other TVS_ bits) for the tree view inside it.
HWND CREATEFOLDERTREE(HWND parent, const std::string& startPath, int x, int y, int width, int height, int id);
// The control's window procedure and the subclass procedure of its tree view.
LRESULT CALLBACK FOLDERTREEPROC(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FOLDERTREESUBPROC(HWND tree, UINT message, WPARAM wParam, LPARAM lParam);

// The tree view inside a control.
HWND FolderTreeView(HWND control);
// The folder path of an item of the control's tree view ("" for a root without a path,
// such as the desktop).
std::string FolderTreeItemPath(HWND treeView, HTREEITEM item);
// The selected folder's path ("" when none).
std::string FolderTreeSelectedPath(HWND control);
// -1 when the folder holds a subfolder or may hold one (it has more entries than the
// test reads: pick::kSubfolderProbeEntries), 0 when it holds none. Stops at the first
// subfolder; never reads a whole large folder.
int HASSUBFOLDERS(const std::string& path);
// How many times the folder trees of this process have read a folder from the disk
// (listing its subfolders or testing for one): what a gesture costs, for diagnostics.
long FolderTreeFolderReads();

// What the user has made of the tree and a rebuild would lose: the open folders (each
// with every folder above it open), the folder in the top row and the horizontal scroll.
// A root without a path (the desktop) is the folder "".
struct FolderTreeLook {
  std::vector<std::string> openFolders;
  std::string topFolder;
  bool hasTop = false;
  int horizontalScroll = 0;
};
FolderTreeLook FolderTreeSaveLook(HWND control);
// Opens again the folders that still exist and brings the top row back (the nearest
// folder above it when it went). Call after the rebuild and after selecting a folder, which
// may have scrolled the tree.
void FolderTreeRestoreLook(HWND control, const FolderTreeLook& look);
// How many times the control's tree has been built (its item handles are new after each
// build). Also the value of the control's window property kFolderTreeBuildsProperty, which
// other processes can read with GetPropA.
inline constexpr const char* kFolderTreeBuildsProperty = "#BffBuilds";
long FolderTreeBuilds(HWND control);
// Selects a folder (as kFolderTreeSelectPath); null when the path is a network path, is
// not an existing folder or lies outside the tree's root.
HTREEITEM FolderTreeSelect(HWND control, const std::string& path);

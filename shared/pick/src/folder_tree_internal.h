// What the folder tree's files share: the control data, the node records of the items,
// the process-wide drag state and the shell helpers.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

namespace folder_tree {

constexpr const char* kClassName = "skBff";
constexpr const char* kDataProperty = "#BffTVPRP";
constexpr UINT_PTR kScrollTimer = 200;
constexpr UINT_PTR kHoverTimer = 201;
constexpr UINT kHoverMilliseconds = 1000;

// The node record of a tree item (its item data), allocated zero-filled from the process
// heap. The path comes first, so that item data read as text gives the folder.
struct FolderNode {
  char path[MAX_PATH + 1];
  char name[MAX_PATH + 1];
  HTREEITEM item;
  LPITEMIDLIST pidl;      // full identifier list, from the shell's allocator
  LPITEMIDLIST relative;  // relative to the parent folder
  int icon;
  int openIcon;
  HWND tree;
  int filled;             // the children have been read
  int holdsDrives;        // a root without a path whose children are the drives
};

// The control data, hung on the control as the property kDataProperty.
struct TreeData {
  WNDPROC treeProc;       // the tree view's own procedure (called by the subclass)
  HIMAGELIST images;      // the system's small icons
  HWND tree;
  HTREEITEM root;
  int comStarted;         // this control started COM on its thread
  int clearing;           // items are being deleted: no selection notices
  long builds;            // how many times the root was built
};

TreeData* DataOf(HWND control);
FolderNode* NodeOf(HWND tree, HTREEITEM item);

// Shell helpers (folder_tree_shell.cpp).
HIMAGELIST SystemSmallIcons();
std::string DisplayName(LPCITEMIDLIST pidl, const std::string& path);
LPITEMIDLIST PathToIdList(const std::string& path);
void FreeIdList(LPITEMIDLIST& pidl);
// Counts one read of a folder (FolderTreeFolderReads).
void CountFolderRead();
// Whether the tree shows an item with an expand button or children: what the tree knows
// of its subfolders without reading the disk.
bool ItemHasChildren(HWND tree, HTREEITEM item);
// Builds the tree's root: the desktop (special folder 0) and other virtual folders hold
// the drives; a special folder with a path, or a path, roots the tree at that folder.
HTREEITEM BuildRootSpecial(HWND control, int specialFolder);
HTREEITEM BuildRootPath(HWND control, const std::string& path);
// Reads a node's children (FILLFOLDERNODE); again = re-read a filled node.
void FILLFOLDERNODE(HWND tree, HTREEITEM item, bool again);
void FreeNode(FolderNode* node);

// Counts a build of the control's tree (FolderTreeBuilds).
void CountBuild(HWND control, TreeData& data);
// The item of a folder, opening every folder above it on the way; null when the folder is
// not under the root (or no longer there).
HTREEITEM OpenPathTo(HWND control, const std::string& path);

// Drag (folder_tree_drag.cpp): the handlers answer whether they took the message.
LRESULT BeginDrag(HWND control, HWND tree, const NMTREEVIEWA& info);
bool DragMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
void CreateDragCursor();

}  // namespace folder_tree

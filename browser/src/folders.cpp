#include "folders.h"

#include "boxes.h"
#include "detail_filler.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "imaging/gdiplus_helpers.h"
#include "kelmor/file_commands.h"
#include "skin/sk_files.h"
#include "watchers.h"
#include "kelmor/command_ids.h"
#include "pick/folder_tree.h"
#include "skin/sk_controls.h"
#include "skin/sk_menu.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Trimmed(const std::string& text) { return fileio::Trim(text); }

// The favourites box shows the current folder: its tip, and its entry at the top.
void ShowFolderInFavourites(const std::string& folder) {
  BrowserState& b = App();
  if (!b.favouritesBox) return;
  std::string tip = SKLCASE(fileio::WithoutTrailingSeparator(folder));
  SKBUTTONTIP(b.favouritesBox, tip);
  std::string entry = " " + tip;
  LRESULT found = SendMessageA(b.favouritesBox, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  if (found == CB_ERR) found = SendMessageA(b.favouritesBox, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  if (found != CB_ERR) SendMessageA(b.favouritesBox, CB_SETCURSEL, WPARAM(found), 0);
}

// A folder inside another one (or the same): "c:\a\b" is inside "c:\a".
bool Inside(const std::string& folder, const std::string& outer) {
  std::string f = SKUCASE(CurrentFolderText(folder)), o = SKUCASE(CurrentFolderText(outer));
  return !o.empty() && f.compare(0, o.size(), o) == 0;
}

// After a folder moved or was renamed: the current folder follows it.
void FollowMovedFolder(const std::string& from, const std::string& to) {
  BrowserState& b = App();
  if (!Inside(b.currentFolder, from)) return;
  std::string rest = CURRENTFOLDER().substr(CurrentFolderText(from).size());
  b.currentFolder = SKLCASE(CurrentFolderText(to) + rest);
}

void ShowTreePopup() {
  BrowserState& b = App();
  HWND tree = FolderTreeView(b.folderTree);
  POINT at;
  GetCursorPos(&at);
  TVHITTESTINFO hit{};
  hit.pt = at;
  ScreenToClient(tree, &hit.pt);
  b.treePopupNode = TreeView_HitTest(tree, &hit);
  if (!b.treePopupNode) b.treePopupNode = TreeView_GetSelection(tree);
  if (HMENU popup = SKPOPUPHANDLE(kFolderPopup)) {
    SkMenuAnimationOff animationOff;
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, b.clientHolder, nullptr);
  }
}

std::string EditText(HWND tree) {
  HWND edit = TreeView_GetEditControl(tree);
  if (!edit) return {};
  char text[MAX_PATH + 1] = {};
  GetWindowTextA(edit, text, sizeof text);
  return Trimmed(text);
}

void RenameFolder(HWND tree) {
  BrowserState& b = App();
  HTREEITEM item = b.editedNode ? b.editedNode : TreeView_GetSelection(tree);
  b.editedNode = nullptr;
  std::string name = EditText(tree);
  std::string from = fileio::WithoutTrailingSeparator(FolderTreeItemPath(tree, item));
  if (name.empty() || from.empty() || fileio::NameOf(from) == name) return;
  if (int rc = SKVALIDNAME(name)) {
    MESSAGEBOXICON(name + "||" + SKWINERR(rc));
    return;
  }
  std::string to = fileio::FolderOf(from) + name;
  if (int rc = SKRENAME(from, to)) {
    MESSAGEBOXICON(from + "||" + SKWINERR(rc));
    return;
  }
  FollowMovedFolder(from, to);
  // The tree is built again once its label editing has ended.
  PostMessageA(b.frame, kMsgRebuildTree, 1, 0);
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

void MoveDroppedFolder(const FolderTreeDrop* drop) {
  BrowserState& b = App();
  HWND tree = FolderTreeView(b.folderTree);
  if (!drop || !tree) return;
  std::string source = fileio::WithoutTrailingSeparator(FolderTreeItemPath(tree, drop->dragged));
  std::string target = FolderTreeItemPath(tree, drop->target);
  if (source.empty() || target.empty() || Inside(target, source)) return;
  std::string destination = CurrentFolderText(target) + fileio::NameOf(source);
  if (SameFolder(destination, source)) return;
  std::string question = Replaced(Replaced(Ui(37), "@", source), "#", fileio::WithoutTrailingSeparator(target));
  if (QUESTIONBOX(question, Ui(29)) != 1) return;
  bool current = Inside(b.currentFolder, source);
  if (current) ClearFileList();
  if (int rc = SKSHELLMOVE(b.frame, source, destination)) {
    MESSAGEBOXICON(source + "||" + SKWINERR(rc));
  } else {
    if (IsFolder(source)) RemoveDirectoryA(source.c_str());  // what the move left empty
    FollowMovedFolder(source, destination);
  }
  PostMessageA(b.frame, kMsgRebuildTree, current ? 1 : 0, 0);
}

}  // namespace

void SelectInTree(const std::string& folder) {
  BrowserState& b = App();
  if (!b.folderTree || folder.empty()) return;
  b.selectingInTree = true;
  FolderTreeSelect(b.folderTree, fileio::WithoutTrailingSeparator(folder));
  b.selectingInTree = false;
}

bool GoToFolder(const std::string& folder, bool selectInTree) {
  BrowserState& b = App();
  std::string path = Trimmed(folder);
  if (path.empty() || !IsFolder(path)) return false;
  StopListInfo();
  if (selectInTree) SelectInTree(path);
  b.currentFolder = SKLCASE(CurrentFolderText(path));
  RefillFileList();
  return true;
}

void RebuildFolderTree() {
  BrowserState& b = App();
  if (!b.folderTree) return;
  bool visible = IsWindowVisible(b.folderTree) != FALSE;
  // The folders the user opened and the row at the top come back after the rebuild.
  FolderTreeLook look = FolderTreeSaveLook(b.folderTree);
  ShowWindow(b.folderTree, SW_HIDE);
  SendMessageA(b.folderTree, WM_SETREDRAW, FALSE, 0);
  // The tree's items go: a folder command must not reach a remembered one.
  b.treePopupNode = nullptr;
  b.renameNode = nullptr;
  b.selectingInTree = true;
  SendMessageA(b.folderTree, kFolderTreeRootSpecial, 0, 0);
  b.selectingInTree = false;
  SelectInTree(b.currentFolder);
  b.selectingInTree = true;
  FolderTreeRestoreLook(b.folderTree, look);
  b.selectingInTree = false;
  SendMessageA(b.folderTree, WM_SETREDRAW, TRUE, 0);
  if (visible) ShowWindow(b.folderTree, SW_SHOW);
  RedrawWindow(b.folderTree, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void OnFolderTreeCommand(int code, LPARAM lParam) {
  BrowserState& b = App();
  switch (code) {
    case kFolderTreeCreated: {
      // The tree has opened at the current folder: the list shows it. (A folder the tree
      // cannot show, such as a network folder, stays the current one all the same.)
      std::string folder = b.currentFolder;
      if (folder.empty() || !IsFolder(folder)) folder = FolderTreeSelectedPath(b.folderTree);
      if (!folder.empty() && IsFolder(folder)) b.currentFolder = SKLCASE(CurrentFolderText(folder));
      RefillFileList();
      break;
    }
    case kFolderTreeSelChanged: {
      if (b.selectingInTree || !b.fileList) break;
      std::string selected = FolderTreeSelectedPath(b.folderTree);
      if (selected.empty() || !IsFolder(selected) || SameFolder(selected, b.currentFolder)) break;
      GoToFolder(selected, false);
      ShowFolderInFavourites(b.currentFolder);
      break;
    }
    case kFolderTreeRightClick:
      ShowTreePopup();
      break;
    case kFolderTreeBeginEdit:
      b.editedNode = b.renameNode ? b.renameNode : TreeView_GetSelection(FolderTreeView(b.folderTree));
      b.renameNode = nullptr;
      break;
    case kFolderTreeEndEdit:
      RenameFolder(FolderTreeView(b.folderTree));
      break;
    case kFolderTreeDropped:
      MoveDroppedFolder(reinterpret_cast<const FolderTreeDrop*>(lParam));
      break;
    default:
      break;
  }
}

void OnFavouriteChosen() {
  BrowserState& b = App();
  LRESULT chosen = SendMessageA(b.favouritesBox, CB_GETCURSEL, 0, 0);
  if (chosen == CB_ERR) return;
  char text[MAX_PATH * 2] = {};
  if (SendMessageA(b.favouritesBox, CB_GETLBTEXTLEN, WPARAM(chosen), 0) >= LRESULT(sizeof text)) return;
  SendMessageA(b.favouritesBox, CB_GETLBTEXT, WPARAM(chosen), reinterpret_cast<LPARAM>(text));
  std::string folder = Trimmed(text);
  if (!GoToFolder(folder, true)) {
    MessageBeep(UINT(-1));
    return;
  }
  SKBUTTONTIP(b.favouritesBox, SKLCASE(fileio::WithoutTrailingSeparator(folder)));
}

namespace {

// The folder the tree's popup menu was opened for ("" when none).
std::string PopupFolder() {
  BrowserState& b = App();
  HWND tree = FolderTreeView(b.folderTree);
  if (!tree || !b.treePopupNode) return {};
  return fileio::WithoutTrailingSeparator(FolderTreeItemPath(tree, b.treePopupNode));
}

// The files of a folder to the recycle bin, then the emptied folder itself.
void RecycleFolder(const std::string& folder) {
  std::string base = fileio::WithTrailingSeparator(folder);
  for (const auto& e : fileio::ListDirectory(base + "*.*"))
    if (!e.directory) RECYCLEFILE(base + e.name, 0);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

void NewFolderInTree() {
  BrowserState& b = App();
  std::string folder = PopupFolder();
  if (folder.empty()) return;
  if (SKMAKEDIR(fileio::WithTrailingSeparator(folder) + Ui(89)) != 0) {
    MESSAGEBOXICON(SKWINERR(ERROR_CANNOT_MAKE));
    return;
  }
  PostMessageA(b.frame, kMsgRebuildTree, 0, 0);
}

void RenameFolderInTree() {
  BrowserState& b = App();
  HWND tree = FolderTreeView(b.folderTree);
  if (!tree || !b.treePopupNode) return;
  SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_EDITLABELS);
  b.renameNode = b.treePopupNode;
  TreeView_EditLabel(tree, b.treePopupNode);
}

void DeleteFolderInTree() {
  BrowserState& b = App();
  std::string folder = PopupFolder();
  if (folder.empty()) return;
  if (IsDriveRoot(folder)) {
    MESSAGEBOXICON(folder + "||" + SKWINERR(ERROR_ACCESS_DENIED));
    return;
  }
  constexpr int kAllAttributes = 1 | 2 | 4 | 16 | 32;
  if (SKDIRCOUNT(fileio::WithTrailingSeparator(folder) + "*.*", kAllAttributes) > 0 &&
      QUESTIONBOX(Replaced(Ui(86), "@", folder), Ui(29)) != 1)
    return;
  bool current = Inside(b.currentFolder, folder);
  if (current) {
    StopListInfo();
    STOPWATCH();
    ClearFileList();
  }
  std::vector<std::string> subfolders;
  SKREADDIRS(folder, subfolders);
  for (const auto& f : RecycleOrder(folder, subfolders)) RecycleFolder(f);
  if (current) b.currentFolder = SKLCASE(CurrentFolderText(fileio::FolderOf(folder)));
  PostMessageA(b.frame, kMsgRebuildTree, current ? 1 : 0, 0);
}

}  // namespace kelmor

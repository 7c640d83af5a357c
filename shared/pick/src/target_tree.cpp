#include "pick/target_tree.h"

#include "pick/folder_tree.h"

HWND CreateTargetTree(HWND parent, const std::string& preset, int x, int y, int width, int height, int id) {
  HWND tree = CREATEFOLDERTREE(parent, "", x, y, width, height, id);
  if (tree && !preset.empty()) FolderTreeSelect(tree, preset);
  return tree;
}

bool FollowTargetTree(HWND window, HWND tree, WPARAM wParam, std::string& folder) {
  if (!tree || LOWORD(wParam) != GetDlgCtrlID(tree) || HIWORD(wParam) != kFolderTreeSelChanged) return false;
  folder = FolderTreeSelectedPath(tree);
  SetWindowTextA(window, folder.c_str());
  // The skinned caption is drawn by the frame: it is drawn again with the new text.
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

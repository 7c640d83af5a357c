// Keeping the user's view of the folder tree over a rebuild: the open folders, the top row
// and the horizontal scroll, found again by their paths.
#include <windows.h>
#include <commctrl.h>

#include "fileio/paths.h"
#include "folder_tree_internal.h"
#include "pick/folder_tree.h"

namespace folder_tree {

namespace {

bool IsOpen(HWND tree, HTREEITEM item) {
  return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// The open folders below item (and item's siblings), parents first; a closed folder's
// branch is left out even where folders inside it are still marked open.
void CollectOpen(HWND tree, HTREEITEM item, std::vector<std::string>& open) {
  for (; item; item = TreeView_GetNextSibling(tree, item)) {
    if (!IsOpen(tree, item)) continue;
    FolderNode* node = NodeOf(tree, item);
    if (node) open.push_back(node->path);
    CollectOpen(tree, TreeView_GetChild(tree, item), open);
  }
}

// The item of a folder ("" is the root without a path); the nearest folder above it that
// is still there when it went.
HTREEITEM ItemOrNearest(HWND control, TreeData& data, std::string path) {
  for (;;) {
    if (path.empty()) {
      FolderNode* root = NodeOf(data.tree, data.root);
      return root && root->holdsDrives ? data.root : nullptr;
    }
    if (HTREEITEM item = OpenPathTo(control, path)) return item;
    std::string parent = fileio::WithoutTrailingSeparator(fileio::FolderOf(path));
    if (parent.size() >= path.size()) return nullptr;
    // A drive's folder ("c:") goes on to the root of the drives.
    path = parent.size() <= 2 ? std::string() : parent;
  }
}

}  // namespace

}  // namespace folder_tree

using namespace folder_tree;

FolderTreeLook FolderTreeSaveLook(HWND control) {
  FolderTreeLook look;
  TreeData* data = DataOf(control);
  if (!data || !data->root) return look;
  CollectOpen(data->tree, data->root, look.openFolders);
  HTREEITEM top = TreeView_GetFirstVisible(data->tree);
  if (FolderNode* node = NodeOf(data->tree, top)) {
    look.topFolder = node->path;
    look.hasTop = true;
  }
  look.horizontalScroll = GetScrollPos(data->tree, SB_HORZ);
  return look;
}

void FolderTreeRestoreLook(HWND control, const FolderTreeLook& look) {
  TreeData* data = DataOf(control);
  if (!data || !data->root) return;
  for (const std::string& folder : look.openFolders) {
    HTREEITEM item = folder.empty() ? data->root : OpenPathTo(control, folder);
    if (!item) continue;
    SendMessageA(data->tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    FILLFOLDERNODE(data->tree, item, false);
  }
  if (look.hasTop) {
    if (HTREEITEM top = ItemOrNearest(control, *data, look.topFolder)) TreeView_SelectSetFirstVisible(data->tree, top);
  }
  SendMessageA(data->tree, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(look.horizontalScroll)), 0);
  InvalidateRect(data->tree, nullptr, FALSE);
}

// The folder tree's shell side: identifier lists, display names, icons, the root and the
// lazy reading of a folder's subfolders.
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "folder_tree_internal.h"
#include "pick/folder_rules.h"
#include "pick/folder_tree.h"
#include "skin/sk_draw.h"
#include "win/raii.h"

namespace folder_tree {
namespace {

std::atomic<long>& FolderReads() {
  static std::atomic<long> reads{0};
  return reads;
}

using GetFileInfoW = DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);

// The wide-character SHGetFileInfoW, looked up by name so that display names keep the
// characters the ANSI call would lose; null where it does not exist.
GetFileInfoW WideFileInfo() {
  static GetFileInfoW fn = [] {
    HMODULE shell = GetModuleHandleA("shell32.dll");
    if (!shell) shell = LoadLibraryA("shell32.dll");
    return shell ? reinterpret_cast<GetFileInfoW>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFileInfoW")))
                 : nullptr;
  }();
  return fn;
}

std::string Narrow(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(size_t(n - 1));
  return out;
}

std::wstring Widen(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(size_t(n > 0 ? n : 1), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), n);
  out.resize(out.size() - 1);
  return out;
}

// Icon indexes of a folder in the system image list: normal and open.
void IconsOf(LPCITEMIDLIST pidl, const std::string& path, int& icon, int& openIcon) {
  icon = openIcon = 0;
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  SHFILEINFOA info{};
  if (pidl) {
    if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, flags | SHGFI_PIDL)) icon = info.iIcon;
    if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, flags | SHGFI_PIDL | SHGFI_OPENICON))
      openIcon = info.iIcon;
    else openIcon = icon;
    return;
  }
  if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags)) icon = info.iIcon;
  openIcon = SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags | SHGFI_OPENICON) ? info.iIcon : icon;
}

FolderNode* NewNode(HWND tree, const std::string& path, LPITEMIDLIST pidl) {
  auto* node = static_cast<FolderNode*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(FolderNode)));
  if (!node) return nullptr;
  lstrcpynA(node->path, path.c_str(), sizeof node->path);
  node->pidl = pidl;
  if (pidl) {
    LPCITEMIDLIST last = ILFindLastID(pidl);
    node->relative = ILClone(last);
  }
  std::string name = DisplayName(pidl, path);
  if (name.empty()) name = path;
  lstrcpynA(node->name, name.c_str(), sizeof node->name);
  IconsOf(pidl, path, node->icon, node->openIcon);
  node->tree = tree;
  return node;
}

HTREEITEM InsertNode(HWND tree, HTREEITEM parent, FolderNode* node, int children) {
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  ins.item.pszText = node->name;
  ins.item.lParam = reinterpret_cast<LPARAM>(node);
  ins.item.iImage = node->icon;
  ins.item.iSelectedImage = node->openIcon;
  ins.item.cChildren = children;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!item) {
    FreeNode(node);
    return nullptr;
  }
  node->item = item;
  return item;
}

void SetChildCount(HWND tree, HTREEITEM item, int count) {
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
  tv.hItem = item;
  tv.cChildren = count;
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

// Whether a child of this drive gets its expand button from a look inside it; on drives
// that may be slow or empty (removable, optical, network) every folder may have children.
bool LooksInside(const std::string& path) {
  if (path.size() < 3) return false;
  UINT type = GetDriveTypeA(path.substr(0, 3).c_str());
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

// The sort callback: the shell's own order of two siblings (IShellFolder::CompareIDs in
// the parent folder), by name where a node has no identifier list.
struct SortContext {
  IShellFolder* folder;
  bool fullLists;  // compare full lists in the desktop folder (children of a drives root)
};

int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM context) {
  auto* x = reinterpret_cast<FolderNode*>(a);
  auto* y = reinterpret_cast<FolderNode*>(b);
  auto* sort = reinterpret_cast<SortContext*>(context);
  LPCITEMIDLIST px = sort->fullLists ? x->pidl : x->relative;
  LPCITEMIDLIST py = sort->fullLists ? y->pidl : y->relative;
  if (sort->folder && px && py) {
    HRESULT hr = sort->folder->CompareIDs(0, px, py);
    if (SUCCEEDED(hr)) {
      short order = short(HRESULT_CODE(hr));
      if (order != 0) return order < 0 ? -1 : 1;
    }
  }
  return lstrcmpiA(x->name, y->name);
}

void SortChildren(HWND tree, FolderNode* parent) {
  IShellFolder* desktop = nullptr;
  SHGetDesktopFolder(&desktop);
  SortContext context{nullptr, parent->holdsDrives != 0};
  if (desktop) {
    if (context.fullLists || !parent->pidl || parent->pidl->mkid.cb == 0) {
      context.folder = desktop;
      context.folder->AddRef();
    } else {
      void* bound = nullptr;
      if (SUCCEEDED(desktop->BindToObject(parent->pidl, nullptr, IID_IShellFolder, &bound)))
        context.folder = static_cast<IShellFolder*>(bound);
    }
  }
  TVSORTCB sort{};
  sort.hParent = parent->item;
  sort.lpfnCompare = CompareNodes;
  sort.lParam = reinterpret_cast<LPARAM>(&context);
  SendMessageA(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
  if (context.folder) context.folder->Release();
  if (desktop) desktop->Release();
}

void AddDrives(HWND tree, FolderNode* parent) {
  DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    std::string root = std::string(1, char('A' + i)) + ":\\";
    UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) continue;
    FolderNode* node = NewNode(tree, root, PathToIdList(root));
    if (!node) continue;
    int children = (type == DRIVE_FIXED || type == DRIVE_RAMDISK) ? (HASSUBFOLDERS(root) ? 1 : 0) : 1;
    InsertNode(tree, parent->item, node, children);
  }
}

void AddSubfolders(HWND tree, FolderNode* parent) {
  std::string folder = fileio::WithTrailingSeparator(parent->path);
  CountFolderRead();
  bool lookInside = LooksInside(folder);
  for (const fileio::DirEntry& e : fileio::ListDirectory(folder + "*.*")) {
    if (!e.directory) continue;
    std::string path = folder + e.name;
    if (path.size() > MAX_PATH) continue;  // the node record holds at most MAX_PATH characters
    FolderNode* node = NewNode(tree, path, PathToIdList(path));
    if (!node) continue;
    InsertNode(tree, parent->item, node, lookInside ? (HASSUBFOLDERS(path) ? 1 : 0) : 1);
  }
}

}  // namespace

HIMAGELIST SystemSmallIcons() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  char shortPath[MAX_PATH] = {};
  if (!GetShortPathNameA(windows, shortPath, sizeof shortPath)) lstrcpynA(shortPath, windows, sizeof shortPath);
  SHFILEINFOA info{};
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(shortPath, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (list) ImageList_SetBkColor(list, CLR_NONE);
  return list;
}

std::string DisplayName(LPCITEMIDLIST pidl, const std::string& path) {
  UINT flags = SHGFI_DISPLAYNAME | (pidl ? SHGFI_PIDL : 0);
  if (GetFileInfoW wide = WideFileInfo()) {
    SHFILEINFOW info{};
    std::wstring widePath = Widen(path);
    LPCWSTR what = pidl ? reinterpret_cast<LPCWSTR>(pidl) : widePath.c_str();
    if (wide(what, 0, &info, sizeof info, flags)) return Narrow(info.szDisplayName);
  }
  SHFILEINFOA info{};
  LPCSTR what = pidl ? reinterpret_cast<LPCSTR>(pidl) : path.c_str();
  if (SHGetFileInfoA(what, 0, &info, sizeof info, flags)) return info.szDisplayName;
  return {};
}

LPITEMIDLIST PathToIdList(const std::string& path) {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return nullptr;
  std::wstring wide = Widen(path);
  LPITEMIDLIST pidl = nullptr;
  ULONG eaten = 0;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &pidl, nullptr))) pidl = nullptr;
  desktop->Release();
  return pidl;
}

void FreeIdList(LPITEMIDLIST& pidl) {
  if (pidl) CoTaskMemFree(pidl);
  pidl = nullptr;
}

void FreeNode(FolderNode* node) {
  if (!node) return;
  FreeIdList(node->pidl);
  FreeIdList(node->relative);
  HeapFree(GetProcessHeap(), 0, node);
}

void CountFolderRead() { FolderReads()++; }

HTREEITEM BuildRootSpecial(HWND control, int specialFolder) {
  TreeData* data = DataOf(control);
  if (!data) return nullptr;
  LPITEMIDLIST pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(control, specialFolder, &pidl))) pidl = nullptr;
  char path[MAX_PATH] = {};
  // The desktop's identifier list names a folder on disk too, but its tree holds the drives.
  bool virtualRoot = specialFolder == CSIDL_DESKTOP || !pidl || !SHGetPathFromIDListA(pidl, path) || !path[0];
  if (!virtualRoot) {
    FreeIdList(pidl);
    return BuildRootPath(control, path);
  }
  FolderNode* node = NewNode(data->tree, "", pidl);
  if (!node) return nullptr;
  if (!pidl || !node->name[0]) lstrcpynA(node->name, "Desktop", sizeof node->name);
  node->holdsDrives = 1;
  data->root = InsertNode(data->tree, TVI_ROOT, node, 1);
  CountBuild(control, *data);
  if (data->root) PostMessageA(data->tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(data->root));
  return data->root;
}

HTREEITEM BuildRootPath(HWND control, const std::string& path) {
  TreeData* data = DataOf(control);
  if (!data || !fileio::IsDirectory(path)) return nullptr;
  char full[MAX_PATH + 1] = {};
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof full) return nullptr;
  std::string folder = full;
  if (folder.size() > 3) folder = fileio::WithoutTrailingSeparator(folder);
  FolderNode* node = NewNode(data->tree, folder, PathToIdList(folder));
  if (!node) return nullptr;
  data->root = InsertNode(data->tree, TVI_ROOT, node, HASSUBFOLDERS(folder) ? 1 : 0);
  CountBuild(control, *data);
  if (data->root) PostMessageA(data->tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(data->root));
  return data->root;
}

void FILLFOLDERNODE(HWND tree, HTREEITEM item, bool again) {
  FolderNode* node = NodeOf(tree, item);
  if (!node || (node->filled && !again)) return;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  if (node->filled) {
    // Re-reading: the old children go first (their records are freed on deletion).
    HTREEITEM child;
    while ((child = TreeView_GetChild(tree, item)) != nullptr) TreeView_DeleteItem(tree, child);
  }
  node->filled = 1;
  if (node->holdsDrives) AddDrives(tree, node);
  else AddSubfolders(tree, node);
  if (TreeView_GetChild(tree, item)) {
    SortChildren(tree, node);
    SetChildCount(tree, item, 1);
  } else {
    SetChildCount(tree, item, 0);  // a folder without subfolders loses its expand button
  }
  SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace folder_tree

using namespace folder_tree;

int HASSUBFOLDERS(const std::string& path) {
  if (path.empty()) return 0;
  CountFolderRead();
  std::string pattern = fileio::WithTrailingSeparator(path) + "*";
  WIN32_FIND_DATAA fd;
  // Where the file system can, it hands out only the folders; elsewhere the probe stops
  // after its few entries all the same.
  win::FindHandle find(FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchLimitToDirectories,
                                        nullptr, 0));
  if (!find) return 0;
  bool first = true;
  bool found = pick::ProbeSubfolders([&](std::string& name, bool& isFolder) {
    if (!first && !FindNextFileA(find.Get(), &fd)) return false;
    first = false;
    name = fd.cFileName;
    isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
  });
  return found ? -1 : 0;
}

long FolderTreeFolderReads() { return FolderReads().load(); }

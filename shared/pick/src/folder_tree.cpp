// The folder tree control: creation, messages, notifications to the parent, selection by
// path and the skinned painting of its tree view.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "folder_tree_internal.h"
#include "pick/folder_rules.h"
#include "pick_module.h"
#include "pick/folder_tree.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace folder_tree {

TreeData* DataOf(HWND control) { return static_cast<TreeData*>(GetPropA(control, kDataProperty)); }

FolderNode* NodeOf(HWND tree, HTREEITEM item) {
  if (!item) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return reinterpret_cast<FolderNode*>(tv.lParam);
}

bool ItemHasChildren(HWND tree, HTREEITEM item) {
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
  tv.hItem = item;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return tv.cChildren != 0 || TreeView_GetChild(tree, item) != nullptr;
}

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNearWhite = RGB(250, 250, 250);

// White is the transparent colour of the painting, so white text becomes near-white.
COLORREF Visible(COLORREF colour) { return colour == kWhite ? kNearWhite : colour; }

void Notify(HWND control, WORD code, LPARAM lParam) {
  HWND parent = GetParent(control);
  if (!parent) return;
  WPARAM wp = MAKEWPARAM(WORD(GetDlgCtrlID(control)), code);
  if (code == kFolderTreeCreated) PostMessageA(parent, WM_COMMAND, wp, lParam);
  else SendMessageA(parent, WM_COMMAND, wp, lParam);
}

void DeleteAll(TreeData& data) {
  data.clearing = 1;
  SendMessageA(data.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  data.root = nullptr;
  data.clearing = 0;
  InvalidateRect(data.tree, nullptr, TRUE);
}

std::string TextArgument(WPARAM size, LPARAM text) {
  const char* p = reinterpret_cast<const char*>(text);
  if (!p) return {};
  size_t limit = size ? size_t(size) : MAX_PATH;
  size_t n = 0;
  while (n < limit && p[n]) ++n;
  return std::string(p, n);
}

// Looks among the children of item for the folder path, reading the folder again once
// when it is not there (it may have been made after the folder was read).
HTREEITEM FindChild(HWND tree, HTREEITEM item, const std::string& path) {
  for (int pass = 0; pass < 2; ++pass) {
    for (HTREEITEM c = TreeView_GetChild(tree, item); c; c = TreeView_GetNextSibling(tree, c)) {
      FolderNode* node = NodeOf(tree, c);
      if (node && fileio::EqualsNoCase(node->path, path)) return c;
    }
    if (pass == 0) FILLFOLDERNODE(tree, item, true);
  }
  return nullptr;
}

// FINDFOLDERNODE: walks from the root along the folders of the path, expanding each one
// on the way, and selects the last with code (TVGN_CARET or TVGN_DROPHILITE).
HTREEITEM FINDFOLDERNODE(HWND control, const std::string& path, UINT code) {
  TreeData* data = DataOf(control);
  if (!data) return nullptr;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  HTREEITEM item = OpenPathTo(control, path);
  if (item) SendMessageA(data->tree, TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item));
  SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
  return item;
}

LRESULT OnNotify(HWND control, TreeData& data, NMHDR* header) {
  if (header->hwndFrom != data.tree) return 0;
  switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      if (info->action & TVE_EXPAND) FILLFOLDERNODE(data.tree, info->itemNew.hItem, false);
      return 0;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
      InvalidateRect(data.tree, nullptr, FALSE);
      return 0;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      if (!data.clearing && info->itemNew.hItem && (info->action == TVC_UNKNOWN || info->action == TVC_BYMOUSE))
        Notify(control, kFolderTreeSelChanged, reinterpret_cast<LPARAM>(data.tree));
      InvalidateRect(data.tree, nullptr, FALSE);
      return 0;
    }
    case NM_RCLICK:
      Notify(control, kFolderTreeRightClick, reinterpret_cast<LPARAM>(data.tree));
      return 0;
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      Notify(control, kFolderTreeBeginEdit, reinterpret_cast<LPARAM>(data.tree));
      return 0;
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW:
      Notify(control, kFolderTreeEndEdit, reinterpret_cast<LPARAM>(data.tree));
      return 0;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
      return BeginDrag(control, data.tree, *reinterpret_cast<NMTREEVIEWA*>(header));
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW: {
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      FreeNode(reinterpret_cast<FolderNode*>(info->itemOld.lParam));
      return 0;
    }
    case NM_CUSTOMDRAW: {
      auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
      if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED)) {
        draw->clrText = Visible(SKGETSYSCOLOR(kSkinSelectionText));
        draw->clrTextBk = Visible(SKGETSYSCOLOR(kSkinSelectionBack));
      }
      return CDRF_DODEFAULT;
    }
    default:
      return 0;
  }
}

LRESULT OnCreate(HWND control, const CREATESTRUCTA& cs) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  auto* data = static_cast<TreeData*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TreeData)));
  if (!data) return -1;
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  data->comStarted = SUCCEEDED(com) ? 1 : 0;
  // The tree view takes the TVS_ bits the caller gave the control; labels are editable
  // only when they include TVS_EDITLABELS.
  DWORD style = (cs.style & 0xFFFF) | WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                TVS_SHOWSELALWAYS;
  RECT r;
  GetClientRect(control, &r);
  data->tree = CreateWindowExA(0, WC_TREEVIEWA, "", style, 0, 0, r.right, r.bottom, control,
                               reinterpret_cast<HMENU>(INT_PTR(1)), GetModuleHandleA(nullptr), nullptr);
  if (!data->tree) {
    if (data->comStarted) CoUninitialize();
    HeapFree(GetProcessHeap(), 0, data);
    return -1;
  }
  SendMessageA(data->tree, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), FALSE);
  SendMessageA(data->tree, TVM_SETBKCOLOR, 0, LPARAM(kWhite));
  COLORREF text = Visible(SKGETSYSCOLOR(kSkinControlText));
  SendMessageA(data->tree, TVM_SETTEXTCOLOR, 0, LPARAM(text));
  SendMessageA(data->tree, TVM_SETLINECOLOR, 0, LPARAM(text));
  data->images = SystemSmallIcons();
  if (data->images) SendMessageA(data->tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(data->images));
  SetPropA(control, kDataProperty, data);
  data->treeProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(data->tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOLDERTREESUBPROC)));
  BuildRootSpecial(control, CSIDL_DESKTOP);
  Notify(control, kFolderTreeCreated, reinterpret_cast<LPARAM>(control));
  CreateDragCursor();
  return 0;
}

void OnNcDestroy(HWND control) {
  TreeData* data = DataOf(control);
  if (!data) return;
  RemovePropA(control, kDataProperty);
  RemovePropA(control, kFolderTreeBuildsProperty);
  if (data->comStarted) CoUninitialize();
  HeapFree(GetProcessHeap(), 0, data);
}

// The tree view paints into an off-screen buffer over the skin's background: it draws on
// white, which SKTRANSBLT leaves out.
void PaintTree(HWND tree, TreeData& data) {
  win::PaintDC dc(tree);
  RECT r;
  GetClientRect(tree, &r);
  if (r.right <= 0 || r.bottom <= 0) return;
  HDC buffer = SKOFFSCREEN(dc, r.right, r.bottom, 0);
  if (!buffer) {
    CallWindowProcA(data.treeProc, tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()),
                    PRF_CLIENT | PRF_ERASEBKGND);
    return;
  }
  SKTILEBLT(buffer, 0, 0, r.right, r.bottom, SKCTLBACK());
  {
    win::MemoryDC drawn(dc, r.right, r.bottom);
    SKFILLRECT(drawn, 0, 0, r.right, r.bottom, kWhite);
    CallWindowProcA(data.treeProc, tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.Get()),
                    PRF_CLIENT | PRF_ERASEBKGND);
    SKTRANSBLT(buffer, 0, 0, r.right, r.bottom, drawn, 0, 0, kWhite);
  }
  SKOFFSCREEN(dc, r.right, r.bottom, 1);
}

}  // namespace

HTREEITEM OpenPathTo(HWND control, const std::string& path) {
  TreeData* data = DataOf(control);
  if (!data || !data->root || pick::IsNetworkPath(path) || !fileio::IsDirectory(path)) return nullptr;
  char full[MAX_PATH + 1] = {};
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof full) return nullptr;
  FolderNode* root = NodeOf(data->tree, data->root);
  if (!root) return nullptr;
  std::vector<std::string> chain;
  if (!pick::FolderChain(root->holdsDrives ? "" : root->path, full, chain)) return nullptr;
  HTREEITEM item = data->root;
  for (size_t i = 1; item && i < chain.size(); ++i) {
    if (!ItemHasChildren(data->tree, item)) return nullptr;
    SendMessageA(data->tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    FILLFOLDERNODE(data->tree, item, false);  // in case the expansion did not read it
    UpdateWindow(data->tree);
    item = FindChild(data->tree, item, chain[i]);
  }
  return item;
}

void CountBuild(HWND control, TreeData& data) {
  ++data.builds;
  SetPropA(control, kFolderTreeBuildsProperty, reinterpret_cast<HANDLE>(INT_PTR(data.builds)));
}

}  // namespace folder_tree

using namespace folder_tree;

LRESULT CALLBACK FOLDERTREESUBPROC(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  TreeData* data = DataOf(GetParent(tree));
  if (!data || !data->treeProc) return DefWindowProcA(tree, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (wParam) break;  // a caller's own context: draw plainly into it
      PaintTree(tree, *data);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      // The focus mark is drawn over the skin: paint all of it again.
      LRESULT r = CallWindowProcA(data->treeProc, tree, message, wParam, lParam);
      InvalidateRect(tree, nullptr, FALSE);
      return r;
    }
    case WM_NCDESTROY:
      return CallWindowProcA(data->treeProc, tree, message, wParam, lParam);
    default:
      break;
  }
  // The tree view scrolls by moving its pixels, and the skin's background moves with them:
  // whatever scrolled it (bar, wheel, keys, an expansion, a selection, the program), the
  // rows are painted again whole.
  int vertical = GetScrollPos(tree, SB_VERT), horizontal = GetScrollPos(tree, SB_HORZ);
  LRESULT r = CallWindowProcA(data->treeProc, tree, message, wParam, lParam);
  if (IsWindow(tree) && (GetScrollPos(tree, SB_VERT) != vertical || GetScrollPos(tree, SB_HORZ) != horizontal))
    InvalidateRect(tree, nullptr, FALSE);
  return r;
}

LRESULT CALLBACK FOLDERTREEPROC(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(control, *reinterpret_cast<CREATESTRUCTA*>(lParam));
  TreeData* data = DataOf(control);
  if (!data) return DefWindowProcA(control, message, wParam, lParam);
  LRESULT dragResult = 0;
  if (DragMessage(control, message, wParam, lParam, dragResult)) return dragResult;
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(control, *data, reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
      MoveWindow(data->tree, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(data->tree);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      win::PaintDC dc(control);  // the tree view covers the whole client area
      return 0;
    }
    case WM_SETFONT:
      SendMessageA(data->tree, WM_SETFONT, wParam, lParam);
      return 0;
    case WM_SETREDRAW:
      // The tree view keeps its own flag: while it is off, a rebuild neither lays out nor
      // paints a row.
      SendMessageA(data->tree, WM_SETREDRAW, wParam, 0);
      return DefWindowProcA(control, message, wParam, lParam);
    case WM_GETFONT:
      return SendMessageA(data->tree, WM_GETFONT, 0, 0);
    case kFolderTreeClear:
      DeleteAll(*data);
      return 1;
    case kFolderTreeRepaint:
      RedrawWindow(data->tree, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return 1;
    case kFolderTreeRootPath: {
      if (!lParam) return 0;
      std::string path = TextArgument(wParam, lParam);
      if (!fileio::IsDirectory(path)) return 0;
      DeleteAll(*data);
      return BuildRootPath(control, path) ? 1 : 0;
    }
    case kFolderTreeRootSpecial:
      DeleteAll(*data);
      return BuildRootSpecial(control, int(wParam)) ? 1 : 0;
    case kFolderTreeSelectPath:
      return reinterpret_cast<LRESULT>(FINDFOLDERNODE(control, TextArgument(wParam, lParam), TVGN_CARET));
    case kFolderTreeGetPath: {
      char* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer || wParam < 1) return 0;
      std::string path = FolderTreeItemPath(data->tree, TreeView_GetSelection(data->tree));
      size_t n = std::min(path.size(), size_t(wParam) - 1);
      memcpy(buffer, path.data(), n);
      buffer[n] = '\0';
      return LRESULT(n);
    }
    case kFolderTreePathLength:
      return LRESULT(FolderTreeItemPath(data->tree, TreeView_GetSelection(data->tree)).size());
    case kFolderTreeExpandRoot:
      if (data->root)
        SendMessageA(data->tree, TVM_EXPAND, wParam ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(data->root));
      return 1;
    case kFolderTreeBackColour: {
      LRESULT old = SendMessageA(data->tree, TVM_SETBKCOLOR, 0, lParam);
      // Lines are drawn in the background's colour scheme only after the style changes.
      LONG_PTR style = GetWindowLongPtrA(data->tree, GWL_STYLE);
      SetWindowLongPtrA(data->tree, GWL_STYLE, style & ~LONG_PTR(TVS_HASLINES));
      SetWindowLongPtrA(data->tree, GWL_STYLE, style | TVS_HASLINES);
      InvalidateRect(data->tree, nullptr, TRUE);
      return old;
    }
    case WM_DESTROY:
      DeleteAll(*data);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(control);
      return 0;
    default:
      return DefWindowProcA(control, message, wParam, lParam);
  }
}

HWND CREATEFOLDERTREE(HWND parent, const std::string& startPath, int x, int y, int width, int height, int id) {
  if (!win::RegisterClassOnce({.name = kClassName, .procedure = FOLDERTREEPROC, .instance = pick_module::Instance()}))
    return nullptr;
  HWND control = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP,
                                 x, y, width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                 pick_module::Instance(), nullptr);
  if (control && !startPath.empty())
    SendMessageA(control, kFolderTreeSelectPath, MAX_PATH, reinterpret_cast<LPARAM>(startPath.c_str()));
  return control;
}

HWND FolderTreeView(HWND control) {
  TreeData* data = DataOf(control);
  return data ? data->tree : nullptr;
}

std::string FolderTreeItemPath(HWND treeView, HTREEITEM item) {
  FolderNode* node = NodeOf(treeView, item);
  return node ? std::string(node->path) : std::string();
}

std::string FolderTreeSelectedPath(HWND control) {
  HWND tree = FolderTreeView(control);
  return tree ? FolderTreeItemPath(tree, TreeView_GetSelection(tree)) : std::string();
}

long FolderTreeBuilds(HWND control) {
  return long(reinterpret_cast<INT_PTR>(GetPropA(control, kFolderTreeBuildsProperty)));
}

HTREEITEM FolderTreeSelect(HWND control, const std::string& path) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(control, kFolderTreeSelectPath, path.size() + 1, reinterpret_cast<LPARAM>(path.c_str())));
}

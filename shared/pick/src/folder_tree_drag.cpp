// Dragging a folder onto another in the folder tree: the drag image, the drop target mark,
// the hover timer that opens a folder after a second and the auto-scroll timer near the
// edges. One drag at a time in the process.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "folder_tree_internal.h"
#include "pick/folder_rules.h"
#include "pick/folder_tree.h"
#include "win/raii.h"

namespace folder_tree {
namespace {

struct DragState {
  bool running = false;
  HWND control = nullptr;
  HWND tree = nullptr;
  HTREEITEM dragged = nullptr;
  HTREEITEM hover = nullptr;
  HIMAGELIST image = nullptr;
  HIMAGELIST cursor = nullptr;  // the arrow cursor, combined with the drag image
  POINT hotSpot{};
  int direction = 0;            // of the auto-scroll: 0 up, 1 down
  bool cursorHidden = false;
};

DragState& Drag() {
  static DragState drag;
  return drag;
}

HTREEITEM HitItem(HWND tree, POINT treePoint) {
  TVHITTESTINFO hit{};
  hit.pt = treePoint;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) ? item : nullptr;
}

POINT ToTree(HWND control, HWND tree, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  MapWindowPoints(control, tree, &p, 1);
  return p;
}

// Shows the drag image only while the cursor is over the tree.
void ShowImageIfInside(HWND tree, POINT treePoint) {
  RECT r;
  GetClientRect(tree, &r);
  ImageList_DragShowNolock(PtInRect(&r, treePoint) ? TRUE : FALSE);
}

void CheckAutoScroll(HWND control, HWND tree, POINT treePoint) {
  int low = 0, high = 0;
  bool hasRange = GetScrollRange(tree, SB_VERT, &low, &high) && low != high;
  RECT r;
  GetClientRect(tree, &r);
  pick::AutoScroll s = pick::DecideAutoScroll(hasRange, r.left, r.top, r.right, r.bottom, treePoint.x, treePoint.y,
                                              GetSystemMetrics(SM_CYHSCROLL));
  DragState& d = Drag();
  if (s.action == pick::AutoScroll::kRun) {
    d.direction = s.direction;
    SetTimer(control, kScrollTimer, UINT(s.period), nullptr);
  } else if (s.action == pick::AutoScroll::kStop) {
    KillTimer(control, kScrollTimer);
  }
}

LRESULT OnMouseMove(HWND control, LPARAM lParam) {
  DragState& d = Drag();
  ImageList_DragLeave(nullptr);
  POINT p = ToTree(control, d.tree, lParam);
  HTREEITEM hit = HitItem(d.tree, p);
  if (d.hover && d.hover != hit) {
    d.hover = nullptr;
    KillTimer(control, kHoverTimer);
  }
  SendMessageA(d.tree, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(hit));
  POINT screen = p;
  ClientToScreen(d.tree, &screen);
  ImageList_DragEnter(nullptr, screen.x, screen.y);
  ShowImageIfInside(d.tree, p);
  CheckAutoScroll(control, d.tree, p);
  // What the tree already knows decides: a drag sends a stream of moves, and none of them
  // may read a folder from the disk.
  if (hit && ItemHasChildren(d.tree, hit)) {
    // Every move starts the second again: the folder opens when the cursor rests on it.
    d.hover = hit;
    SetTimer(control, kHoverTimer, kHoverMilliseconds, nullptr);
  }
  return 1;
}

// Ends the drag; with drop, hands the pair to the parent when the target may take it.
void EndDrag(HWND control, LPARAM lParam, bool drop) {
  DragState& d = Drag();
  d.running = false;
  KillTimer(control, kScrollTimer);
  KillTimer(control, kHoverTimer);
  ImageList_DragLeave(nullptr);
  ImageList_EndDrag();
  if (d.image) ImageList_Destroy(d.image);
  d.image = nullptr;
  if (GetCapture() == control) ReleaseCapture();
  HTREEITEM hit = drop ? HitItem(d.tree, ToTree(control, d.tree, lParam)) : nullptr;
  if (d.cursorHidden) {
    ShowCursor(TRUE);
    d.cursorHidden = false;
  }
  HWND tree = d.tree;
  HTREEITEM dragged = d.dragged;
  d.dragged = nullptr;
  d.hover = nullptr;
  SendMessageA(tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  auto parentOf = [tree](HTREEITEM item) { return TreeView_GetParent(tree, item); };
  if (drop && pick::DropAllowed(dragged, hit, parentOf)) {
    FolderTreeDrop pair{dragged, hit};
    if (HWND parent = GetParent(control))
      SendMessageA(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(control)), kFolderTreeDropped),
                   reinterpret_cast<LPARAM>(&pair));
  }
}

void OnScrollTimer(HWND control) {
  DragState& d = Drag();
  ImageList_DragShowNolock(FALSE);
  SendMessageA(d.tree, WM_VSCROLL, d.direction ? SB_LINEDOWN : SB_LINEUP, 0);
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(d.tree, &p);
  CheckAutoScroll(control, d.tree, p);
  ShowImageIfInside(d.tree, p);
}

void OnHoverTimer(HWND control) {
  DragState& d = Drag();
  KillTimer(control, kHoverTimer);
  if (!d.hover) return;
  ImageList_DragShowNolock(FALSE);
  SendMessageA(d.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(d.hover));
  UpdateWindow(d.tree);
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(d.tree, &p);
  ShowImageIfInside(d.tree, p);
}

}  // namespace

void CreateDragCursor() {
  DragState& d = Drag();
  if (d.cursor) return;
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ICONINFO info{};
  if (arrow && GetIconInfo(arrow, &info)) {
    // The icon's bitmaps are copies made for the caller.
    win::Bitmap mask(info.hbmMask), colour(info.hbmColor);
    d.hotSpot = POINT{LONG(info.xHotspot), LONG(info.yHotspot)};
  }
  d.cursor = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (d.cursor && ImageList_AddIcon(d.cursor, arrow) < 0) {
    ImageList_Destroy(d.cursor);
    d.cursor = nullptr;
  }
}

LRESULT BeginDrag(HWND control, HWND tree, const NMTREEVIEWA& info) {
  DragState& d = Drag();
  if (d.running || !info.itemNew.hItem) return 0;
  d.control = control;
  d.tree = tree;
  d.dragged = info.itemNew.hItem;
  d.hover = nullptr;
  d.image = reinterpret_cast<HIMAGELIST>(
      SendMessageA(tree, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(info.itemNew.hItem)));
  if (d.image) ImageList_BeginDrag(d.image, 0, 0, 0);
  if (d.cursor) ImageList_SetDragCursorImage(d.cursor, 0, d.hotSpot.x, d.hotSpot.y);
  ShowCursor(FALSE);
  d.cursorHidden = true;
  SetCapture(control);
  d.running = true;
  POINT p = info.ptDrag;
  ClientToScreen(tree, &p);
  ImageList_DragEnter(nullptr, p.x, p.y);
  return 1;
}

bool DragMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  DragState& d = Drag();
  if (!d.running || d.control != control) return false;
  switch (message) {
    case WM_MOUSEMOVE:
      result = OnMouseMove(control, lParam);
      return true;
    case WM_LBUTTONUP:
      EndDrag(control, lParam, true);
      result = 1;
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a box, a task switch): the drag ends without a drop.
      if (reinterpret_cast<HWND>(lParam) != control) EndDrag(control, 0, false);
      result = 0;
      return true;
    case WM_TIMER:
      if (wParam == kScrollTimer) OnScrollTimer(control);
      else if (wParam == kHoverTimer) OnHoverTimer(control);
      else return false;
      result = 0;
      return true;
    case WM_DESTROY:
      EndDrag(control, 0, false);
      return false;
    default:
      return false;
  }
}

}  // namespace folder_tree

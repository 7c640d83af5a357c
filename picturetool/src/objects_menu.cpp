// An object's own menu and commands, dragging and its status text.
#include <algorithm>

#include "boxes.h"
#include "bravik/object_rules.h"
#include "bravik/picture_rules.h"
#include "commands.h"
#include "objects.h"
#include "objects_internal.h"
#include "picture.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "fontbox.h"

namespace bravik {
namespace {

// The name of a kind: the caption of the object tool command of the kind.
std::string KindName(int kind) {
  if (kind < layer::kText || kind > layer::kPolyline) return {};
  return PlainCaption(SKGETMENUSTRING(kCmdNewText + kind - layer::kText));
}

const Menu* UiMenu(int number) { return App().menus.FindMenu(number); }

HMENU OrderMenu(const ObjectEntry& entry) {
  HMENU order = CreatePopupMenu();
  const Menu* m = UiMenu(kMenuOrder);
  std::string first = m && !m->items.empty() ? m->items.front().caption : std::string();
  std::string last = m && m->items.size() > 1 ? m->items.back().caption : std::string();
  std::vector<HWND> windows = QENUMOBJECT(App().canvas, 0);
  int n = int(windows.size());
  AppendMenuA(order, MF_STRING, kCmdToBack, first.c_str());
  for (int j = 1; j <= n; ++j) {
    HWND w = windows[size_t(j - 1)];
    char text[64] = {};
    GetWindowTextA(w, text, sizeof text);
    std::string caption = text;
    if (const ObjectEntry* e = FindObject(w); e && IsObject(*e)) caption += " " + ObjectLabel(KindName(e->data.kind), e->data);
    AppendMenuA(order, MF_STRING | (w == entry.window ? MF_CHECKED : 0), UINT_PTR(kCmdToBack + j), caption.c_str());
  }
  AppendMenuA(order, MF_STRING, UINT_PTR(kCmdToBack + 1 + n), last.c_str());
  return order;
}

void CopyObject(ObjectEntry& entry) {
  if (ObjectLimitReached(int(Objects().size()))) {
    ErrorBox(Ui(57));
    return;
  }
  layer::Object copy = entry.data;
  copy.visible = 1;
  if (MakeObjectWindow(copy)) {
    Renumber();
    SetObjectsModified();
    PAINTALLOBJECTS();
  }
}

// Edits the object in its box; the result replaces the window at the same place of the order.
void EditObject(ObjectEntry& entry) {
  ToolState& t = App();
  FontBoxParams& p = FONTBOXPARAMS();
  layer::Object o = entry.data;
  p.size = o.size;
  p.colour = o.colour;
  p.shadow = o.shadow;
  int answer = 0;
  if (o.kind == layer::kText) {
    p.family = o.font;
    p.text = o.text;
    p.kindAndStyle = 1;
    answer = FONTBOX(t.frame, UiField(46, 1));
    if (answer == 2) {
      o.text = TrimmedText(p.text);
      o.font = p.family;
    }
  } else {
    p.kindAndStyle = uint32_t(o.kind) | (uint32_t(o.style) << 16);
    answer = DRAWBOX(t.frame, UiField(46, 1));
  }
  if (answer != 2) return;
  o.size = p.size > 0 ? p.size : (o.kind == layer::kText ? 14 : 1);
  o.colour = p.colour;
  o.shadow = p.shadow;
  HWND old = entry.window;
  if (!MakeObjectWindow(o, old)) return;
  DestroyWindow(old);  // entry goes with it
  Renumber();
  SetObjectsModified();
  PAINTALLOBJECTS();
}

void TurnCommand(ObjectEntry& entry) {
  TurnObject(entry.data);
  if (entry.data.kind == layer::kText) MeasureTextObject(entry);
  PlaceObject(entry);
  SetObjectsModified();
  PAINTALLOBJECTS();
}

void MergeObject(ObjectEntry& entry) {
  ToolState& t = App();
  if (HDC out = OutputDc()) PAINTOBJECT(out, entry, entry.data.x, entry.data.y);
  DestroyWindow(entry.window);
  Renumber();
  t.modified |= kModifiedContent | kModifiedObjects;
  PAINTALLOBJECTS();
}

void OrderCommand(ObjectEntry& entry, int id) {
  std::vector<HWND> windows = QENUMOBJECT(App().canvas, 0);
  int n = int(windows.size());
  int own = int(std::find(windows.begin(), windows.end(), entry.window) - windows.begin()) + 1;
  int after = OrderInsertAfter(id, n, own);
  if (after == 0) return;
  SetWindowPos(entry.window, windows[size_t(after - 1)], 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
  Renumber();
  SetObjectsModified();
  PAINTALLOBJECTS();
}

}  // namespace

void ShowObjectMenu(ObjectEntry& entry, POINT screen) {
  HMENU menu = CreatePopupMenu();
  bool shape = entry.data.kind != layer::kText;
  bool room = !ObjectLimitReached(int(Objects().size()));
  if (const Menu* m = UiMenu(kMenuObject)) {
    for (const MenuItem& item : m->items) {
      if (item.separator) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      UINT flags = MF_STRING;
      if (item.command == kCmdLockObject && entry.data.option) flags |= MF_CHECKED;
      if ((item.command == kCmdDuplicateShown || item.command == kCmdDuplicateHere || item.command == kCmdDuplicate) && !room) flags |= MF_GRAYED;
      if (item.command == kCmdDuplicateShown && entry.data.visible == 0) flags |= MF_GRAYED;
      AppendMenuA(menu, flags, UINT_PTR(item.command), item.caption.c_str());
    }
  }
  if (const Menu* styles = UiMenu(kMenuFill)) {
    HMENU sub = CreatePopupMenu();
    for (const MenuItem& item : styles->items) {
      if (item.separator) continue;
      UINT flags = MF_STRING;
      if (!shape) flags |= MF_GRAYED;
      if (shape && item.command - kFillStyleBase == entry.data.style) flags |= MF_CHECKED;
      // Ellipses and rectangles have no open figure.
      if (item.command == kCmdFillOpen && (entry.data.kind == layer::kEllipse || entry.data.kind == layer::kRectangle))
        flags |= MF_GRAYED;
      AppendMenuA(sub, flags, UINT_PTR(item.command), item.caption.c_str());
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), styles->caption.c_str());
  }
  if (const Menu* order = UiMenu(kMenuOrder))
    AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(OrderMenu(entry)), order->caption.c_str());
  // The command arrives at the object's window procedure as WM_COMMAND.
  TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, entry.window, nullptr);
  DestroyMenu(menu);
}

void ObjectCommand(ObjectEntry& entry, int id) {
  switch (id) {
    case kCmdEditObject:
      EditObject(entry);
      return;
    case kCmdDuplicate:
    case kCmdDuplicateShown:
    case kCmdDuplicateHere:
      CopyObject(entry);
      return;
    case kCmdTurnObject:
      TurnCommand(entry);
      return;
    case kCmdMergeObject:
      MergeObject(entry);
      return;
    case kCmdHideObject:
      entry.data.visible = 0;
      EnableWindow(entry.window, FALSE);
      ShowWindow(entry.window, SW_HIDE);
      SetObjectsModified();
      PAINTALLOBJECTS();
      return;
    case kCmdDeleteObject:
      DestroyWindow(entry.window);
      Renumber();
      SetObjectsModified();
      PAINTALLOBJECTS();
      return;
    case kCmdLockObject:
      entry.data.option = entry.data.option ? 0 : 1;
      return;
    default:
      break;
  }
  if (id >= kCmdFillOutline && id <= kCmdFillOpen) {
    if (entry.data.kind == layer::kText || entry.data.style == id - kFillStyleBase) return;
    entry.data.style = id - kFillStyleBase;
    SetWindowLongPtrA(entry.window, GWLP_USERDATA, LONG_PTR(uint32_t(entry.data.kind) | (uint32_t(entry.data.style) << 16)));
    OBJECTREGION(entry);
    SetObjectsModified();
    PAINTALLOBJECTS();
    return;
  }
  if (id >= kCmdToBack && id <= kCmdToBack + 2 * kMaxObjectEntries) OrderCommand(entry, id);
}

void StartDrag(ObjectEntry& entry, POINT at) {
  entry.dragging = true;
  entry.moved = false;
  entry.grab = at;
  SetFocus(entry.window);
  SetCapture(entry.window);
  if (HCURSOR c = LoadCursorA(App().instance, "HAND1")) SetCursor(c);
}

void DragTo(ObjectEntry& entry, POINT at) {
  ToolState& t = App();
  if (HCURSOR c = LoadCursorA(t.instance, "HAND2")) SetCursor(c);
  POINT p = at;
  MapWindowPoints(entry.window, t.canvas, &p, 1);
  int left = p.x - entry.grab.x, top = p.y - entry.grab.y;
  SetWindowPos(entry.window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  entry.data.x = left + t.scrollX;
  entry.data.y = top + t.scrollY;
  entry.moved = true;
  PAINTALLOBJECTS();
  UpdateWindow(t.canvas);
  Sleep(0);
}

void EndDrag(ObjectEntry& entry) {
  ToolState& t = App();
  entry.dragging = false;
  if (HCURSOR c = LoadCursorA(t.instance, "HAND1")) SetCursor(c);
  if (GetCapture() == entry.window) ReleaseCapture();
  RECT r;
  GetWindowRect(entry.window, &r);
  MapWindowPoints(nullptr, t.canvas, reinterpret_cast<POINT*>(&r), 2);
  entry.data.x = r.left + t.scrollX;
  entry.data.y = r.top + t.scrollY;
  if (entry.moved) SetObjectsModified();
  entry.moved = false;
  PAINTALLOBJECTS();
}

void ShowObjectStatus(const ObjectEntry& entry) {
  char text[64] = {};
  GetWindowTextA(entry.window, text, sizeof text);
  std::string what = entry.data.kind == layer::kText ? TrimmedText(entry.data.text) : KindName(entry.data.kind);
  std::string status = what + " (" + std::to_string(entry.data.number) + ") " + text + " " +
                       UiField(55, entry.data.option ? 1 : 2, ',');
  SetWindowTextA(App().status, status.c_str());
}

}  // namespace bravik

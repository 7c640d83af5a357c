// Picture objects: the object table, the object windows over the canvas, their painting,
// regions and the private messages through which the main window reaches them all.
#include "objects.h"

#include <algorithm>

#include "boxes.h"
#include "bravik/picture_rules.h"
#include "fileio/fields.h"
#include "imaging/layer_writer.h"
#include "imaging/shape_plan.h"
#include "imaging/text_shape.h"
#include "objects_internal.h"
#include "picture.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "state.h"
#include "fontbox.h"
#include "win/raii.h"
#include "win/window_class.h"

namespace bravik {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kTextRenderingAntiAlias = 4;

uint32_t KindAndStyle(const layer::Object& o) { return uint32_t(o.kind & 0xFFFF) | (uint32_t(o.style & 0xFFFF) << 16); }

int ShadowReach(const layer::Object& o) { return std::abs(o.shadow); }

// The window's size: a text's box with room for its shadow; a shape's own size.
SIZE WindowSize(const layer::Object& o) {
  if (o.kind == layer::kText) return SIZE{std::max(1, o.width + ShadowReach(o)), std::max(1, o.height + ShadowReach(o))};
  return SIZE{std::max(1, o.width), std::max(1, o.height)};
}

// Paints an object as if it were visible.
void PaintObjectShown(HDC dc, const layer::Object& o, Gdiplus::GpFont* font, int x, int y) {
  if (!dc || o.kind == 0) return;
  if (o.kind == layer::kText) {
    if (!font) return;
    DRAWSTRINGGDIP(dc, TrimmedText(o.text), x, y, o.width, o.height, o.colour, kTextRenderingAntiAlias, font, o.shadow,
                   o.formatFlags);
  } else if (!o.points.empty()) {
    DRAWSHAPE(dc, x, y, int(o.points.size()), shapes::PointBuffer(o.points), o.colour, o.shadow, o.size,
              KindAndStyle(o));
  }
}

// Destroys every object window; the kind-0 window stays.
void DestroyObjects() {
  for (HWND w : QENUMOBJECT(App().canvas, 0)) {
    ObjectEntry* e = FindObject(w);
    if (e && IsObject(*e)) DestroyWindow(w);
  }
}

void ReadSideFile(const std::string& path) {
  DestroyObjects();
  layer::Trailer trailer;
  std::vector<layer::Object> objects;
  std::string layerPath = layer::LayerPathFor(path);
  if (!layerPath.empty() && layer::ReadFile(layerPath, trailer, objects)) {
    for (const layer::Object& o : objects) {
      if (o.kind < layer::kText || o.kind > layer::kPolyline) continue;
      if (ObjectLimitReached(int(Objects().size()))) break;
      MakeObjectWindow(o);
    }
  }
  Renumber();
}

// True when a layered file was written (false also when there are no objects: then the
// old file is only deleted).
bool WriteSideFile(const std::string& path) {
  ToolState& t = App();
  PAINTALLOBJECTS();  // the picture block shows the picture with its objects
  int side = fileio::LeadingNumber(Ui(56));
  return WRITELAYERFILE(path, SKGETHDCMEMBMP(t.canvas), t.pictureWidth, t.pictureHeight, ObjectsForFile(),
                 side > 0 ? side : 160);
}

void MergeAll(bool showResult) {
  ToolState& t = App();
  bool any = false;
  if (HDC out = OutputDc()) {
    for (HWND w : QENUMOBJECT(t.canvas, 0)) {
      ObjectEntry* e = FindObject(w);
      if (!e || !IsObject(*e)) continue;
      PAINTOBJECT(out, *e, e->data.x, e->data.y);
      any = true;
    }
  }
  DestroyObjects();
  Renumber();
  if (any) t.modified |= kModifiedContent | kModifiedObjects;
  if (showResult) PAINTALLOBJECTS();
}

LRESULT AllObjects(UINT message, LPARAM lParam) {
  switch (message) {
    case kObjRepaint:
      PAINTALLOBJECTS();
      return 1;
    case kObjShowAll:
    case kObjHideAll: {
      int visible = message == kObjShowAll ? 1 : 0;
      bool changed = false;
      for (auto& e : Objects()) {
        if (!IsObject(*e)) continue;
        changed |= e->data.visible != visible;
        e->data.visible = visible;
        EnableWindow(e->window, visible);
        ShowWindow(e->window, visible ? SW_SHOWNA : SW_HIDE);
      }
      if (changed) SetObjectsModified();
      PAINTALLOBJECTS();
      return 0;
    }
    case kObjMergeAll:
    case kObjMergeAllShow:
      MergeAll(true);
      return 0;
    case kObjLockAll:
    case kObjUnlockAll:
      for (auto& e : Objects())
        if (IsObject(*e)) e->data.option = message == kObjLockAll ? 1 : 0;
      return 0;
    case kObjDeleteAll:
      if (ObjectCount() > 0 && AskBox(Ui(54)) == 1) {
        DestroyObjects();
        Renumber();
        SetObjectsModified();
        PAINTALLOBJECTS();
      }
      return 0;
    case kObjRestoreStates:
      for (auto& e : Objects()) {
        if (!IsObject(*e)) continue;
        e->dragging = false;
        EnableWindow(e->window, e->data.visible != 0);
        ShowWindow(e->window, e->data.visible ? SW_SHOWNA : SW_HIDE);
      }
      return 0;
    case kObjWriteFile:
      return WriteSideFile(reinterpret_cast<const char*>(lParam)) ? 1 : 0;
    case kObjReadFile:
      ReadSideFile(reinterpret_cast<const char*>(lParam));
      return 0;
    default:
      return 0;
  }
}

}  // namespace

ObjectTable& Objects() {
  static ObjectTable table;
  return table;
}

ObjectEntry* FindObject(HWND window) {
  for (auto& e : Objects())
    if (e->window == window) return e.get();
  return nullptr;
}

int OBJECTLIST(HWND window) {
  ObjectTable& table = Objects();
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i]->window == window) return int(i) + 1;
  return 0;
}

int ObjectCount() { return std::max(0, int(Objects().size()) - 1); }

void SetObjectsModified() { App().modified |= kModifiedObjects; }

HWND CREATEOBJECT(HWND canvas, LONG_PTR creationParameter) {
  ToolState& t = App();
  HCURSOR move = LoadCursorA(t.instance, "MOVE");
  if (!move) move = LoadCursor(nullptr, IDC_SIZEALL);
  if (!win::RegisterClassOnce({.name = kObjectClass, .procedure = OBJECTPROC, .instance = t.instance, .cursor = move}))
    return nullptr;
  return CreateWindowExA(WS_EX_TRANSPARENT, kObjectClass, "", WS_CHILD, 0, 0, 0, 0, canvas, nullptr, t.instance,
                         reinterpret_cast<void*>(creationParameter));
}

std::vector<HWND> QENUMOBJECT(HWND parent, int mode) {
  std::vector<HWND> out;
  if (!parent) return out;
  // The canvas's children in their order, first created first (the platform's order of
  // sibling windows).
  int number = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[32];
    if (!GetClassNameA(w, cls, sizeof cls) || lstrcmpiA(cls, kObjectClass) != 0) continue;
    LONG_PTR parameter = GetWindowLongPtrA(w, GWLP_USERDATA);
    if (mode == 0 || mode == -1) {
      out.push_back(w);
      ObjectEntry* e = FindObject(w);
      bool base = e && !IsObject(*e) && e->data.kind == 0;
      std::string text = ObjectWindowText(Ui(47), base ? 0 : ++number);
      SetWindowTextA(w, text.c_str());
    } else if (parameter == mode) {
      out.push_back(w);
    }
  }
  return out;
}

void Renumber() {
  int number = 0;
  for (HWND w : QENUMOBJECT(App().canvas, 0)) {
    ObjectEntry* e = FindObject(w);
    if (e && IsObject(*e)) e->data.number = ++number;
  }
}

void PAINTOBJECT(HDC dc, const ObjectEntry& entry, int x, int y) {
  if (entry.data.visible == 0) return;
  PaintObjectShown(dc, entry.data, entry.font.Get(), x, y);
}

void OBJECTREGION(ObjectEntry& entry) {
  SIZE size = WindowSize(entry.data);
  win::Bitmap bitmap;
  {
    win::WindowDC screen(nullptr);
    bitmap.Reset(CreateCompatibleBitmap(screen, size.cx, size.cy));
  }
  HRGN region = nullptr;
  if (bitmap) {
    {
      win::CompatibleDC dc(nullptr);
      win::SelectObj selected(dc, bitmap.Get());
      SKFILLRECT(dc, 0, 0, size.cx, size.cy, kMagenta);
      // A hidden object keeps the region of its shape.
      PaintObjectShown(dc, entry.data, entry.font.Get(), 0, 0);
    }
    region = SKBMPTORGN(bitmap.Get(), kMagenta);
  }
  // An object that paints nothing (fully transparent, or in the key colour itself) keeps
  // its whole box, so that it can still be taken and edited.
  if (!region) region = CreateRectRgn(0, 0, size.cx, size.cy);
  SetWindowRgn(entry.window, region, TRUE);  // the window owns the region from now on
}

void PlaceObject(ObjectEntry& entry) {
  ToolState& t = App();
  SIZE size = WindowSize(entry.data);
  SetWindowPos(entry.window, nullptr, entry.data.x - t.scrollX, entry.data.y - t.scrollY, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  OBJECTREGION(entry);
  EnableWindow(entry.window, entry.data.visible != 0);
  ShowWindow(entry.window, entry.data.visible ? SW_SHOWNA : SW_HIDE);
}

HWND MakeObjectWindow(const layer::Object& data, HWND insertAfter) {
  ToolState& t = App();
  if (data.kind == layer::kText && TrimmedText(data.text).empty()) return nullptr;
  if (data.kind != layer::kText && data.points.empty()) return nullptr;
  HWND w = CREATEOBJECT(t.canvas, LONG_PTR(KindAndStyle(data)));
  ObjectEntry* e = FindObject(w);
  if (!e) {
    if (w) DestroyWindow(w);
    return nullptr;
  }
  e->data = data;
  e->data.text = data.text.substr(0, layer::kMaxTextBytes);
  e->data.font = data.font.substr(0, layer::kMaxFontBytes);
  if (e->data.points.size() > layer::kMaxPoints) e->data.points.resize(layer::kMaxPoints);
  if (e->data.kind == layer::kText) {
    if (!MakeObjectFont(*e)) {
      DestroyWindow(w);
      return nullptr;
    }
    MeasureTextObject(*e);
  }
  if (insertAfter) SetWindowPos(w, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  PlaceObject(*e);
  return w;
}

void PaintObjectsInto(HDC dc, int offsetX, int offsetY) {
  for (HWND w : QENUMOBJECT(App().canvas, 0)) {
    ObjectEntry* e = FindObject(w);
    if (e && IsObject(*e)) PAINTOBJECT(dc, *e, e->data.x - offsetX, e->data.y - offsetY);
  }
}

void PAINTALLOBJECTS() {
  ToolState& t = App();
  HDC canvas = SKGETHDCMEMBMP(t.canvas);
  if (!canvas) return;
  if (t.output) BitBlt(canvas, 0, 0, t.memoryWidth, t.memoryHeight, t.output, 0, 0, SRCCOPY);
  PaintObjectsInto(canvas, 0, 0);
  InvalidateRect(t.canvas, nullptr, FALSE);
}

std::vector<layer::Object> ObjectsForFile() {
  std::vector<layer::Object> out;
  for (HWND w : QENUMOBJECT(App().canvas, 0)) {
    ObjectEntry* e = FindObject(w);
    if (e && IsObject(*e)) out.push_back(e->data);
  }
  return out;
}

LRESULT ObjectsMessage(UINT message, const std::string& path) {
  ToolState& t = App();
  if (!t.baseObject) return 0;
  return SendMessageA(t.baseObject, message, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

void ObjectsScrolled() {
  ToolState& t = App();
  for (auto& e : Objects()) {
    if (!IsObject(*e)) continue;
    SetWindowPos(e->window, nullptr, e->data.x - t.scrollX, e->data.y - t.scrollY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool NewTextObject() {
  ToolState& t = App();
  if (ObjectLimitReached(int(Objects().size()))) {
    ErrorBox(Ui(57));
    return false;
  }
  FontBoxParams& p = FONTBOXPARAMS();
  p.kindAndStyle = 1;
  if (FONTBOX(t.frame, UiField(46, 1)) != 2) return false;
  layer::Object o;
  o.kind = layer::kText;
  o.style = 0;
  o.text = TrimmedText(p.text);
  o.font = p.family;
  o.size = p.size > 0 ? p.size : 14;
  o.colour = p.colour;
  o.shadow = p.shadow;
  o.x = t.scrollX + 10;
  o.y = t.scrollY + 10;
  HWND w = MakeObjectWindow(o);
  if (!w) return false;
  Renumber();
  SetObjectsModified();
  PAINTALLOBJECTS();
  return true;
}

bool NewShapeObject(int kind, int style, const std::vector<POINT>& points) {
  if (ObjectLimitReached(int(Objects().size()))) {
    ErrorBox(Ui(57));
    return false;
  }
  FontBoxParams& p = FONTBOXPARAMS();
  std::vector<layer::Point> pts;
  for (const POINT& pt : points) pts.push_back({int16_t(std::clamp<LONG>(pt.x, -32768, 32767)),
                                                int16_t(std::clamp<LONG>(pt.y, -32768, 32767))});
  layer::Object o = MakeShapeObject(kind, style, pts, p.size > 0 ? p.size : 1, p.colour, p.shadow);
  if (!MakeObjectWindow(o)) return false;
  Renumber();
  SetObjectsModified();
  PAINTALLOBJECTS();
  return true;
}

LRESULT CALLBACK OBJECTPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      LONG_PTR parameter = reinterpret_cast<LONG_PTR>(cs->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, parameter);
      auto entry = std::make_unique<ObjectEntry>();
      entry->window = window;
      entry->data.kind = int(parameter & 0xFFFF);
      entry->data.style = int((parameter >> 16) & 0xFFFF);
      entry->data.number = 0;
      entry->data.visible = 1;
      const FontBoxParams& p = FONTBOXPARAMS();
      entry->data.font = p.family;
      entry->data.size = p.size;
      entry->data.colour = p.colour;
      entry->data.shadow = p.shadow;
      Objects().push_back(std::move(entry));
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      ValidateRect(window, nullptr);  // the canvas paints the objects
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (ObjectEntry* e = FindObject(window)) {
        if (e->data.option) return 0;  // locked in place
        StartDrag(*e, POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
      }
      return 0;
    case WM_MOUSEMOVE:
      if (ObjectEntry* e = FindObject(window)) {
        if (e->dragging) DragTo(*e, POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
        else ShowObjectStatus(*e);
      }
      return 0;
    case WM_LBUTTONUP:
      if (ObjectEntry* e = FindObject(window); e && e->dragging) EndDrag(*e);
      return 0;
    case WM_CAPTURECHANGED:
      if (ObjectEntry* e = FindObject(window); e && e->dragging && reinterpret_cast<HWND>(lParam) != window) EndDrag(*e);
      return 0;
    case WM_RBUTTONDOWN:
      if (ObjectEntry* e = FindObject(window)) {
        POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
        ClientToScreen(window, &p);
        ShowObjectMenu(*e, p);
      }
      return 0;
    case WM_COMMAND:
      if (ObjectEntry* e = FindObject(window)) ObjectCommand(*e, LOWORD(wParam));
      return 0;
    case WM_DESTROY: {
      ObjectTable& table = Objects();
      for (auto it = table.begin(); it != table.end(); ++it) {
        if ((*it)->window != window) continue;
        FreeObjectFont(**it);
        table.erase(it);
        break;
      }
      return 0;
    }
    default:
      if (message >= kObjRepaint && message <= kObjReadFile) return AllObjects(message, lParam);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace bravik

// The object table and the helpers that the object files share. Windows only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging/layer_file.h"
#include "objects.h"
#include "win/gdiplus_raii.h"

namespace bravik {

// One record of the object table: the window, the object's values (its option field is
// the mark that locks it in place) and a text's GDI+ font, made at run time.
struct ObjectEntry {
  HWND window = nullptr;
  layer::Object data;
  win::gdip::FontFamily family;
  win::gdip::Font font;  // of the family, and released before it
  bool dragging = false;
  POINT grab{};            // where the object was taken, in its own coordinates
  bool moved = false;
};

// The kind-0 window that start-up makes is in the table but is no object.
inline bool IsObject(const ObjectEntry& entry) { return entry.data.kind != 0; }

using ObjectTable = std::vector<std::unique_ptr<ObjectEntry>>;
ObjectTable& Objects();
ObjectEntry* FindObject(HWND window);
// 1-based index of the window's record in the table (0 when absent).
int OBJECTLIST(HWND window);

// ---- fonts and measuring (objects_font.cpp) --------------------------------------------------
// The text without blanks and zero bytes at its ends.
std::string TrimmedText(const std::string& text);
// Makes the GDI+ font of a text object from its family name and size; false when the
// family cannot be made.
bool MakeObjectFont(ObjectEntry& entry);
void FreeObjectFont(ObjectEntry& entry);
// Measures a text object and sets its width and height.
void MeasureTextObject(ObjectEntry& entry);

// ---- painting and placing (objects.cpp) ------------------------------------------------------
void PAINTOBJECT(HDC dc, const ObjectEntry& entry, int x, int y);
void OBJECTREGION(ObjectEntry& entry);
// Moves and sizes the window to its record (less the scroll offsets), renews its region
// and shows it when it is visible.
void PlaceObject(ObjectEntry& entry);
// A new object window with the given values (its font made for texts); null when a text's
// font cannot be made or its text is empty. The window goes after insertAfter in the
// order (null: at the end).
HWND MakeObjectWindow(const layer::Object& data, HWND insertAfter = nullptr);
// Renumbers the objects 1..n in their order and renews the window texts.
void Renumber();
void SetObjectsModified();

// ---- the object's menu, commands and dragging (objects_menu.cpp) -----------------------------
void ShowObjectMenu(ObjectEntry& entry, POINT screen);
void ObjectCommand(ObjectEntry& entry, int id);
void StartDrag(ObjectEntry& entry, POINT at);
void DragTo(ObjectEntry& entry, POINT at);
void EndDrag(ObjectEntry& entry);
void ShowObjectStatus(const ObjectEntry& entry);

}  // namespace bravik

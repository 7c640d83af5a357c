// Picture objects: the object windows over the canvas and the private messages through
// which the main window reaches them all.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "imaging/layer_file.h"

namespace bravik {

// The class of an object's window.
inline constexpr const char* kObjectClass = "QOBJECT";

// Private messages of the object windows: the kind-0 window passes them to every object.
enum ObjectMessage : UINT {
  kObjRepaint = 0x401,
  kObjShowAll = 0x402,
  kObjMergeAll = 0x403,
  kObjMergeAllShow = 0x404,
  kObjHideAll = 0x405,
  kObjLockAll = 0x406,
  kObjUnlockAll = 0x407,
  kObjDeleteAll = 0x408,
  kObjRestoreStates = 0x409,
  kObjWriteFile = 0x40A,
  kObjReadFile = 0x40B,
};

HWND CREATEOBJECT(HWND canvas, LONG_PTR creationParameter);
LRESULT CALLBACK OBJECTPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The object windows of the canvas in their order (mode 0 or -1: all, renumbering their
// texts; another mode: the windows whose creation parameter equals it). Handles are
// pointer-sized here, not the 4-byte values of 32-bit Windows.
std::vector<HWND> QENUMOBJECT(HWND parent, int mode);
// A private object message to every object; path for the side file messages.
LRESULT ObjectsMessage(UINT message, const std::string& path = "");
void PAINTALLOBJECTS();
// Paints every visible object into a device context at picture coordinates (less offset).
void PaintObjectsInto(HDC dc, int offsetX, int offsetY);
// The objects as the layered file holds them, in their order.
std::vector<layer::Object> ObjectsForFile();
int ObjectCount();
// Creates a text object or a shape object from the box settings; false when refused.
bool NewTextObject();
bool NewShapeObject(int kind, int style, const std::vector<POINT>& points);
void ObjectsScrolled();

}  // namespace bravik

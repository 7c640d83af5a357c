// Drawing of the owner-drawn lists and the file-type box as text rows in the skin's list
// colours; the file list's thumbnail cells are drawn in celldraw.cpp.
#pragma once
#include <windows.h>

namespace kelmor {

// The row height and the drawing of an entry; false for controls that are not the
// browser's owner-drawn lists.
bool OnMeasureItem(MEASUREITEMSTRUCT& item);
bool OnDrawItem(const DRAWITEMSTRUCT& item);

}  // namespace kelmor

// Drawing of the file list's thumbnail cells: drawn off screen, then copied into the list.
#pragma once
#include <windows.h>

#include <string>

namespace kelmor {

void DrawThumbnailCell(const DRAWITEMSTRUCT& item, const std::string& entry);

}  // namespace kelmor

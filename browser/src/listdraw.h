// Drawing of the file list's thumbnail cells (celldraw.cpp).
#pragma once
#include <windows.h>

#include <string>

namespace kelmor {

void DrawThumbnailCell(const DRAWITEMSTRUCT& item, const std::string& entry);

}  // namespace kelmor

// The slide list control: its owner-drawn rows, its subclass procedure (hover information,
// a redraw without erasing after a move) and its keys.
#pragma once
#include <windows.h>

namespace dunmere {

LRESULT CALLBACK SLIDELISTPROC(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
// The message loop's filter for keys in the slide list; true when it used the key.
bool KEYFILTER(const MSG& message);
bool OnMeasureItem(MEASUREITEMSTRUCT& item);
bool OnDrawItem(const DRAWITEMSTRUCT& item);

}  // namespace dunmere

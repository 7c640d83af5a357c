// The list panel (class "SKLIST"): a skinned panel that holds a form's rows of controls
// and scrolls them by whole rows. The host creates the row controls as children of the
// panel; the panel hands their commands and its focus to the host's WNDPROC (handed over
// with SetControlsHost), with the panel as the window. All panels of a program share one
// scroll state (list_scroll.h), so a program shows one panel at a time.
#pragma once
#include <windows.h>

#include <cstdint>

#include "controls/list_scroll.h"

inline constexpr const char* kListClass = "SKLIST";
// The parameter message: wParam rows, lParam row height; answered 1. It needs no window.
inline constexpr UINT kListParameters = WM_USER;

// How a panel takes its size: as given, or from the parent's client rectangle, where
// width and height are the margins the panel leaves free to the right and at the bottom
// (a panel that fills the rest of a form whatever the window's size).
enum class ListSizing { Given, FromParent };

// Creates a panel: rows of rowHeight pixels (one row less when all of them fit into the
// height). The class is registered with the background brush of the first call. Null
// when the class cannot be registered or the window cannot be made.
HWND SKLISTBOX(int32_t extendedStyle, HWND parent, int32_t style, int32_t x, int32_t y, int32_t width,
               int32_t height, HBRUSH background, int32_t rows, int32_t rowHeight,
               ListSizing sizing = ListSizing::Given);

// The panel's window procedure.
LRESULT CALLBACK LISTPROC(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// The program's scroll state (read-only: for tests and for hosts that place rows).
const ListScrollState& ListScroll();

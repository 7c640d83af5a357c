// The main window procedure and its handlers.
#pragma once
#include <windows.h>

namespace dunmere {

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The slide list's subclass procedure.
LRESULT CALLBACK SLIDELISTPROC(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
// The pre-filter of the message loop for keys in the slide list; true when it used the key.
bool KEYFILTER(const MSG& message);

// Handlers (one file each).
LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
// WM_USER+3: the lists that code 3 brought.
void AddReceivedLists();
void OnCommand(int id, int notification);
bool OnMeasureItem(MEASUREITEMSTRUCT& item);
bool OnDrawItem(const DRAWITEMSTRUCT& item);
void OnSysClose();
// Checks the entries of a command group whose action text equals value (as a number, or
// as text for the output sizes).
void CheckOptionGroups();

}  // namespace dunmere

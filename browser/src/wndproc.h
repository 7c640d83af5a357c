// The media browser's window procedure and the handlers it dispatches to, one file each:
// command messages (copydata_handler.cpp), commands (commands.cpp), closing (closing.cpp)
// and the owner-drawn lists (listdraw.cpp).
#pragma once
#include <windows.h>

namespace kelmor {

// The procedure of the frame, the client holder and the menu holder. (In this namespace
// the name means the procedure, not the Windows pointer type.)
LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_COPYDATA: unpacks the command message and acts on its code; always answers 1.
LRESULT OnCopyData(HWND window, WPARAM wParam, LPARAM lParam);
// WM_COMMAND from a menu, a button or a control of the client holder (lParam: the control,
// or what a folder tree notification points to).
void OnCommand(HWND window, int id, int notification, LPARAM lParam);
// Selects file type index (the file-type box's entry) and fills the list with its filter,
// unless it is the one shown already.
void ChooseFileType(int index);
// WM_SYSCOMMAND SC_CLOSE: the settings are written and the message loop ends.
void OnSysClose();
// Owner-drawn lists and the file-type box: the row height and the drawing of an entry.
bool OnMeasureItem(MEASUREITEMSTRUCT& item);
bool OnDrawItem(const DRAWITEMSTRUCT& item);

}  // namespace kelmor

// The commands of the media browser's menus, buttons and controls. Their identifiers are
// named in kelmor/command_ids.h, in the core, since the layout and the key rules use them
// too.
#pragma once
#include <windows.h>

#include "kelmor/command_ids.h"

namespace kelmor {

// WM_COMMAND from a menu, a button or a control of the client holder (lParam: the control,
// or what a folder tree notification points to).
void OnCommand(HWND window, int id, int notification, LPARAM lParam);
// Selects file type index (the file-type box's entry) and fills the list with its filter,
// unless it is the one shown already.
void ChooseFileType(int index);

}  // namespace kelmor

// What the window procedure hands on: command messages, menu and button commands, the
// close of the program and the hand-over timer.
#pragma once
#include <windows.h>

namespace falcet {

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
void OnHandOverTimer();
void OpenPendingList();
void OnRecorderNotice(UINT message);

void OnCommand(int id, LPARAM lParam);
// The context menus (popup 3 on the picture and video windows, popup 1 on the bar).
void ShowContextMenu(int menuNumber);

void OnSysClose();

}  // namespace falcet

// The main window: its class, the skinned frame with its holders, status window and
// progress bar; the form's buttons and thesaurus choice; the lock icon.
#pragma once
#include <windows.h>

namespace lumbric {

bool CreateMainWindow();
// The buttons of the form, the thesaurus caption, choice box and check box (message 0x110).
void CreateButtons(HWND parent);
// Lists the data folder's thesauri in the choice box and selects the current one.
void FillThesaurusBox();
// The holder's background and the lock icon ("LOCKUP" locked, "ULOCK" open).
void PaintHolder(HWND holder);

}  // namespace lumbric

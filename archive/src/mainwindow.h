// The main window: the frame and its holders, and the children WM_INITDIALOG builds (the
// strip, count display, buttons, volume bar, thesaurus choice box and the record form).
#pragma once

namespace grilton {

// Registers the class and creates the frame with its holders; false when it cannot.
bool CreateMainWindow();
// WM_INITDIALOG: the children and the record form.
void BuildChildren();
// WM_SIZE of the client holder.
void LayoutChildren();
// The thesaurus choice box lists the ".THM" files of the data folder. True when the
// thesaurus in use changed to the one the box shows (the settings named one not listed).
bool FillThesaurusBox();

}  // namespace grilton

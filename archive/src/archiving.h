// Filing from the window: the form is checked, the core files the picture, and the
// outcome is shown.
#pragma once

namespace grilton {

// Files the current picture (command 3); true when it was filed.
bool FileCurrentPicture();
// Files every picture of the list with the same form values (command 101).
void FileWholeList();

}  // namespace grilton

// Closing: SC_CLOSE hides the window, writes the settings and quits; WM_DESTROY discards
// the work files and empties the work folder.
#pragma once

namespace grilton {

void OnSysClose();
void OnDestroy();

}  // namespace grilton

// Closing the slide show maker's window.
#pragma once

namespace dunmere {

// SC_CLOSE, the only way the window closes (the exit command and code 10 come here too):
// the thumbnail walk and a recording end, the settings are written, the window goes and
// the message loop ends.
void OnSysClose();

}  // namespace dunmere

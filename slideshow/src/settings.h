// SETTINGSFILE: the slide show maker's settings in the temporary folder.
#pragma once

namespace dunmere {

// mode 0 reads the settings file into the program's state (defaults without one); mode 1
// writes the state and the window's placement.
void SETTINGSFILE(int mode);

}  // namespace dunmere

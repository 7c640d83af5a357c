// The main window: a hidden popup of class "JORVELPLAYER" that receives the command
// messages and owns the pane.
#pragma once

namespace jorvel {

// Registers the class and makes the window with its menus; false when it cannot be made.
bool CreateMainWindow();

}  // namespace jorvel

// The player's commands: the pane's buttons and bars, the menu items, and what other
// windows post to the main window (jorvel/command_ids.h names them).
#pragma once
#include <windows.h>

#include "jorvel/command_ids.h"

namespace jorvel {

// The command with its value (the percent of commands 76 and 77). True when it was the
// "END" menu action, which closes the player.
bool OnCommand(int id, LPARAM value);

}  // namespace jorvel

#pragma once
#include "ostrel/command_ids.h"

namespace ostrel {

// WM_COMMAND of the menu, the buttons, the radio group and the form's inputs.
void OnCommand(int id, int notification);

}  // namespace ostrel

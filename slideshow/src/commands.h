// The commands of the slide show maker's menus, buttons and controls. Their identifiers
// are in dunmere/command_ids.h, which the layout, the rules and the tests share.
#pragma once
#include "dunmere/command_ids.h"

namespace dunmere {

// WM_COMMAND from a menu, a button or a control. While a build runs only the slide list,
// the effect boxes and the volume bar answer.
void OnCommand(int id, int notification);
// Checks the entry of every command group whose action text equals the group's value (as
// a number, or as text for the output sizes).
void CheckOptionGroups();

}  // namespace dunmere

// The topic editor's menu and control identifiers and the dispatch of WM_COMMAND.
#pragma once

#include "lumbric/command_ids.h"

namespace lumbric {

void OnCommand(int id, int notification);

}  // namespace lumbric

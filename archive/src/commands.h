// The archive's menu and control identifiers and the dispatch of WM_COMMAND.
#pragma once

#include "grilton/command_ids.h"

namespace grilton {

void OnCommand(int id, int notification);
// Checks the recording choice of the settings in the options group 401 .. 412.
void CheckRecordingChoice();
// Buttons 7 and 10 follow the work sound's existence; 8 and 9 the recording.
void EnableSoundButtons();

}  // namespace grilton

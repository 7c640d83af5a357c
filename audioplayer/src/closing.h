// The close of the player (WM_SYSCOMMAND SC_CLOSE): the settings are written, the partners
// it started are told, and the message loop ends.
#pragma once

namespace jorvel {

void OnSysClose();

}  // namespace jorvel

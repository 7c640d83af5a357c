// The close of the player and what it leaves behind.
#pragma once

namespace falcet {

// WM_SYSCOMMAND SC_CLOSE: the burn job to the disc burner, the medium and the timers stopped,
// the settings written, the partners told; then the message loop ends.
void OnSysClose();
// After the message loop: the player's log and temporary picture go.
void RemoveTemporaryFiles();

}  // namespace falcet

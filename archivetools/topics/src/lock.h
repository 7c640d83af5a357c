// The archive's password lock: SETPASSWORD and the lock button.
#pragma once

namespace lumbric {

// Asks for a new password (the password box) and locks the archive with it. Refused while
// the archive is locked: the box would show the old password to whoever asks.
void SETPASSWORD(int command);
// Unlocks a locked archive for this copy when the typed password matches; else locks it.
void ToggleLock();

}  // namespace lumbric

// AUDIOSETTINGS: the settings file, read at start (which also starts the skin engine with
// the player's skin) and written at close.
#pragma once

namespace jorvel {

void AUDIOSETTINGS(bool write);

}  // namespace jorvel

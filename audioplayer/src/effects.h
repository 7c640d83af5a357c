// The player's effects window: made when a medium opens, shown and hidden by command 53.
#pragma once

namespace jorvel {

// Makes the effects window when there is none, so that its saved settings are heard.
void EnsureEffectsWindow();
// Command 53.
void ToggleEffectsWindow();
// Saves its settings and closes it (the player is closing).
void CloseEffectsWindow();

}  // namespace jorvel

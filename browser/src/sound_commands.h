// Sound conversion (commands 1201 to 1204 for CD tracks, 1301 to 1304 for sound files):
// the selected entries become WAV files, WMA files or the output of an outside encoder in
// a chosen folder, with a progress window; Escape stops.
#pragma once

namespace kelmor {

void ConvertSounds(int command);

}  // namespace kelmor

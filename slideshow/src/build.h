// The build of the show into a folder ready for a CD, and the part of the running total
// that every build carries.
#pragma once

namespace dunmere {

// The build command.
void BuildShow();
// The fixed part of the total: the player's files, the skin folder and the extra folder.
void CountFixedPart();

}  // namespace dunmere

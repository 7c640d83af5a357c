// The effects without a box: relief (EFFECTPREVIEW, commands 901 to 908) and the underlay
// (command 217), each on the working copy of the picture. Windows only.
#pragma once

namespace bravik {

void EFFECTPREVIEW(int command);
void UnderlayPicture();

}  // namespace bravik

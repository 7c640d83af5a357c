#include "win/window_place.h"

namespace win {

bool NormalRect(HWND window, RECT& rect) {
  if (!window) return false;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return false;
  rect = placement.rcNormalPosition;
  return true;
}

}  // namespace win

// A window's place to keep in the settings: where it stands when neither minimised nor
// maximised, so that a window closed while minimised comes back where the user left it.
#pragma once
#include <windows.h>

namespace win {

// False (rect unchanged) for a null window or one Windows gives no placement for.
bool NormalRect(HWND window, RECT& rect);

// Copies that place into any record with left, top, width and height fields.
template <class Place>
bool TakeNormalPlace(HWND window, Place& place) {
  RECT r{};
  if (!NormalRect(window, r)) return false;
  place.left = decltype(place.left)(r.left);
  place.top = decltype(place.top)(r.top);
  place.width = decltype(place.width)(r.right - r.left);
  place.height = decltype(place.height)(r.bottom - r.top);
  return true;
}

}  // namespace win

// KEYFILTER: the media browser's first look at every message of its loop: keys and clicks
// on the two lists.
#pragma once
#include <windows.h>

namespace kelmor {

// Returns 1 when the message is consumed and must not be dispatched, 0 otherwise.
int KEYFILTER(HWND frame, MSG& message);

}  // namespace kelmor

// WM_DEVICECHANGE: a volume arrived or was removed.
#pragma once
#include <windows.h>

namespace kelmor {

void OnDeviceChange(WPARAM event, LPARAM data);

}  // namespace kelmor

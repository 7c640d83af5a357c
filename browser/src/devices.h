// WM_DEVICECHANGE: a volume arrived or was removed.
#pragma once
#include <windows.h>

void OnDeviceChange(WPARAM event, LPARAM data);

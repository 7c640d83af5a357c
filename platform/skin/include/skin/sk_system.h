// The skin engine's connection services: the state of the internet connection and the
// dial-up of the default connection. Windows only; the engine's other system services
// (finding files, starting programs, error texts) are in skin.h.
#pragma once
#include <windows.h>

// 1 when the machine has an internet connection (a network, a modem or a proxy), else 0.
int SKINTERNETSTATE();

// Dials the first dial-up connection of the phone book with its stored credentials and
// waits for it. Returns the connection (hang it up with SKRASHANGUP), or null when there
// is no dial-up connection or dialling failed.
HANDLE SKRASCONNECT();
void SKRASHANGUP(HANDLE connection);

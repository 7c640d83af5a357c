// Skin engine functions that the media player brought: the user's special folders, the
// state of the internet connection and the dial-up of the default connection. Windows only.
#pragma once
#include <windows.h>

#include <string>

// A special folder of the user (CSIDL number: 5 the documents folder), with its final "\";
// "" when the system has none.
std::string SKGETSPECIALFOLDER(int csidl);

// 1 when the machine has an internet connection (a network, a modem or a proxy), else 0.
int SKINTERNETSTATE();

// Dials the first dial-up connection of the phone book with its stored credentials and
// waits for it. Returns the connection (hang it up with SKRASHANGUP), or null when there
// is no dial-up connection or dialling failed.
HANDLE SKRASCONNECT();
void SKRASHANGUP(HANDLE connection);

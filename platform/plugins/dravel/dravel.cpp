// dravel.dll: its presence beside the media player marks the folder as a built show (the
// player then needs the show list there). It does nothing when loaded; its one export
// tells its version to whoever asks.
#include <windows.h>

extern "C" int WINAPI DravelVersion() { return 1; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

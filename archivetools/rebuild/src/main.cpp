// narwen: compaction and index rebuild of an archive's media libraries.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return narwen::WINMAIN(instance, commandLine ? commandLine : "");
}

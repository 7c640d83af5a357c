// grilton: the picture archive.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return grilton::WINMAIN(instance, commandLine ? commandLine : "");
}

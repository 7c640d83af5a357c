// kelmor: the media browser and hub of the suite.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  return kelmor::WINMAIN(instance, previous, commandLine ? commandLine : "", show);
}

// hessam: the picture browser of the suite.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  return hessam::WINMAIN(instance, previous, commandLine ? commandLine : "", show);
}

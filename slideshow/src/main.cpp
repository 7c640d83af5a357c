// dunmere: the slide show maker.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return dunmere::WINMAIN(instance, commandLine ? commandLine : "");
}

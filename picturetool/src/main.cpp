// bravik: the picture tool.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return bravik::WINMAIN(instance, commandLine ? commandLine : "");
}

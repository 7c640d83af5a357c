// lumbric: the topic editor of an archive.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return lumbric::WINMAIN(instance, commandLine ? commandLine : "");
}

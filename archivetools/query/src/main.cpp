// ostrel: the query tool.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return ostrel::WINMAIN(instance, commandLine ? commandLine : "");
}

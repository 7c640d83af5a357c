// falcet: the media player.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return falcet::WINMAIN(instance, commandLine ? commandLine : "");
}

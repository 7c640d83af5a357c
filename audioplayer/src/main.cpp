// jorvel: the audio player.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return jorvel::WINMAIN(instance, commandLine ? commandLine : "");
}

#include "closing.h"

#include <windows.h>

#include "settings.h"
#include "sound.h"
#include "state.h"
#include "thumbs.h"

namespace dunmere {

void OnSysClose() {
  State& s = App();
  StopScan();
  WaitForScan(5000);
  EndSound();
  SETTINGSFILE(1);
  if (s.frame && IsWindow(s.frame)) DestroyWindow(s.frame);
  s.frame = nullptr;
  PostQuitMessage(0);
}

}  // namespace dunmere

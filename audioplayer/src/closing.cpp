#include "closing.h"

#include <windows.h>

#include "effects.h"
#include "partners.h"
#include "settings.h"
#include "state.h"
#include "tick.h"

namespace jorvel {

void OnSysClose() {
  StopTick();
  CloseEffectsWindow();
  AUDIOSETTINGS(true);
  ClosePartnersStarted();
  PostQuitMessage(0);
}

}  // namespace jorvel

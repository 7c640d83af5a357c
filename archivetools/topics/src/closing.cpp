#include "closing.h"

#include <windows.h>

#include "settings.h"
#include "skin/sk_controls.h"
#include "state.h"

namespace lumbric {

void OnSysClose() {
  Lumbric& a = App();
  WriteSettings();
  if (a.frame) ShowWindow(a.frame, SW_HIDE);
  PostQuitMessage(0);
}

void OnDestroy() {
  Lumbric& a = App();
  if (a.frame) SKFREEKEYBOARDHOOK(a.frame);
  if (a.clientHolder) {
    SKFREEOBJECTCOLOR(a.clientHolder);
    SKFREECHECKBUTTON(a.clientHolder);
  }
  PostQuitMessage(0);
}

}  // namespace lumbric

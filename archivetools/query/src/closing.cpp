#include "closing.h"

#include "imaging/copydata.h"
#include "settings.h"
#include "state.h"

namespace ostrel {

void OnSysClose() {
  Ostrel& a = App();
  a.stopRequested = true;
  WriteSettings();
  if (a.frame) ShowWindow(a.frame, SW_HIDE);
  PostQuitMessage(0);
}

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  std::string text;
  if (GETCOPYDATA(text, wParam, lParam) == kCodeClose) OnSysClose();
  return 1;
}

}  // namespace ostrel

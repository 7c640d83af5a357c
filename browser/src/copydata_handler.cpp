// The command messages that other programs of the suite send to the media browser.
#include "imaging/copydata.h"
#include "partner_rules.h"
#include "skin/sk_controls.h"
#include "state.h"
#include "wndproc.h"

namespace {

// Code 2: a program names itself (program file and window class) as the partner that gets
// the browser's files from now on. It then decides when to take them, so the option to hand
// over every selection at once goes away; it is switched off too, so that a hidden option
// cannot go on handing files over.
void TakePartnerOverride(const std::string& text) {
  BrowserState& b = Browser();
  b.partnerOverride = SplitPartner(text);
  if (!b.partnerOverride.program.empty() && b.optionCheck) {
    SKSETCHECK(b.optionCheck, 0);
    ShowWindow(b.optionCheck, SW_HIDE);
  }
}

// Code 10: close. An iconic browser is hidden first, so that it does not flash up.
void CloseOnRequest() {
  BrowserState& b = Browser();
  if (IsIconic(b.frame)) ShowWindow(b.frame, SW_HIDE);
  PostMessageA(b.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace

LRESULT OnCopyData(HWND, WPARAM wParam, LPARAM lParam) {
  std::string text;
  switch (GETCOPYDATA(text, wParam, lParam)) {
    case 2:
      TakePartnerOverride(text);
      break;
    case 10:
      CloseOnRequest();
      break;
    default:
      // Every code is answered with 1, also those the browser does not act on.
      break;
  }
  return 1;
}

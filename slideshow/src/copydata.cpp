#include "copydata.h"

#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "imaging/program_start.h"
#include "skin/sk_text.h"
#include "slides.h"
#include "state.h"
#include "thumbs.h"

namespace dunmere {

void OpenReceivedLists() {
  App().received.OpenEach([](const std::string& text) {
    BringPartnerToFront(App().frame);
    std::vector<std::string> paths;
    SKSPLITS(text, "|", paths);
    if (AddSlides(paths) > 0) STARTSCANTHREAD();
  });
}

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  State& s = App();
  std::string text;
  switch (GETCOPYDATA(text, wParam, lParam)) {
    case kCodeOpen:
      return startup::QueueReceivedList(s.frame, s.received, std::move(text));
    case kCodeClose:
      // Close at once: the settings are kept as on any close.
      PostMessageA(s.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kCodeRecordingCounts:
      s.recordedCounts = text;
      break;
    default:
      break;  // every code is answered with 1, also those the program does not act on
  }
  return 1;
}

}  // namespace dunmere

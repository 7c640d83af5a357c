// The command messages that other programs of the suite send to the slide show maker.
#include <deque>

#include "imaging/copydata.h"
#include "imaging/partner.h"
#include "skin/sk_text.h"
#include "slides.h"
#include "state.h"
#include "thumbs.h"
#include "wndproc.h"

namespace dunmere {

namespace {

// Lists received by code 3, added once the sender has been released.
std::deque<std::string>& Received() {
  static std::deque<std::string> lists;
  return lists;
}

}  // namespace

void AddReceivedLists() {
  State& s = App();
  while (!Received().empty()) {
    std::string text = Received().front();
    Received().pop_front();
    BringPartnerToFront(s.frame);
    std::vector<std::string> paths;
    SKSPLITS(text, "|", paths);
    if (AddSlides(paths) > 0) STARTSCANTHREAD();
  }
}

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  State& s = App();
  std::string text;
  switch (GETCOPYDATA(text, wParam, lParam)) {
    case kCodeOpen:
      Received().push_back(text);
      PostMessageA(s.frame, kMsgOpenReceived, 0, 0);
      break;
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

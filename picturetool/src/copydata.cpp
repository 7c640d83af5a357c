#include "copydata.h"

#include "closing.h"
#include "imaging/copydata.h"
#include "imaging/program_start.h"
#include "picture.h"
#include "state.h"

namespace bravik {

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  ToolState& t = App();
  std::string text;
  switch (SuiteCode(GETCOPYDATA(text, wParam, lParam))) {
    case kCodeStarted:
      // Started by a suite program: the list follows in its own message. Taking the empty
      // text as a list would let it overwrite that list before it is opened.
      return 1;
    case kCodeClose:
      // Ends at once, without the save question, but the settings are kept.
      PrepareToEnd();
      PostQuitMessage(0);
      return 1;
    case kCodeOpen:
    default:
      // Any other code brings a list as well.
      return startup::QueueReceivedList(t.frame, t.received, std::move(text));
  }
}

void OnReceivedList() {
  // Only the newest waiting list is opened. A list that arrives while one is being opened
  // (its save question runs a message loop) follows when that open is done.
  App().received.OpenNewest(OpenReceivedList);
}

}  // namespace bravik

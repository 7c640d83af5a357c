#include "copydata.h"

#include "imaging/copydata.h"
#include "imaging/program_start.h"
#include "jorvel/command_ids.h"
#include "pane.h"
#include "player.h"
#include "state.h"
#include "wndproc.h"

namespace jorvel {

namespace {
// Lists handed over within this time of the first are joined.
constexpr UINT kHandOverMs = 100;
}  // namespace

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  Jorvel& p = App();
  std::string text;
  int code = GETCOPYDATA(text, wParam, lParam);
  switch (code) {
    case kCodeClose:
      PostMessageA(p.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kCodeStarted:
      p.startedBySuite = true;
      break;
    case kCodePause:
      PostMessageA(CommandWindow(), WM_COMMAND, kPauseButton, 0);
      break;
    case kCodeResume:
      PostMessageA(CommandWindow(), WM_COMMAND, kPlayButton, 0);
      break;
    case kCodeHandOver:
      p.handOver.Add(text);
      if (!p.handOverTimer) p.handOverTimer = StartHandOverTimer(kHandOverMs);
      break;
    default:
      // Code 3 and every code the player has no meaning for: a list to play, once the
      // sender has been let go.
      return startup::QueueReceivedList(p.frame, p.received, text);
  }
  return 1;
}

void OnHandOverTimer(UINT_PTR id) {
  Jorvel& p = App();
  // Only the hand-over timer's own tick joins the lists.
  if (!id || id != p.handOverTimer) return;
  KillTimer(nullptr, p.handOverTimer);
  p.handOverTimer = 0;
  std::string list = p.handOver.Take(p.startList);
  // An empty hand-over (a second start without names) changes nothing.
  if (list.empty()) return;
  p.startList = list;
  SENDCOPYDATA(p.frame, kCodeOpen, list);
}

void OpenReceivedLists() {
  // A newer list replaces one that has not been opened yet.
  App().received.OpenNewest([](const std::string& list) { OpenReceivedList(list); });
}

}  // namespace jorvel

#include "copydata.h"

#include "fileio/item_list.h"
#include "imaging/copydata.h"
#include "imaging/program_start.h"
#include "pictures.h"
#include "skin/sk_text.h"
#include "state.h"

namespace grilton {

void OpenReceivedLists() {
  App().received.OpenNewest([](const std::string& text) {
    std::vector<std::string> paths;
    std::string list = fileio::TrimBars(text);
    if (!list.empty()) SKSPLITS(list, "|", paths);
    App().listByMessage = true;
    SetPictureList(std::move(paths));
  });
}

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  Grilton& a = App();
  std::string text;
  int code = GETCOPYDATA(text, wParam, lParam);
  if (code == kCodeClose) {
    PostQuitMessage(0);
    return 1;
  }
  if (code == kCodeNone) return 1;
  return startup::QueueReceivedList(a.frame, a.received, std::move(text));
}

}  // namespace grilton

#include "copydata.h"

#include "closing.h"
#include "fileio/fields.h"
#include "imaging/copydata.h"
#include "state.h"
#include "strip.h"

namespace hessam {

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  BrowserState& b = App();
  std::string text;
  int code = GETCOPYDATA(text, wParam, lParam);
  if (code == kCodeClose) {
    CloseBrowser();
    return 1;
  }
  b.receivedList = std::move(text);
  PostMessageA(b.frame, kMsgOpenReceived, 0, 0);
  return 1;
}

void OnOpenReceived() {
  BrowserState& b = App();
  std::string received = std::move(b.receivedList);
  b.receivedList.clear();
  std::vector<std::string> list;
  for (std::string& field : fileio::SplitFields(received, '|'))
    if (!field.empty()) list.push_back(std::move(field));
  if (list.empty()) {
    SetWindowTextA(b.status, "");
    return;
  }
  ShowList(std::move(list));
}

}  // namespace hessam

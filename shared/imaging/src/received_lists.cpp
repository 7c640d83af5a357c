#include "imaging/received_lists.h"

#include <utility>

#include "fileio/item_list.h"

namespace startup {

void ReceivedLists::Open(bool newestOnly, const Opener& open) {
  if (opening_) return;
  struct Opening {
    bool& flag;
    explicit Opening(bool& f) : flag(f) { flag = true; }
    ~Opening() { flag = false; }
  } opening(opening_);
  while (!lists_.empty()) {
    std::string list;
    if (newestOnly) {
      list = std::move(lists_.back());
      lists_.clear();
    } else {
      list = std::move(lists_.front());
      lists_.pop_front();
    }
    open(list);
  }
}

void HandOver::Add(const std::string& text) { list_ = fileio::TrimBars(list_ + "|" + text + "|"); }

std::string HandOver::Take(const std::string& ownList) {
  std::string joined = list_;
  if (!firstDone_) {
    firstDone_ = true;
    if (!ownList.empty()) joined = fileio::TrimBars(ownList + "|" + joined);
  }
  list_.clear();
  return joined;
}

}  // namespace startup

#include "imaging/received_lists.h"

#include <utility>

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

}  // namespace startup

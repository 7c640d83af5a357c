// The lists that command messages bring, kept until the receiver has let the sender go:
// the receiver queues the text, posts itself kMsgOpenReceived and opens the lists when
// that message comes; and the hand-over of a second start's list (code 18). Portable.
#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace startup {

class ReceivedLists {
 public:
  using Opener = std::function<void(const std::string& list)>;

  void Add(std::string list) { lists_.push_back(std::move(list)); }
  bool Empty() const { return lists_.empty(); }
  size_t Count() const { return lists_.size(); }
  // Opens every waiting list, oldest first, and also those that arrive while one is open
  // (an open may run a message loop: a question box). A call made while a list is being
  // opened returns at once; the running call opens the new list in its turn.
  void OpenEach(const Opener& open) { Open(false, open); }
  // The same for a program where a newer list replaces one not yet opened: each time
  // round only the newest waiting list is opened, the older ones are dropped.
  void OpenNewest(const Opener& open) { Open(true, open); }

 private:
  void Open(bool newestOnly, const Opener& open);

  std::deque<std::string> lists_;
  bool opening_ = false;
};

// The players' hand-over (code 18): the lists that arrive while the hand-over timer runs
// are joined; the first joined list of a run also carries the player's own start list in
// front of it.
class HandOver {
 public:
  void Add(const std::string& text);
  bool Pending() const { return !list_.empty(); }
  // The joined list (own list first, the first time only); the hand-over starts anew.
  std::string Take(const std::string& ownList);

 private:
  std::string list_;
  bool firstDone_ = false;
};

}  // namespace startup

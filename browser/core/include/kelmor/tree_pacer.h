// When the folder tree is built again after the drive watcher saw folders come or go.
// Changes come in bursts (a copy of a folder tree, a build, an unpacked archive: under Wine
// every folder made anywhere on the Linux tree counts), and each rebuild costs the user a
// moment of a hidden tree: a burst gives one rebuild once it has settled, and however long
// changes keep coming, the tree is never rebuilt more than once a second. Portable; times
// are milliseconds of any steady clock.
#pragma once
#include <cstdint>

namespace kelmor {

class TreeRebuildPacer {
 public:
  static constexpr int64_t kSettleMs = 500;     // quiet time that ends a burst
  static constexpr int64_t kLongestWaitMs = 3000;  // a burst that never settles waits no longer
  static constexpr int64_t kShortestGapMs = 1000;  // between two rebuilds

  // A change was seen at now. Answers the milliseconds until the timer should run, or -1
  // when a timer is already running (it will look again).
  int64_t Changed(int64_t now);
  // The timer ran at now. Answers 0 when the tree is to be rebuilt now (the pacer counts it
  // as done), else the milliseconds until the timer should run again.
  int64_t TimerRan(int64_t now);
  bool Pending() const { return pending_; }

 private:
  int64_t DueAt() const;

  bool pending_ = false;
  int64_t firstChange_ = 0;
  int64_t lastChange_ = 0;
  bool rebuiltOnce_ = false;
  int64_t lastRebuild_ = 0;
};

}  // namespace kelmor

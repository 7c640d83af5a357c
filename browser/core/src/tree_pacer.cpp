#include "kelmor/tree_pacer.h"

#include <algorithm>

namespace kelmor {

int64_t TreeRebuildPacer::DueAt() const {
  int64_t due = std::min(lastChange_ + kSettleMs, firstChange_ + kLongestWaitMs);
  if (rebuiltOnce_) due = std::max(due, lastRebuild_ + kShortestGapMs);
  return due;
}

int64_t TreeRebuildPacer::Changed(int64_t now) {
  lastChange_ = now;
  if (pending_) return -1;
  pending_ = true;
  firstChange_ = now;
  return std::max<int64_t>(1, DueAt() - now);
}

int64_t TreeRebuildPacer::TimerRan(int64_t now) {
  if (!pending_) return -1;
  int64_t due = DueAt();
  if (now < due) return due - now;
  pending_ = false;
  rebuiltOnce_ = true;
  lastRebuild_ = now;
  return 0;
}

}  // namespace kelmor

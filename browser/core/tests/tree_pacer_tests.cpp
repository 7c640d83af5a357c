// The pace of the folder tree's rebuilds after the drive watcher's changes, on a clock the
// test moves: the timer is run when the pacer asks for it.
#include <gtest/gtest.h>

#include <vector>

#include "kelmor/tree_pacer.h"

namespace kelmor {

namespace {

// Plays changes at the given times through the pacer and its timer; the times of the
// rebuilds that came of them.
std::vector<int64_t> Rebuilds(const std::vector<int64_t>& changes, int64_t until) {
  TreeRebuildPacer pacer;
  std::vector<int64_t> rebuilds;
  int64_t timerAt = -1;
  size_t next = 0;
  for (int64_t now = 0; now <= until; ++now) {
    while (next < changes.size() && changes[next] == now) {
      int64_t delay = pacer.Changed(now);
      if (delay >= 0) {
        EXPECT_EQ(timerAt, -1) << "a second timer at " << now;
        timerAt = now + delay;
      }
      ++next;
    }
    if (timerAt == now) {
      timerAt = -1;
      int64_t again = pacer.TimerRan(now);
      if (again == 0) rebuilds.push_back(now);
      else timerAt = now + again;
    }
  }
  EXPECT_FALSE(pacer.Pending());
  return rebuilds;
}

}  // namespace

TEST(TreeRebuildPacer, ABurstOfAHundredFoldersGivesOneRebuildOnceItHasSettled) {
  std::vector<int64_t> changes;
  for (int i = 0; i < 100; ++i) changes.push_back(100 + i * 3);  // 100 folders in 0.3 s
  EXPECT_EQ(Rebuilds(changes, 10000), (std::vector<int64_t>{397 + TreeRebuildPacer::kSettleMs}));
}

TEST(TreeRebuildPacer, ChangesThatKeepComingRebuildAtMostOnceASecond) {
  // A folder every 400 ms for 10 s: each would settle, but the gap holds them back.
  std::vector<int64_t> changes;
  for (int64_t t = 0; t < 10000; t += 400) changes.push_back(t);
  std::vector<int64_t> rebuilds = Rebuilds(changes, 20000);
  ASSERT_GE(rebuilds.size(), 3u);
  EXPECT_LE(rebuilds.size(), 11u);
  for (size_t i = 1; i < rebuilds.size(); ++i) EXPECT_GE(rebuilds[i] - rebuilds[i - 1], 1000) << i;
  // The last change is shown: a rebuild follows it.
  EXPECT_GT(rebuilds.back(), changes.back());
}

TEST(TreeRebuildPacer, AQuietChangeIsShownAfterTheSettleTime) {
  EXPECT_EQ(Rebuilds({50}, 5000), (std::vector<int64_t>{550}));
  // Two lone changes far apart give two rebuilds; close after a rebuild, the gap waits.
  EXPECT_EQ(Rebuilds({0, 3000}, 10000), (std::vector<int64_t>{500, 3500}));
  EXPECT_EQ(Rebuilds({0, 600}, 10000), (std::vector<int64_t>{500, 1500}));
}

}  // namespace kelmor

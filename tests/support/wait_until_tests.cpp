// The wait with a time limit: it ends at the first try that holds, pauses no longer than a
// step nor past the limit, and tries once more after its last pause.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "wait_until.h"

using namespace std::chrono_literals;
using std::chrono::milliseconds;

TEST(WaitUntil, EndsAtTheFirstTryThatHolds) {
  int tries = 0;
  std::vector<milliseconds> pauses;
  EXPECT_TRUE(WaitUntil([&] { return ++tries == 3; }, 10s, 5ms, [&](milliseconds d) { pauses.push_back(d); }));
  EXPECT_EQ(tries, 3);
  EXPECT_EQ(pauses, (std::vector<milliseconds>{5ms, 5ms}));
  // A condition that holds at once is not paused for.
  pauses.clear();
  EXPECT_TRUE(WaitUntil([] { return true; }, 0ms, 5ms, [&](milliseconds d) { pauses.push_back(d); }));
  EXPECT_TRUE(pauses.empty());
}

TEST(WaitUntil, GivesUpAfterTheLimitHavingTriedAfterTheLastPause) {
  int tries = 0;
  std::vector<milliseconds> pauses;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(WaitUntil(
      [&] {
        ++tries;
        return false;
      },
      40ms, 15ms,
      [&](milliseconds d) {
        pauses.push_back(d);
        std::this_thread::sleep_for(d);
      }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms);
  ASSERT_FALSE(pauses.empty());
  EXPECT_EQ(size_t(tries), pauses.size() + 1);
  for (milliseconds d : pauses) {
    EXPECT_GT(d, 0ms);
    EXPECT_LE(d, 15ms);
  }
}

TEST(WaitUntil, APauseNeverReachesPastTheLimit) {
  std::vector<milliseconds> pauses;
  EXPECT_FALSE(WaitUntil([] { return false; }, 30ms, 1000ms, [&](milliseconds d) {
    pauses.push_back(d);
    std::this_thread::sleep_for(d);
  }));
  ASSERT_FALSE(pauses.empty());
  EXPECT_LE(pauses.front(), 30ms);
}

TEST(WaitUntil, SeesAChangeMadeByAnotherThread) {
  std::atomic<bool> done{false};
  std::thread worker([&done] {
    std::this_thread::sleep_for(30ms);
    done = true;
  });
  EXPECT_TRUE(WaitUntil([&] { return done.load(); }, kEventLimit));
  worker.join();
  EXPECT_FALSE(WaitUntil([] { return false; }, 0ms));
}

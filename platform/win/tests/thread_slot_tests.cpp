#include "win/thread_slot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

std::atomic<int> gLive{0};

struct Counted {
  Counted() { ++gLive; }
  ~Counted() {
    text.assign(64, 'x');  // a destructor that touches its own storage
    --gLive;
  }
  std::string text;
  int value = 0;
};

TEST(ThreadSlot, EachThreadHasItsOwnValueAndItGoesWithTheThread) {
  win::ThreadSlot<Counted> slot;
  Counted* mine = slot.Get();
  ASSERT_NE(mine, nullptr);
  mine->value = 1;
  int live = gLive;
  int seenInThread = -1;
  std::thread other([&] {
    Counted* theirs = slot.Get();
    seenInThread = theirs ? theirs->value : -2;
    theirs->value = 2;
    EXPECT_EQ(slot.Get(), theirs);
  });
  other.join();
  EXPECT_EQ(seenInThread, 0);     // a fresh value, not this thread's
  EXPECT_EQ(gLive, live);          // the other thread's value went when it ended
  EXPECT_EQ(slot.Get(), mine);
  EXPECT_EQ(mine->value, 1);
}

TEST(ThreadSlot, ResetDeletesThisThreadsValueAndTwoSlotsAreApart) {
  win::ThreadSlot<Counted> first, second;
  first.Get()->value = 7;
  second.Get()->value = 8;
  EXPECT_EQ(first.Get()->value, 7);
  int live = gLive;
  first.Reset();
  EXPECT_EQ(gLive, live - 1);
  EXPECT_EQ(first.Get()->value, 0);
  EXPECT_EQ(second.Get()->value, 8);
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <random>
#include <thread>

#include "db/db.h"
#include "fileio/file.h"
#include "narwen/rebuild.h"
#include "temp_dir.h"
#include "test_bytes.h"
#include "worker_process.h"
#include "stress_count.h"

namespace narwen {
namespace {

// Stores `count` items in the library, each third one removed again; the live ones by key.
// size(i) and seed(i) give item i's size and bytes.
template <typename Size, typename Seed>
std::map<std::string, std::string> StoreItems(TempDir& dir, const std::string& lib, int count, Size size, Seed seed) {
  std::map<std::string, std::string> live;
  for (int i = 0; i < count; ++i) {
    std::string key = "K" + std::to_string(i) + ".JPG";
    std::string data = TestBytes(size(i), seed(i));
    std::string file = dir.Write("in\\" + key, data);
    EXPECT_EQ(qBtMmLib(lib, file, 1), 0) << key;
    if (i % 3 == 1) {
      EXPECT_EQ(qBtMmLib(lib, file, 3), 0) << key;
    } else {
      live[key] = data;
    }
  }
  return live;
}

// One run to its end; then the index holds exactly the live items and each copies out as
// it was stored.
void RunAndCheck(TempDir& dir, const std::string& lib, int mode, const std::map<std::string, std::string>& live,
                 const std::string& context) {
  RebuildHooks hooks;
  hooks.freeSpace = [](const std::string&) { return int64_t(1) << 50; };
  ASSERT_EQ(REBUILDDATABASE(lib, mode, false, hooks), 0) << context;
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBNAME(lib, 'I'), 12, handle, status), 0) << context;
  EXPECT_EQ(qBtKeyNbr(handle), int(live.size())) << context;
  qBtClose(handle);
  fileio::MakeDirectories(dir.File("out"));
  for (auto& [key, data] : live) {
    ASSERT_EQ(qBtMmLib(lib, dir.File("out\\" + key), 2), 0) << key << " " << context;
    EXPECT_EQ(dir.Read("out\\" + key), data) << key << " " << context;
  }
}

// Runs killed at random moments, then one run to its end: every live item copies out as it
// was stored and the index holds exactly the live items.
// NARWEN_KILLS (default 6) runs are killed; NARWEN_KILL_SCALE (default 1) multiplies the
// items' sizes (55: a library of about 200 MB) and the moments of the kills.
void KillAndCheck(int mode, bool shortOfSpace) {
  TempDir dir;
  const std::string lib = dir.File("ARC001.B01");
  const int scale = StressCount("NARWEN_KILL_SCALE", 1);
  const auto live = StoreItems(
      dir, lib, 120, [&](int i) { return size_t(1000 + (i * 7919) % 60000) * size_t(scale); }, [](int i) { return i; });
  const int kills = StressCount("NARWEN_KILLS", 6);
  std::mt19937 random(uint32_t(mode * 2 + int(shortOfSpace) + 1));
  for (int k = 0; k < kills; ++k) {
    WorkerProcess worker;
    ASSERT_TRUE(worker.Start("narwen_rebuild_worker",
                             {lib, std::to_string(mode), shortOfSpace ? "short" : "roomy"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % uint32_t(60 * scale)));
    worker.Kill();
  }
  RunAndCheck(dir, lib, mode, live, "after the kills");
}

TEST(NarwenKills, CompactionKilledAtRandomMoments) { KillAndCheck(kModeCompact, false); }
TEST(NarwenKills, CompactionShortOfSpaceKilledAtRandomMoments) { KillAndCheck(kModeCompact, true); }
TEST(NarwenKills, IndexRebuildKilledAtRandomMoments) { KillAndCheck(kModeIndexOnly, false); }

// A run killed at its commit point: its new files complete under their commit name, the
// old ones still in place. An item stored and an item removed before the next run (by the
// archive, the topic editor or the tool's own store) stay so through that run.
// SUITE_KILL_ROUNDS (default 2) rounds, each with other items.
void KillAtCommitPoint(int mode, bool shortOfSpace) {
  const int rounds = StressCount("SUITE_KILL_ROUNDS", 2);
  for (int round = 0; round < rounds; ++round) {
    TempDir dir;
    const std::string lib = dir.File("ARC001.B01");
    auto live = StoreItems(
        dir, lib, 6 + round % 7, [&](int i) { return size_t(500 + (i * 7919 + round * 131) % 30000); },
        [&](int i) { return i + round; });
    WorkerProcess worker;
    ASSERT_TRUE(worker.Start("narwen_rebuild_worker",
                             {lib, std::to_string(mode), shortOfSpace ? "short" : "roomy", "die"}));
    ASSERT_EQ(worker.Wait(120000), 9) << "the run did not reach its commit point";
    const std::string ready = dir.File(mode == kModeCompact ? "NARWENNEW.B01" : "NARWENNEW.I01");
    ASSERT_TRUE(fileio::Exists(ready));

    const std::string added = TestBytes(size_t(700 + round * 37), 1000 + round);
    ASSERT_EQ(qBtMmLib(lib, dir.Write("in\\NEW.JPG", added), 1), 0) << round;
    live["NEW.JPG"] = added;
    const std::string gone = "K" + std::to_string(round % 2 == 0 ? 0 : 2) + ".JPG";
    ASSERT_EQ(qBtMmLib(lib, dir.File("in\\" + gone), 3), 0) << round;
    live.erase(gone);

    RunAndCheck(dir, lib, mode, live, "round " + std::to_string(round));
    EXPECT_FALSE(fileio::Exists(dir.File("NARWENNEW.B01")));
    EXPECT_FALSE(fileio::Exists(dir.File("NARWENNEW.I01")));
    EXPECT_EQ(qBtMmLib(lib, dir.File("out\\" + gone), 2), kDbErrNotFound) << "a removed item came back";
  }
}

TEST(NarwenKills, StoreAndRemovalAfterACompactionKilledAtItsCommitPointSurvive) {
  KillAtCommitPoint(kModeCompact, false);
}
TEST(NarwenKills, StoreAndRemovalAfterACuttingCompactionKilledAtItsCommitPointSurvive) {
  KillAtCommitPoint(kModeCompact, true);
}
TEST(NarwenKills, StoreAndRemovalAfterAnIndexRebuildKilledAtItsCommitPointSurvive) {
  KillAtCommitPoint(kModeIndexOnly, false);
}

}  // namespace
}  // namespace narwen

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

// Runs killed at random moments, then one run to its end: every live item copies out as it
// was stored and the index holds exactly the live items.
// NARWEN_KILLS (default 6) runs are killed; NARWEN_KILL_SCALE (default 1) multiplies the
// items' sizes (55: a library of about 200 MB) and the moments of the kills.

void KillAndCheck(int mode, bool shortOfSpace) {
  TempDir dir;
  const std::string lib = dir.File("ARC001.B01");
  std::map<std::string, std::string> live;
  const int scale = StressCount("NARWEN_KILL_SCALE", 1);
  for (int i = 0; i < 120; ++i) {
    std::string key = "K" + std::to_string(i) + ".JPG";
    std::string data = TestBytes(size_t(1000 + (i * 7919) % 60000) * size_t(scale), i);
    std::string file = dir.Write("in\\" + key, data);
    ASSERT_EQ(qBtMmLib(lib, file, 1), 0);
    if (i % 3 == 1) {
      ASSERT_EQ(qBtMmLib(lib, file, 3), 0);
    } else {
      live[key] = data;
    }
  }
  const int kills = StressCount("NARWEN_KILLS", 6);
  std::mt19937 random(uint32_t(mode * 2 + int(shortOfSpace) + 1));
  for (int k = 0; k < kills; ++k) {
    WorkerProcess worker;
    ASSERT_TRUE(worker.Start("narwen_rebuild_worker",
                             {lib, std::to_string(mode), shortOfSpace ? "short" : "roomy"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % uint32_t(60 * scale)));
    worker.Kill();
  }
  RebuildHooks hooks;
  hooks.freeSpace = [](const std::string&) { return int64_t(1) << 50; };
  ASSERT_EQ(REBUILDDATABASE(lib, mode, false, hooks), 0);
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBNAME(lib, 'I'), 12, handle, status), 0);
  EXPECT_EQ(qBtKeyNbr(handle), int(live.size()));
  qBtClose(handle);
  fileio::MakeDirectories(dir.File("out"));
  for (auto& [key, data] : live) {
    std::string target = dir.File("out\\" + key);
    ASSERT_EQ(qBtMmLib(lib, target, 2), 0) << key;
    EXPECT_EQ(dir.Read("out\\" + key), data) << key;
  }
}

TEST(NarwenKills, CompactionKilledAtRandomMoments) { KillAndCheck(kModeCompact, false); }
TEST(NarwenKills, CompactionShortOfSpaceKilledAtRandomMoments) { KillAndCheck(kModeCompact, true); }
TEST(NarwenKills, IndexRebuildKilledAtRandomMoments) { KillAndCheck(kModeIndexOnly, false); }

}  // namespace
}  // namespace narwen

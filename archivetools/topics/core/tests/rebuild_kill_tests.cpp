// A rebuild killed at random moments: after the start-up's FinishInterruptedRebuild the
// record file and every index are wholly the old ones or wholly the new ones.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "lumbric/records.h"
#include "topics_test_util.h"
#include "stress_count.h"

namespace {

constexpr int kIndexes = 11;  // the key and ten topic slots

// The record file and its indexes as bytes and pairs.
struct ArchiveState {
  std::string records;
  std::vector<std::vector<std::pair<std::string, int>>> indexes;
};

ArchiveState StateOf(const std::string& f01, const std::vector<DBFIELD>& fields) {
  ArchiveState s;
  s.records = FileBytes(f01);
  for (int k = 0; k < kIndexes; ++k) s.indexes.push_back(Pairs(DBINDEX(f01, k), k == 0 ? fields[0].width : 40));
  return s;
}

void CopyArchive(const std::string& from, const std::string& to) {
  PutFileBytes(to, FileBytes(from));
  for (int k = 0; k < kIndexes; ++k) PutFileBytes(DBINDEX(to, k), FileBytes(DBINDEX(from, k)));
}

TEST(RebuildKill, AKilledRebuildLeavesTheOldOrTheNewArchiveWhole) {
  const int records = StressCount("SUITE_KILL_RECORDS", 600);
  const int rounds = StressCount("SUITE_KILL_ROUNDS", 8);
  TempDir pristineDir, expectedDir, dir;
  std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  {
    TopicArchive a(pristineDir, 0);
    DbBeginBatch();
    for (int r = 1; r <= records; ++r) ASSERT_EQ(DBCREF(a.f01, a.fileNumber, TopicArchive::Values(r), fields), 0);
    // Every seventh record deleted.
    for (int r = 7; r <= records; r += 7)
      ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, r + 1, TopicArchive::Values(r), fields), 0);
    ASSERT_EQ(DbEndBatch(), 0);
  }
  const std::string pristine = pristineDir.File("ARCHIVE.F01");
  const ArchiveState old = StateOf(pristine, fields);

  // The new state, and how long a whole rebuild takes here.
  const std::string expectedF01 = expectedDir.File("ARCHIVE.F01");
  CopyArchive(pristine, expectedF01);
  auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(lumbric::REBUILDINDEX(expectedF01, fields), 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  const ArchiveState rebuilt = StateOf(expectedF01, fields);
  ASSERT_EQ(rebuilt.records.size(), size_t(records - records / 7 + 1) * kLength);

  const std::string f01 = dir.File("ARCHIVE.F01");
  std::mt19937 random(11);
  int oldSeen = 0, newSeen = 0;
  for (int round = 0; round < rounds; ++round) {
    CopyArchive(pristine, f01);
    const std::string ready = dir.File("ready" + std::to_string(round));
    WorkerProcess worker;
    ASSERT_TRUE(worker.Start("lumbric_rebuild_worker", {f01, ready}));
    ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(ready); }, std::chrono::seconds(60)));
    // Anywhere in the rebuild, now and then just after it.
    std::this_thread::sleep_for(std::chrono::microseconds(random() % (whole.count() * 5 / 4 + 1)));
    worker.Kill();

    ASSERT_EQ(lumbric::FinishInterruptedRebuild(f01, fields), 0) << "round " << round;
    ArchiveState now = StateOf(f01, fields);
    const bool isOld = now.records == old.records, isNew = now.records == rebuilt.records;
    ASSERT_TRUE(isOld || isNew) << "round " << round << ": " << now.records.size() << " bytes";
    EXPECT_EQ(now.indexes, isOld ? old.indexes : rebuilt.indexes) << "round " << round;
    (isOld ? oldSeen : newSeen)++;
    // Whatever the kill left beside, the next rebuild ends in the new state.
    if (isOld) {
      ASSERT_EQ(lumbric::REBUILDINDEX(f01, fields), 0) << "round " << round;
      ArchiveState after = StateOf(f01, fields);
      EXPECT_EQ(after.records, rebuilt.records) << "round " << round;
      EXPECT_EQ(after.indexes, rebuilt.indexes) << "round " << round;
    }
    if (HasFailure()) break;
  }
  RecordProperty("old", oldSeen);
  RecordProperty("new", newSeen);
}

}  // namespace

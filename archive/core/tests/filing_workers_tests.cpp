// Filers as programs of their own: two at once, and one killed again and again at a
// random moment. An independent check of the archive afterwards: every record's items
// are in the library under its key with its picture's bytes, every index pair names a
// live record, and the library index names only items of records.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <thread>
#include <cstdlib>
#include <string>

#include "db/db.h"
#include "archive_check.h"
#include "filing_test_util.h"
#include "fileio/file.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"
#include "stress_count.h"

namespace {

struct Filer : WorkerProcess {
  bool Start(const std::string& folder, const std::string& worker, int count, const std::string& ready,
             const std::string& go) {
    return WorkerProcess::Start("grilton_filing_worker", {folder, worker, std::to_string(count), ready, go});
  }
};

bool WaitForFile(const std::string& path) {
  return WaitUntil([&] { return fileio::Exists(path); }, std::chrono::seconds(60), std::chrono::milliseconds(2));
}

// The worker files "W<worker>P<i>" with its own topic and a sound comment.
std::vector<CheckedRecord> CheckWorkersArchive(const grilton::ArchivePlace& place) {
  return CheckArchive(
      place, [](const CheckedRecord& r) { return "picture of " + r.name; },
      [](const CheckedRecord& r) { return "sound of " + r.name; },
      [](const CheckedRecord& r) { return "WORKER" + r.name.substr(1, 1); });
}

TEST(FilingWorkers, TwoFilersAtOnceTakeDistinctKeysAndKeepEachItemUnderItsRecord) {
  TempDir dir;
  const int perWorker = 40;
  Filer one, two;
  ASSERT_TRUE(one.Start(dir.Path(), "1", perWorker, dir.File("ready1"), dir.File("go")));
  ASSERT_TRUE(two.Start(dir.Path(), "2", perWorker, dir.File("ready2"), dir.File("go")));
  ASSERT_TRUE(WaitForFile(dir.File("ready1")) && WaitForFile(dir.File("ready2")));
  dir.Write("go", "");
  EXPECT_EQ(one.Wait(120000), 0);
  EXPECT_EQ(two.Wait(120000), 0);
  std::vector<CheckedRecord> records = CheckWorkersArchive(TestPlace(dir.Path()));
  ASSERT_EQ(records.size(), size_t(2 * perWorker));
  std::set<std::string> names;
  for (const CheckedRecord& f : records) names.insert(f.name);
  EXPECT_EQ(names.size(), size_t(2 * perWorker));
}

// SUITE_KILL_ROUNDS raises the number of kills for a local run.
int KillRounds() { return StressCount("SUITE_KILL_ROUNDS", 20); }

TEST(FilingWorkers, AFilerKilledAtRandomMomentsLeavesEachFilingWholeOrAbsent) {
  TempDir dir;
  const int pictures = 100;
  std::mt19937 random(20241209);
  const int rounds = KillRounds();
  for (int round = 0; round <= rounds; ++round) {
    const std::string ready = dir.File("ready" + std::to_string(round));
    Filer filer;
    ASSERT_TRUE(filer.Start(dir.Path(), "1", pictures, ready, dir.File("go")));
    ASSERT_TRUE(WaitForFile(ready));
    if (round == 0) dir.Write("go", "");
    if (round == rounds) {
      EXPECT_EQ(filer.Wait(120000), 0) << "the last run files the rest";
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
    filer.Kill();
  }
  std::vector<CheckedRecord> records = CheckWorkersArchive(TestPlace(dir.Path()));
  std::set<std::string> names;
  for (const CheckedRecord& f : records) names.insert(f.name);
  EXPECT_EQ(names.size(), size_t(pictures)) << "every picture filed at least once";
}

}  // namespace

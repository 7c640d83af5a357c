// Two programs filing into one archive at once, and calls that meet a lock held elsewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "../src/locks.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"

namespace {

// The helper program that files records, run as a process of its own.
bool WaitForFiles(const std::vector<std::string>& files, int milliseconds) {
  return WaitUntil(
      [&] { return std::all_of(files.begin(), files.end(), [](const std::string& f) { return fileio::Exists(f); }); },
      std::chrono::milliseconds(milliseconds), std::chrono::milliseconds(5));
}

class Worker : public WorkerProcess {
 public:
  bool Start(const std::vector<std::string>& args) { return WorkerProcess::Start("db_append_worker", args); }
  // Starts another program that files `count` records into the archive as worker
  // `number`, and lets it go once it has the archive open.
  bool StartFiling(const TempDir& dir, const Archive& a, const char* number, int count) {
    if (!Start({a.f01, a.cpt, number, std::to_string(count), dir.File("ready"), dir.File("go")})) return false;
    if (!WaitForFiles({dir.File("ready")}, 60000)) return false;
    dir.Write("go", "");
    return true;
  }
};

// Restores the lock timeout when a test ends.
struct LockTimeout {
  explicit LockTimeout(int ms) { DbSetLockTimeout(ms); }
  ~LockTimeout() { DbSetLockTimeout(10000); }
};

}  // namespace

TEST(Concurrency, TwoProgramsAppendFiveHundredRecordsEach) {
  TempDir dir;
  Archive a(dir);
  const int perWorker = 500;
  Worker one, two;
  ASSERT_TRUE(one.Start({a.f01, a.cpt, "1", std::to_string(perWorker), dir.File("ready1"), dir.File("go")}));
  ASSERT_TRUE(two.Start({a.f01, a.cpt, "2", std::to_string(perWorker), dir.File("ready2"), dir.File("go")}));
  ASSERT_TRUE(WaitForFiles({dir.File("ready1"), dir.File("ready2")}, 60000));
  dir.Write("go", "");

  // Meanwhile this program reads the key index over and over: every walk must be in
  // order, and every key must lead to the record that holds it.
  int walks = 0, lastCount = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(180);
  while ((one.Wait(0) == -1 || two.Wait(0) == -1) && std::chrono::steady_clock::now() < deadline) {
    if (!fileio::Exists(DBINDEX(a.f01, 0))) continue;
    Index key(DBINDEX(a.f01, 0), 8);
    ASSERT_EQ(key.rc, 0);
    int fn = 0;
    ASSERT_EQ(SKFOPEN(a.f01, 0, 4, fn), 0);
    int count = qBtKeyNbr(key.handle);
    EXPECT_GE(count, lastCount);
    lastCount = count;
    std::string k, previous, record(671, ' ');
    int32_t v = 0;
    int status = 0;
    for (int rc = qBtFirst(key.handle, k, v, status); rc == 0 && status == 0; rc = qBtNext(key.handle, k, v, status)) {
      ASSERT_LT(previous, k);
      previous = k;
      ASSERT_EQ(SKFGETR(fn, record, v), 0) << k;
      ASSERT_EQ(record.substr(0, 8), k) << "record " << v;
    }
    EXPECT_EQ(status, 1);
    SKFCLOSE(fn);
    ++walks;
  }
  EXPECT_EQ(one.Wait(180000), 0);
  EXPECT_EQ(two.Wait(180000), 0);
  RecordProperty("walks", walks);

  // 1000 records with 1000 distinct keys from 1 to 1000.
  const std::string bytes = FileBytes(a.f01);
  ASSERT_EQ(bytes.size(), size_t(2 * perWorker + 1) * 671);
  std::map<std::string, int> recordOfKey;
  std::map<std::string, int> perTopic;
  int switches = 0;  // how often the filing program changes from one record to the next
  for (int r = 2; r <= 2 * perWorker + 1; ++r) {
    std::string record = bytes.substr(size_t(r - 1) * 671, 671);
    recordOfKey[record.substr(0, 8)] = r;
    perTopic[record.substr(84, 40)]++;
    if (r > 2 && record.substr(84, 40) != bytes.substr(size_t(r - 2) * 671 + 84, 40)) ++switches;
  }
  // The two programs really filed at the same time, not one after the other.
  EXPECT_GT(switches, 1);
  RecordProperty("switches", switches);
  ASSERT_EQ(recordOfKey.size(), size_t(2 * perWorker));
  EXPECT_EQ(recordOfKey.begin()->first, "00000001");
  EXPECT_EQ(recordOfKey.rbegin()->first, "00001000");
  EXPECT_EQ(perTopic[Padded("WORKER1", 40)], perWorker);
  EXPECT_EQ(perTopic[Padded("WORKER2", 40)], perWorker);
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 0), "00001001");

  // Every index agrees with the records.
  Index key(DBINDEX(a.f01, 0), 8);
  Index workers(DBINDEX(a.f01, 1), 40);
  Index keysAgain(DBINDEX(a.f01, 3), 40);
  EXPECT_EQ(qBtKeyNbr(key.handle), 2 * perWorker);
  EXPECT_EQ(qBtKeyNbr(workers.handle), 2 * perWorker);
  EXPECT_EQ(qBtKeyNbr(keysAgain.handle), 2 * perWorker);
  for (int idx = 1; idx <= 10; ++idx) {
    Index topic(DBINDEX(a.f01, idx), 40);
    EXPECT_EQ(qBtKeyNbr(topic.handle), 2 * perWorker) << "index " << idx;
  }
  int status = 0;
  for (const auto& [k, r] : recordOfKey) {
    std::string s = k;
    int32_t v = 0;
    ASSERT_EQ(qBtSearch(key.handle, s, v, status), 0);
    ASSERT_EQ(status, 0) << k;
    EXPECT_EQ(v, r) << k;
    s = k;
    ASSERT_EQ(qBtSearch(keysAgain.handle, s, v, status), 0);
    EXPECT_EQ(v, r) << k;
  }
  for (std::string w : {"WORKER1", "WORKER2"}) {
    std::string s = w;
    int32_t v = 0;
    int n = 0;
    int rc = qBtSearch(workers.handle, s, v, status);
    while (rc == 0 && status == 0 && s == Padded(w, 40)) {
      EXPECT_EQ(bytes.substr(size_t(v - 1) * 671 + 84, 40), s);
      ++n;
      rc = qBtNext(workers.handle, s, v, status);
    }
    EXPECT_EQ(n, perWorker) << w;
  }
}

TEST(Concurrency, CallsWaitForLocksHeldElsewhereAndGiveUpInTime) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  LockTimeout timeout(300);
  int fn = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues("00000001", {"A"}), a.fields), 0);

  // Another holder of the header record (the topic editor saving a record).
  int other = 0;
  ASSERT_EQ(SKFOPEN(a.f01, 2, 4, other), 0);
  ASSERT_EQ(SKFLOCK(other, 0, 671), 0);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(DBCREF(a.f01, fn, ArchiveValues("00000002", {"B"}), a.fields), kDbErrLockViolation);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(250));
  EXPECT_EQ(SKFLOF(fn), 2 * 671);
  // Released meanwhile: the call waits and then succeeds.
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    SKFUNLOCK(other, 0, 671);
  });
  EXPECT_EQ(DBCREF(a.f01, fn, ArchiveValues("00000002", {"B"}), a.fields), 0);
  release.join();
  SKFCLOSE(fn);

  // The indexes' lock (a byte far beyond the records) held by someone else.
  ASSERT_EQ(SKFLOCK(other, db::kGroupLockOffset, 1), 0);
  {
    Index key(DBINDEX(a.f01, 0), 8);
    EXPECT_EQ(key.rc, kDbErrLockViolation);
    EXPECT_EQ(key.status, 2);
  }
  ASSERT_EQ(SKFUNLOCK(other, db::kGroupLockOffset, 1), 0);
  {
    Index key(DBINDEX(a.f01, 0), 8);
    EXPECT_EQ(key.rc, 0);
    EXPECT_EQ(qBtKeyNbr(key.handle), 2);
  }
  SKFCLOSE(other);

  // The counter's lock.
  fileio::File counter;
  ASSERT_EQ(counter.OpenAlways(a.cpt), 0);
  ASSERT_EQ(counter.Lock(db::kGroupLockOffset, 1), 0);
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 1), "");
  counter.Unlock(db::kGroupLockOffset, 1);
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 1), "00000001");
}

TEST(Concurrency, ThreadsOfOneProgramShareIndexesSafely) {
  TempDir dir;
  const std::string path = dir.File("threads.idx");
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      Index ix(path, 8);
      int status = 0;
      for (int i = 0; i < 500; ++i) {
        std::string k = "T" + std::to_string(t) + "-" + std::to_string(i);
        int32_t v = i;
        EXPECT_EQ(qBtInsert(ix.handle, k, v, status), 0);
      }
    });
  }
  for (auto& t : threads) t.join();
  Index ix(path, 8);
  EXPECT_EQ(qBtKeyNbr(ix.handle), 2000);
}

TEST(Concurrency, FilesAreLetGoSoonAfterUse) {
  // Another program (the topic editor's rebuild) may delete and make anew the index and
  // counter files once this program has stopped filing, even while it keeps the record
  // file open.
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fn = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues(DBSEQUENCE(a.cpt, "00000000", 1), {"A"}), a.fields), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  for (int k = 0; k <= 10; ++k) ASSERT_EQ(fileio::RemoveFile(a.f01 + ".K" + (k < 10 ? "0" : "") + std::to_string(k)), 0);
  ASSERT_EQ(fileio::RemoveFile(a.cpt), 0);
  // ... and makes them anew from the records.
  ASSERT_EQ(DbRebuildIndexes(a.f01, a.fields), 0);
  PutFileBytes(a.cpt, "0000000041\r\n");
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 0), "00000042");
  ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues(DBSEQUENCE(a.cpt, "00000000", 1), {"B"}), a.fields), 0);
  SKFCLOSE(fn);
  Index key(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), 2);
  std::string k = "00000042";
  int32_t v = 0;
  int status = 0;
  ASSERT_EQ(qBtSearch(key.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(v, 3);
}

TEST(Concurrency, ReadersSeeWholeIndexesWhileAnotherProgramFiles) {
  // Reads do not take the lock between programs; they must still never see half a
  // change. Topic slot 2 holds seven words with ever larger record numbers, so that each
  // new pair goes into the middle of a page and moves the pairs behind it.
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  Worker writer;
  ASSERT_TRUE(writer.StartFiling(dir, a, "1", 4000));
  std::set<std::pair<std::string, int32_t>> seen;
  int rounds = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(180);
  while (writer.Wait(0) == -1 && std::chrono::steady_clock::now() < deadline) {
    if (!fileio::Exists(DBINDEX(a.f01, 2))) continue;
    Index topic(DBINDEX(a.f01, 2), 40);
    ASSERT_EQ(topic.rc, 0);
    std::set<std::pair<std::string, int32_t>> walk;
    std::pair<std::string, int32_t> previous;
    std::string k;
    int32_t v = 0;
    int status = 0;
    for (int rc = qBtFirst(topic.handle, k, v, status); rc == 0 && status == 0; rc = qBtNext(topic.handle, k, v, status)) {
      std::pair<std::string, int32_t> pair(k, v);
      if (!walk.empty()) {
        ASSERT_LT(previous, pair) << "walk out of order";
      }
      previous = pair;
      walk.insert(pair);
    }
    ASSERT_EQ(status, 1);
    // Nothing seen before went missing.
    for (const auto& pair : seen) ASSERT_TRUE(walk.count(pair)) << pair.first << " " << pair.second;
    seen = std::move(walk);
    ++rounds;
  }
  EXPECT_EQ(writer.Wait(180000), 0);
  RecordProperty("rounds", rounds);
  Index topic(DBINDEX(a.f01, 2), 40);
  EXPECT_EQ(qBtKeyNbr(topic.handle), 4000);
}

// An import keeps the archive's locks from one filing to the next; another program that
// wants the header, the indexes or the counter meanwhile gets each at once (well within
// the lock timeout), and while it holds the header the import files nothing.
TEST(Concurrency, AnImportLetsOtherProgramsInBetweenItsFilings) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  Worker writer;
  ASSERT_TRUE(writer.StartFiling(dir, a, "1", 1000000));
  LockTimeout timeout(5000);
  int fn = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  auto records = [&] { return SKFLOF(fn) / 671; };
  const auto slowest = std::chrono::milliseconds(2500);
  for (int round = 0; round < 20; ++round) {
    // The import goes on between the rounds.
    const int64_t before = records();
    ASSERT_TRUE(WaitUntil([&] { return records() > before; }, std::chrono::seconds(60))) << round;

    auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(DbLockHeader(fn, 671), 0) << round;
    EXPECT_LT(std::chrono::steady_clock::now() - started, slowest) << round;
    const int64_t held = records();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(records(), held) << "the import filed while another program held the header";
    ASSERT_EQ(SKFUNLOCK(fn, 0, 671), 0);

    started = std::chrono::steady_clock::now();
    {
      Index key(DBINDEX(a.f01, 0), 8);  // opening takes the indexes' lock
      ASSERT_EQ(key.rc, 0) << round;
      EXPECT_GT(qBtKeyNbr(key.handle), 0);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, slowest) << round;

    started = std::chrono::steady_clock::now();
    EXPECT_NE(DBSEQUENCE(a.cpt, "00000000", 0), "") << round;
    EXPECT_LT(std::chrono::steady_clock::now() - started, slowest) << round;
  }
  SKFCLOSE(fn);
  writer.Kill();
}

// An import that keeps its locks and then stays idle within its batch (the program busy
// with something else) lets another program in all the same: its session looks for knocks
// while it is unused.
TEST(Concurrency, AnIdleImportLetsAnotherProgramFile) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fn = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  DbBeginBatch();
  for (const char* key : {"A0000001", "A0000002", "A0000003"})
    ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues(key, {"IMPORT"}), a.fields), 0);
  // Idle from here on, in the batch, while another program files twenty records.
  Worker writer;
  ASSERT_TRUE(writer.StartFiling(dir, a, "2", 20));
  EXPECT_EQ(writer.Wait(60000), 0) << "the other program could not file";
  EXPECT_EQ(SKFLOF(fn), 24 * 671);
  // The import goes on after it.
  EXPECT_EQ(DBCREF(a.f01, fn, ArchiveValues("A0000004", {"IMPORT"}), a.fields), 0);
  EXPECT_EQ(DbEndBatch(), 0);
  SKFCLOSE(fn);
  Index key(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), 24);
}

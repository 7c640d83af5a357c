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
#include "filing_test_util.h"
#include "fileio/file.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"

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

std::string Trimmed(const std::string& s) {
  size_t end = s.find_last_not_of(' ');
  return end == std::string::npos ? "" : s.substr(0, end + 1);
}

// Every pair of an index, as (key, value).
std::multiset<std::pair<std::string, int32_t>> IndexPairs(const std::string& path, int keyLength) {
  std::multiset<std::pair<std::string, int32_t>> pairs;
  int handle = 0, status = 0;
  EXPECT_EQ(qBtOpen(path, keyLength, handle, status), 0) << path;
  std::string key(size_t(keyLength), ' ');
  int32_t value = 0;
  for (int rc = qBtFirst(handle, key, value, status); rc == 0 && status == 0;
       rc = qBtNext(handle, key, value, status))
    pairs.insert({Trimmed(key), value});
  EXPECT_NE(status, kBtFailed) << path;
  qBtClose(handle);
  return pairs;
}

struct Filed {
  std::string key, name, sound;
  int32_t record = 0;
};

// Reads the archive back and checks that it agrees with itself; returns the records.
std::vector<Filed> CheckArchive(const grilton::ArchivePlace& place) {
  std::string bytes;
  fileio::ReadWholeFile(place.RecordFile(), bytes);
  EXPECT_EQ(bytes.size() % 671, 0u) << "a record cut short";
  std::vector<Filed> records;
  std::set<std::string> keys;
  for (size_t at = 671; at + 671 <= bytes.size(); at += 671) {
    Filed f;
    f.key = Trimmed(bytes.substr(at, 8));
    f.name = Trimmed(bytes.substr(at + 8, 30));
    f.sound = Trimmed(bytes.substr(at + 647, 12));
    f.record = int32_t(at / 671 + 1);
    EXPECT_TRUE(keys.insert(f.key).second) << "key twice: " << f.key;
    records.push_back(f);
  }
  // Index 0 holds exactly the records' keys; the topic index one pair per record.
  std::multiset<std::pair<std::string, int32_t>> expected, topics;
  for (const Filed& f : records) expected.insert({f.key, f.record});
  EXPECT_EQ(IndexPairs(DBINDEX(place.RecordFile(), 0), 8), expected);
  for (const auto& [topic, record] : IndexPairs(DBINDEX(place.RecordFile(), 1), 40)) {
    EXPECT_GE(record, 2);
    EXPECT_LE(size_t(record), records.size() + 1);
    EXPECT_EQ(topic, "WORKER" + records[size_t(record - 2)].name.substr(1, 1)) << record;
    topics.insert({topic, record});
  }
  EXPECT_EQ(topics.size(), records.size());
  // Each record's items copy out with its picture's and sound's bytes; the library index
  // names nothing else.
  std::set<std::string> items;
  for (const Filed& f : records) {
    for (const auto& [item, content] : std::map<std::string, std::string>{
             {f.key + ".JPG", "picture of " + f.name}, {f.sound, "sound of " + f.name}}) {
      std::string name = item;
      qBtMmText(name, 1);
      const std::string out = place.dataFolder + "out.bin";
      EXPECT_EQ(qBtMmLib(place.Library(), out, -2), 0) << item;
      std::string copied;
      fileio::ReadWholeFile(out, copied);
      EXPECT_EQ(copied, content) << item;
      items.insert(item);
    }
    EXPECT_EQ(f.sound, f.key + ".WAV");
  }
  std::set<std::string> indexed;
  for (const auto& [item, end] : IndexPairs(DBNAME(place.Library(), 73), 12)) indexed.insert(item);
  EXPECT_EQ(indexed, items);
  return records;
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
  std::vector<Filed> records = CheckArchive(TestPlace(dir.Path()));
  ASSERT_EQ(records.size(), size_t(2 * perWorker));
  std::set<std::string> names;
  for (const Filed& f : records) names.insert(f.name);
  EXPECT_EQ(names.size(), size_t(2 * perWorker));
}

// SUITE_KILL_ROUNDS raises the number of kills for a local run.
int KillRounds() {
  const char* rounds = std::getenv("SUITE_KILL_ROUNDS");
  return rounds ? std::max(1, std::atoi(rounds)) : 20;
}

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
  std::vector<Filed> records = CheckArchive(TestPlace(dir.Path()));
  std::set<std::string> names;
  for (const Filed& f : records) names.insert(f.name);
  EXPECT_EQ(names.size(), size_t(pictures)) << "every picture filed at least once";
}

}  // namespace

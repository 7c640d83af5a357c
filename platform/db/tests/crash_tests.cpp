// A program killed while it appends records, at random moments: every index opens again
// and agrees with the record file, and an append cut short is whole or absent.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "../src/bytes.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"
#include "stress_count.h"

namespace {

std::string Trimmed(const std::string& s) {
  size_t end = s.find_last_not_of(' ');
  return end == std::string::npos ? "" : s.substr(0, end + 1);
}

// Every pair of an index; fails the test when the index cannot be read.
std::set<std::pair<std::string, int32_t>> Pairs(const std::string& path, int keyLength) {
  std::set<std::pair<std::string, int32_t>> pairs;
  Index index(path, keyLength);
  EXPECT_EQ(index.rc, 0) << path;
  std::string key(size_t(keyLength), ' ');
  int32_t value = 0;
  int status = 0;
  for (int rc = qBtFirst(index.handle, key, value, status); rc == 0 && status == 0;
       rc = qBtNext(index.handle, key, value, status))
    pairs.insert({Trimmed(key), value});
  EXPECT_NE(status, kBtFailed) << path;
  EXPECT_EQ(qBtKeyNbr(index.handle), int(pairs.size())) << path;
  return pairs;
}

// SUITE_KILL_ROUNDS raises the number of kills for a local run.
int Rounds() { return StressCount("SUITE_KILL_ROUNDS", 15); }

TEST(Crash, AnAppenderKilledAtRandomMomentsLeavesEveryIndexWholeAndInStepWithTheRecords) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  std::mt19937 random(7);
  const int rounds = Rounds();
  for (int round = 0; round < rounds; ++round) {
    const std::string ready = dir.File("ready" + std::to_string(round));
    WorkerProcess writer;
    ASSERT_TRUE(writer.Start("db_append_worker", {a.f01, a.cpt, "1", "1000000", ready, dir.File("go")}));
    ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(ready); }, std::chrono::seconds(60)));
    if (round == 0) dir.Write("go", "");
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 30000));
    writer.Kill();

    ASSERT_EQ(DbFinishInterruptedAppend(a.f01, a.fields), 0) << "round " << round;
    std::string bytes = FileBytes(a.f01);
    ASSERT_EQ(bytes.size() % 671, 0u) << "round " << round;
    EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0'));
    std::set<std::pair<std::string, int32_t>> keys, workers, topics, copies;
    for (size_t at = 671; at < bytes.size(); at += 671) {
      int32_t record = int32_t(at / 671 + 1);
      std::string key = Trimmed(bytes.substr(at, 8));
      keys.insert({key, record});
      workers.insert({Trimmed(bytes.substr(at + 84, 40)), record});
      topics.insert({Trimmed(bytes.substr(at + 124, 40)), record});
      copies.insert({Trimmed(bytes.substr(at + 164, 40)), record});
    }
    EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8), keys) << "round " << round;
    EXPECT_EQ(Pairs(DBINDEX(a.f01, 1), 40), workers) << "round " << round;
    EXPECT_EQ(Pairs(DBINDEX(a.f01, 2), 40), topics) << "round " << round;
    EXPECT_EQ(Pairs(DBINDEX(a.f01, 3), 40), copies) << "round " << round;
    if (HasFailure()) break;
  }
  // The archive takes new records after all that.
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  std::string key = DBSEQUENCE(a.cpt, "00000000", 1);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues(key, {"AFTER"}), a.fields), 0);
  SKFCLOSE(fileNumber);
}

// The index as a program killed just before it completed its last change leaves it: the
// pages the change wrote (of `after`) under the header from before it, marked "being
// changed".
void CutShort(const std::string& path, const std::string& before, const std::string& after) {
  std::string bytes = after;
  bytes.replace(0, 128, before, 0, 128);
  auto* p = reinterpret_cast<uint8_t*>(bytes.data());
  db::Put32(p + 20, db::Get32(p + 20) | 1);
  db::Put32(p + 124, db::BlockCheck(p, 124));
  PutFileBytes(path, bytes);
}

// Every insert of a growing index (leaf splits, branch splits, new roots) cut short at
// its end is undone from the journal: the next opening finds the index exactly as it was
// before, and the insert then goes through.
TEST(Crash, AChangeCutShortIsUndoneFromItsJournalAtTheNextOpening) {
  TempDir dir;
  const std::string path = dir.File("LONG.IDX");
  const int keyLength = 240;  // sixteen pairs a page: a tall tree soon
  std::set<std::pair<std::string, int32_t>> filed;
  for (int i = 0; i < 400; ++i) {
    const std::string name = "KEY" + std::to_string((i * 7919) % 1000);
    const std::string before = FileBytes(path);
    {
      Index index(path, keyLength);
      ASSERT_EQ(index.rc, 0) << i;
      std::string key = name;
      int32_t value = i;
      ASSERT_EQ(qBtInsert(index.handle, key, value, index.status), 0) << i;
    }
    if (before.empty()) {
      filed.insert({name, i});
      continue;
    }
    const std::string after = FileBytes(path);
    CutShort(path, before, after);
    ASSERT_EQ(Pairs(path, keyLength), filed) << i;
    // The pages the change wrote are back as they were (the file may stay longer).
    ASSERT_EQ(FileBytes(path).substr(0, before.size()), before) << i;
    // Played back once: the journal no longer matches the file.
    {
      Index index(path, keyLength);
      std::string key = name;
      int32_t value = i;
      ASSERT_EQ(qBtInsert(index.handle, key, value, index.status), 0) << i;
    }
    filed.insert({name, i});
    ASSERT_EQ(Pairs(path, keyLength), filed) << i;
  }
}

}  // namespace

namespace {

int AppendKey(const Archive& a, const std::string& key) {
  int fn = 0, ok = 0;
  int rc = DBOPENF(a.f01, fn, ok);
  if (rc == 0) rc = DBCREF(a.f01, fn, ArchiveValues(key, {"T" + key}), a.fields);
  SKFCLOSE(fn);
  return rc;
}

}  // namespace

// A rebuild (the topic editor's) killed while it put its complete files in place, or
// before it had them complete: the next filing finishes or drops its work instead of
// refusing, and no copy stays beside the archive.
TEST(Crash, ARebuildKilledHalfWayIsFinishedByTheNextFiling) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  for (int i = 1; i <= 6; ++i) ASSERT_EQ(AppendKey(a, "0000000" + std::to_string(i)), 0);
  const std::string old = FileBytes(a.f01);
  // The squeezed copy without record 3, with its indexes, complete and marked ...
  const std::string beside = a.f01 + ".NEW";
  const std::string squeezed = old.substr(0, 3 * 671) + old.substr(4 * 671);
  PutFileBytes(beside, squeezed);
  ASSERT_EQ(DbRebuildIndexes(beside, a.fields), 0);
  PutFileBytes(a.f01 + ".NEW.OK", "");
  // ... and killed after copying two records of it over the old file.
  PutFileBytes(a.f01, squeezed.substr(0, 3 * 671 + 2 * 671) + old.substr(5 * 671));
  ASSERT_EQ(AppendKey(a, "00000099"), 0);
  EXPECT_TRUE(FileBytes(a.f01).substr(0, squeezed.size()) == squeezed) << "the rebuilt records are not in place";
  EXPECT_EQ(FileBytes(a.f01).size(), squeezed.size() + 671);
  auto keys = Pairs(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(keys.size(), 6u);
  EXPECT_EQ(keys.count({"00000099", 7}), 1u);
  EXPECT_EQ(keys.count({"00000004", 4}), 1u);
  for (const std::string& left : {beside, beside + ".OK", DBINDEX(beside, 0), DBINDEX(beside, 1)})
    EXPECT_FALSE(fileio::Exists(left)) << left;

  // Killed before its copy was complete: the copy goes, nothing else changes.
  const std::string before = FileBytes(a.f01);
  PutFileBytes(beside, "half a copy");
  PutFileBytes(DBINDEX(beside, 0), "half an index");
  ASSERT_EQ(AppendKey(a, "00000100"), 0);
  EXPECT_TRUE(FileBytes(a.f01).substr(0, before.size()) == before);
  EXPECT_FALSE(fileio::Exists(beside));
  EXPECT_FALSE(fileio::Exists(DBINDEX(beside, 0)));
  // The archive's start does the same.
  PutFileBytes(beside, "half a copy");
  ASSERT_EQ(DbFinishInterruptedAppend(a.f01, a.fields), 0);
  EXPECT_FALSE(fileio::Exists(beside));
}

// An import keeps one handle and its indexes open in a batch; a rebuild killed meanwhile
// (by another program, between two filings) is found by the next filing all the same:
// its files are put in place, the open indexes follow them, and the import goes on.
TEST(Crash, ARebuildKilledBetweenTheFilingsOfAnImportIsFinishedByItsNextFiling) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  DbBeginBatch();
  for (int i = 1; i <= 6; ++i)
    ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("0000000" + std::to_string(i), {"T"}), a.fields), 0);
  // The squeezed copy without record 3, complete and marked, killed before it was copied:
  // made under the header lock, through a handle of its own, as the rebuild does.
  int rebuilder = 0;
  ASSERT_EQ(DBOPENF(a.f01, rebuilder, ok), 0);
  ASSERT_EQ(DbLockHeader(rebuilder, 671), 0);
  std::string old(size_t(SKFLOF(rebuilder)), ' ');
  ASSERT_EQ(SKFGETAT(rebuilder, 0, old), 0);
  const std::string beside = a.f01 + ".NEW";
  const std::string squeezed = old.substr(0, 3 * 671) + old.substr(4 * 671);
  PutFileBytes(beside, squeezed);
  ASSERT_EQ(DbRebuildIndexes(beside, a.fields), 0);
  DbCloseIndexes(beside);
  PutFileBytes(a.f01 + ".NEW.OK", "");
  SKFCLOSE(rebuilder);  // killed: its lock goes with its handle
  ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000099", {"T"}), a.fields), 0);
  ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000100", {"U"}), a.fields), 0);
  EXPECT_EQ(DbEndBatch(), 0);
  SKFCLOSE(fileNumber);
  EXPECT_TRUE(FileBytes(a.f01).substr(0, squeezed.size()) == squeezed) << "the rebuilt records are not in place";
  EXPECT_EQ(FileBytes(a.f01).size(), squeezed.size() + 2 * 671);
  auto keys = Pairs(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(keys.size(), 7u);
  for (const auto& pair : keys) EXPECT_NE(pair.first, "00000003") << "the record the rebuild dropped came back";
  EXPECT_EQ(keys.count({"00000004", 4}), 1u);
  EXPECT_EQ(keys.count({"00000099", 7}), 1u);
  EXPECT_EQ(keys.count({"00000100", 8}), 1u);
  auto topics = Pairs(DBINDEX(a.f01, 1), 40);
  EXPECT_EQ(topics.size(), 7u);
  EXPECT_EQ(topics.count({"U", 8}), 1u);
  std::string problem;
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), 0) << problem;
  for (const std::string& left : {beside, beside + ".OK", DBINDEX(beside, 0), DBINDEX(beside, 1)})
    EXPECT_FALSE(fileio::Exists(left)) << left;
}


// A filing whose key is taken writes its record before the key index refuses the key, and
// then takes the record back. Killed between the two, it leaves the record named in the
// header and no key of it: the next program takes it back, and the record that holds the
// key keeps every pair.
TEST(Crash, AFilingOfATakenKeyKilledBeforeItsRecordIsTakenBackLeavesTheHolderWhole) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  for (const char* key : {"00000001", "00000002", "00000003"}) ASSERT_EQ(AppendKey(a, key), 0);
  const auto keysBefore = Pairs(DBINDEX(a.f01, 0), 8);
  const auto topicsBefore = Pairs(DBINDEX(a.f01, 1), 40);
  // Record 5 (the fourth) named in the header and written whole, with the key of record 3.
  std::string bytes = FileBytes(a.f01);
  const std::string duplicate = bytes.substr(3 * 671, 671);
  bytes += duplicate;
  bytes[0] = 5;
  PutFileBytes(a.f01, bytes);

  ASSERT_EQ(DbFinishInterruptedAppend(a.f01, a.fields), 0);
  bytes = FileBytes(a.f01);
  EXPECT_EQ(bytes.size(), 4u * 671u);
  EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0'));
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8), keysBefore);
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 1), 40), topicsBefore);
  // The taken key is refused again and leaves nothing; a new one is filed.
  EXPECT_EQ(AppendKey(a, "00000002"), kDbErrAlreadyExists);
  EXPECT_EQ(FileBytes(a.f01).size(), 4u * 671u);
  EXPECT_EQ(AppendKey(a, "00000004"), 0);
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8).size(), 4u);
  std::string problem;
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), 0) << problem;
}

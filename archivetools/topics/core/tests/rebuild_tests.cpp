#include <gtest/gtest.h>

#include "../src/record_rewrite.h"  // the database's journal, to leave one as a kill does
#include "lumbric/records.h"
#include "topics_test_util.h"

namespace {

void Collect(int percent, void* context) { static_cast<std::vector<int>*>(context)->push_back(percent); }

TEST(RebuildIndex, SqueezesDeletedSlotsAndNumbersTheIndexesAnew) {
  TempDir dir;
  TopicArchive a(dir, 5);  // records 2 .. 6
  ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 5, TopicArchive::Values(4), a.fields), 0);
  const std::string old = FileBytes(a.f01);
  a.Close();
  std::vector<int> progress;
  ASSERT_EQ(lumbric::REBUILDINDEX(a.f01, a.fields, Collect, &progress), 0);

  const std::string now = FileBytes(a.f01);
  ASSERT_EQ(now.size(), 4u * kLength);
  EXPECT_EQ(now.substr(0, 4), std::string(4, '\0'));
  EXPECT_EQ(now.substr(4, kLength - 4), std::string(kLength - 4, ' '));
  EXPECT_EQ(now.substr(kLength, kLength), old.substr(kLength, kLength));
  EXPECT_EQ(now.substr(2 * kLength, kLength), old.substr(3 * kLength, kLength));
  EXPECT_EQ(now.substr(3 * kLength, kLength), old.substr(5 * kLength, kLength));

  std::vector<std::pair<std::string, int>> keys{{"K0001", 2}, {"K0003", 3}, {"K0005", 4}};
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8), keys);
  std::vector<std::pair<std::string, int>> topics{{"T1", 2}, {"T3", 3}, {"T5", 4}};
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 1), a.fields[11].width), topics);
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 10), a.fields[11].width).size(), 3u);
  // Nothing of the work beside is left.
  EXPECT_FALSE(fileio::Exists(a.f01 + ".NEW"));
  EXPECT_FALSE(fileio::Exists(DBINDEX(a.f01 + ".NEW", 0)));
  EXPECT_FALSE(fileio::Exists(a.f01 + ".NEW.OK"));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  for (size_t i = 1; i < progress.size(); ++i) EXPECT_LT(progress[i - 1], progress[i]);

  // The rebuilt archive goes on working: a save finds its record under the new number.
  a.Open();
  auto values = TopicArchive::Values(5);
  values[11] = "LATER";
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 4, values, a.fields), 0);
  EXPECT_EQ(a.Record(4).substr(size_t(a.fields[11].position - 1), 5), "LATER");
  // Its old number now holds another record.
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 3, values, a.fields), kDbRefused);
}

TEST(RebuildIndex, NoDataRecordsLeavesEmptyIndexesAndAFreshHeader) {
  TempDir dir;
  TopicArchive a(dir, 0);
  a.Close();
  // A header whose number says an append was under way.
  std::string header(kLength, ' ');
  header.replace(0, 4, std::string("\x07\0\0\0", 4));
  {
    fileio::File f;
    ASSERT_EQ(f.Open(a.f01, fileio::Access::WriteNew), 0);
    ASSERT_EQ(f.WriteAt(0, header.data(), header.size()), 0);
  }
  {
    int handle = 0, status = 0;
    ASSERT_EQ(qBtOpen(DBINDEX(a.f01, 1), a.fields[11].width, handle, status), 0);
    std::string key = "STALE";
    int32_t value = 9;
    qBtInsert(handle, key, value, status);
    qBtClose(handle);
  }
  ASSERT_EQ(lumbric::REBUILDINDEX(a.f01, a.fields), 0);
  const std::string now = FileBytes(a.f01);
  ASSERT_EQ(now.size(), size_t(kLength));
  EXPECT_EQ(now.substr(0, 4), std::string(4, '\0'));
  for (int k = 0; k <= 10; ++k) {
    EXPECT_TRUE(fileio::Exists(DBINDEX(a.f01, k))) << k;
    EXPECT_TRUE(Pairs(DBINDEX(a.f01, k), k == 0 ? 8 : a.fields[11].width).empty()) << k;
  }
}

TEST(RebuildIndex, AnUnusableOpenChangesNothing) {
  TempDir dir;
  const std::string missing = dir.File("MISSING.F01");
  EXPECT_NE(lumbric::REBUILDINDEX(missing, db::ArchiveFields(10, 2024, 5)), 0);
  EXPECT_FALSE(fileio::Exists(missing));
  EXPECT_FALSE(fileio::Exists(DBINDEX(missing, 0)));
  EXPECT_FALSE(fileio::Exists(missing + ".NEW"));
}

TEST(RebuildIndex, WaitsForTheHeaderLockThenGivesUp) {
  TempDir dir;
  TopicArchive a(dir, 3);
  ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  const std::string before = FileBytes(a.f01);
  const auto keys = Pairs(DBINDEX(a.f01, 0), 8);
  ASSERT_EQ(SKFLOCK(a.fileNumber, 0, kLength), 0);
  DbSetLockTimeout(200);
  EXPECT_EQ(lumbric::REBUILDINDEX(a.f01, a.fields), kDbErrLockViolation);
  DbSetLockTimeout(10000);
  SKFUNLOCK(a.fileNumber, 0, kLength);
  EXPECT_EQ(FileBytes(a.f01), before);
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8), keys);
}

// Two archives of six records with record 4 deleted: `a` rebuilt whole, `b` as a rebuild
// killed while it copied its new record file over the old one and had moved only index 0
// leaves it. Gives a's rebuilt record file.
std::string KilledWhilePuttingInPlace(TopicArchive& a, TopicArchive& b) {
  for (TopicArchive* x : {&a, &b}) {
    EXPECT_EQ(lumbric::DELETERECORD(x->f01, x->fileNumber, 4, TopicArchive::Values(3), x->fields), 0);
    x->Close();
  }
  const std::string old = FileBytes(b.f01);
  EXPECT_EQ(lumbric::REBUILDINDEX(a.f01, a.fields), 0);
  const std::string rebuilt = FileBytes(a.f01);
  EXPECT_LT(rebuilt.size(), old.size());
  // The state at the kill: files beside complete, the record file half copied, index 0
  // moved, the others not.
  PutFileBytes(b.f01 + ".NEW", rebuilt);
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(fileio::CopyFileTo(DBINDEX(a.f01, k), DBINDEX(b.f01 + ".NEW", k)), 0);
  EXPECT_EQ(fileio::CopyFileTo(DBINDEX(a.f01, 0), DBINDEX(b.f01, 0)), 0);
  PutFileBytes(b.f01, rebuilt.substr(0, 2 * kLength) + old.substr(2 * kLength));
  PutFileBytes(b.f01 + ".NEW.OK", "");
  return rebuilt;
}

// The next start finishes the rebuild from the complete files beside.
TEST(RebuildIndex, AKillWhilePuttingInPlaceIsFinishedAtTheNextStart) {
  TempDir done, killed;
  TopicArchive a(done, 6), b(killed, 6);
  const std::string rebuilt = KilledWhilePuttingInPlace(a, b);
  EXPECT_EQ(lumbric::FinishInterruptedRebuild(b.f01, b.fields), 0);

  EXPECT_EQ(FileBytes(b.f01), rebuilt);
  for (int k = 0; k <= 10; ++k) {
    const int width = k == 0 ? 8 : b.fields[11].width;
    EXPECT_EQ(Pairs(DBINDEX(b.f01, k), width), Pairs(DBINDEX(a.f01, k), width)) << k;
  }
  std::vector<std::pair<std::string, int>> topics{{"T1", 2}, {"T2", 3}, {"T4", 4}, {"T5", 5}, {"T6", 6}};
  EXPECT_EQ(Pairs(DBINDEX(b.f01, 1), b.fields[11].width), topics);
  EXPECT_FALSE(fileio::Exists(b.f01 + ".NEW.OK"));
  EXPECT_FALSE(fileio::Exists(b.f01 + ".NEW"));
  EXPECT_FALSE(fileio::Exists(DBINDEX(b.f01 + ".NEW", 3)));
  // Nothing more to finish.
  EXPECT_EQ(lumbric::FinishInterruptedRebuild(b.f01, b.fields), 0);
  EXPECT_EQ(FileBytes(b.f01), rebuilt);
}

// Another program saves before any start finished the rebuild: the save finishes it first
// and then writes into the rebuilt file, under the record numbers it now has.
TEST(RebuildIndex, ASaveAfterARebuildKilledWhilePuttingInPlaceFinishesItFirst) {
  TempDir done, killed;
  TopicArchive a(done, 6), b(killed, 6);
  const std::string rebuilt = KilledWhilePuttingInPlace(a, b);
  b.Open();
  a.Open();
  auto values = TopicArchive::Values(5);
  values[11] = "AFTER";
  // K0005 was record 6 and is record 5 of the rebuilt file.
  ASSERT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 5, values, a.fields), 0);
  ASSERT_EQ(lumbric::SAVERECORD(b.f01, b.fileNumber, 5, values, b.fields), 0);
  EXPECT_EQ(FileBytes(b.f01), FileBytes(a.f01));
  EXPECT_NE(FileBytes(b.f01), rebuilt);
  for (int k = 0; k <= 10; ++k) {
    const int width = k == 0 ? 8 : b.fields[11].width;
    EXPECT_EQ(Pairs(DBINDEX(b.f01, k), width), Pairs(DBINDEX(a.f01, k), width)) << k;
  }
  EXPECT_FALSE(fileio::Exists(b.f01 + ".NEW.OK"));
}

// A filer meets the rebuild's files half put in place: it finishes the rebuild first
// (never appending to the half-copied file) and files into the rebuilt file.
TEST(RebuildIndex, AFilingAfterARebuildKilledWhilePuttingInPlaceFinishesItFirst) {
  TempDir done, killed;
  TopicArchive a(done, 6), b(killed, 6);
  const std::string rebuilt = KilledWhilePuttingInPlace(a, b);
  b.Open();
  ASSERT_EQ(DBCREF(b.f01, b.fileNumber, TopicArchive::Values(7), b.fields), 0);
  b.Close();
  EXPECT_TRUE(FileBytes(b.f01).substr(0, rebuilt.size()) == rebuilt);
  EXPECT_EQ(FileBytes(b.f01).size(), rebuilt.size() + 671);
  EXPECT_EQ(Pairs(DBINDEX(b.f01, 0), 8).back(), std::make_pair(std::string("K0007"), 7));
  EXPECT_FALSE(fileio::Exists(b.f01 + ".NEW.OK"));
  EXPECT_FALSE(fileio::Exists(b.f01 + ".NEW"));
}

// A save killed half way (its journal written, the record not yet) meets a rebuild: the
// save is completed before the records are squeezed and renumbered.
TEST(RebuildIndex, ASaveCutShortIsCompletedBeforeTheSqueeze) {
  TempDir done, killed;
  TopicArchive a(done, 5), b(killed, 5);
  auto values = TopicArchive::Values(4);
  values[12] = "SAVED";
  ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  ASSERT_EQ(lumbric::DELETERECORD(b.f01, b.fileNumber, 3, TopicArchive::Values(2), b.fields), 0);
  const std::string old = a.Record(5);
  ASSERT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 5, values, a.fields), 0);
  db::RewriteJournal journal;
  ASSERT_EQ(db::PlanRewrite(old, a.Record(5), 5, b.fields, journal), 0);
  PutFileBytes(b.f01 + ".JNL", db::EncodeRewriteJournal(journal));
  a.Close();
  b.Close();
  ASSERT_EQ(lumbric::REBUILDINDEX(a.f01, a.fields), 0);
  ASSERT_EQ(lumbric::REBUILDINDEX(b.f01, b.fields), 0);
  EXPECT_EQ(FileBytes(b.f01), FileBytes(a.f01));
  EXPECT_EQ(FileBytes(b.f01).substr(3 * kLength, kLength), old.substr(0, 124) + Padded("SAVED", 40) + old.substr(164));
  EXPECT_EQ(Pairs(DBINDEX(b.f01, 2), 40), Pairs(DBINDEX(a.f01, 2), 40));
  EXPECT_FALSE(fileio::Exists(b.f01 + ".JNL"));
}

}  // namespace

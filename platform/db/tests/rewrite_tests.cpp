// A record overwritten in place with its index pairs (DbRewriteRecord): the change, and
// the states a kill can leave it in, completed at the next start.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "../src/record_rewrite.h"
#include "db/archive.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

namespace {

constexpr int kLength = 671;
const std::string kDeletedKey(8, '/');

using PairSet = std::set<std::pair<std::string, int32_t>>;

// Every pair of each of the archive's eleven indexes, checking that none is doubled.
std::vector<PairSet> IndexPairs(const Archive& a) {
  std::vector<db::IndexLayout> layouts;
  EXPECT_EQ(db::IndexLayouts(a.fields, layouts), 0);
  std::vector<PairSet> all;
  for (const auto& layout : layouts) {
    Index index(DBINDEX(a.f01, layout.number), layout.width);
    EXPECT_EQ(index.rc, 0);
    PairSet pairs;
    std::string key;
    int32_t value = 0;
    int status = 0;
    for (qBtFirst(index.handle, key, value, status); status == kBtDone; qBtNext(index.handle, key, value, status))
      pairs.insert({key, value});
    EXPECT_EQ(qBtKeyNbr(index.handle), int(pairs.size())) << layout.number;
    all.push_back(pairs);
  }
  return all;
}

// An archive of records K1 .. Kn (record r + 1 holds Kr) and its handle.
struct Filed {
  Archive a;
  int fileNumber = 0;
  Filed(const TempDir& dir, int records) : a(dir) {
    EXPECT_EQ(DBCREATE(a.f01, kLength), 0);
    int ok = 0;
    EXPECT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
    for (int r = 1; r <= records; ++r)
      EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("K" + std::to_string(r), {"T" + std::to_string(r)}), a.fields), 0);
  }
  ~Filed() { SKFCLOSE(fileNumber); }
  std::string Record(int number) const { return FileBytes(a.f01).substr(size_t(number - 1) * kLength, kLength); }
  // The record with topic slots 1 and 2 changed.
  std::string Edited(int number, const std::string& topic1, const std::string& topic2) const {
    std::string record = Record(number);
    std::vector<std::string> values;
    DBREADF(record, values, a.fields, 0);
    values[11] = topic1;
    values[12] = topic2;
    DBWRITF(kLength, record, values, a.fields);
    return record;
  }
  std::string Deleted(int number) const { return kDeletedKey + Record(number).substr(8); }
  int Rewrite(int number, const std::string& record) {
    EXPECT_EQ(DbLockHeader(fileNumber, kLength), 0);
    int rc = DbRewriteRecord(a.f01, fileNumber, number, record, a.fields);
    SKFUNLOCK(fileNumber, 0, kLength);
    return rc;
  }
  std::string Journal() const { return db::RewriteJournalPath(a.f01); }
};

TEST(Rewrite, MovesOnlyTheChangedPairsAndDeletedRecordsKeepTheirKeyPairOnly) {
  TempDir dir;
  Filed f(dir, 4);
  const auto before = IndexPairs(f.a);
  const std::string bytes = FileBytes(f.a.f01);
  // Unchanged: nothing written, no journal left.
  ASSERT_EQ(f.Rewrite(3, f.Record(3)), 0);
  EXPECT_EQ(FileBytes(f.a.f01), bytes);
  EXPECT_FALSE(fileio::Exists(f.Journal()));

  const std::string edited = f.Edited(3, "NEW ONE", "NEW TWO");
  ASSERT_EQ(f.Rewrite(3, edited), 0);
  EXPECT_EQ(f.Record(3), edited);
  EXPECT_FALSE(fileio::Exists(f.Journal()));
  auto after = IndexPairs(f.a);
  ASSERT_EQ(after.size(), 11u);
  auto expected = before;
  expected[1].erase({Padded("T2", 40), 3});
  expected[1].insert({Padded("NEW ONE", 40), 3});
  expected[2].erase({Padded("(none)", 40), 3});
  expected[2].insert({Padded("NEW TWO", 40), 3});
  EXPECT_EQ(after, expected);

  ASSERT_EQ(f.Rewrite(4, f.Deleted(4)), 0);
  after = IndexPairs(f.a);
  expected[0].erase({Padded("K3", 8), 4});
  expected[0].insert({kDeletedKey, 4});
  for (size_t k = 1; k < expected.size(); ++k) {
    for (auto it = expected[k].begin(); it != expected[k].end();) it = it->second == 4 ? expected[k].erase(it) : ++it;
  }
  EXPECT_EQ(after, expected);
  EXPECT_EQ(f.Record(4).substr(8), bytes.substr(3 * kLength + 8, kLength - 8));
  // A slot past the end, or a record of another length, is refused with nothing written.
  const std::string now = FileBytes(f.a.f01);
  EXPECT_EQ(f.Rewrite(6, edited), kDbErrInvalidParameter);
  EXPECT_EQ(f.Rewrite(3, edited.substr(1)), kDbErrInvalidParameter);
  EXPECT_EQ(FileBytes(f.a.f01), now);
}

// The state a kill leaves after `steps` steps of a rewrite: the journal, then the record,
// then one index move after another.
void KillAfter(Filed& f, int number, const std::string& record, size_t steps) {
  db::RewriteJournal journal;
  ASSERT_EQ(db::PlanRewrite(f.Record(number), record, number, f.a.fields, journal), 0);
  PutFileBytes(f.Journal(), db::EncodeRewriteJournal(journal));
  if (steps >= 1) {
    ASSERT_EQ(SKFPUTR(f.fileNumber, record, number), 0);
  }
  for (size_t i = 0; i + 1 < steps && i < journal.moves.size(); ++i) {
    const db::PairMove& move = journal.moves[i];
    Index index(DBINDEX(f.a.f01, move.index), int(move.oldKey.size()));
    int32_t value = number;
    std::string key = move.oldKey;
    if (move.hadPair) {
      ASSERT_EQ(qBtDelete(index.handle, key, value, index.status), 0);
    }
    key = move.newKey;
    value = number;
    if (move.hasPair) {
      ASSERT_EQ(qBtInsert(index.handle, key, value, index.status), 0);
    }
  }
}

TEST(Rewrite, AKillAtAnyStepIsCompletedAtTheNextStart) {
  struct Change {
    const char* what;
    std::string (*make)(const Filed&);
  };
  const Change changes[] = {
      {"save", [](const Filed& f) { return f.Edited(3, "EDITED", "ALSO"); }},
      {"delete", [](const Filed& f) { return f.Deleted(3); }},
  };
  for (const Change& change : changes) {
    TempDir doneDir;
    Filed done(doneDir, 5);
    const std::string record = change.make(done);
    db::RewriteJournal journal;
    ASSERT_EQ(db::PlanRewrite(done.Record(3), record, 3, done.a.fields, journal), 0);
    ASSERT_EQ(done.Rewrite(3, record), 0);
    const std::string whole = FileBytes(done.a.f01);
    const auto pairs = IndexPairs(done.a);
    const size_t steps = journal.moves.size() + 2;
    EXPECT_GE(steps, change.what[0] == 's' ? 4u : 13u) << change.what;
    for (size_t step = 0; step < steps; ++step) {
      TempDir dir;
      Filed f(dir, 5);
      KillAfter(f, 3, record, step);
      ASSERT_EQ(DbFinishInterruptedAppend(f.a.f01, f.a.fields), 0) << change.what << step;
      EXPECT_EQ(FileBytes(f.a.f01), whole) << change.what << " step " << step;
      EXPECT_EQ(IndexPairs(f.a), pairs) << change.what << " step " << step;
      EXPECT_FALSE(fileio::Exists(f.Journal())) << change.what << step;
    }
  }
}

TEST(Rewrite, ATornOrOutdatedJournalChangesNothing) {
  TempDir dir;
  Filed f(dir, 5);
  const std::string bytes = FileBytes(f.a.f01);
  const auto pairs = IndexPairs(f.a);
  db::RewriteJournal journal;
  ASSERT_EQ(db::PlanRewrite(f.Record(3), f.Edited(3, "TORN", "TORN"), 3, f.a.fields, journal), 0);
  const std::string whole = db::EncodeRewriteJournal(journal);
  // Cut anywhere, even before its first byte: the kill came while the journal was being
  // written, before the change. It goes, so that its presence says no change is pending.
  for (size_t cut = 0; cut < whole.size(); cut += 1 + cut / 3) {
    PutFileBytes(f.Journal(), whole.substr(0, cut));
    ASSERT_EQ(DbFinishInterruptedAppend(f.a.f01, f.a.fields), 0) << cut;
    ASSERT_EQ(FileBytes(f.a.f01), bytes) << cut;
    ASSERT_FALSE(fileio::Exists(f.Journal())) << cut;
  }
  // A scribbled byte in the middle fails the check.
  std::string scribbled = whole;
  scribbled[whole.size() / 2] ^= 0x20;
  PutFileBytes(f.Journal(), scribbled);
  ASSERT_EQ(DbFinishInterruptedAppend(f.a.f01, f.a.fields), 0);
  EXPECT_EQ(FileBytes(f.a.f01), bytes);
  // A whole journal whose slot now holds another key (the file was rebuilt since).
  ASSERT_EQ(db::PlanRewrite(f.Record(3), f.Edited(3, "OLD", "OLD"), 4, f.a.fields, journal), 0);
  PutFileBytes(f.Journal(), db::EncodeRewriteJournal(journal));
  ASSERT_EQ(DbFinishInterruptedAppend(f.a.f01, f.a.fields), 0);
  EXPECT_EQ(FileBytes(f.a.f01), bytes);
  EXPECT_EQ(IndexPairs(f.a), pairs);
  EXPECT_FALSE(fileio::Exists(f.Journal()));
}

TEST(Rewrite, AChangeLeftPendingIsCompletedBeforeTheNextOne) {
  TempDir doneDir, dir;
  Filed done(doneDir, 5), f(dir, 5);
  const std::string first = done.Edited(2, "FIRST", "FIRST"), second = done.Deleted(5);
  ASSERT_EQ(done.Rewrite(2, first), 0);
  ASSERT_EQ(done.Rewrite(5, second), 0);
  KillAfter(f, 2, first, 2);
  ASSERT_EQ(f.Rewrite(5, second), 0);
  EXPECT_EQ(FileBytes(f.a.f01), FileBytes(done.a.f01));
  EXPECT_EQ(IndexPairs(f.a), IndexPairs(done.a));
  // The journal round-trips field by field.
  db::RewriteJournal journal, decoded;
  ASSERT_EQ(db::PlanRewrite(f.Record(3), f.Deleted(3), 3, f.a.fields, journal), 0);
  ASSERT_TRUE(db::DecodeRewriteJournal(db::EncodeRewriteJournal(journal), decoded));
  EXPECT_EQ(decoded.recordNumber, 3);
  EXPECT_EQ(decoded.keyPosition, 1);
  EXPECT_EQ(decoded.oldKey, Padded("K2", 8));
  EXPECT_EQ(decoded.record, f.Deleted(3));
  ASSERT_EQ(decoded.moves.size(), journal.moves.size());
  for (size_t i = 0; i < journal.moves.size(); ++i) {
    EXPECT_EQ(decoded.moves[i].index, journal.moves[i].index);
    EXPECT_EQ(decoded.moves[i].hadPair, journal.moves[i].hadPair);
    EXPECT_EQ(decoded.moves[i].hasPair, journal.moves[i].hasPair);
    EXPECT_EQ(decoded.moves[i].oldKey, journal.moves[i].oldKey);
    EXPECT_EQ(decoded.moves[i].newKey, journal.moves[i].newKey);
  }
  EXPECT_TRUE(journal.moves[0].hasPair && journal.moves.back().hadPair && !journal.moves.back().hasPair);
}

}  // namespace

namespace {

// A damaged topic index does not hold up the record and the other indexes: the change is
// reported (1392) but complete, and nothing is left to redo over and over.
TEST(Rewrite, ADamagedIndexIsReportedAndTheRestOfTheChangeIsWhole) {
  TempDir dir;
  Filed f(dir, 3);
  DbCloseIndexes(f.a.f01);  // Windows does not rewrite a file that a mapping holds
  const std::string intact = FileBytes(DBINDEX(f.a.f01, 2));
  CorruptByte(DBINDEX(f.a.f01, 2), 30);
  ASSERT_NE(FileBytes(DBINDEX(f.a.f01, 2)), intact);
  const std::string edited = f.Edited(2, "ONE", "TWO");
  EXPECT_EQ(f.Rewrite(2, edited), kDbErrCorrupt);
  EXPECT_EQ(f.Record(2), edited);
  EXPECT_FALSE(fileio::Exists(f.Journal()));
  Index topics(DBINDEX(f.a.f01, 1), 40);
  std::string key = "ONE";
  int32_t value = 0;
  ASSERT_EQ(qBtSearch(topics.handle, key, value, topics.status), 0);
  EXPECT_EQ(topics.status, kBtDone);
  EXPECT_EQ(value, 2);
  // The rebuild mends the damaged index from the records.
  ASSERT_EQ(DbRebuildIndexes(f.a.f01, f.a.fields), 0);
  EXPECT_EQ(DbFinishInterruptedAppend(f.a.f01, f.a.fields), 0);
  Index second(DBINDEX(f.a.f01, 2), 40);
  key = "TWO";
  ASSERT_EQ(qBtSearch(second.handle, key, value, second.status), 0);
  EXPECT_EQ(second.status, kBtDone);
  EXPECT_EQ(value, 2);
}

// A record file that refuses the write leaves no journal behind to be tried at each start.
TEST(Rewrite, ARefusedWriteLeavesNoJournal) {
  TempDir dir;
  Filed f(dir, 2);
  int readOnly = 0;
  ASSERT_EQ(SKFOPEN(f.a.f01, 0, 4, readOnly), 0);
  const std::string bytes = FileBytes(f.a.f01);
  const std::string edited = f.Edited(2, "ONE", "TWO");
  ASSERT_EQ(DbLockHeader(f.fileNumber, kLength), 0);
  EXPECT_NE(DbRewriteRecord(f.a.f01, readOnly, 2, edited, f.a.fields), 0);
  SKFUNLOCK(f.fileNumber, 0, kLength);
  SKFCLOSE(readOnly);
  EXPECT_EQ(FileBytes(f.a.f01), bytes);
  EXPECT_FALSE(fileio::Exists(f.Journal()));
}

}  // namespace

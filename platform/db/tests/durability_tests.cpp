// What reaches the disk and what it costs: every call that changes files flushes each of
// them once before it returns (a filing the user saw survives a power loss), a batch
// flushes each file once at its end, and an append costs a fixed, small number of
// system calls, whatever the archive's size.
#include <gtest/gtest.h>

#include "../src/mapped_file.h"
#include "db_test_util.h"
#include "skin/sk_files.h"

namespace {

using fileio::FileCall;

// The file layer's calls made while the object lives, by kind.
class CallCounter {
 public:
  CallCounter() {
    for (int k = 0; k < int(FileCall::kCount); ++k) start_[k] = fileio::FileCallCount(FileCall(k));
  }
  uint64_t operator[](FileCall call) const { return fileio::FileCallCount(call) - start_[int(call)]; }

 private:
  uint64_t start_[int(FileCall::kCount)];
};

// Index files of the archive form: the key index and the ten topic indexes.
constexpr int kIndexes = 11;
// An index that changed is flushed after its undo journal: two flushes. An index
// changed without a journal (a rebuild) is flushed alone.
constexpr int kChangedIndexFlushes = 2;

struct OpenArchive {
  TempDir dir;
  Archive a{dir};
  int fileNumber = 0;
  OpenArchive() {
    int ok = 0;
    EXPECT_EQ(DBCREATE(a.f01, DbRecordLength(a.fields)), 0);
    EXPECT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  }
  ~OpenArchive() { SKFCLOSE(fileNumber); }
  int File(int n) { return DBCREF(a.f01, fileNumber, ArchiveValues(Number(n), {"CAT", "DOG"}), a.fields); }
  static std::string Number(int n) {
    std::string s = std::to_string(n);
    return std::string(8 - s.size(), '0') + s;
  }
};

}  // namespace

TEST(Durability, EachFilingFlushesEveryFileItChangedOnce) {
  OpenArchive o;
  ASSERT_EQ(o.File(1), 0);  // makes the index files
  for (int n = 2; n <= 4; ++n) {
    CallCounter calls;
    ASSERT_EQ(o.File(n), 0);
    EXPECT_EQ(calls[FileCall::Flush], 1u + kIndexes * kChangedIndexFlushes) << n;
  }
  // A refused filing changed nothing that needs the disk.
  CallCounter refused;
  EXPECT_EQ(o.File(3), kDbErrAlreadyExists);
  EXPECT_EQ(refused[FileCall::Flush], 0u);
  // Reading flushes nothing.
  CallCounter reading;
  Index key(DBINDEX(o.a.f01, 0), 8);
  std::string k = OpenArchive::Number(2);
  int32_t v = 0;
  ASSERT_EQ(qBtSearch(key.handle, k, v, key.status), 0);
  EXPECT_EQ(key.status, 0);
  EXPECT_EQ(reading[FileCall::Flush], 0u);
}

// Taking back an append that a killed program left pending flushes what it changed once,
// each index after its journal; with nothing pending it changes and flushes nothing.
TEST(Durability, TakingBackAnInterruptedAppendFlushesWhatItChanged) {
  OpenArchive o;
  ASSERT_EQ(o.File(1), 0);
  ASSERT_EQ(o.File(2), 0);
  CallCounter whole;
  ASSERT_EQ(DbFinishInterruptedAppend(o.a.f01, o.a.fields), 0);
  EXPECT_EQ(whole[FileCall::Flush], 0u);
  // The header record names record 3 (the second filing) as pending: filed, its mark not
  // yet cleared.
  const std::string pending("\x03\0\0\0", 4);
  ASSERT_EQ(SKFPUTAT(o.fileNumber, 0, pending), 0);
  CallCounter undo;
  ASSERT_EQ(DbFinishInterruptedAppend(o.a.f01, o.a.fields), 0);
  EXPECT_EQ(undo[FileCall::Flush], 1u + kIndexes * kChangedIndexFlushes);
  Index key(DBINDEX(o.a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), 1);
  EXPECT_EQ(SKFLOF(o.fileNumber), 2 * DbRecordLength(o.a.fields));
  std::string mark(4, 'x');
  ASSERT_EQ(SKFGETAT(o.fileNumber, 0, mark), 0);
  EXPECT_EQ(mark, std::string(4, '\0'));
}

TEST(Durability, ABatchFlushesEachFileOnceAtItsEnd) {
  OpenArchive o;
  DbBeginBatch();
  DbBeginBatch();  // batches nest: only the outermost end flushes
  CallCounter calls;
  for (int n = 1; n <= 40; ++n) ASSERT_EQ(o.File(n), 0);
  std::string name = DBSEQUENCE(o.a.cpt, "00000000", 1);
  EXPECT_EQ(name, "00000001");
  EXPECT_EQ(calls[FileCall::Flush], 0u);
  EXPECT_EQ(DbEndBatch(), 0);
  EXPECT_EQ(calls[FileCall::Flush], 0u);
  EXPECT_EQ(DbEndBatch(), 0);
  // The record file, its indexes (with their journals) and the counter.
  EXPECT_EQ(calls[FileCall::Flush], 1u + kIndexes * kChangedIndexFlushes + 1u);
  EXPECT_EQ(DbEndBatch(), kDbErrInvalidParameter);  // no batch open
  // After the batch every call flushes for itself again.
  CallCounter after;
  ASSERT_EQ(o.File(41), 0);
  EXPECT_EQ(after[FileCall::Flush], 1u + kIndexes * kChangedIndexFlushes);
}

TEST(Durability, AnIndexClosedInsideABatchIsFlushedAsItCloses) {
  TempDir dir;
  std::string path = dir.File("WORDS.IDX");
  DbBeginBatch();
  CallCounter calls;
  {
    Index idx(path, 10);
    ASSERT_EQ(idx.rc, 0);
    for (int i = 0; i < 20; ++i) {
      std::string key = "WORD" + std::to_string(i);
      int32_t value = i;
      ASSERT_EQ(qBtInsert(idx.handle, key, value, idx.status), 0);
    }
    EXPECT_EQ(calls[FileCall::Flush], 0u);
  }
  EXPECT_EQ(calls[FileCall::Flush], uint64_t(kChangedIndexFlushes));
  // Nothing of the closed handle is left waiting for the batch.
  EXPECT_EQ(DbEndBatch(), 0);
  EXPECT_EQ(calls[FileCall::Flush], uint64_t(kChangedIndexFlushes));
  // Outside a batch the keys of a caller filing key after key reach the disk as the
  // handle closes, once.
  CallCounter alone;
  {
    Index idx(path, 10);
    for (int i = 0; i < 20; ++i) {
      std::string key = "ANOTHER" + std::to_string(i);
      int32_t value = 7;
      ASSERT_EQ(qBtInsert(idx.handle, key, value, idx.status), 0);
      if (i % 2) {
        ASSERT_EQ(qBtDelete(idx.handle, key, value, idx.status), 0);
      }
    }
    EXPECT_EQ(alone[FileCall::Flush], 0u);
  }
  EXPECT_EQ(alone[FileCall::Flush], uint64_t(kChangedIndexFlushes));
  // A handle that only read flushes nothing as it closes.
  CallCounter reading;
  {
    Index idx(path, 10);
    EXPECT_EQ(qBtKeyNbr(idx.handle), 30);
  }
  EXPECT_EQ(reading[FileCall::Flush], 0u);
}

TEST(Durability, CountersAndRebuildsFlushOncePerCall) {
  OpenArchive o;
  CallCounter counter;
  EXPECT_EQ(DBSEQUENCE(o.a.cpt, "00000000", 1), "00000001");
  EXPECT_EQ(DBSEQUENCE(o.a.cpt, "00000000", 0), "00000002");  // only shown: nothing changes
  EXPECT_EQ(counter[FileCall::Flush], 1u);
  // The counter is read in one call (a short read is the file's end).
  EXPECT_EQ(counter[FileCall::Read], 2u);

  const int records = 300;
  DbBeginBatch();
  for (int n = 1; n <= records; ++n) ASSERT_EQ(o.File(n), 0);
  ASSERT_EQ(DbEndBatch(), 0);
  CallCounter rebuild;
  ASSERT_EQ(DbRebuildIndexes(o.a.f01, o.a.fields), 0);
  EXPECT_EQ(rebuild[FileCall::Flush], uint64_t(kIndexes));
  // The records are read in blocks, not one call each.
  EXPECT_LT(rebuild[FileCall::Read], 10u);
  Index key(DBINDEX(o.a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), records);
  Index topic(DBINDEX(o.a.f01, 2), 40);
  EXPECT_EQ(qBtKeyNbr(topic.handle), records);  // every record's second topic
}

// The system calls of one filing stay the same as the archive grows: the lock of the
// header and of the indexes once each, the record file's length asked once, its
// pending-append mark written twice (set, then cleared) around the record's one write
// (stored into the mapped header page where the system allows it: no call) and not read
// while the file keeps the length this handle left; the indexes and their undo journals
// are mapped, so they write nothing and are mapped again only now and then as they grow.
TEST(Durability, AnAppendCostsTheSameFewCallsAtAnySize) {
#ifdef _WIN32
  const uint64_t writes = 3;
#else
  const uint64_t writes = 1;
#endif
  OpenArchive o;
  ASSERT_EQ(o.File(1), 0);
  const int total = 150;
  CallCounter whole;
  uint64_t lastLocks = 0, lastWrites = 0;
  for (int n = 2; n <= total; ++n) {
    CallCounter one;
    ASSERT_EQ(o.File(n), 0);
    if (n == 2 || n == total) {
      EXPECT_EQ(one[FileCall::Lock], 2u) << n;
      EXPECT_EQ(one[FileCall::Unlock], 2u) << n;
      EXPECT_EQ(one[FileCall::Write], writes) << n;
      EXPECT_EQ(one[FileCall::Read], 0u) << n;
      EXPECT_EQ(one[FileCall::Size], 1u) << n;
      lastLocks = one[FileCall::Lock];
      lastWrites = one[FileCall::Write];
    }
  }
  EXPECT_EQ(lastLocks, 2u);
  EXPECT_EQ(lastWrites, writes);
  // Growing eleven index files page by page maps each only a few times; each journal is
  // mapped once and kept.
  EXPECT_LT(whole[FileCall::Map], uint64_t(kIndexes) * 20);
  EXPECT_EQ(whole[FileCall::Write], (total - 1) * writes);
}

// A record rewrite is on the disk when it returns: its journal before the change, then the
// record file and each index it changed (after that index's journal); an unchanged record
// costs no flush.
TEST(Durability, ARecordRewriteFlushesItsJournalTheRecordAndEachChangedIndexOnce) {
  OpenArchive o;
  ASSERT_EQ(o.File(1), 0);
  ASSERT_EQ(o.File(2), 0);
  const int length = DbRecordLength(o.a.fields);
  std::string record(size_t(length), ' ');
  ASSERT_EQ(SKFGETR(o.fileNumber, record, 3), 0);
  ASSERT_EQ(DbLockHeader(o.fileNumber, length), 0);
  CallCounter same;
  EXPECT_EQ(DbRewriteRecord(o.a.f01, o.fileNumber, 3, record, o.a.fields), 0);
  EXPECT_EQ(same[FileCall::Flush], 0u);
  // Topic slots 1 and 2 (CAT, DOG) change: two indexes.
  std::string edited = record;
  edited.replace(size_t(o.a.fields[11].position - 1), 3, "COW");
  edited.replace(size_t(o.a.fields[12].position - 1), 3, "PIG");
  CallCounter save;
  EXPECT_EQ(DbRewriteRecord(o.a.f01, o.fileNumber, 3, edited, o.a.fields), 0);
  EXPECT_EQ(save[FileCall::Flush], 2u + 2 * kChangedIndexFlushes);
  // Deleted: the key index and every topic index change.
  std::string deleted = edited;
  deleted.replace(0, 8, std::string(8, '/'));
  CallCounter remove;
  EXPECT_EQ(DbRewriteRecord(o.a.f01, o.fileNumber, 3, deleted, o.a.fields), 0);
  EXPECT_EQ(remove[FileCall::Flush], 2u + kIndexes * kChangedIndexFlushes);
  // Inside a batch as well: the journal goes only once the change is on the disk.
  ASSERT_EQ(SKFGETR(o.fileNumber, record, 2), 0);
  record.replace(size_t(o.a.fields[11].position - 1), 3, "EMU");
  DbBeginBatch();
  CallCounter batched;
  EXPECT_EQ(DbRewriteRecord(o.a.f01, o.fileNumber, 2, record, o.a.fields), 0);
  EXPECT_EQ(batched[FileCall::Flush], 2u + kChangedIndexFlushes);
  EXPECT_EQ(DbEndBatch(), 0);
  EXPECT_EQ(batched[FileCall::Flush], 2u + kChangedIndexFlushes);
  SKFUNLOCK(o.fileNumber, 0, length);
}

// Many pages written through a mapping and flushed at once (the mapping lets go of its
// pages first) are in the file, and the mapping goes on serving and taking changes.
TEST(Durability, AMappingFlushedAfterManyPagesKeepsThemAndGoesOn) {
  TempDir dir;
  const std::string path = dir.File("pages.bin");
  const int64_t size = 600 * 4096;
  db::MappedFile map;
  bool readOnly = true;
  ASSERT_EQ(map.Open(path, readOnly), 0);
  ASSERT_FALSE(readOnly);
  ASSERT_EQ(map.Extend(size), 0);
  for (int64_t at = 0; at < size; ++at) map.data()[at] = uint8_t(at * 7 + at / 4096);
  ASSERT_EQ(map.Flush(true), 0);
  std::string bytes = FileBytes(path);
  ASSERT_EQ(int64_t(bytes.size()), size);
  for (int64_t at = 0; at < size; at += 997) ASSERT_EQ(uint8_t(bytes[size_t(at)]), uint8_t(at * 7 + at / 4096)) << at;
  // Read and changed again through the same mapping.
  for (int64_t at = 0; at < size; at += 4096) {
    ASSERT_EQ(map.data()[at + 5], uint8_t((at + 5) * 7 + at / 4096)) << at;
    map.data()[at + 5] = 0xA5;
  }
  ASSERT_EQ(map.Flush(true), 0);
  map.Close();
  bytes = FileBytes(path);
  for (int64_t at = 0; at < size; at += 4096) ASSERT_EQ(uint8_t(bytes[size_t(at + 5)]), 0xA5) << at;
  EXPECT_EQ(uint8_t(bytes[size_t(size - 1)]), uint8_t((size - 1) * 7 + (size - 1) / 4096));
}

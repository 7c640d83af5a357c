// Damaged files: truncated and scribbled indexes, record files and media libraries are
// reported with an error code and never followed (run under AddressSanitizer natively).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>

#include "../src/bytes.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

namespace {

const std::set<int> kDamageCodes = {0, kDbErrCorrupt};

// An index of 3000 keys over several levels; returns its bytes.
std::string MakeIndex(const std::string& path) {
  Index ix(path, 40);
  int status = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string k = "TOPIC" + std::to_string(i % 700);
    int32_t v = i;
    qBtInsert(ix.handle, k, v, status);
  }
  return FileBytes(path);
}

// Opens the index and runs every kind of call over it; returns the first failure.
int Exercise(const std::string& path, int keyLength = 40) {
  int h = 0, status = 0;
  int rc = qBtOpen(path, keyLength, h, status);
  if (rc != 0) {
    EXPECT_EQ(status, 2);
    EXPECT_EQ(h, 0);
    qBtClose(h);
    return rc;
  }
  int first = 0;
  auto note = [&](int code) {
    if (code != 0) {
      EXPECT_EQ(status, 2);
      if (first == 0) first = code;
    }
  };
  std::string k;
  int32_t v = 0;
  int steps = 0;
  for (rc = qBtFirst(h, k, v, status); rc == 0 && status == 0 && steps < 5000; ++steps) rc = qBtNext(h, k, v, status);
  note(rc);
  for (rc = qBtLast(h, k, v, status); rc == 0 && status == 0 && steps < 10000; ++steps) rc = qBtPrev(h, k, v, status);
  note(rc);
  for (int i = 0; i < 700; i += 37) {
    k = "TOPIC" + std::to_string(i);
    note(qBtSearch(h, k, v, status));
    k = "TOPIC" + std::to_string(i);
    note(qBtBefore(h, k, v, status));
    k = "NEW" + std::to_string(i);
    v = i;
    note(qBtInsert(h, k, v, status));
    k = "TOPIC" + std::to_string(i);
    v = i;
    note(qBtDelete(h, k, v, status));
  }
  qBtKeyNbr(h);
  qBtClose(h);
  return first;
}

void SetHeaderFlag(const std::string& path) {
  std::string b = FileBytes(path);
  auto* p = reinterpret_cast<uint8_t*>(b.data());
  db::Put32(p + 20, 1);                          // "being changed"
  db::Put32(p + 124, db::BlockCheck(p, 124));    // with a correct check value
  PutFileBytes(path, b);
}

}  // namespace

TEST(Damage, IndexHeaderFaultsAreReportedAtOpen) {
  TempDir dir;
  const std::string path = dir.File("t.idx");
  const std::string good = MakeIndex(path);
  ASSERT_EQ(Exercise(path), 0);

  PutFileBytes(path, good);
  CorruptByte(path, 0);  // magic
  EXPECT_EQ(Exercise(path), kDbErrCorrupt);
  PutFileBytes(path, good);
  CorruptByte(path, 49);  // page count, under the check value
  EXPECT_EQ(Exercise(path), kDbErrCorrupt);
  PutFileBytes(path, good);
  SetHeaderFlag(path);  // a crash in the middle of a split
  EXPECT_EQ(Exercise(path), kDbErrCorrupt);
  PutFileBytes(path, good.substr(0, 60));
  EXPECT_EQ(Exercise(path), kDbErrCorrupt);
  PutFileBytes(path, std::string(4096, 'x'));
  EXPECT_EQ(Exercise(path), kDbErrCorrupt);
}

TEST(Damage, TornAndMissingPagesAreReportedNotFollowed) {
  TempDir dir;
  const std::string path = dir.File("t.idx");
  const std::string good = MakeIndex(path);
  // The file may run on past its pages (room made ahead); the header counts the pages.
  const size_t pages = db::Get32(reinterpret_cast<const uint8_t*>(good.data()) + 48);
  ASSERT_GT(pages, 20u);
  ASSERT_GE(good.size(), pages * 4096);
  for (size_t page = 1; page < pages; page += 3) {
    // A torn write: the second half of the page is stale.
    std::string b = good;
    for (size_t i = page * 4096 + 2048; i < (page + 1) * 4096; ++i) b[i] = char(b[i] ^ 0x33);
    PutFileBytes(path, b);
    int rc = Exercise(path);
    EXPECT_TRUE(rc == kDbErrCorrupt || rc == 0) << "page " << page << " rc " << rc;
  }
  // Cut short: pages the header counts are missing.
  for (size_t cut : {size_t(4096), size_t(8192 + 100), pages * 2048, pages * 4096 - 1}) {
    PutFileBytes(path, good.substr(0, cut));
    EXPECT_EQ(Exercise(path), kDbErrCorrupt) << "cut at " << cut;
  }
}

TEST(Damage, RandomlyScribbledIndexesNeverCrash) {
  TempDir dir;
  const std::string path = dir.File("t.idx");
  const std::string good = MakeIndex(path);
  const size_t used = size_t(db::Get32(reinterpret_cast<const uint8_t*>(good.data()) + 48)) * 4096;
  std::mt19937 rng(4242);
  int reported = 0;
  for (int round = 0; round < 80; ++round) {
    std::string b = good;
    int flips = 1 + int(rng() % 12);
    for (int i = 0; i < flips; ++i) b[rng() % used] = char(rng());
    PutFileBytes(path, b);
    int rc = Exercise(path);
    EXPECT_TRUE(kDamageCodes.count(rc)) << "round " << round << " rc " << rc;
    reported += rc != 0;
  }
  EXPECT_GT(reported, 70);  // nearly every scribble lands on a checked page
}

TEST(Damage, RecordFilesThatDoNotFit) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fn = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues("00000001", {"A"}), a.fields), 0);
  // A torn append: half a record at the end is overwritten by the next one.
  std::string half(300, 'h');
  ASSERT_EQ(SKFPUTAT(fn, 2 * 671, half), 0);
  ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues("00000002", {"B"}), a.fields), 0);
  EXPECT_EQ(SKFLOF(fn), 3 * 671);
  SKFCLOSE(fn);
  {
    Index key(DBINDEX(a.f01, 0), 8);
    std::string k = "00000002";
    int32_t v = 0;
    int status = 0;
    ASSERT_EQ(qBtSearch(key.handle, k, v, status), 0);
    EXPECT_EQ(v, 3);
  }
  // A header that is not blanks: the file was made another way; nothing is appended.
  std::string bytes = FileBytes(a.f01);
  bytes[100] = 'Q';
  PutFileBytes(a.f01, bytes);
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  EXPECT_EQ(DBCREF(a.f01, fn, ArchiveValues("00000003", {"C"}), a.fields), kDbErrInvalidData);
  SKFCLOSE(fn);
  EXPECT_EQ(FileBytes(a.f01), bytes);
  // Garbage through and through.
  std::mt19937 rng(7);
  std::string junk(5000, '\0');
  for (auto& c : junk) c = char(rng());
  PutFileBytes(a.f01, junk);
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  int rc = DBCREF(a.f01, fn, ArchiveValues("00000004", {"D"}), a.fields);
  EXPECT_TRUE(rc == kDbErrInvalidData || rc == kDbErrAlreadyExists) << rc;
  SKFCLOSE(fn);
  EXPECT_EQ(FileBytes(a.f01), junk);
  EXPECT_EQ(DbRebuildIndexes(a.f01, a.fields), 0);  // indexes of whatever the records hold
  // Field tables with nonsense in them never reach outside the record.
  for (int round = 0; round < 200; ++round) {
    std::string table(44 * 5, '\0');
    for (auto& c : table) c = char(rng());
    auto fields = DecodeDbFields(table);
    std::vector<std::string> values(5, std::string(rng() % 50, 'v'));
    std::string record(rng() % 300, 'r');
    DBWRITF(int(rng() % 400) - 50, record, values, fields);
    DBREADF(record, values, fields, round % 2 ? 0 : -1);
  }
}

TEST(Damage, MediaLibraryTrailersAndIndexes) {
  TempDir dir;
  const std::string lib = dir.File("L001.B01");
  auto store = [&](std::string name, const std::string& bytes) {
    std::string src = dir.Write("src.bin", bytes);
    qBtMmText(name, 1);
    return qBtMmLib(lib, src, 1);
  };
  ASSERT_EQ(store("00000001.JPG", std::string(500, 'a')), 0);
  ASSERT_EQ(store("00000002.JPG", std::string(800, 'b')), 0);
  const std::string good = FileBytes(lib);
  const std::string goodIndex = FileBytes(DBNAME(lib, 73));
  auto copyOut = [&](const std::string& item) { return qBtMmLib(lib, dir.File(item), -2); };
  auto check = [&](const std::string& item) { return qBtMmLib(lib, dir.File(item), 4); };

  // Cut in the last item: it is damaged, the first one still copies out whole.
  PutFileBytes(lib, good.substr(0, good.size() - 10));
  EXPECT_EQ(copyOut("00000002.JPG"), kDbErrCorrupt);
  EXPECT_FALSE(fileio::Exists(dir.File("00000002.JPG")));
  EXPECT_EQ(copyOut("00000001.JPG"), 0);
  EXPECT_EQ(FileBytes(dir.File("00000001.JPG")), std::string(500, 'a'));
  // Each part of a trailer: length (zero, negative, too long), name, end mark.
  const size_t t = 500;  // the first item's trailer
  for (std::string length : {std::string("\0\0\0\0", 4), std::string("\x01\x00\x00\x80", 4),
                             std::string("\xff\xff\x00\x00", 4), std::string("\x05\x00\x00\x00", 4)}) {
    std::string b = good;
    b.replace(t, 4, length);
    PutFileBytes(lib, b);
    EXPECT_EQ(check("00000001.JPG"), kDbErrCorrupt);
    EXPECT_EQ(copyOut("00000001.JPG"), kDbErrCorrupt);
  }
  for (size_t at : {t + 4, t + 15, t + 16, t + 21}) {
    std::string b = good;
    b[at] = char(b[at] ^ 0x40);
    PutFileBytes(lib, b);
    EXPECT_EQ(check("00000001.JPG"), kDbErrCorrupt) << at;
  }
  // A negative length of the right size is an item (readers take its absolute value).
  {
    std::string b = good;
    b.replace(t, 4, std::string("\xF6\xFD\xFF\xFF", 4));  // -522 = -(500 + 22)
    PutFileBytes(lib, b);
    EXPECT_EQ(copyOut("00000001.JPG"), 0);
  }
  // A damaged index is reported by every operation.
  PutFileBytes(lib, good);
  CorruptByte(DBNAME(lib, 73), 8);
  EXPECT_EQ(copyOut("00000001.JPG"), kDbErrCorrupt);
  EXPECT_EQ(store("00000003.JPG", "c"), kDbErrCorrupt);
  EXPECT_EQ(qBtMmLib(lib, dir.File("00000001.JPG"), -3), kDbErrCorrupt);
  // Scribbles anywhere in the library.
  PutFileBytes(DBNAME(lib, 73), goodIndex);
  std::mt19937 rng(99);
  for (int round = 0; round < 100; ++round) {
    std::string b = good;
    for (int i = 0; i < 4; ++i) b[rng() % b.size()] = char(rng());
    PutFileBytes(lib, b.substr(0, b.size() - rng() % 3));
    for (std::string item : {"00000001.JPG", "00000002.JPG"}) {
      int rc = copyOut(item);
      EXPECT_TRUE(kDamageCodes.count(rc)) << rc;
    }
  }
}

namespace {

// An archive of `count` records filed through DBCREF.
void FileRecords(const Archive& a, int from, int count) {
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fn = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fn, ok), 0);
  DbBeginBatch();
  for (int i = from; i < from + count; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "%08d", i);
    ASSERT_EQ(DBCREF(a.f01, fn, ArchiveValues(key, {"T" + std::to_string(i % 7)}), a.fields), 0) << i;
  }
  DbEndBatch();
  SKFCLOSE(fn);
}

void PutHeaderNumber(const std::string& f01, uint32_t number) {
  std::string bytes = FileBytes(f01);
  for (int i = 0; i < 4; ++i) bytes[size_t(i)] = char((number >> (8 * i)) & 0xFF);
  PutFileBytes(f01, bytes);
}

int AppendOne(const Archive& a, const std::string& key) {
  int fn = 0, ok = 0;
  int rc = DBOPENF(a.f01, fn, ok);
  if (rc == 0) rc = DBCREF(a.f01, fn, ArchiveValues(key, {"NEW"}), a.fields);
  SKFCLOSE(fn);
  return rc;
}

int KeyPairs(const Archive& a) {
  Index key(DBINDEX(a.f01, 0), 8);
  return qBtKeyNbr(key.handle);
}

}  // namespace

// The header's number names the record being appended, which is always the last one: a
// number that names another record is damage, never a reason to cut the file.
TEST(Damage, AHeaderNumberThatNamesNoLastRecordChangesNothingAndIsReported) {
  TempDir dir;
  Archive a(dir);
  FileRecords(a, 1, 200);
  PutHeaderNumber(a.f01, 50);
  const std::string bytes = FileBytes(a.f01);
  const std::string index0 = FileBytes(DBINDEX(a.f01, 0));
  EXPECT_EQ(DbFinishInterruptedAppend(a.f01, a.fields), kDbErrCorrupt);
  EXPECT_EQ(AppendOne(a, "00000900"), kDbErrCorrupt);
  EXPECT_TRUE(FileBytes(a.f01) == bytes) << "the record file changed";
  EXPECT_TRUE(FileBytes(DBINDEX(a.f01, 0)) == index0) << "the key index changed";
  std::string problem;
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), kDbErrCorrupt);
  EXPECT_NE(problem.find(a.f01), std::string::npos) << problem;
  EXPECT_NE(problem.find("50"), std::string::npos) << problem;
  // Numbers past the end or naming the header are damage too.
  for (uint32_t number : {1u, 203u, 70000u}) {
    PutHeaderNumber(a.f01, number);
    EXPECT_EQ(AppendOne(a, "00000901"), kDbErrCorrupt) << number;
    EXPECT_EQ(FileBytes(a.f01).size(), bytes.size()) << number;
  }
  // What an append killed at its start leaves (the number of the record after the last,
  // nothing of it written) is taken back without a word.
  PutHeaderNumber(a.f01, 202);
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), 0) << problem;
  EXPECT_EQ(AppendOne(a, "00000902"), 0);
  EXPECT_EQ(FileBytes(a.f01).size(), 202u * 671u);
  EXPECT_EQ(KeyPairs(a), 201);
}

// A record file cut or emptied under intact indexes: appending would make the key index
// name records that are not the ones it was made for.
TEST(Damage, ARecordFileCutUnderItsIndexesIsReportedAndNotFiledInto) {
  TempDir dir;
  Archive a(dir);
  FileRecords(a, 1, 20);
  const std::string whole = FileBytes(a.f01);
  std::string problem;
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), 0) << problem;
  for (size_t records : {size_t(11), size_t(1), size_t(0)}) {
    const std::string cut = whole.substr(0, records * 671);
    PutFileBytes(a.f01, cut);
    EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), kDbErrCorrupt) << records;
    EXPECT_NE(problem.find(a.f01), std::string::npos) << problem;
    EXPECT_NE(problem.find("rebuild"), std::string::npos) << problem;
    EXPECT_EQ(AppendOne(a, "00000500"), kDbErrCorrupt) << records;
    EXPECT_EQ(KeyPairs(a), 20) << records;
    EXPECT_LE(FileBytes(a.f01).size(), std::max<size_t>(cut.size(), 671)) << records;
  }
  // Once the indexes are made from the records again, filing goes on.
  PutFileBytes(a.f01, whole.substr(0, 11 * 671));
  ASSERT_EQ(DbRebuildIndexes(a.f01, a.fields), 0);
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), 0) << problem;
  EXPECT_EQ(AppendOne(a, "00000501"), 0);
  EXPECT_EQ(KeyPairs(a), 11);
}

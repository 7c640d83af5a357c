#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../src/btree_file.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "temp_dir.h"

namespace {

using Pair = std::pair<std::string, int32_t>;

// Walks the whole index forward with qBtFirst/qBtNext.
std::vector<Pair> Walk(int h) {
  std::vector<Pair> out;
  std::string k;
  int32_t v = 0;
  int status = 0;
  int rc = qBtFirst(h, k, v, status);
  while (rc == 0 && status == 0) {
    out.push_back({k, v});
    rc = qBtNext(h, k, v, status);
  }
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(status, 1);
  return out;
}

std::vector<Pair> WalkBack(int h) {
  std::vector<Pair> out;
  std::string k;
  int32_t v = 0;
  int status = 0;
  int rc = qBtLast(h, k, v, status);
  while (rc == 0 && status == 0) {
    out.insert(out.begin(), {k, v});
    rc = qBtPrev(h, k, v, status);
  }
  EXPECT_EQ(rc, 0);
  return out;
}

}  // namespace

TEST(BTree, EmptyIndexAndKeyPadding) {
  TempDir dir;
  Index ix(dir.File("a.idx"), 8);
  ASSERT_EQ(ix.rc, 0);
  ASSERT_GT(ix.handle, 0);
  EXPECT_EQ(qBtKeyNbr(ix.handle), 0);
  std::string k = "X";
  int32_t v = 7;
  int status = 0;
  EXPECT_EQ(qBtFirst(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(k, "X");  // untouched when not found
  EXPECT_EQ(v, 7);

  // Short keys are blank-padded, long ones cut; both come back at the key length.
  k = "CAT";
  v = 2;
  EXPECT_EQ(qBtInsert(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(k, "CAT     ");
  k = "ABCDEFGHIJK";
  v = 3;
  EXPECT_EQ(qBtInsert(ix.handle, k, v, status), 0);
  EXPECT_EQ(k, "ABCDEFGH");
  k = "CAT";
  EXPECT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(v, 2);
  k = "ABCDEFGH----";
  EXPECT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(v, 3);
  EXPECT_EQ(qBtKeyNbr(ix.handle), 2);
}

TEST(BTree, DuplicateKeysAndCursor) {
  TempDir dir;
  Index ix(dir.File("topic.idx"), 6);
  ASSERT_EQ(ix.rc, 0);
  int status = 0;
  // Pairs filed out of order; the same pair twice is kept once.
  for (auto [key, value] : std::vector<Pair>{{"DOG", 3}, {"CAT", 4}, {"CAT", 2}, {"EMU", 9}, {"CAT", 4}, {"ANT", 1}}) {
    std::string k = key;
    ASSERT_EQ(qBtInsert(ix.handle, k, value, status), 0);
    ASSERT_EQ(status, 0);
  }
  EXPECT_EQ(qBtKeyNbr(ix.handle), 5);
  std::vector<Pair> want = {{Padded("ANT", 6), 1}, {Padded("CAT", 6), 2}, {Padded("CAT", 6), 4}, {Padded("DOG", 6), 3},
                            {Padded("EMU", 6), 9}};
  EXPECT_EQ(Walk(ix.handle), want);
  EXPECT_EQ(WalkBack(ix.handle), want);

  // Search finds the first pair of a key; Next goes on through its duplicates.
  std::string k = "CAT";
  int32_t v = 0;
  ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(v, 2);
  ASSERT_EQ(qBtNext(ix.handle, k, v, status), 0);
  EXPECT_EQ(v, 4);
  ASSERT_EQ(qBtNext(ix.handle, k, v, status), 0);
  EXPECT_EQ(k, Padded("DOG", 6));

  // A missing key: status 1, and the cursor stands where it would be.
  k = "COW";
  v = -5;
  ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(v, -5);
  ASSERT_EQ(qBtNext(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(k, Padded("DOG", 6));
  k = "COW";
  ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  ASSERT_EQ(qBtPrev(ix.handle, k, v, status), 0);
  EXPECT_EQ(k, Padded("CAT", 6));
  EXPECT_EQ(v, 4);

  // Before: the last pair whose key is smaller.
  k = "DOG";
  ASSERT_EQ(qBtBefore(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(k, Padded("CAT", 6));
  EXPECT_EQ(v, 4);
  k = "ANT";
  ASSERT_EQ(qBtBefore(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 1);

  // The ends: no further key, and the cursor stays.
  ASSERT_EQ(qBtLast(ix.handle, k, v, status), 0);
  ASSERT_EQ(qBtNext(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 1);
  ASSERT_EQ(qBtPrev(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(k, Padded("DOG", 6));

  // Delete removes exactly the pair; a missing pair is status 1.
  k = "CAT";
  v = 2;
  ASSERT_EQ(qBtDelete(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  ASSERT_EQ(qBtDelete(ix.handle, k, v, status), 0);
  EXPECT_EQ(status, 1);
  k = "CAT";
  ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(v, 4);
  EXPECT_EQ(qBtKeyNbr(ix.handle), 4);
}

TEST(BTree, AgreesWithAModelThroughSplitsAndMerges) {
  TempDir dir;
  const std::string path = dir.File("model.idx");
  std::set<Pair> model;
  std::mt19937 rng(12345);
  const int keyLength = 40;  // a topic field: few pairs per page, deep trees
  {
    Index ix(path, keyLength);
    ASSERT_EQ(ix.rc, 0);
    int status = 0;
    for (int round = 0; round < 6000; ++round) {
      std::string k = Padded("W" + std::to_string(rng() % 300), keyLength);
      int32_t v = int32_t(rng() % 50);
      if (rng() % 3 != 0 || model.empty()) {
        ASSERT_EQ(qBtInsert(ix.handle, k, v, status), 0);
        model.insert({k, v});
      } else {
        bool there = model.count({k, v}) > 0;
        ASSERT_EQ(qBtDelete(ix.handle, k, v, status), 0);
        EXPECT_EQ(status, there ? 0 : 1);
        model.erase({k, v});
      }
      if (round % 1000 == 999) {
        ASSERT_EQ(qBtKeyNbr(ix.handle), int(model.size()));
      }
    }
    std::vector<Pair> all(model.begin(), model.end());
    EXPECT_EQ(Walk(ix.handle), all);
    EXPECT_EQ(WalkBack(ix.handle), all);
    // Every search and "before" answers as the model does.
    for (int i = 0; i < 300; ++i) {
      std::string key = Padded("W" + std::to_string(i), keyLength);
      auto it = model.lower_bound({key, INT32_MIN});
      std::string k = key;
      int32_t v = 0;
      ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
      if (it != model.end() && it->first == key) {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(v, it->second);
      } else {
        EXPECT_EQ(status, 1);
      }
      k = key;
      ASSERT_EQ(qBtBefore(ix.handle, k, v, status), 0);
      if (it == model.begin()) {
        EXPECT_EQ(status, 1);
      } else {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(Pair(k, v), *std::prev(it));
      }
    }
  }
  // Everything is on disk: a new handle sees the same, and removing all empties it.
  Index again(path, keyLength);
  ASSERT_EQ(again.rc, 0);
  EXPECT_EQ(qBtKeyNbr(again.handle), int(model.size()));
  int status = 0;
  for (auto p : model) {
    ASSERT_EQ(qBtDelete(again.handle, p.first, p.second, status), 0);
    ASSERT_EQ(status, 0);
  }
  EXPECT_EQ(qBtKeyNbr(again.handle), 0);
  EXPECT_TRUE(Walk(again.handle).empty());
  std::string k = "Z";
  int32_t v = 1;
  ASSERT_EQ(qBtInsert(again.handle, k, v, status), 0);
  EXPECT_EQ(Walk(again.handle).size(), 1u);
}

TEST(BTree, AscendingFilingKeepsPagesFull) {
  TempDir dir;
  const std::string path = dir.File("keys.idx");
  Index ix(path, 8);
  ASSERT_EQ(ix.rc, 0);
  int status = 0;
  const int n = 20000;
  for (int i = 1; i <= n; ++i) {
    std::string k = std::to_string(10000000 + i);
    int32_t v = i + 1;
    ASSERT_EQ(qBtInsert(ix.handle, k, v, status), 0);
  }
  EXPECT_EQ(qBtKeyNbr(ix.handle), n);
  // 12 bytes a pair, 340 pairs a leaf: nearly full leaves give about 60 pages.
  EXPECT_LT(fileio::FileSize(path), 80 * 4096);
  std::string k = std::to_string(10000000 + 12345);
  int32_t v = 0;
  ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
  EXPECT_EQ(v, 12346);
}

TEST(BTree, TwoHandlesSeeEachOthersChanges) {
  TempDir dir;
  const std::string path = dir.File("shared.idx");
  Index a(path, 4), b(path, 4);
  ASSERT_EQ(a.rc, 0);
  ASSERT_EQ(b.rc, 0);
  int status = 0;
  std::string k;
  int32_t v = 0;
  for (int i = 0; i < 2000; ++i) {
    k = std::to_string(1000 + i);
    v = i;
    ASSERT_EQ(qBtInsert(i % 2 ? a.handle : b.handle, k, v, status), 0);
  }
  EXPECT_EQ(qBtKeyNbr(a.handle), 2000);
  EXPECT_EQ(qBtKeyNbr(b.handle), 2000);
  // b walks while a removes the pair b stands on: b goes on from where it stood.
  ASSERT_EQ(qBtFirst(b.handle, k, v, status), 0);
  ASSERT_EQ(qBtNext(b.handle, k, v, status), 0);
  EXPECT_EQ(k, "1001");
  std::string gone = "1001";
  int32_t goneValue = 1;
  ASSERT_EQ(qBtDelete(a.handle, gone, goneValue, status), 0);
  ASSERT_EQ(qBtNext(b.handle, k, v, status), 0);
  EXPECT_EQ(k, "1002");
  EXPECT_EQ(Walk(b.handle).size(), 1999u);
}

TEST(BTree, OpenRefusesBadArgumentsAndOtherKeyLengths) {
  TempDir dir;
  int h = 0, status = 0;
  EXPECT_EQ(qBtOpen(dir.File("x.idx"), 0, h, status), kDbErrInvalidParameter);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(qBtOpen(dir.File("x.idx"), 241, h, status), kDbErrInvalidParameter);
  EXPECT_NE(qBtOpen(dir.File("no such folder\\x.idx"), 8, h, status), 0);
  EXPECT_EQ(qBtClose(h), 0);  // closing after a failed open is harmless
  {
    Index ix(dir.File("x.idx"), 8);
    ASSERT_EQ(ix.rc, 0);
  }
  EXPECT_EQ(qBtOpen(dir.File("x.idx"), 12, h, status), kDbErrInvalidParameter);
  EXPECT_EQ(h, 0);
  std::string k = "A";
  int32_t v = 0;
  EXPECT_EQ(qBtInsert(12345, k, v, status), kDbErrInvalidHandle);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(qBtKeyNbr(12345), -1);
}

namespace {

// Pairs of key length 240 (sixteen a leaf, seventeen children a branch: tall trees from
// few pairs) filled into an empty index at once, as a rebuild fills it.
std::vector<Pair> FillAtOnce(const std::string& path, size_t count) {
  const int keyLength = 240;
  std::vector<Pair> pairs;
  std::vector<uint8_t> entries;
  for (size_t i = 0; i < count; ++i) {
    // Runs of one key with rising values, as a topic index holds them.
    std::string key = Padded("K" + std::to_string(100000 + i / 3), keyLength);
    int32_t value = int32_t(i % 3 == 0 ? -5 : i);
    pairs.push_back({key, value});
    entries.insert(entries.end(), key.begin(), key.end());
    for (int b = 0; b < 4; ++b) entries.push_back(uint8_t(uint32_t(value) >> (8 * b)));
  }
  db::BTreeFile file;
  EXPECT_EQ(file.Open(path, keyLength), 0);
  file.SetJournalling(false);
  EXPECT_EQ(file.FillEmpty(entries.data(), count), 0) << count;
  // Only an empty index is filled so.
  if (count > 0) {
    EXPECT_EQ(file.FillEmpty(entries.data(), 1), kDbErrInvalidParameter);
  }
  return pairs;
}

}  // namespace

// Filled at once (a single leaf, a leaf and one pair more, two and three levels of
// branches), the index is sound page by page for a handle that never saw it, answers as
// its pairs say, and takes further changes.
TEST(BTree, AnIndexFilledAtOnceIsSoundAndTakesChanges) {
  TempDir dir;
  const int keyLength = 240;
  for (size_t count : {size_t(0), size_t(1), size_t(16), size_t(17), size_t(289), size_t(290), size_t(5000)}) {
    const std::string path = dir.File("filled" + std::to_string(count) + ".idx");
    std::vector<Pair> pairs = FillAtOnce(path, count);
    Index ix(path, keyLength);
    ASSERT_EQ(ix.rc, 0) << count;
    EXPECT_EQ(qBtKeyNbr(ix.handle), int(count));
    EXPECT_EQ(Walk(ix.handle), pairs) << count;
    EXPECT_EQ(WalkBack(ix.handle), pairs) << count;
    int status = 0;
    for (size_t i = 0; i < count; i += 7) {
      std::string k = pairs[i].first;
      int32_t v = 0;
      ASSERT_EQ(qBtSearch(ix.handle, k, v, status), 0);
      EXPECT_EQ(status, 0);
      EXPECT_EQ(v, pairs[i / 3 * 3].second) << "the first pair of a key is found";
    }
    // Changes go on from there: pairs within, before and after the filled ones.
    std::set<Pair> model(pairs.begin(), pairs.end());
    std::mt19937 rng{static_cast<unsigned>(count)};
    for (int round = 0; round < 600; ++round) {
      std::string k = Padded("K" + std::to_string(99990 + rng() % (count / 3 + 20)), keyLength);
      int32_t v = int32_t(rng() % 40);
      if (rng() % 3 != 0 || model.empty()) {
        ASSERT_EQ(qBtInsert(ix.handle, k, v, status), 0);
        model.insert({k, v});
      } else {
        auto it = model.begin();
        std::advance(it, rng() % model.size());
        Pair gone = *it;
        ASSERT_EQ(qBtDelete(ix.handle, gone.first, gone.second, status), 0);
        EXPECT_EQ(status, 0);
        model.erase(gone);
      }
    }
    Index again(path, keyLength);
    ASSERT_EQ(again.rc, 0);
    EXPECT_EQ(Walk(again.handle), std::vector<Pair>(model.begin(), model.end())) << count;
    EXPECT_EQ(qBtKeyNbr(again.handle), int(model.size()));
  }
}

// A rebuild that finds its old index held open by another handle empties it in place and
// fills it again: the other handle reads the new pairs, not pages it checked before.
TEST(BTree, AnIndexEmptiedInPlaceIsReadAfreshByAnotherHandle) {
  TempDir dir;
  const std::string path = dir.File("held.idx");
  const int keyLength = 240;
  std::vector<Pair> first = FillAtOnce(path, 300);
  Index held(path, keyLength);
  ASSERT_EQ(held.rc, 0);
  EXPECT_EQ(Walk(held.handle), first);
  db::BTreeFile file;
  ASSERT_EQ(file.Open(path, keyLength), 0);
  EXPECT_EQ(file.Clear(), kDbErrInvalidParameter) << "only without the journal";
  file.SetJournalling(false);
  ASSERT_EQ(file.Clear(), 0);
  EXPECT_TRUE(Walk(held.handle).empty());
  EXPECT_EQ(qBtKeyNbr(held.handle), 0);
  std::vector<uint8_t> entries;
  std::vector<Pair> second;
  for (int i = 0; i < 40; ++i) {
    std::string key = Padded("NEW" + std::to_string(100 + i), keyLength);
    second.push_back({key, i});
    entries.insert(entries.end(), key.begin(), key.end());
    for (int b = 0; b < 4; ++b) entries.push_back(uint8_t(uint32_t(i) >> (8 * b)));
  }
  ASSERT_EQ(file.FillEmpty(entries.data(), second.size()), 0);
  EXPECT_EQ(Walk(held.handle), second);
  std::string k = "NEW120";
  int32_t v = -1;
  int status = 0;
  ASSERT_EQ(qBtSearch(held.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(v, 20);
}

// A key index refuses a key it holds with any value, in the same descent that files a new
// one: the pairs of a key may run over several leaves, so the key can be found beyond the
// edge of the leaf where the new pair would go.
TEST(BTree, AKeyIsFiledOnlyWhenNoPairHoldsItWhereverItsPairsRun) {
  TempDir dir;
  const std::string path = dir.File("unique.idx");
  const int keyLength = 240;  // sixteen pairs a leaf: a key's forty pairs span three leaves
  db::BTreeFile index;
  ASSERT_EQ(index.Open(path, keyLength), 0);
  auto key = [&](int k) { return Padded("KEY" + std::to_string(100 + k * 2), size_t(keyLength)); };
  auto bytes = [](const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); };
  std::set<std::string> held;
  for (int k = 0; k < 12; ++k) {
    for (int32_t v = 0; v < 80; v += 2) {
      bool existed = false;
      ASSERT_EQ(index.Insert(bytes(key(k)), v, existed), 0);
    }
    held.insert(key(k));
  }
  uint64_t count = 0;
  ASSERT_EQ(index.KeyCount(count), 0);
  ASSERT_EQ(count, 12u * 40u);
  // Every held key is refused whatever the value: below its pairs, between any two, above.
  for (int k = 0; k < 12; ++k) {
    for (int32_t v = -1; v <= 81; ++v) {
      bool taken = false;
      ASSERT_EQ(index.InsertNewKey(bytes(key(k)), v, taken), 0);
      ASSERT_TRUE(taken) << key(k) << " " << v;
    }
  }
  ASSERT_EQ(index.KeyCount(count), 0);
  EXPECT_EQ(count, 12u * 40u) << "a refused key changed the index";
  // Keys between, before and after the held ones are filed, once.
  for (int k = -1; k < 13; ++k) {
    const std::string fresh = Padded("KEY" + std::to_string(101 + k * 2), size_t(keyLength));
    for (int32_t v : {7, 3}) {
      bool taken = false;
      ASSERT_EQ(index.InsertNewKey(bytes(fresh), v, taken), 0);
      EXPECT_EQ(taken, v == 3) << fresh;
    }
    bool any = false;
    ASSERT_EQ(index.Contains(bytes(fresh), any), 0);
    EXPECT_TRUE(any) << fresh;
  }
  ASSERT_EQ(index.KeyCount(count), 0);
  EXPECT_EQ(count, 12u * 40u + 14u);
}

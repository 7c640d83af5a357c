#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <thread>

#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "narwen/rebuild.h"
#include "temp_dir.h"
#include "test_bytes.h"
#include "wait_until.h"
#include "worker_process.h"

namespace narwen {
namespace {

std::string Bytes(size_t n, int seed) { return TestBytes(n, seed); }

std::string Name(const std::string& key) {
  std::string n = key;
  EXPECT_EQ(qBtMmText(n, 1), 0);
  return n;
}

// A library with items stored through the database library.
class LibraryTest : public ::testing::Test {
 protected:
  std::string lib() const { return dir.Path() + "ARC001.B01"; }
  std::string index() const { return dir.Path() + "ARC001.I01"; }
  void Store(const std::string& key, const std::string& data) {
    contents[Name(key)] = data;
    std::string file = dir.Write("in\\" + key, data);
    Name(key);
    ASSERT_EQ(qBtMmLib(lib(), file, 1), 0);
  }
  void RemoveItem(const std::string& key) {
    contents.erase(Name(key));
    Name(key);
    ASSERT_EQ(qBtMmLib(lib(), dir.File("in\\" + key), 3), 0);
  }
  std::string CopyOut(const std::string& key, int& rc) {
    std::string target = dir.File("out\\" + key);
    fileio::MakeDirectories(dir.File("out"));
    fileio::RemoveFile(target);
    Name(key);
    rc = qBtMmLib(lib(), target, 2);
    return rc == 0 ? dir.Read("out\\" + key) : "";
  }
  // (name, value) pairs of the index in key order.
  std::map<std::string, int32_t> IndexPairs() {
    std::map<std::string, int32_t> pairs;
    int handle = 0, status = 0;
    EXPECT_EQ(qBtOpen(index(), 12, handle, status), 0);
    std::string key;
    int32_t value = 0;
    for (qBtFirst(handle, key, value, status); status == 0; qBtNext(handle, key, value, status)) {
      pairs[key] = value;
    }
    qBtClose(handle);
    return pairs;
  }
  void ExpectLiveItemsCopyOut() {
    auto pairs = IndexPairs();
    EXPECT_EQ(pairs.size(), contents.size());
    for (auto& [name, data] : contents) {
      EXPECT_TRUE(pairs.count(name)) << name;
      std::string key = name.substr(0, name.find(' '));
      int rc = -1;
      EXPECT_EQ(CopyOut(key, rc), data) << name;
      EXPECT_EQ(rc, 0);
    }
  }
  RebuildHooks Roomy() {
    RebuildHooks hooks;
    hooks.freeSpace = [](const std::string&) { return int64_t(1) << 40; };
    return hooks;
  }
  void AppendRaw(const std::string& bytes) {
    fileio::File f;
    ASSERT_EQ(f.OpenAlways(lib()), 0);
    ASSERT_EQ(f.WriteAt(f.Size(), bytes.data(), bytes.size()), 0);
  }
  std::string Raw(const std::string& name, size_t dataLength) {
    std::string data = Bytes(dataLength, int(name[0]));
    uint8_t t[db::kItemTrailer];
    db::EncodeItemTrailer(int64_t(dataLength), Name(name), t);
    contents[Name(name)] = data;
    return data + std::string(reinterpret_cast<char*>(t), sizeof t);
  }

  TempDir dir;
  std::map<std::string, std::string> contents;
};

TEST_F(LibraryTest, CompactionDropsRemovedItemAndReversesOrder) {
  Store("A.JPG", Bytes(100, 1));
  Store("B.JPG", Bytes(5000, 2));
  Store("C.JPG", Bytes(20000, 3));
  RemoveItem("B.JPG");
  std::vector<int> shown;
  RebuildHooks hooks = Roomy();
  hooks.progress = [&](int p) { shown.push_back(p); };
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, hooks), 0);
  std::string after = dir.Read("ARC001.B01");
  ASSERT_EQ(after.size(), 100u + 20000u + 44u);
  EXPECT_EQ(after.substr(0, 20000), Bytes(20000, 3));  // C first, then A
  EXPECT_EQ(after.substr(20022, 100), Bytes(100, 1));
  auto pairs = IndexPairs();
  EXPECT_EQ(pairs[Name("C.JPG")], 20022);
  EXPECT_EQ(pairs[Name("A.JPG")], 20144);
  ExpectLiveItemsCopyOut();
  int rc = 0;
  CopyOut("B.JPG", rc);
  EXPECT_EQ(rc, kDbErrNotFound);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), 0);  // back to 0 after the run
  EXPECT_NE(std::find(shown.begin(), shown.end(), 100), shown.end());
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENTMP.B01")));
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENTMP.I01")));
}

TEST_F(LibraryTest, ItemsLargerThanTheReadWindowCompact) {
  Store("A.JPG", Bytes(100, 1));
  Store("L.WAV", Bytes(3 << 20, 5));
  Store("M.WAV", Bytes(5 << 20, 6));
  Store("C.JPG", Bytes(300, 3));
  RemoveItem("A.JPG");
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), (3 << 20) + (5 << 20) + 300 + 66);
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, IndexOnlyLeavesLibraryByteForByte) {
  Store("A.JPG", Bytes(100, 1));
  Store("B.JPG", Bytes(5000, 2));
  Store("C.JPG", Bytes(20000, 3));
  auto before = IndexPairs();
  RemoveItem("B.JPG");
  const std::string bytes = dir.Read("ARC001.B01");
  fileio::RemoveFile(index());  // the index is made from the library alone
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeIndexOnly, false, Roomy()), 0);
  EXPECT_EQ(dir.Read("ARC001.B01"), bytes);
  auto pairs = IndexPairs();
  EXPECT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[Name("A.JPG")], before[Name("A.JPG")]);  // the scan finds each item at its end
  EXPECT_EQ(pairs[Name("C.JPG")], before[Name("C.JPG")]);
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, StrayBytesAcrossSearchBorderAreDropped) {
  Store("A.JPG", Bytes(100, 1));
  Store("C.JPG", Bytes(20000, 3));
  // C's end mark straddles the border of the first search block from the end.
  AppendRaw(std::string(kSearchBlock - 3, 'x'));
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), 20000 + 100 + 44);
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, JunkInFrontGives18AndChangesNothing) {
  AppendRaw(std::string(500, 'j'));
  Store("A.JPG", Bytes(100, 1));
  const std::string bytes = dir.Read("ARC001.B01");
  const std::string indexBytes = dir.Read("ARC001.I01");
  RebuildResult r = RebuildDatabase(lib(), kModeCompact, false, Roomy());
  EXPECT_EQ(r.code, kNoEndMark);
  EXPECT_EQ(r.step, kStepSearch);
  // The message names the library and what is wrong with it, not the code's own text.
  EXPECT_EQ(r.library, lib());
  const std::string text = RebuildFailureText(r, "No more files.");
  EXPECT_EQ(text.rfind(lib() + "|", 0), 0u) << text;
  EXPECT_NE(text.find("damaged at its start"), std::string::npos) << text;
  EXPECT_EQ(text.find("No more files."), std::string::npos) << text;
  EXPECT_EQ(dir.Read("ARC001.B01"), bytes);
  EXPECT_EQ(dir.Read("ARC001.I01"), indexBytes);
}

TEST_F(LibraryTest, AFailedRunOfALibraryWithoutIndexLeavesNoIndex) {
  AppendRaw(std::string(500, 'j'));
  for (int mode : {kModeCompact, kModeIndexOnly}) {
    EXPECT_EQ(RebuildDatabase(lib(), mode, false, Roomy()).code, kNoEndMark);
    EXPECT_FALSE(fileio::Exists(index())) << mode;
    EXPECT_EQ(dir.Read("ARC001.B01"), std::string(500, 'j'));
  }
}

TEST_F(LibraryTest, TrailerPointingBeforeStartResyncs) {
  Store("A.JPG", Bytes(100, 1));
  std::string bad = Raw("Q.JPG", 50);
  uint8_t huge[4] = {0x00, 0x00, 0x00, 0x10};  // far more than the file holds
  std::memcpy(&bad[50], huge, 4);
  contents.erase(Name("Q.JPG"));
  AppendRaw(bad);
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeIndexOnly, false, Roomy()), 0);
  EXPECT_EQ(IndexPairs().size(), 1u);
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), 122);
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, ShortLengthIsDamaged) {
  Store("A.JPG", Bytes(100, 1));
  std::string bad = Raw("Q.JPG", 50);
  bad[50] = 5;  // below the trailer's own size
  bad[51] = bad[52] = bad[53] = 0;
  contents.erase(Name("Q.JPG"));
  AppendRaw(bad);
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), 122);
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, TooLittleSpaceRefusesBeforeAnyChange) {
  Store("A.JPG", Bytes(100, 1));
  RemoveItem("A.JPG");
  const std::string bytes = dir.Read("ARC001.B01");
  RebuildHooks hooks;
  bool enough = true;
  hooks.freeSpace = [](const std::string&) { return int64_t(1000); };
  hooks.status = [&](const std::string&, bool e) { enough = e; };
  EXPECT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, hooks), kDbRefused);
  EXPECT_FALSE(enough);
  EXPECT_EQ(dir.Read("ARC001.B01"), bytes);
  // An index rebuild needs no room for a copy.
  EXPECT_EQ(REBUILDDATABASE(lib(), kModeIndexOnly, false, hooks), 0);
}

TEST_F(LibraryTest, ShortOfSpaceCompactsByCutting) {
  Store("A.JPG", Bytes(100, 1));
  Store("B.JPG", Bytes(5000, 2));
  Store("C.JPG", Bytes(20000, 3));
  RemoveItem("B.JPG");
  // Free space not above twice the library and index, yet not below the minimum (here
  // none): the copy cuts each item from the library once it is safely in the new file.
  RebuildHooks shortHooks;
  bool enough = true;
  shortHooks.status = [&](const std::string&, bool e) { enough = e; };
  shortHooks.freeSpace = [](const std::string&) { return int64_t(1000); };
  shortHooks.minimumFree = 0;
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, shortHooks), 0);
  EXPECT_FALSE(enough);
  EXPECT_EQ(fileio::FileSize(lib()), 20000 + 100 + 44);
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENCUT.B01")));
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, StoppedCuttingRunIsTakenOverFirst) {
  Store("A.JPG", Bytes(100, 1));
  Store("C.JPG", Bytes(20000, 3));
  // A run short of space moved C into its cut file and was stopped before it cut the
  // library (C in both) ...
  std::string lib1 = dir.Read("ARC001.B01");
  dir.Write("NARWENCUT.B01", lib1.substr(122) + "partial copy of the next");
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), 20000 + 100 + 44);
  ExpectLiveItemsCopyOut();
  // ... or after: C only in the cut file.
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  std::string now = dir.Read("ARC001.B01");
  ASSERT_EQ(now.size(), 20144u);  // A, then C
  dir.Write("NARWENCUT.B01", now.substr(122));
  dir.Write("ARC001.B01", now.substr(0, 122));
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  ExpectLiveItemsCopyOut();
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENCUT.B01")));
}

TEST_F(LibraryTest, HalfDoneSwapIsCompleted) {
  Store("A.JPG", Bytes(100, 1));
  Store("C.JPG", Bytes(20000, 3));
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  const std::string compacted = dir.Read("ARC001.B01");
  const std::string compactedIndex = dir.Read("ARC001.I01");
  // Killed after the index was swapped, before the library was.
  dir.Write("NARWENNEW.B01", compacted);
  dir.Write("ARC001.B01", "stale");
  const WorkFiles files = WorkFilesOf(lib());
  ASSERT_EQ(FinishSwap(files), 0);
  EXPECT_EQ(dir.Read("ARC001.B01"), compacted);
  EXPECT_EQ(dir.Read("ARC001.I01"), compactedIndex);
  // A half-built index without a complete library is thrown away.
  dir.Write("NARWENTMP.I01", "half");
  ASSERT_EQ(FinishSwap(files), 0);
  EXPECT_FALSE(fileio::Exists(files.tempIndex));
  EXPECT_EQ(dir.Read("ARC001.I01"), compactedIndex);
}

TEST_F(LibraryTest, IndexRebuildKilledAfterItsCommitPointIsCompleted) {
  Store("A.JPG", Bytes(100, 1));
  Store("C.JPG", Bytes(20000, 3));
  const std::string goodIndex = dir.Read("ARC001.I01");
  // Killed while the complete new index was being copied over the old one.
  dir.Write("NARWENNEW.I01", goodIndex);
  dir.Write("ARC001.I01", goodIndex.substr(0, 4096));
  ASSERT_EQ(FinishSwap(WorkFilesOf(lib())), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENNEW.I01")));
  EXPECT_TRUE(dir.Read("ARC001.I01") == goodIndex);
  ExpectLiveItemsCopyOut();
  // Once more through a run, which completes it first.
  dir.Write("NARWENNEW.I01", goodIndex);
  dir.Write("ARC001.I01", goodIndex.substr(0, 4096));
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeIndexOnly, false, Roomy()), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENNEW.I01")));
  ExpectLiveItemsCopyOut();
}

TEST_F(LibraryTest, AnIndexHandleOpenAcrossACompactionReadsTheNewValues) {
  Store("A.JPG", Bytes(100, 1));
  Store("B.JPG", Bytes(5000, 2));
  Store("C.JPG", Bytes(20000, 3));
  RemoveItem("B.JPG");
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(index(), 12, handle, status), 0);
  std::string key = Name("A.JPG");
  int32_t value = 0;
  ASSERT_EQ(qBtSearch(handle, key, value, status), 0);
  EXPECT_EQ(value, 122);
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  // A now ends the library, after C.
  key = Name("A.JPG");
  ASSERT_EQ(qBtSearch(handle, key, value, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(value, 20022 + 122);
  EXPECT_EQ(qBtKeyNbr(handle), 2);
  qBtClose(handle);
  ExpectLiveItemsCopyOut();
}

// A store by another program while a run holds the library's lock.
class StoreDuringRunTest : public LibraryTest {
 protected:
  void SetUp() override {
    Store("A.JPG", Bytes(100, 1));
    Store("B.JPG", Bytes(5000, 2));
    Store("C.JPG", Bytes(20000, 3));
    RemoveItem("B.JPG");
    newItem = Bytes(3000, 9);
    newFile = dir.Write("in\\NEW.JPG", newItem);
  }
  // Runs a rebuild that starts the storing program once it holds the lock; `during` then
  // sees the program on its way.
  int RunWithStore(int mode, int lockTimeoutMs, const std::function<void(WorkerProcess&)>& during) {
    RebuildHooks hooks = Roomy();
    bool started = false;
    hooks.progress = [&](int) {
      if (started) return;
      started = true;
      EXPECT_TRUE(storer.Start("narwen_rebuild_worker",
                               {"store", lib(), newFile, std::to_string(lockTimeoutMs), dir.File("ready")}));
      EXPECT_TRUE(WaitUntil([&] { return fileio::Exists(dir.File("ready")); }, std::chrono::seconds(30)));
      during(storer);
    };
    return REBUILDDATABASE(lib(), mode, false, hooks);
  }
  WorkerProcess storer;
  std::string newItem, newFile;
};

TEST_F(StoreDuringRunTest, StoreWaitsAndLandsInTheCompactedLibrary) {
  for (int mode : {kModeCompact, kModeIndexOnly}) {
    SCOPED_TRACE(mode);
    fileio::RemoveFile(dir.File("ready"));
    if (mode == kModeIndexOnly) {
      Name("NEW.JPG");
      ASSERT_EQ(qBtMmLib(lib(), newFile, 3), 0);
    }
    ASSERT_EQ(RunWithStore(mode, 60000, [](WorkerProcess& storer) {
                // The store is waiting for the lock, not done.
                EXPECT_EQ(storer.Wait(300), -1);
              }),
              0);
    ASSERT_EQ(storer.Wait(60000), 0);
    contents[Name("NEW.JPG")] = newItem;
    ExpectLiveItemsCopyOut();
  }
}

TEST_F(StoreDuringRunTest, StoreGives33AfterTheLockTimeoutAndLeavesNothing) {
  ASSERT_EQ(RunWithStore(kModeCompact, 200, [](WorkerProcess& storer) { EXPECT_EQ(storer.Wait(30000), 33); }), 0);
  ExpectLiveItemsCopyOut();
  EXPECT_EQ(fileio::FileSize(lib()), 100 + 20000 + 2 * 22);
  int rc = -1;
  CopyOut("NEW.JPG", rc);
  EXPECT_EQ(rc, 2);
}

TEST_F(LibraryTest, TinyOrAllRemovedGivesEmptyLibraryAndIndex) {
  dir.Write("ARC001.B01", "short");
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), 0);
  EXPECT_TRUE(IndexPairs().empty());
  Store("A.JPG", Bytes(100, 1));
  Store("B.JPG", Bytes(5000, 2));
  RemoveItem("A.JPG");
  RemoveItem("B.JPG");
  ASSERT_EQ(REBUILDDATABASE(lib(), kModeCompact, false, Roomy()), 0);
  EXPECT_EQ(fileio::FileSize(lib()), 0);
  EXPECT_TRUE(IndexPairs().empty());
}

TEST_F(LibraryTest, PatternWorksThroughEveryLibrary) {
  Store("A.JPG", Bytes(100, 1));
  RemoveItem("A.JPG");
  const std::string lib2 = dir.Path() + "ARC002.B01";
  std::string file = dir.Write("in\\D.JPG", Bytes(300, 4));
  Name("D.JPG");
  ASSERT_EQ(qBtMmLib(lib2, file, 1), 0);
  Name("E.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\E.JPG", "e"), 1), 0);
  Name("E.JPG");
  ASSERT_EQ(qBtMmLib(lib2, file, 3), 0);
  RebuildHooks hooks = Roomy();
  hooks.prefix = "ARC";
  std::vector<std::string> seen;
  hooks.status = [&](const std::string& l, bool) { seen.push_back(l); };
  ASSERT_EQ(REBUILDDATABASE(dir.Path() + "ARC*.I01", kModeCompact, true, hooks), 0);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(fileio::FileSize(lib()), 0);
  EXPECT_EQ(fileio::FileSize(lib2), 322);
}

// The libraries of a folder share the work files' names: a compaction of one killed at its
// commit point is put in place for that library, never over another one's files.
TEST_F(LibraryTest, APendingSwapOfOneLibraryNeverLandsInAnother) {
  Store("A.JPG", Bytes(100, 1));
  Store("B.JPG", Bytes(5000, 2));
  RemoveItem("A.JPG");
  const std::string lib2 = dir.Path() + "ARC002.B01";
  Name("D.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\D.JPG", Bytes(300, 4)), 1), 0);
  WorkerProcess worker;
  ASSERT_TRUE(worker.Start("narwen_rebuild_worker", {lib(), std::to_string(kModeCompact), "roomy", "die"}));
  ASSERT_EQ(worker.Wait(120000), 9);
  ASSERT_TRUE(fileio::Exists(dir.File("NARWENNEW.B01")));
  // A store into the other library puts the first one's swap in place, under its lock.
  Name("E.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\E.JPG", Bytes(50, 5)), 1), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENNEW.B01")));
  EXPECT_EQ(fileio::FileSize(lib()), 5022);  // compacted: B alone
  ExpectLiveItemsCopyOut();
  for (const auto& [key, bytes] : {std::pair<std::string, std::string>{"D.JPG", Bytes(300, 4)}, {"E.JPG", Bytes(50, 5)}}) {
    const std::string target = dir.File("out\\2" + key);
    Name(key);
    ASSERT_EQ(qBtMmLib(lib2, target, 2), 0) << key;
    EXPECT_EQ(dir.Read("out\\2" + key), bytes) << key;
  }
  EXPECT_EQ(fileio::FileSize(lib2), 300 + 50 + 44);
}

// A run short of space on one library finds another library's stopped run in the cut file
// they share: that run goes on first (its items come back to its own library), and none of
// its items land in the library this run was asked for.
TEST_F(LibraryTest, AnotherLibrarysStoppedCuttingRunIsFinishedForItAndNotTakenOver) {
  Store("A.JPG", Bytes(100, 1));
  Store("C.JPG", Bytes(20000, 3));
  const std::string lib2 = dir.Path() + "ARC002.B01";
  Name("D.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\D.JPG", Bytes(300, 4)), 1), 0);
  // Library 1's run moved C into the cut file and cut it from the library, then stopped.
  const std::string now = dir.Read("ARC001.B01");
  ASSERT_EQ(now.size(), 20144u);  // A, then C
  dir.Write("NARWENCUT.B01", now.substr(122));
  ASSERT_EQ(db::WriteSwapOwner(dir.File("NARWENCUT.B01"), lib()), 0);
  dir.Write("ARC001.B01", now.substr(0, 122));
  RebuildHooks shortHooks;
  shortHooks.freeSpace = [](const std::string&) { return int64_t(1000); };
  shortHooks.minimumFree = 0;
  std::vector<std::string> seen;
  shortHooks.status = [&](const std::string& l, bool) { seen.push_back(l); };
  ASSERT_EQ(REBUILDDATABASE(lib2, kModeCompact, false, shortHooks), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENCUT.B01")));
  EXPECT_FALSE(fileio::Exists(dir.File("NARWENCUT.B01.FOR")));
  ExpectLiveItemsCopyOut();  // A and C in library 1
  EXPECT_EQ(fileio::FileSize(lib2), 322);
  Name("C.JPG");
  int rc = qBtMmLib(lib2, dir.File("out\\2C.JPG"), 2);
  EXPECT_NE(rc, 0) << "library 1's item was copied out of library 2";
  ASSERT_EQ(seen.size(), 3u);  // library 2, then 1 finished, then 2 again
  EXPECT_EQ(seen[1], lib());
}

// Two copies of the tool at work on two libraries of one folder: the work files' names are
// the folder's, so the second run waits for the first, and both libraries come out whole.
TEST_F(LibraryTest, RunsOnTwoLibrariesOfOneFolderAtOnceLeaveBothWhole) {
  for (int i = 0; i < 40; ++i) Store("A" + std::to_string(i) + ".JPG", Bytes(3000 + i, i));
  RemoveItem("A3.JPG");
  const std::string lib2 = dir.Path() + "ARC002.B01";
  std::map<std::string, std::string> second;
  for (int i = 0; i < 40; ++i) {
    const std::string key = "B" + std::to_string(i) + ".JPG";
    second[key] = Bytes(2000 + i, 100 + i);
    Name(key);
    ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\" + key, second[key]), 1), 0);
  }
  // The first run stops in the middle of its scan until the second has ended, or for a
  // while when the second cannot start before the first ends (as it should).
  std::atomic<bool> secondDone{false}, firstInside{false};
  RebuildHooks first = Roomy();
  first.progress = [&](int percent) {
    if (percent > 0 && percent < 100 && !firstInside.exchange(true)) WaitUntil([&] { return secondDone.load(); }, std::chrono::milliseconds(2000));
  };
  int firstCode = -1, secondCode = -1;
  std::thread one([&] { firstCode = REBUILDDATABASE(lib(), kModeCompact, false, first); });
  ASSERT_TRUE(WaitUntil([&] { return firstInside.load(); }, kEventLimit)) << "the first run never got under way";
  std::thread two([&] {
    secondCode = REBUILDDATABASE(lib2, kModeCompact, false, Roomy());
    secondDone = true;
  });
  one.join();
  two.join();
  EXPECT_EQ(firstCode, 0);
  EXPECT_EQ(secondCode, 0);
  ExpectLiveItemsCopyOut();
  for (const auto& [key, bytes] : second) {
    Name(key);
    ASSERT_EQ(qBtMmLib(lib2, dir.File("out\\2" + key), 2), 0) << key;
    EXPECT_EQ(dir.Read("out\\2" + key), bytes) << key;
  }
}

TEST_F(LibraryTest, AFailingLibraryOfAPatternLeavesTheOthersDoneAndGivesItsCode) {
  dir.Write("ARC001.B01", std::string(100, 'x'));
  dir.Write("ARC001.I01", "");
  const std::string lib2 = dir.Path() + "ARC002.B01";
  Name("D.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\D.JPG", Bytes(300, 4)), 1), 0);
  Name("E.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.Write("in\\E.JPG", "e"), 1), 0);
  Name("E.JPG");
  ASSERT_EQ(qBtMmLib(lib2, dir.File("in\\E.JPG"), 3), 0);
  RebuildHooks hooks = Roomy();
  hooks.prefix = "ARC";
  const RebuildResult result = RebuildDatabase(dir.Path() + "ARC*.I01", kModeCompact, true, hooks);
  EXPECT_EQ(result.code, kNoEndMark);
  EXPECT_EQ(result.step, kStepSearch);
  EXPECT_EQ(dir.Read("ARC001.B01"), std::string(100, 'x'));
  EXPECT_EQ(fileio::FileSize(lib2), 322);
}

}  // namespace
}  // namespace narwen

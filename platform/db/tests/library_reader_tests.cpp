// A reader that copies many items out of one library with its index opened once: it
// answers as qBtMmLib (library, file, -2) does, follows the library through a
// compaction's swap, and never copies out an item another program is storing.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "db/db.h"
#include "db/library_reader.h"
#include "db/media_item.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"

namespace {

std::string SomeBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = char(rng() & 0xFF);
  return s;
}

int StoreAs(const std::string& library, const std::string& file, std::string item) {
  int rc = qBtMmText(item, 1);
  return rc ? rc : qBtMmLib(library, file, 1);
}

int32_t EndOf(const std::string& library, std::string item) {
  Index ix(DBNAME(library, 'I'), 12);
  int32_t end = 0;
  int status = 0;
  qBtMmText(item, 1);
  qBtSearch(ix.handle, item, end, status);
  return status == kBtDone ? end : -1;
}

// Items of every size class a copy treats apart: empty, within one read of its end,
// beyond it, and beyond what is held in memory.
const std::vector<std::pair<std::string, size_t>> kItems = {
    {"00000001.JPG", 0}, {"00000002.JPG", 10 * 1024}, {"00000003.DOC", 70 * 1024},
    {"00000004.WAV", 5 * 1024 * 1024 + 17}, {"00000005.QMF", 300}, {"00000006.JPG", 64 * 1024 - 22}};

}  // namespace

TEST(LibraryReader, AnswersAsTheLibraryCallForEveryKindOfItem) {
  TempDir dir;
  const std::string lib = dir.File("ARC001.B01");
  std::map<std::string, std::string> data;
  unsigned seed = 1;
  for (const auto& [item, size] : kItems) {
    data[item] = SomeBytes(size, seed++);
    ASSERT_EQ(StoreAs(lib, dir.Write("in\\" + item, data[item]), item), 0) << item;
  }
  ASSERT_EQ(StoreAs(lib, dir.Write("in\\GONE.JPG", "removed"), "GONE.JPG"), 0);
  ASSERT_EQ(qBtMmLib(lib, dir.File("in\\GONE.JPG"), 3), 0);
  // The end mark of an item in the middle of the library spoilt.
  CorruptByte(lib, size_t(EndOf(lib, "00000003.DOC") - 1));
  data.erase("00000003.DOC");

  db::LibraryReader reader(lib);
  for (int pass = 0; pass < 2; ++pass) {  // the second pass on the open index
    for (const auto& [item, bytes] : data) {
      const std::string out = dir.File("out\\" + std::to_string(pass) + item);
      fileio::MakeDirectories(dir.File("out"));
      EXPECT_EQ(reader.CopyOut(item, out), 0) << item;
      EXPECT_EQ(FileBytes(out), bytes) << item;
    }
    for (const std::string item : {"00000003.DOC", "GONE.JPG", "NONE.JPG"}) {
      const std::string out = dir.File("out\\" + item);
      const int expected = qBtMmLib(lib, dir.File("elsewhere\\" + item), -2);
      EXPECT_EQ(reader.CopyOut(item, out), expected) << item;
      EXPECT_FALSE(fileio::Exists(out)) << item;
    }
  }
  // The same items as one batch (one lock, one open of the library), the bad ones among
  // them: each answers for itself, the 5 MB item held beyond the batch's memory too.
  std::vector<db::LibraryReader::Copy> batch;
  for (const auto& [item, bytes] : data) batch.push_back({item, dir.File("out\\b" + item), -7});
  batch.insert(batch.begin() + 2, {"00000003.DOC", dir.File("out\\b3"), -7});
  batch.push_back({"GONE.JPG", dir.File("out\\bg"), -7});
  batch.push_back({"", dir.File("out\\be"), -7});
  reader.CopyOut(batch);
  for (const auto& copy : batch) {
    if (data.count(copy.item)) {
      EXPECT_EQ(copy.rc, 0) << copy.item;
      EXPECT_EQ(FileBytes(copy.target), data[copy.item]) << copy.item;
    } else {
      EXPECT_EQ(copy.rc, copy.item.empty() ? kDbErrInvalidParameter
                                           : copy.item == "GONE.JPG" ? kDbErrNotFound : kDbErrCorrupt)
          << copy.item;
      EXPECT_FALSE(fileio::Exists(copy.target)) << copy.item;
    }
  }
  EXPECT_EQ(reader.CopyOut("00000003.DOC", dir.File("out\\x")), kDbErrCorrupt);
  EXPECT_EQ(reader.CopyOut("GONE.JPG", dir.File("out\\x")), kDbErrNotFound);
  // A target that cannot be made is the file layer's failure.
  EXPECT_NE(reader.CopyOut("00000002.JPG", dir.File("no such folder\\x.jpg")), 0);

  // A library never written: nothing found, and no index made.
  db::LibraryReader none(dir.File("NEW001.B01"));
  EXPECT_EQ(none.CopyOut("00000002.JPG", dir.File("out\\y")), kDbErrNotFound);
  EXPECT_FALSE(fileio::Exists(dir.File("NEW001.I01")));
}

// A compaction killed at its commit point leaves its new library and index beside the
// old ones; the next reader (or one open all along) puts them in place before it reads,
// and then reads the new files, where every item has moved.
TEST(LibraryReader, FollowsTheLibraryThroughACompactionsSwap) {
  TempDir dir, other;
  const std::string lib = dir.File("ARC001.B01");
  const std::string moved = other.File("ARC001.B01");
  std::map<std::string, std::string> data;
  for (int i = 0; i < 6; ++i) {
    const std::string item = "0000000" + std::to_string(i) + ".JPG";
    data[item] = SomeBytes(size_t(1000 + 3000 * i), unsigned(i + 10));
    ASSERT_EQ(StoreAs(lib, dir.Write("in\\" + item, data[item]), item), 0);
  }
  // The compacted files: the same items in another order, so at other offsets.
  for (auto it = data.rbegin(); it != data.rend(); ++it)
    ASSERT_EQ(StoreAs(moved, other.Write("in\\" + it->first, it->second), it->first), 0);
  ASSERT_NE(EndOf(lib, "00000000.JPG"), EndOf(moved, "00000000.JPG"));

  db::LibraryReader reader(lib);
  fileio::MakeDirectories(dir.File("out"));
  ASSERT_EQ(reader.CopyOut("00000001.JPG", dir.File("out\\first")), 0);
  const db::LibraryWorkFiles work = db::LibraryWorkFilesOf(lib);
  ASSERT_EQ(fileio::CopyFileTo(moved, work.readyLibrary), 0);
  ASSERT_EQ(fileio::CopyFileTo(DBNAME(moved, 'I'), work.tempIndex), 0);
  for (const auto& [item, bytes] : data) {
    const std::string out = dir.File("out\\" + item);
    EXPECT_EQ(reader.CopyOut(item, out), 0) << item;
    EXPECT_EQ(FileBytes(out), bytes) << item;
  }
  EXPECT_FALSE(fileio::Exists(work.readyLibrary));
  EXPECT_EQ(FileBytes(lib), FileBytes(moved));
}

// Another program stores items (removing every seventh again) while three threads share
// one reader and copy out whatever the index names: every copy is whole, and each item
// is either copied or not there yet - never damaged, never a part.
TEST(LibraryReader, CopiesOnlyWholeItemsWhileAnotherProgramStores) {
  TempDir dir;
  const std::string lib = dir.File("ARC001.B01");
  const std::string source = dir.Write("source.jpg", SomeBytes(48 * 1024 + 5, 7));
  const std::string expected = FileBytes(source);
  const int count = 150;
  ASSERT_EQ(StoreAs(lib, dir.Write("seed.jpg", "seed"), "SEED.JPG"), 0);  // the index exists
  WorkerProcess storer;
  ASSERT_TRUE(storer.Start("db_append_worker", {"media", lib, source, "S", std::to_string(count), dir.File("ready")}));
  ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(dir.File("ready")); }, std::chrono::seconds(60),
                        std::chrono::milliseconds(2)));
  fileio::MakeDirectories(dir.File("out"));
  db::LibraryReader reader(lib);
  std::atomic<bool> storing{true};
  std::atomic<int> copied{0}, wrong{0};
  auto copier = [&](int thread) {
    for (int round = 0; storing || round < 1; ++round) {
      for (int i = thread; i < count; i += 3) {
        std::string n = std::to_string(i);
        const std::string item = "S" + std::string(6 - n.size(), '0') + n + ".JPG";
        const std::string out = dir.File("out\\" + std::to_string(thread) + item);
        fileio::RemoveFile(out);
        const int rc = reader.CopyOut(item, out);
        if (rc == 0 && FileBytes(out) == expected) {
          ++copied;
        } else if (rc != kDbErrNotFound || fileio::Exists(out)) {
          ++wrong;
          ADD_FAILURE() << item << " answered " << rc;
        }
      }
      if (!storing) break;
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t) threads.emplace_back(copier, t);
  const int exit = storer.Wait(120000);
  storing = false;
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(exit, 0);
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_GT(copied.load(), 0);
  // Once the storer is done every item it kept copies out.
  for (int i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    const std::string item = "S" + std::string(6 - n.size(), '0') + n + ".JPG";
    const int rc = reader.CopyOut(item, dir.File("out\\last.jpg"));
    EXPECT_EQ(rc, i % 7 == 6 ? kDbErrNotFound : 0) << item;
    fileio::RemoveFile(dir.File("out\\last.jpg"));
  }
}

// Another program holds the library's lock in the middle of rewriting an item: a copy
// waits for the lock (it is seen trying it) and then copies the item as it is once the
// writer is done - never the half-written bytes.
TEST(LibraryReader, WaitsForAWriterInTheMiddleOfAnItem) {
  TempDir dir;
  const std::string lib = dir.File("ARC001.B01");
  const std::string data = SomeBytes(200 * 1024, 3);
  ASSERT_EQ(StoreAs(lib, dir.Write("in\\a.jpg", "before"), "00000001.JPG"), 0);
  ASSERT_EQ(StoreAs(lib, dir.Write("in\\b.jpg", data), "00000002.JPG"), 0);
  db::LibraryReader reader(lib);
  fileio::MakeDirectories(dir.File("out"));
  ASSERT_EQ(reader.CopyOut("00000001.JPG", dir.File("out\\a.jpg")), 0);  // the index is open

  WorkerProcess writer;
  ASSERT_TRUE(writer.Start("db_append_worker", {"media-hold", lib, "00000002.JPG", dir.File("ready"), dir.File("go")}));
  ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(dir.File("ready")); }, std::chrono::seconds(60),
                        std::chrono::milliseconds(2)));
  const uint64_t locksBefore = fileio::FileCallCount(fileio::FileCall::Lock);
  std::atomic<bool> done{false};
  int rc = -1;
  std::thread copy([&] {
    rc = reader.CopyOut("00000002.JPG", dir.File("out\\b.jpg"));
    done = true;
  });
  // The copy is seen trying the lock again and again (or, wrongly, done already).
  EXPECT_TRUE(WaitUntil([&] { return done || fileio::FileCallCount(fileio::FileCall::Lock) >= locksBefore + 3; },
                        std::chrono::seconds(30), std::chrono::milliseconds(1)));
  EXPECT_FALSE(done.load());
  dir.Write("go", "");
  copy.join();
  EXPECT_EQ(writer.Wait(60000), 0);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(FileBytes(dir.File("out\\b.jpg")), data);
}

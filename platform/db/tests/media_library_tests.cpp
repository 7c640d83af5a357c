#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"
#include "stress_count.h"

namespace {

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = char(rng() & 0xFF);
  return s;
}

int32_t Le32(const std::string& b, size_t at) {
  return int32_t(uint32_t(uint8_t(b[at])) | (uint32_t(uint8_t(b[at + 1])) << 8) |
                 (uint32_t(uint8_t(b[at + 2])) << 16) | (uint32_t(uint8_t(b[at + 3])) << 24));
}

const std::string kEndMark = std::string("\x9Fin\r\n\x1A", 6);

// Stores a file under an item name given through qBtMmText, as the archive does.
int StoreAs(const std::string& library, const std::string& file, std::string item) {
  int rc = qBtMmText(item, 1);
  return rc ? rc : qBtMmLib(library, file, 1);
}

// Every pair of the library's index: item name -> end offset.
std::map<std::string, int32_t> Indexed(const std::string& library) {
  Index ix(DBNAME(library, 73), 12);
  std::map<std::string, int32_t> indexed;
  std::string k;
  int32_t v = 0;
  int status = 0;
  for (int rc = qBtFirst(ix.handle, k, v, status); rc == 0 && status == 0; rc = qBtNext(ix.handle, k, v, status)) {
    indexed[k] = v;
  }
  return indexed;
}

// A backward scan by the trailers, as the maintenance tool does it: removed items are
// skipped, and so is an item the index does not name at its end (a store cut short).
// Fails the test where a trailer is not whole. From `from` when given: the end of the last
// whole item, where a store cut short left bytes after it that hold none.
std::map<std::string, int32_t> ScanLive(const std::string& library, int64_t from = -1) {
  const std::string bytes = FileBytes(library);
  const auto indexed = Indexed(library);
  std::map<std::string, int32_t> live;
  for (int64_t pos = from < 0 ? int64_t(bytes.size()) : from; pos > 0;) {
    EXPECT_GE(pos, 22);
    if (pos < 22) break;
    EXPECT_EQ(bytes.substr(size_t(pos - 6), 6), kEndMark) << "at " << pos;
    const int32_t length = Le32(bytes, size_t(pos - 22));
    EXPECT_TRUE(length >= 22 && length <= pos) << "at " << pos;
    if (length < 22 || length > pos) break;
    const std::string name = bytes.substr(size_t(pos - 18), 12);
    auto it = indexed.find(name);
    if (name[0] != '\x0F' && it != indexed.end() && it->second == pos) live[name] = int32_t(pos);
    pos -= length;
  }
  return live;
}

// The library as a store killed after `cut` bytes of its work leaves it: the trailer
// first, then part of the bytes, no key.
// A store killed before its key: the item written (in part when cut is short), its trailer
// whole and, as a store writes it, marked removed until indexed (or unmarked as an older
// library may hold it). With `trailerWritten` below 22 the store was killed while it wrote
// its trailer, which it writes first: only that much of it, and none of the item's bytes.
void AppendCutShortStore(const std::string& library, const std::string& name, const std::string& data, size_t cut,
                         bool marked, size_t trailerWritten = 22) {
  std::string bytes = FileBytes(library);
  std::string item = data.substr(0, std::min(cut, data.size()));
  item.resize(data.size(), '\0');
  std::string trailer(22, '\0');
  const uint32_t length = uint32_t(data.size() + 22);
  for (int i = 0; i < 4; ++i) trailer[size_t(i)] = char((length >> (8 * i)) & 0xFF);
  trailer.replace(4, 12, name);
  if (marked) trailer[4] = '\x0F';
  trailer.replace(16, 6, kEndMark);
  fileio::File f;
  ASSERT_EQ(f.OpenAlways(library, fileio::Share::DenyNone), 0);
  if (trailerWritten < 22) {
    ASSERT_EQ(f.WriteAt(int64_t(bytes.size() + data.size()), trailer.data(), trailerWritten), 0);
    return;
  }
  ASSERT_EQ(f.WriteAt(int64_t(bytes.size()), (item + trailer).data(), item.size() + 22), 0);
}

}  // namespace

TEST(MediaLibrary, NamesOfLibrariesAndItems) {
  std::string base = "ARCHIVE";
  ASSERT_EQ(qBtMmName(base, 1), 0);
  EXPECT_EQ(base, "ARCHIVE001");
  base = "ARCHIVE  ";
  ASSERT_EQ(qBtMmName(base, 12), 0);
  EXPECT_EQ(base, "ARCHIVE012");
  EXPECT_EQ(qBtMmName(base, 0), kDbErrInvalidParameter);

  std::string item = "00000042.jpg";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  EXPECT_EQ(item, "00000042.JPG");
  item = "42.doc";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  EXPECT_EQ(item, "42.DOC      ");
  item = " 000000421.jpeg ";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  EXPECT_EQ(item, "00000042.JPE");  // key to 8, extension to 3 characters
  ASSERT_EQ(qBtMmText(item = "42.DOC      ", 0), 0);
  EXPECT_EQ(item, "42.DOC");
  item = ".JPG";
  EXPECT_EQ(qBtMmText(item, 1), kDbErrInvalidParameter);
  EXPECT_EQ(qBtMmText(item, 7), kDbErrInvalidParameter);
  qBtMmLib("", "x", 99);  // forget the names remembered above
}

TEST(MediaLibrary, ItemsCopyOutByteIdentical) {
  TempDir dir;
  const std::string lib = dir.File("ARCHIVE001.B01");
  std::map<std::string, std::string> items = {
      {"00000001.JPG", RandomBytes(100, 1)},      {"00000001.DOC", RandomBytes(5000, 2)},
      {"00000001.WAV", RandomBytes(3 << 20, 3)},  // beyond one copy chunk
      {"00000002.QMF", std::string()},            // an empty file is an item too
      {"00000002.JPG", std::string(70000, '\0')}};
  int n = 0;
  for (const auto& [name, bytes] : items) {
    std::string source = dir.Write("source" + std::to_string(n++) + ".bin", bytes);
    ASSERT_EQ(StoreAs(lib, source, name), 0) << name;
  }
  ASSERT_TRUE(fileio::MakeDirectories(dir.File("out")) == 0);
  for (const auto& [name, bytes] : items) {
    // No qBtMmText: the target's own name is the item's name. Names may arrive in
    // zero-padded 128-byte buffers.
    std::string target = dir.File("out\\" + name);
    target.resize(std::max<size_t>(target.size() + 1, 128), '\0');
    ASSERT_EQ(qBtMmLib(lib, target, -2), 0) << name;
    EXPECT_TRUE(FileBytes(dir.File("out\\" + name)) == bytes) << name;
    EXPECT_EQ(qBtMmLib(lib, dir.File("out\\" + name), 4), 0) << name;
  }
  Index ix(DBNAME(lib, 73), 12);
  ASSERT_EQ(ix.rc, 0);
  EXPECT_EQ(qBtKeyNbr(ix.handle), int(items.size()));
}

TEST(MediaLibrary, TrailerLayoutAndOneLengthRule) {
  TempDir dir;
  const std::string lib = dir.File("L001.B01");
  std::string a = RandomBytes(100, 7), b = RandomBytes(1234, 8);
  ASSERT_EQ(StoreAs(lib, dir.Write("a.bin", a), "00000007.JPG"), 0);
  ASSERT_EQ(StoreAs(lib, dir.Write("b.bin", b), "00000007.WAV"), 0);
  std::string bytes = FileBytes(lib);
  ASSERT_EQ(bytes.size(), 100u + 22u + 1234u + 22u);
  EXPECT_EQ(bytes.substr(0, 100), a);
  EXPECT_EQ(Le32(bytes, 100), 122);  // data plus trailer
  EXPECT_EQ(bytes.substr(104, 12), "00000007.JPG");
  EXPECT_EQ(bytes.substr(116, 6), kEndMark);

  // A backward scan by the trailers (as the maintenance tool does it) finds exactly
  // the items and end offsets that the index holds.
  const auto indexed = Indexed(lib);
  EXPECT_EQ(ScanLive(lib), indexed);
  EXPECT_EQ(indexed.size(), 2u);
  EXPECT_EQ(indexed.at("00000007.JPG"), 122);
}

TEST(MediaLibrary, RemovedItemsAreGoneAndNamesAreNotFiledTwice) {
  TempDir dir;
  const std::string lib = dir.File("L001.B01");
  const std::string pic = dir.Write("holiday.jpg", "picture bytes");
  ASSERT_EQ(StoreAs(lib, pic, "00000003.JPG"), 0);
  const int64_t size = fileio::FileSize(lib);
  // The same name again is refused, and the library stays as it was.
  EXPECT_EQ(StoreAs(lib, pic, "00000003.JPG"), kDbRefused);
  EXPECT_EQ(fileio::FileSize(lib), size);
  // A store without a name from qBtMmText takes the file's own name.
  ASSERT_EQ(qBtMmLib(lib, pic, 1), 0);
  EXPECT_EQ(qBtMmLib(lib, dir.File("HOLIDAY.JPG"), -2), 0);
  EXPECT_EQ(FileBytes(dir.File("HOLIDAY.JPG")), "picture bytes");
  // A name given through qBtMmText counts for one call only.
  std::string item = "00000003.JPG";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  ASSERT_EQ(qBtMmLib(lib, dir.File("copy.jpg"), -2), 0);
  EXPECT_EQ(qBtMmLib(lib, dir.File("copy.jpg"), -2), kDbErrNotFound);  // "COPY.JPG" is no item

  ASSERT_EQ(StoreAs(lib, dir.File("x"), "00000003.JPG") == 0, false);  // a missing source
  item = "00000003.JPG";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  ASSERT_EQ(qBtMmLib(lib, dir.File("00000003.JPG"), -3), 0);
  EXPECT_EQ(qBtMmLib(lib, dir.File("00000003.JPG"), -2), kDbErrNotFound);
  EXPECT_FALSE(fileio::Exists(dir.File("00000003.JPG")));
  EXPECT_EQ(qBtMmLib(lib, dir.File("00000003.JPG"), -3), 0);  // removing it again: done
  std::string bytes = FileBytes(lib);
  EXPECT_EQ(bytes[size_t(size) - 18], '\x0F');  // the trailer is marked deleted
  Index ix(DBNAME(lib, 73), 12);
  EXPECT_EQ(qBtKeyNbr(ix.handle), 1);
  // The name is free again.
  ASSERT_EQ(StoreAs(lib, pic, "00000003.JPG"), 0);
}

TEST(MediaLibrary, ReadingAMissingLibraryMakesNoFiles) {
  TempDir dir;
  const std::string lib = dir.File("NONE001.B01");
  EXPECT_EQ(qBtMmLib(lib, dir.File("00000001.JPG"), -2), kDbErrNotFound);
  EXPECT_EQ(qBtMmLib(lib, dir.File("00000001.JPG"), -3), 0);
  EXPECT_FALSE(fileio::Exists(DBNAME(lib, 73)));
  EXPECT_FALSE(fileio::Exists(lib));
  EXPECT_EQ(qBtMmLib(lib, dir.File("00000001.JPG"), 5), kDbErrInvalidParameter);
}

TEST(MediaLibrary, AStoreCutShortBeforeItsKeyLeavesNothingLiveAndIsCutOffByTheNext) {
  TempDir dir;
  const std::string lib = dir.File("L001.B01");
  const std::string a = RandomBytes(300, 1), b = RandomBytes(5000, 2), c = RandomBytes(77, 3);
  ASSERT_EQ(StoreAs(lib, dir.Write("a.bin", a), "00000001.JPG"), 0);
  const int64_t whole = fileio::FileSize(lib);
  // Killed with every byte written but no key, and killed halfway through the bytes.
  for (int round = 0; round < 4; ++round) {
    const size_t cut = round % 2 == 0 ? b.size() : b.size() / 2;
    AppendCutShortStore(lib, "00000002.JPG", b, cut, round < 2);
    ASSERT_EQ(fileio::FileSize(lib), whole + int64_t(b.size()) + 22);
    // The scan steps over the dead item and finds what the index holds.
    EXPECT_EQ(ScanLive(lib), Indexed(lib));
    std::string item = "00000002.JPG";
    ASSERT_EQ(qBtMmText(item, 1), 0);
    EXPECT_EQ(qBtMmLib(lib, dir.File("out2.jpg"), -2), kDbErrNotFound);
    // The next store cuts the dead item off before it appends.
    ASSERT_EQ(StoreAs(lib, dir.Write("c.bin", c), "00000003.JPG"), 0);
    EXPECT_EQ(fileio::FileSize(lib), whole + int64_t(c.size()) + 22);
    const auto indexed = Indexed(lib);
    EXPECT_EQ(ScanLive(lib), indexed);
    EXPECT_EQ(indexed.size(), 2u);
    std::string out = "00000003.JPG";
    ASSERT_EQ(qBtMmText(out, 1), 0);
    ASSERT_EQ(qBtMmLib(lib, dir.File("out3.jpg"), -2), 0);
    EXPECT_EQ(FileBytes(dir.File("out3.jpg")), c);
    ASSERT_EQ(StoreAs(lib, dir.File("out3.jpg"), "00000003.JPG") == 0, false);  // still filed
    fileio::RemoveFile(dir.File("out3.jpg"));
    out = "00000003.JPG";
    ASSERT_EQ(qBtMmText(out, 1), 0);
    ASSERT_EQ(qBtMmLib(lib, dir.File("x"), -3), 0);
    // Removing the last item leaves a removed trailer at the end that no name points at:
    // the next store cuts it off too.
    ASSERT_EQ(fileio::FileSize(lib), whole + int64_t(c.size()) + 22);
    ASSERT_EQ(StoreAs(lib, dir.Write("c.bin", c), "00000004.JPG"), 0);
    EXPECT_EQ(fileio::FileSize(lib), whole + int64_t(c.size()) + 22);
    EXPECT_EQ(ScanLive(lib).size(), 2u);
    // Back to the library with only the first item's bytes for the next round.
    fileio::File f;
    ASSERT_EQ(f.Open(lib, fileio::Access::ReadWrite, fileio::Share::DenyNone), 0);
    ASSERT_EQ(f.Truncate(whole), 0);
    f.Close();
    for (const char* gone : {"00000004.JPG"}) {
      std::string n = gone;
      ASSERT_EQ(qBtMmText(n, 1), 0);
      ASSERT_EQ(qBtMmLib(lib, dir.File("x"), -3), 0);
    }
  }
}

// A store killed while it wrote its trailer (the system cuts a write short at a page border
// when the writer is killed) or a power cut before its flush leaves bytes after the last
// item that end in no trailer: copy-outs are not disturbed and the next store cuts them off
// instead of appending after them, so the backward scan meets only whole items again.
TEST(MediaLibrary, BytesOfAStoreCutShortInItsTrailerAreCutOffByTheNext) {
  TempDir dir;
  const std::string a = RandomBytes(300, 1), b = RandomBytes(5000, 2), c = RandomBytes(77, 3);
  int number = 0;
  for (size_t written : {size_t(1), size_t(10), size_t(21)}) {
    for (bool removedBefore : {false, true}) {
      const std::string lib = dir.File("T" + std::to_string(++number) + ".B01");
      ASSERT_EQ(StoreAs(lib, dir.Write("a.bin", a), "00000001.JPG"), 0);
      const int64_t whole = fileio::FileSize(lib);
      if (removedBefore) {
        // A removed item before the torn bytes is no item either: cut off with them.
        ASSERT_EQ(StoreAs(lib, dir.Write("c.bin", c), "00000009.JPG"), 0);
        std::string gone = "00000009.JPG";
        ASSERT_EQ(qBtMmText(gone, 1), 0);
        ASSERT_EQ(qBtMmLib(lib, dir.File("x"), -3), 0);
      }
      AppendCutShortStore(lib, "00000002.JPG", b, 0, true, written);
      std::string item = "00000001.JPG";
      ASSERT_EQ(qBtMmText(item, 1), 0);
      ASSERT_EQ(qBtMmLib(lib, dir.File("out" + std::to_string(number)), -2), 0);
      EXPECT_EQ(FileBytes(dir.File("out" + std::to_string(number))), a);

      ASSERT_EQ(StoreAs(lib, dir.Write("c.bin", c), "00000003.JPG"), 0);
      EXPECT_EQ(fileio::FileSize(lib), whole + int64_t(c.size()) + 22) << written << " " << removedBefore;
      const auto indexed = Indexed(lib);
      EXPECT_EQ(indexed.size(), 2u);
      EXPECT_EQ(ScanLive(lib), indexed) << written << " " << removedBefore;
    }
  }
}

// A store killed after indexing but before it took its trailer's mark off, or a removal
// killed between the mark and the name's leaving the index, leaves a marked item the index
// still names: it is not filed (copy-out finds nothing), the name may be stored again, and
// the next store erases the name and cuts the item off.
TEST(MediaLibrary, AMarkedItemTheIndexStillNamesIsNotFiled) {
  TempDir dir;
  const std::string lib = dir.File("L001.B01");
  const std::string a = RandomBytes(300, 1), b = RandomBytes(900, 2), c = RandomBytes(77, 3);
  ASSERT_EQ(StoreAs(lib, dir.Write("a.bin", a), "00000001.JPG"), 0);
  const int64_t whole = fileio::FileSize(lib);
  auto markLast = [&] {
    fileio::File f;
    ASSERT_EQ(f.Open(lib, fileio::Access::ReadWrite, fileio::Share::DenyNone), 0);
    const char mark = '\x0F';
    ASSERT_EQ(f.WriteAt(fileio::FileSize(lib) - 22 + 4, &mark, 1), 0);
  };
  ASSERT_EQ(StoreAs(lib, dir.Write("b.bin", b), "00000002.JPG"), 0);
  markLast();
  std::string item = "00000002.JPG";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  EXPECT_EQ(qBtMmLib(lib, dir.File("out2.jpg"), -2), kDbErrNotFound);
  EXPECT_FALSE(fileio::Exists(dir.File("out2.jpg")));
  // The next store takes the dead item's place.
  ASSERT_EQ(StoreAs(lib, dir.Write("c.bin", c), "00000003.JPG"), 0);
  EXPECT_EQ(fileio::FileSize(lib), whole + int64_t(c.size()) + 22);
  EXPECT_EQ(Indexed(lib).size(), 2u);
  EXPECT_EQ(ScanLive(lib), Indexed(lib));
  // A stale name in the middle of the library gives way to a new store of that name.
  ASSERT_EQ(StoreAs(lib, dir.Write("b.bin", b), "00000002.JPG"), 0);
  ASSERT_EQ(StoreAs(lib, dir.Write("a.bin", a), "00000004.JPG"), 0);
  {
    const auto indexed = Indexed(lib);
    fileio::File f;
    ASSERT_EQ(f.Open(lib, fileio::Access::ReadWrite, fileio::Share::DenyNone), 0);
    const char mark = '\x0F';
    ASSERT_EQ(f.WriteAt(indexed.at("00000002.JPG") - 22 + 4, &mark, 1), 0);
  }
  ASSERT_EQ(StoreAs(lib, dir.Write("b.bin", b), "00000002.JPG"), 0);
  item = "00000002.JPG";
  ASSERT_EQ(qBtMmText(item, 1), 0);
  ASSERT_EQ(qBtMmLib(lib, dir.File("out2.jpg"), -2), 0);
  EXPECT_EQ(FileBytes(dir.File("out2.jpg")), b);
  EXPECT_EQ(Indexed(lib).at("00000002.JPG"), int32_t(fileio::FileSize(lib)));
  // A whole item of another name is never taken over.
  EXPECT_NE(StoreAs(lib, dir.Write("c.bin", c), "00000003.JPG"), 0);
}

// A program killed at random moments while it stores and removes items: every trailer of
// the library stays whole for the backward scan, the scan finds exactly what the index
// names, every named item copies out whole, and the next store leaves no dead bytes.
TEST(MediaLibrary, AStorerKilledAtRandomMomentsLeavesTheScanAndTheIndexInStep) {
  TempDir dir;
  const std::string lib = dir.File("K001.B01");
  const std::string data = RandomBytes(200000, 9);
  const std::string source = dir.Write("source.bin", data);
  const int count = StressCount("SUITE_KILL_ROUNDS", 10);
  std::mt19937 random(11);
  for (int round = 0; round < count; ++round) {
    const std::string ready = dir.File("ready" + std::to_string(round));
    const std::string prefix = (round < 10 ? "0" : "") + std::to_string(round % 100);
    WorkerProcess storer;
    ASSERT_TRUE(storer.Start("db_append_worker", {"media", lib, source, prefix, "100000", ready}));
    ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(ready); }, std::chrono::seconds(60)));
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + random() % 20000));
    storer.Kill();

    // A kill between indexing and taking the mark off leaves the last item named but
    // marked: not filed, found by no copy-out, given way by the next store.
    auto indexed = Indexed(lib);
    const std::string bytes = FileBytes(lib);
    // A kill while the trailer was written can cut that write at a page border: bytes that
    // hold no item, left after the last whole one for the next store to cut off.
    int64_t wholeEnd = int64_t(bytes.size());
    if (bytes.compare(bytes.size() - 6, 6, kEndMark) != 0) {
      wholeEnd = int64_t(bytes.rfind(kEndMark)) + 6;
      EXPECT_LT(int64_t(bytes.size()) - wholeEnd, int64_t(data.size()) + 22) << "round " << round;
      EXPECT_EQ(bytes.find_first_not_of('\0', size_t(wholeEnd)), size_t(wholeEnd + int64_t(data.size())))
          << "round " << round;
    }
    int stale = 0;
    for (auto it = indexed.begin(); it != indexed.end();) {
      if (bytes[size_t(it->second) - 18] == '\x0F') {
        ++stale;
        EXPECT_EQ(int64_t(it->second), wholeEnd) << "round " << round;
        std::string name = it->first;
        ASSERT_EQ(qBtMmText(name, 1), 0);
        EXPECT_EQ(qBtMmLib(lib, dir.File("stale"), -2), kDbErrNotFound);
        it = indexed.erase(it);
      } else {
        ++it;
      }
    }
    EXPECT_LE(stale, 1) << "round " << round;
    ASSERT_EQ(ScanLive(lib, wholeEnd), indexed) << "round " << round;
    ASSERT_FALSE(indexed.empty());
    // The item stored last is whole.
    std::string last;
    int32_t lastEnd = 0;
    for (const auto& [name, end] : indexed)
      if (end > lastEnd) last = name, lastEnd = end;
    std::string item = last;
    ASSERT_EQ(qBtMmText(item, 1), 0);
    const std::string out = dir.File("out" + std::to_string(round));
    ASSERT_EQ(qBtMmLib(lib, out, -2), 0) << last;
    EXPECT_EQ(FileBytes(out), data) << last;
  }
  // One more store: the library is then the items the scan walks, with nothing dead.
  ASSERT_EQ(StoreAs(lib, source, "99999999.JPG"), 0);
  int64_t walked = 0;
  const std::string bytes = FileBytes(lib);
  const auto indexed = Indexed(lib);
  for (int64_t pos = int64_t(bytes.size()); pos > 0; pos -= Le32(bytes, size_t(pos - 22))) {
    ASSERT_GE(pos, 22);
    const std::string name = bytes.substr(size_t(pos - 18), 12);
    auto it = indexed.find(name);
    // Every unmarked item is one the index names at that end: a dead one would show here.
    if (name[0] != '\x0F') {
      EXPECT_TRUE(it != indexed.end() && it->second == pos) << name << " at " << pos;
    }
    walked += Le32(bytes, size_t(pos - 22));
  }
  EXPECT_EQ(walked, int64_t(bytes.size()));
}

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "temp_dir.h"

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
  std::map<std::string, int32_t> scanned;
  for (int64_t pos = int64_t(bytes.size()); pos >= 22;) {
    ASSERT_EQ(bytes.substr(size_t(pos - 6), 6), kEndMark);
    int32_t length = Le32(bytes, size_t(pos - 22));
    scanned[bytes.substr(size_t(pos - 18), 12)] = int32_t(pos);
    pos -= length;
  }
  Index ix(DBNAME(lib, 73), 12);
  std::map<std::string, int32_t> indexed;
  std::string k;
  int32_t v = 0;
  int status = 0;
  for (int rc = qBtFirst(ix.handle, k, v, status); rc == 0 && status == 0; rc = qBtNext(ix.handle, k, v, status)) {
    indexed[k] = v;
  }
  EXPECT_EQ(scanned, indexed);
  EXPECT_EQ(indexed["00000007.JPG"], 122);
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

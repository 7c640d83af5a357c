// Compound files: what the writer stores comes back from the reader byte for byte, the
// directory is a valid sibling tree, and damaged tables are refused rather than followed.
#include "imglib/compound_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

using namespace imglib;

namespace {

std::string Pattern(size_t size, int seed) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = char((i * 131 + size_t(seed) * 7 + i / 251) & 0xFF);
  return s;
}

uint32_t U32At(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(s[at + size_t(i)]);
  return v;
}

void SetU32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char(uint8_t(v >> (8 * i)));
}

// Where the allocation table entry of a sector lies (the first table sector only).
size_t FatEntry(const std::string& file, uint32_t sector) { return 512 + size_t(U32At(file, 76)) * 512 + sector * 4; }
size_t DirectoryEntry(const std::string& file, int index) { return 512 + size_t(U32At(file, 48)) * 512 + size_t(index) * 128; }

const ClassId kRootClass = MakeClassId(0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8});
const ClassId kStorageClass = MakeClassId(0x0BADF00D, 1, 2, {9, 9, 9, 9, 9, 9, 9, 9});

// A file with streams on both sides of the small-stream limit and a nested storage.
std::string Sample() {
  CompoundFileWriter w(kRootClass);
  EXPECT_GE(w.AddStream(CompoundFileWriter::kRoot, "\005Small", Pattern(100, 1)), 0);
  EXPECT_GE(w.AddStream(CompoundFileWriter::kRoot, "Empty", ""), 0);
  EXPECT_GE(w.AddStream(CompoundFileWriter::kRoot, "JustBelow", Pattern(4095, 2)), 0);
  EXPECT_GE(w.AddStream(CompoundFileWriter::kRoot, "AtLimit", Pattern(4096, 3)), 0);
  EXPECT_GE(w.AddStream(CompoundFileWriter::kRoot, "Big", Pattern(70001, 4)), 0);
  int sub = w.AddStorage(CompoundFileWriter::kRoot, "Sub Storage", kStorageClass);
  EXPECT_GE(w.AddStream(sub, "Inner", Pattern(65, 5)), 0);
  int deeper = w.AddStorage(sub, "Deeper");
  EXPECT_GE(w.AddStream(deeper, "Last", Pattern(9000, 6)), 0);
  std::string out;
  EXPECT_EQ(w.Build(out), kSuccess);
  return out;
}

std::string ReadPath(const CompoundFileReader& r, const std::string& path) {
  std::string out;
  int at = r.Find(path);
  EXPECT_GE(at, 0) << path;
  if (at >= 0) {
    EXPECT_EQ(r.ReadStream(at, out), kSuccess) << path;
  }
  return out;
}

}  // namespace

TEST(CompoundFile, StreamsOfEverySizeComeBackExactly) {
  std::string file = Sample();
  EXPECT_EQ(file.size() % 512, 0u);
  EXPECT_EQ(file.substr(0, 8), kCompoundSignature);
  CompoundFileReader r;
  ASSERT_EQ(r.Open(file), kSuccess);
  EXPECT_EQ(r.Root().classId, kRootClass);
  EXPECT_EQ(r.Root().children.size(), 6u);
  EXPECT_EQ(ReadPath(r, "\005Small"), Pattern(100, 1));
  EXPECT_EQ(ReadPath(r, "Empty"), "");
  EXPECT_EQ(ReadPath(r, "JustBelow"), Pattern(4095, 2));
  EXPECT_EQ(ReadPath(r, "AtLimit"), Pattern(4096, 3));
  EXPECT_EQ(ReadPath(r, "Big"), Pattern(70001, 4));
  // Names are found ignoring case; storages keep their class.
  EXPECT_EQ(ReadPath(r, "sub storage/INNER"), Pattern(65, 5));
  EXPECT_EQ(ReadPath(r, "Sub Storage/Deeper/Last"), Pattern(9000, 6));
  int sub = r.Find("Sub Storage");
  ASSERT_GE(sub, 0);
  EXPECT_EQ(r.At(sub).type, kCompoundStorage);
  EXPECT_EQ(r.At(sub).classId, kStorageClass);
  EXPECT_EQ(r.At(sub).children.size(), 2u);
  EXPECT_EQ(r.Find("Sub Storage/Missing"), -1);
  EXPECT_EQ(r.Find("Big/Inner"), -1);
  std::string out;
  EXPECT_EQ(r.ReadStream(sub, out), kInvalidParameter);
}

TEST(CompoundFile, SiblingsFormAValidRedBlackTree) {
  for (int count : {1, 2, 3, 7, 8, 37}) {
    CompoundFileWriter w;
    for (int i = 0; i < count; ++i)
      ASSERT_GE(w.AddStream(CompoundFileWriter::kRoot, "s" + std::string(size_t(i % 5 + 1), char('a' + i / 5)), "x"), 0);
    std::string file;
    ASSERT_EQ(w.Build(file), kSuccess);
    // Walk the tree: keys in order (shorter names first, then upper-cased), no red node
    // with a red child, the same number of black nodes on every path.
    std::vector<std::string> inOrder;
    int blackHeight = -1;
    bool redRed = false;
    std::function<void(uint32_t, int, bool)> walk = [&](uint32_t id, int blacks, bool parentRed) {
      if (id == 0xFFFFFFFF) {
        if (blackHeight < 0) blackHeight = blacks;
        EXPECT_EQ(blacks, blackHeight) << count;
        return;
      }
      size_t at = DirectoryEntry(file, int(id));
      bool red = file[at + 67] == 0;
      redRed |= red && parentRed;
      walk(U32At(file, at + 68), blacks + (red ? 0 : 1), red);
      std::string name;
      for (size_t k = 0; k + 2 < (U32At(file, at + 64) & 0xFFFF); k += 2) name += char(toupper(uint8_t(file[at + k])));
      inOrder.push_back(name);
      walk(U32At(file, at + 72), blacks + (red ? 0 : 1), red);
    };
    walk(U32At(file, DirectoryEntry(file, 0) + 76), 0, false);
    EXPECT_FALSE(redRed) << count;
    ASSERT_EQ(inOrder.size(), size_t(count));
    for (size_t i = 1; i < inOrder.size(); ++i) {
      const std::string& a = inOrder[i - 1];
      const std::string& b = inOrder[i];
      EXPECT_TRUE(a.size() < b.size() || (a.size() == b.size() && a < b)) << a << " " << b;
    }
  }
}

TEST(CompoundFile, ALargeFileListsItsTablesBeyondTheHeader) {
  // 8 MB needs more allocation sectors than the header's 109 slots name.
  CompoundFileWriter w;
  std::string big = Pattern(size_t(8) << 20, 7);
  ASSERT_GE(w.AddStream(CompoundFileWriter::kRoot, "Huge", big), 0);
  ASSERT_GE(w.AddStream(CompoundFileWriter::kRoot, "Tiny", "abc"), 0);
  std::string file;
  ASSERT_EQ(w.Build(file), kSuccess);
  EXPECT_GT(U32At(file, 44), 109u);
  EXPECT_GE(U32At(file, 72), 1u);
  CompoundFileReader r;
  ASSERT_EQ(r.Open(file), kSuccess);
  EXPECT_EQ(ReadPath(r, "Huge") == big, true);
  EXPECT_EQ(ReadPath(r, "Tiny"), "abc");
  // A loop in the extra table chain is refused once the tables it should list are needed.
  std::string looped = file;
  uint32_t difat = U32At(file, 68);
  SetU32(looped, 44, 109 + 127 + 1);
  SetU32(looped, 72, 50);
  SetU32(looped, 512 + size_t(difat) * 512 + 127 * 4, difat);
  EXPECT_EQ(r.Open(looped), kFileCorrupt);
}

TEST(CompoundFile, RefusesNamesItCannotStore) {
  CompoundFileWriter w;
  int stream = w.AddStream(CompoundFileWriter::kRoot, "Data", "x");
  ASSERT_GE(stream, 0);
  EXPECT_EQ(w.AddStream(CompoundFileWriter::kRoot, "", "x"), -1);
  EXPECT_EQ(w.AddStream(CompoundFileWriter::kRoot, std::string(32, 'a'), "x"), -1);
  EXPECT_GE(w.AddStream(CompoundFileWriter::kRoot, std::string(31, 'a'), "x"), 0);
  EXPECT_EQ(w.AddStream(CompoundFileWriter::kRoot, "a/b", "x"), -1);
  EXPECT_EQ(w.AddStream(CompoundFileWriter::kRoot, "DATA", "x"), -1);
  EXPECT_EQ(w.AddStream(stream, "Child", "x"), -1);
  EXPECT_EQ(w.AddStorage(99, "Lost"), -1);
  EXPECT_EQ(w.AddStream(CompoundFileWriter::kRoot, "caf\xE9", "x"), -1);
}

TEST(CompoundFile, DamagedTablesAreRefused) {
  std::string file = Sample();
  CompoundFileReader r;
  EXPECT_EQ(r.Open("not a compound file at all"), kNotAPicture);
  EXPECT_EQ(r.Open(file.substr(0, 511)), kFileCorrupt);
  ASSERT_EQ(r.Open(file), kSuccess);
  int bigAt = r.Find("Big"), smallAt = r.Find("\005Small"), subAt = r.Find("Sub Storage");
  ASSERT_GE(bigAt, 0);
  ASSERT_GE(smallAt, 0);
  ASSERT_GE(subAt, 0);
  uint32_t bigStart = r.At(bigAt).start, smallStart = r.At(smallAt).start;
  std::string out;

  // A cut file: the directory may still be there, but the last stream is not.
  CompoundFileReader cut;
  if (cut.Open(file.substr(0, file.size() - 600)) == kSuccess) {
    int last = cut.Find("Sub Storage/Deeper/Last");
    int big = cut.Find("Big");
    bool anyFailed = (last >= 0 && cut.ReadStream(last, out) != kSuccess) || (big >= 0 && cut.ReadStream(big, out) != kSuccess);
    EXPECT_TRUE(anyFailed || last < 0);
  }

  // A chain that loops back on itself, or points past the file.
  std::string loop = file;
  SetU32(loop, FatEntry(file, bigStart + 3), bigStart + 1);
  ASSERT_EQ(r.Open(loop), kSuccess);
  EXPECT_EQ(r.ReadStream(r.Find("Big"), out), kFileCorrupt);
  std::string self = file;
  SetU32(self, FatEntry(file, bigStart), bigStart);
  ASSERT_EQ(r.Open(self), kSuccess);
  EXPECT_EQ(r.ReadStream(r.Find("Big"), out), kFileCorrupt);
  std::string outside = file;
  SetU32(outside, FatEntry(file, bigStart + 5), 0x00FFFFFF);
  ASSERT_EQ(r.Open(outside), kSuccess);
  EXPECT_EQ(r.ReadStream(r.Find("Big"), out), kFileCorrupt);
  EXPECT_TRUE(out.empty());
  // A stream whose size is larger than the file.
  std::string huge = file;
  SetU32(huge, DirectoryEntry(file, bigAt) + 120, 0x7FFFFFFF);
  ASSERT_EQ(r.Open(huge), kSuccess);
  EXPECT_EQ(r.ReadStream(r.Find("Big"), out), kFileCorrupt);

  // The small streams' table looping.
  std::string miniLoop = file;
  SetU32(miniLoop, 512 + size_t(U32At(file, 60)) * 512 + smallStart * 4, smallStart);
  ASSERT_EQ(r.Open(miniLoop), kSuccess);
  EXPECT_EQ(r.ReadStream(r.Find("\005Small"), out), kFileCorrupt);

  // A sibling that points back at an entry already reached, and a directory sector number
  // outside the file.
  std::string sibling = file;
  SetU32(sibling, DirectoryEntry(file, bigAt) + 72, 0);
  EXPECT_EQ(r.Open(sibling), kFileCorrupt);
  std::string childLoop = file;
  SetU32(childLoop, DirectoryEntry(file, subAt) + 76, uint32_t(subAt));
  EXPECT_EQ(r.Open(childLoop), kFileCorrupt);
  std::string directory = file;
  SetU32(directory, 48, 0x10000);
  EXPECT_EQ(r.Open(directory), kFileCorrupt);
  std::string tables = file;
  SetU32(tables, 44, 0xFFFFFFFF);
  EXPECT_EQ(r.Open(tables), kFileCorrupt);
  std::string shift = file;
  shift[30] = 20;
  EXPECT_EQ(r.Open(shift), kUnsupported);
}

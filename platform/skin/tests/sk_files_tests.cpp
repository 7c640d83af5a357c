#include <gtest/gtest.h>

#include <algorithm>

#include "skin/sk_files.h"
#include "temp_dir.h"

TEST(SkFiles, OpenWriteReadAndClose) {
  TempDir dir;
  int h = 0;
  ASSERT_EQ(SKFOPEN(dir.File("a.txt"), 1, 1, h), 0);
  EXPECT_GT(h, 0);
  EXPECT_EQ(SKFPUT(h, "line one\r\n"), 0);
  EXPECT_EQ(SKFPUT(h, "two"), 0);
  EXPECT_EQ(SKFLOF(h), 13);
  SKFCLOSE(h);
  EXPECT_EQ(h, 0);
  SKFCLOSE(h);  // closing twice is harmless

  ASSERT_EQ(SKFOPEN(dir.File("a.txt"), 0, 0, h), 0);
  std::string buf(4, '\0');
  EXPECT_EQ(SKFGET(h, buf), 0);
  EXPECT_EQ(buf, "line");
  EXPECT_EQ(SKFGET(h, buf), 0);  // goes on from the current position
  EXPECT_EQ(buf, " one");
  std::string at(3, '\0');
  EXPECT_EQ(SKFGETAT(h, 10, at), 0);
  EXPECT_EQ(at, "two");
  std::string tooLong(10, '\0');
  EXPECT_EQ(SKFGETAT(h, 10, tooLong), 38);  // short read: end of file
  EXPECT_EQ(tooLong, "two");
  SKFCLOSE(h);
  EXPECT_EQ(SKFGET(h, buf), 6);  // a closed handle is invalid
}

TEST(SkFiles, AccessModesAndMissingFiles) {
  TempDir dir;
  int h = 0;
  EXPECT_EQ(SKFOPEN(dir.File("missing.txt"), 0, 0, h), 2);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(SKFOPEN(dir.File("missing.txt"), 2, 0, h), 2);  // read-write does not create
  EXPECT_NE(SKFOPEN("", 0, 0, h), 0);
  EXPECT_EQ(SKFOPEN(dir.File("x"), 7, 0, h), 87);
  std::string path = dir.Write("rw.bin", "abcdef");
  ASSERT_EQ(SKFOPEN(path, 2, 0, h), 0);
  EXPECT_EQ(SKFPUTAT(h, 2, "XY"), 0);
  SKFCLOSE(h);
  EXPECT_EQ(dir.Read("rw.bin"), "abXYef");
  ASSERT_EQ(SKFOPEN(path, 1, 1, h), 0);  // access 1 empties an existing file
  SKFCLOSE(h);
  EXPECT_EQ(SKFILESIZE(path), 0);
}

TEST(SkFiles, RecordsLocksAndCutting) {
  TempDir dir;
  int h = 0;
  ASSERT_EQ(SKFOPEN(dir.File("r.f01"), 1, 1, h), 0);
  SKFCLOSE(h);
  ASSERT_EQ(SKFOPEN(dir.File("r.f01"), 2, 0, h), 0);
  std::string r1(671, 'a'), r3(671, 'c');
  EXPECT_EQ(SKFPUTR(h, r1, 1), 0);
  EXPECT_EQ(SKFPUTR(h, r3, 3), 0);
  EXPECT_EQ(SKFLOF(h), 3 * 671);
  std::string back(671, '\0');
  EXPECT_EQ(SKFGETR(h, back, 3), 0);
  EXPECT_EQ(back, r3);
  EXPECT_EQ(SKFGETR(h, back, 0), 87);  // records count from 1
  int other = 0;
  ASSERT_EQ(SKFOPEN(dir.File("r.f01"), 2, 0, other), 0);
  EXPECT_EQ(SKFLOCK(h, 0, 671), 0);
  EXPECT_EQ(SKFLOCK(other, 0, 671), 33);
  EXPECT_EQ(SKFUNLOCK(h, 0, 671), 0);
  EXPECT_EQ(SKFLOCK(other, 0, 671), 0);
  EXPECT_EQ(SKFUNLOCK(other, 0, 671), 0);
  EXPECT_EQ(SKSETEOFAT(h, 671), 0);
  EXPECT_EQ(SKFLUSH(h), 0);
  EXPECT_EQ(SKFLOF(other), 671);
  SKFCLOSE(other);
  SKFCLOSE(h);
}

#ifdef _WIN32
TEST(SkFiles, SharingModesAreEnforcedOnWindows) {
  TempDir dir;
  std::string path = dir.Write("s.txt", "x");
  int writer = 0, reader = 0;
  ASSERT_EQ(SKFOPEN(path, 2, 1, writer), 0);  // exclusive
  EXPECT_EQ(SKFOPEN(path, 0, 0, reader), 32);  // sharing violation
  SKFCLOSE(writer);
  ASSERT_EQ(SKFOPEN(path, 0, 2, reader), 0);  // others may only read
  int second = 0;
  EXPECT_EQ(SKFOPEN(path, 0, 0, second), 0);
  SKFCLOSE(second);
  EXPECT_EQ(SKFOPEN(path, 2, 0, writer), 32);
  SKFCLOSE(reader);
  EXPECT_EQ(SKFOPEN(path, 2, 0, writer), 0);
  SKFCLOSE(writer);
}
#endif

TEST(SkFiles, ExistKillRenameMakedir) {
  TempDir dir;
  std::string a = dir.Write("a.txt", "1");
  EXPECT_NE(SKEXIST(a), 0);
  EXPECT_NE(SKEXIST(dir.Path() + "*.*"), 0);
  EXPECT_NE(SKEXIST(dir.Path() + "*.TXT"), 0);
  EXPECT_EQ(SKEXIST(dir.Path() + "*.jpg"), 0);
  EXPECT_EQ(SKEXIST(""), 0);
  EXPECT_EQ(SKRENAME(a, dir.File("b.txt")), 0);
  EXPECT_EQ(SKEXIST(a), 0);
  dir.Write("c.txt", "3");
  EXPECT_NE(SKRENAME(dir.File("b.txt"), dir.File("c.txt")), 0);  // target exists
  EXPECT_EQ(SKKILLFILE(dir.File("b.txt")), 0);
  EXPECT_NE(SKKILLFILE(dir.File("b.txt")), 0);
  EXPECT_EQ(SKMAKEDIR(dir.File("p\\q")), 0);
  EXPECT_NE(SKEXIST(dir.File("p\\q\\*.*")), 0);
  std::vector<std::string> dirs;
  SKMAKEDIR(dir.File("p\\r\\s"));
  EXPECT_EQ(SKREADDIRS(dir.File("p"), dirs), 3);
  // Each folder comes before its own subfolders, so the reverse order empties from below.
  auto pos = [&](const std::string& n) { return std::find(dirs.begin(), dirs.end(), dir.File(n)) - dirs.begin(); };
  EXPECT_LT(pos("p\\r"), pos("p\\r\\s"));
  EXPECT_EQ(SKDIRCOUNT(dir.Path() + "*.*", 0x37), 2);  // c.txt and p
  EXPECT_EQ(SKDIRCOUNT(dir.Path() + "*.*", 33), 1);    // files only
}

TEST(SkBufin, ReadsLinesOfEveryEndingAndSetsTheFlagWithTheLast) {
  TempDir dir;
  std::string path = dir.Write("l.txt", "one\r\ntwo\nthree\rfour\r\n");
  int eof = 0;
  std::vector<std::string> lines;
  do {
    lines.push_back(SKBUFIN(path, eof));
  } while (!eof);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));

  std::string noEnd = dir.Write("n.txt", "a\r\n\r\nb");
  lines.clear();
  do {
    lines.push_back(SKBUFIN(noEnd, eof));
  } while (!eof);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));

  EXPECT_EQ(SKBUFIN(dir.File("missing"), eof), "");
  EXPECT_NE(eof, 0);
  std::string empty = dir.Write("e.txt", "");
  EXPECT_EQ(SKBUFIN(empty, eof), "");
  EXPECT_NE(eof, 0);
}

TEST(SkBufin, LongLinesAndEarlyClose) {
  TempDir dir;
  std::string big(200000, 'x');
  std::string path = dir.Write("big.txt", big + "\r\nnext\r\n");
  int eof = 0;
  EXPECT_EQ(SKBUFIN(path, eof), big);
  EXPECT_EQ(eof, 0);
  SKBUFIN("", eof);  // closes early
  EXPECT_EQ(SKBUFIN(path, eof), big);  // starts again from the top
  EXPECT_EQ(SKBUFIN(path, eof), "next");
  EXPECT_NE(eof, 0);
}

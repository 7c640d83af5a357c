#include <gtest/gtest.h>

#include "db/archive.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "temp_dir.h"

TEST(ArchiveFiles, TopicSlotsFromTheUiEntry) {
  auto s = db::ParseTopicSlots("Topic 10");
  EXPECT_EQ(s.count, 10);
  EXPECT_EQ(s.titlePrefix, "Topic ");
  s = db::ParseTopicSlots("  Mot clé   2 ");
  EXPECT_EQ(s.count, 3);  // fewer than three gives three
  EXPECT_EQ(s.titlePrefix, "Mot clé ");
  s = db::ParseTopicSlots("Keyword");
  EXPECT_EQ(s.count, 3);
  EXPECT_EQ(s.titlePrefix, "Keyword ");
  EXPECT_EQ(db::ParseTopicSlots("Topic 500").count, 99);
}

TEST(ArchiveFiles, TopicTitles) {
  TempDir dir;
  const std::string tit = dir.File("ARCHIVE.TIT");
  auto titles = db::ReadTopicTitles(tit, 10, "Topic ");
  ASSERT_EQ(titles.size(), 10u);
  EXPECT_EQ(titles[0], "Topic 01");
  EXPECT_EQ(titles[9], "Topic 10");
  dir.Write("ARCHIVE.TIT", "");
  EXPECT_EQ(db::ReadTopicTitles(tit, 3, "T ")[2], "T 03");
  // Fewer entries than slots: the others stay empty.
  dir.Write("ARCHIVE.TIT", "Places|People|Events");
  titles = db::ReadTopicTitles(tit, 5, "Topic ");
  EXPECT_EQ(titles, (std::vector<std::string>{"Places", "People", "Events", "", ""}));
  ASSERT_EQ(db::WriteTopicTitles(tit, {"A", "", "C"}), 0);
  EXPECT_EQ(dir.Read("ARCHIVE.TIT"), "A||C");
  EXPECT_EQ(db::ReadTopicTitles(tit, 3, "x")[1], "");
}

TEST(ArchiveFiles, DataFolderFromNetCfg) {
  TempDir dir;
  const std::string program = dir.Path();
  std::string data;
  ASSERT_EQ(db::ResolveDataFolder(program, "ARCHIVE", data), 0);
  EXPECT_EQ(data, program);  // no NET.CFG: the program folder
  dir.Write("ARCHIVENET.CFG", "  @path@shared data\\\\  \r\nsecond line\r\n");
  ASSERT_EQ(db::ResolveDataFolder(program, "ARCHIVE", data), 0);
  EXPECT_EQ(data, program + "SHARED DATA\\");
  EXPECT_TRUE(fileio::IsDirectory(data));
  dir.Write("ARCHIVENET.CFG", "@PATH@Other");
  ASSERT_EQ(db::ResolveDataFolder(program, "ARCHIVE", data), 0);
  EXPECT_EQ(data, program + "OTHER\\");
  dir.Write("ARCHIVENET.CFG", "\r\n");
  ASSERT_EQ(db::ResolveDataFolder(program, "ARCHIVE", data), 0);
  EXPECT_EQ(data, program);
  // A folder that cannot be made is reported.
  dir.Write("blocker", "a file where a folder should be");
  dir.Write("ARCHIVENET.CFG", "@path@BLOCKER\\SUB");
  fileio::RenameFile(dir.File("blocker"), dir.File("BLOCKER"));
  EXPECT_NE(db::ResolveDataFolder(program, "ARCHIVE", data), 0);

  // standard.thm is copied into a data folder that lacks it, and only then.
  std::string other = program + "OTHER\\";
  EXPECT_EQ(db::CopyStandardThesaurus(program, other), 0);  // no copy beside the program: no failure
  EXPECT_FALSE(fileio::Exists(other + "standard.thm"));
  dir.Write("standard.thm", "(none)\r\nCAT\r\n");
  ASSERT_EQ(db::CopyStandardThesaurus(program, other), 0);
  EXPECT_EQ(FileBytes(other + "standard.thm"), "(none)\r\nCAT\r\n");
  dir.Write("standard.thm", "changed");
  ASSERT_EQ(db::CopyStandardThesaurus(program, other), 0);
  EXPECT_EQ(FileBytes(other + "standard.thm"), "(none)\r\nCAT\r\n");
}

TEST(ArchiveFiles, PasswordLock) {
  TempDir dir;
  const std::string pwd = dir.File("ARCHIVE.PWD");
  std::string password = "x";
  EXPECT_EQ(db::ReadPasswordFile(pwd, password), 2);
  EXPECT_EQ(password, "");
  ASSERT_EQ(db::WritePasswordFile(pwd, "open sesame"), 0);
  EXPECT_EQ(FileBytes(pwd).find("sesame"), std::string::npos);
  ASSERT_EQ(db::ReadPasswordFile(pwd, password), 0);
  EXPECT_EQ(password, "open sesame");
  CorruptByte(pwd, 14);
  EXPECT_EQ(db::ReadPasswordFile(pwd, password), 13);
}

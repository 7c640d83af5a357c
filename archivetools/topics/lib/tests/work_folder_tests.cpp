#include <gtest/gtest.h>

#include "db/archive.h"
#include "fileio/file.h"
#include "lumbric/work_folder.h"
#include "temp_dir.h"

namespace {

TEST(Settings, RoundTripAndDefaults) {
  lumbric::Settings defaults;
  defaults.left = 10;
  defaults.workFolder = "C:\\TEMP\\lumbric\\";
  lumbric::Settings s;
  s.left = -5;
  s.top = 300;
  s.width = 1024;
  s.height = 32767;
  s.workFolder = "D:\\WORK\\";
  s.thesaurus = "NATURE";
  const std::string bytes = lumbric::FormatSettings(s);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\xFB\xFF\x2C\x01\x00\x04\xFF\x7F", 8));
  EXPECT_EQ(bytes.substr(8), "D:\\WORK\\|NATURE");
  auto back = lumbric::ParseSettings(bytes, defaults);
  EXPECT_EQ(back.left, -5);
  EXPECT_EQ(back.height, 32767);
  EXPECT_EQ(back.workFolder, "D:\\WORK\\");
  EXPECT_EQ(back.thesaurus, "NATURE");
  // Too short: the defaults; no "|": all folder; nothing after the rectangle: default folder.
  EXPECT_EQ(lumbric::ParseSettings("1234567", defaults).left, 10);
  auto folderOnly = lumbric::ParseSettings(bytes.substr(0, 8) + "E:\\X\\", defaults);
  EXPECT_EQ(folderOnly.workFolder, "E:\\X\\");
  EXPECT_EQ(folderOnly.thesaurus, "STANDARD");
  EXPECT_EQ(lumbric::ParseSettings(bytes.substr(0, 8), defaults).workFolder, defaults.workFolder);
}

TEST(WorkFolder, DefaultIsMadeForTheProgramNeverAWindowsFolder) {
  EXPECT_EQ(lumbric::DefaultWorkFolder("C:\\Users\\me\\Temp\\", "lumbric"), "C:\\Users\\me\\Temp\\lumbric\\");
  EXPECT_EQ(lumbric::DefaultWorkFolder("C:\\Temp", "ostrel"), "C:\\Temp\\ostrel\\");
}

TEST(WorkFolder, KillAllFilesEmptiesFilesOnlyAndRefusesRoots) {
  TempDir dir;
  dir.Write("work/a.jpg", "a");
  dir.Write("work/b.doc", "b");
  dir.Write("work/sub/keep.txt", "c");
  EXPECT_EQ(lumbric::KILLALLFILES(dir.File("work")), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("work/a.jpg")));
  EXPECT_FALSE(fileio::Exists(dir.File("work/b.doc")));
  EXPECT_TRUE(fileio::Exists(dir.File("work/sub/keep.txt")));
  EXPECT_EQ(lumbric::KILLALLFILES(""), 5);
  EXPECT_EQ(lumbric::KILLALLFILES("C:\\"), 5);
  EXPECT_EQ(lumbric::KILLALLFILES("\\\\server\\share\\"), 5);
  EXPECT_EQ(lumbric::KILLALLFILES("relative"), 5);
  EXPECT_EQ(lumbric::KILLALLFILES(dir.File("missing")), 3);
}

TEST(WorkFolder, KillAllFilesUnderTheFolderRuleSparesProtectedFolders) {
  TempDir dir;
  dir.Write("data/ARCHIVE.F01", "records");
  dir.Write("data/work/a.jpg", "a");
  dir.Write("program/lumbric.exe", "program");
  fileio::ProtectedFolders guarded;
  guarded.dataFolder = dir.File("data");
  guarded.programFolder = dir.File("program");
  // The data folder, the program folder and a folder above them are left alone.
  EXPECT_EQ(lumbric::KILLALLFILES(dir.File("data"), guarded), 5);
  EXPECT_EQ(lumbric::KILLALLFILES(dir.File("program") + "\\", guarded), 5);
  EXPECT_EQ(lumbric::KILLALLFILES(dir.Path(), guarded), 5);
  EXPECT_TRUE(fileio::Exists(dir.File("data/ARCHIVE.F01")));
  EXPECT_TRUE(fileio::Exists(dir.File("program/lumbric.exe")));
  EXPECT_EQ(lumbric::KILLALLFILES("C:\\", guarded), 5);
#ifdef _WIN32
  // A folder below the data folder is a work folder like any other (the rule takes only
  // Windows paths, so this half runs under Wine).
  EXPECT_EQ(lumbric::KILLALLFILES(dir.File("data/work"), guarded), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("data/work/a.jpg")));
#endif
}

TEST(Password, TypedTextMustMatchExactly) {
  TempDir dir;
  const std::string pwd = dir.File("QORIMAGE.PWD");
  bool matches = true;
  EXPECT_EQ(lumbric::CheckPassword(pwd, "x", matches), 2);
  EXPECT_FALSE(matches);
  ASSERT_EQ(db::WritePasswordFile(pwd, "Secret 1"), 0);
  EXPECT_EQ(lumbric::CheckPassword(pwd, "Secret 1", matches), 0);
  EXPECT_TRUE(matches);
  EXPECT_EQ(lumbric::CheckPassword(pwd, "secret 1", matches), 0);
  EXPECT_FALSE(matches);
  EXPECT_EQ(lumbric::CheckPassword(pwd, "Secret 1 ", matches), 0);
  EXPECT_FALSE(matches);
}

TEST(TopicTitles, EmptiedTitlesGetTheDefaults) {
  EXPECT_EQ(lumbric::ConfirmedTitles({"", "Places", "  ", ""}, "Topic 10"), "Topic 01|Places|Topic 03|Topic 04");
  EXPECT_EQ(lumbric::ConfirmedTitles({"A"}, "Topic 10"), "A");
}

}  // namespace

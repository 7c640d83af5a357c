#include <gtest/gtest.h>

#include "fileio/file.h"
#include "narwen/command_line.h"
#include "narwen/library_names.h"
#include "temp_dir.h"

namespace narwen {
namespace {

TEST(NarwenCommandLine, ModesAndBlanks) {
  EXPECT_FALSE(ParseCommandLine("   ").present);
  CommandLineJob job = ParseCommandLine("  c:\\data\\arc001.b01    /i ");
  EXPECT_TRUE(job.present);
  EXPECT_EQ(job.path, "C:\\DATA\\ARC001.B01");
  EXPECT_EQ(job.mode, kModeIndexOnly);
  EXPECT_EQ(ParseCommandLine("x.b01 i").mode, kModeIndexOnly);
  EXPECT_EQ(ParseCommandLine("x.b01 /x").mode, kModeCompact);
  EXPECT_EQ(ParseCommandLine("x.b01").mode, kModeCompact);
}

TEST(NarwenCommandLine, QuotedPathWithBlanks) {
  CommandLineJob job = ParseCommandLine("\"C:\\MY DATA\\ARC*.I01\" /I");
  EXPECT_EQ(job.path, "C:\\MY DATA\\ARC*.I01");
  EXPECT_EQ(job.mode, kModeIndexOnly);
  EXPECT_TRUE(IsLibraryPattern(job.path));
  EXPECT_EQ(LibraryOfPattern(job.path, "ARC", 2), "C:\\MY DATA\\ARC002.B01");
}

TEST(NarwenLibraryNames, PatternCountsLibrariesAtLeastOne) {
  TempDir dir;
  const std::string pattern = dir.Path() + "ARC*.I01";
  EXPECT_EQ(CountLibraries(pattern), 1);
  std::vector<std::string> libs = LibrariesOf(pattern, "ARC", true);
  ASSERT_EQ(libs.size(), 1u);
  EXPECT_EQ(libs[0], dir.Path() + "ARC001.B01");
  dir.Write("ARC001.I01", "x");
  dir.Write("ARC002.I01", "x");
  fileio::MakeDirectories(dir.Path() + "ARC003.I01");  // a folder is no library
  libs = LibrariesOf(pattern, "ARC", true);
  ASSERT_EQ(libs.size(), 2u);
  EXPECT_EQ(libs[1], dir.Path() + "ARC002.B01");
  EXPECT_EQ(LibrariesOf(pattern, "ARC", false).size(), 1u);
  EXPECT_EQ(LibrariesOf(dir.Path() + "ONE.B07", "ARC", true)[0], dir.Path() + "ONE.B07");
}

}  // namespace
}  // namespace narwen

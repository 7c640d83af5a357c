#include <gtest/gtest.h>

#include "db/db.h"
#include "fileio/file.h"
#include "lumbric/media.h"
#include "temp_dir.h"

namespace {

TEST(ExtractRecordMedia, CopiesTheItemsTheLibraryHoldsIntoAnEmptiedFolder) {
  TempDir dir;
  const std::string library = dir.File("QORIMAGE001.B01");
  const std::string picture = dir.Write("in/00000042.JPG", "picture bytes");
  const std::string sound = dir.Write("in/00000042.WAV", "sound bytes");
  ASSERT_EQ(qBtMmLib(library, picture, 1), 0);
  ASSERT_EQ(qBtMmLib(library, sound, 1), 0);
  dir.Write("work/old.txt", "left from before");
  const std::string work = dir.File("work/");
  int copied = -1;
  std::string failed = "x";
  ASSERT_EQ(lumbric::EXTRACTRECORDMEDIA(library, work, "00000042", "JPG", copied, failed), 0);
  EXPECT_EQ(copied, 2);
  EXPECT_EQ(failed, "");
  EXPECT_FALSE(fileio::Exists(work + "old.txt"));
  EXPECT_EQ(dir.Read("work/00000042.JPG"), "picture bytes");
  EXPECT_EQ(dir.Read("work/00000042.WAV"), "sound bytes");
  EXPECT_FALSE(fileio::Exists(work + "00000042.DOC"));

  // A record without items leaves the folder empty.
  ASSERT_EQ(lumbric::EXTRACTRECORDMEDIA(library, work, "00000043", "JPG", copied, failed), 0);
  EXPECT_EQ(copied, 0);
  EXPECT_TRUE(fileio::ListDirectory(work + "*").empty());
  // A work folder that may not be emptied stops before anything is copied.
  EXPECT_EQ(lumbric::EXTRACTRECORDMEDIA(library, "", "00000042", "JPG", copied, failed), 5);
  EXPECT_EQ(copied, 0);
}

TEST(MaintenanceCommandLine, QuotesTheLibrariesPattern) {
  EXPECT_EQ(lumbric::MaintenanceCommandLine("C:\\My Data\\", "QORIMAGE", true),
            "NARWEN.EXE \"C:\\My Data\\QORIMAGE*.I01\" /I");
  EXPECT_EQ(lumbric::MaintenanceCommandLine("D:\\A\\", "ARCH", false), "NARWEN.EXE \"D:\\A\\ARCH*.I01\" /O");
}

}  // namespace

#include <gtest/gtest.h>

#include "db/archive.h"
#include "db/db.h"
#include "fileio/file.h"
#include "lumbric/statistics.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

namespace {

TEST(Statistics, TextReplacesEveryMarkWithGroupedNumbers) {
  lumbric::ArchiveStatistics s;
  s.records = 1234;
  s.libraries = 2;
  s.items = 1234567;
  s.bytes = 89;
  s.freeBytes = 10000;
  EXPECT_EQ(lumbric::StatisticsText("## records, # libraries ($ items), \xA3 bytes, \xB5 free", s),
            "1,234 records, 2 libraries (1,234,567 items), 89 bytes, 10,000 free");
  EXPECT_EQ(lumbric::StatisticsText("\xC2\xA3/\xC2\xB5/###", s), "89/10,000/1,2342");
}

TEST(Statistics, WithoutLibrariesNothingIsCountedNorMade) {
  TempDir dir;
  auto s = lumbric::GatherStatistics(dir.Path(), "QORIMAGE", 8);
  EXPECT_EQ(s.records, 0);
  EXPECT_EQ(s.libraries, 0);
  EXPECT_EQ(s.items, 0);
  EXPECT_EQ(s.bytes, 0);
  EXPECT_TRUE(fileio::ListDirectory(dir.Path() + "*").empty());
}

TEST(Statistics, CountsRecordsLibrariesFromOneAndTheirItems) {
  TempDir dir;
  const std::string f01 = dir.File("QORIMAGE.F01");
  auto fields = db::ArchiveFields(10, 2024, 5);
  ASSERT_EQ(DBCREATE(f01, 671), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(f01, fileNumber, ok), 0);
  for (const char* key : {"A1", "A2", "A3"}) {
    std::vector<std::string> values(fields.size(), "");
    values[0] = key;
    values[2] = "05-31-2024";
    ASSERT_EQ(DBCREF(f01, fileNumber, values, fields), 0);
  }
  SKFCLOSE(fileNumber);
  // A deleted slot's "/" key is no record.
  {
    int handle = 0, status = 0;
    ASSERT_EQ(qBtOpen(DBINDEX(f01, 0), fields[0].width, handle, status), 0);
    std::string key(size_t(fields[0].width), '/');
    int32_t value = 9;
    qBtInsert(handle, key, value, status);
    qBtClose(handle);
  }
  // Libraries "001" and "002": two items and one.
  const std::string picture = dir.Write("00000001.JPG", "picture bytes");
  dir.Write("00000002.JPG", "more bytes");
  for (int n : {1, 2}) {
    std::string lib = dir.Path() + "QORIMAGE";
    ASSERT_EQ(qBtMmName(lib, n), 0);
    ASSERT_EQ(qBtMmLib(lib + ".B01", picture, 1), 0);
    if (n == 1) {
      ASSERT_EQ(qBtMmLib(lib + ".B01", dir.File("00000002.JPG"), 1), 0);
    }
  }
  auto s = lumbric::GatherStatistics(dir.Path(), "QORIMAGE", fields[0].width);
  EXPECT_EQ(s.records, 3);
  EXPECT_EQ(s.libraries, 2);
  EXPECT_EQ(s.items, 3);
  int64_t bytes = fileio::FileSize(f01);
  for (int k = 0; k <= 10; ++k) bytes += std::max<int64_t>(0, fileio::FileSize(DBINDEX(f01, k)));
  EXPECT_EQ(s.bytes, bytes);
  EXPECT_GT(s.bytes, 4 * 671);
  EXPECT_FALSE(fileio::Exists(dir.File("QORIMAGE000.I01")));
}

}  // namespace

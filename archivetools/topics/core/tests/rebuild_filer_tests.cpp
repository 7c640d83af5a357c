// The rebuild while another program files records: the filings wait for it.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "lumbric/records.h"
#include "topics_test_util.h"

namespace {

TEST(RebuildAndFiler, FilingsDuringARebuildLandInTheRebuiltFiles) {
  TempDir dir;
  TopicArchive a(dir, 300);
  for (int number = 3; number <= 301; number += 3) {
    ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, number, TopicArchive::Values(number - 1), a.fields), 0);
  }
  a.Close();
  const int filed = 300;
  WorkerProcess filer;
  ASSERT_TRUE(StartFiler(filer, dir, a.f01, filed));
  // Some filings first, so that the filer holds its indexes open when the rebuild starts.
  ASSERT_TRUE(WaitUntil([&] { return fileio::FileSize(a.f01) > 310 * kLength; }, std::chrono::seconds(60),
                        std::chrono::milliseconds(1)));
  ASSERT_EQ(lumbric::REBUILDINDEX(a.f01, a.fields), 0);
  ASSERT_EQ(filer.Wait(120000), 0);

  const std::string bytes = FileBytes(a.f01);
  const int records = int(bytes.size() / kLength) - 1;
  EXPECT_EQ(records, 300 - 100 + filed);
  using PairSet = std::set<std::pair<std::string, int>>;
  PairSet keys;
  std::set<std::string> seen;
  for (int number = 2; number <= records + 1; ++number) {
    std::string key = bytes.substr(size_t(number - 1) * kLength, 8);
    key.erase(key.find_last_not_of(' ') + 1);
    EXPECT_TRUE(seen.insert(key).second) << key;
    keys.emplace(key, number);
  }
  auto index0 = Pairs(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(PairSet(index0.begin(), index0.end()), keys);
  EXPECT_EQ(index0.size(), keys.size());
}

}  // namespace

#include <gtest/gtest.h>

#include "lumbric/records.h"
#include "topics_test_util.h"

namespace {

const std::string kSlashKey(8, '/');

// Index 1 is the first topic slot's.
TEST(SaveRecord, UnchangedWritesNothingChangedMovesTopicPairs) {
  TempDir dir;
  TopicArchive a(dir, 3);
  const std::string before = FileBytes(a.f01);
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  EXPECT_EQ(FileBytes(a.f01), before);

  auto values = TopicArchive::Values(2);
  values[11] = "NEW TOPIC";
  values[1] = "renamed";
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 3, values, a.fields), 0);
  EXPECT_EQ(FileBytes(a.f01).size(), before.size());
  EXPECT_EQ(a.Record(3).substr(size_t(a.fields[1].position - 1), 7), "renamed");
  auto topics = Pairs(DBINDEX(a.f01, 1), a.fields[11].width);
  std::vector<std::pair<std::string, int>> expected{{"NEW TOPIC", 3}, {"T1", 2}, {"T3", 4}};
  EXPECT_EQ(topics, expected);
  // The other records stay as they were.
  EXPECT_EQ(a.Record(2), before.substr(kLength, kLength));
  EXPECT_EQ(a.Record(4), before.substr(3 * kLength, kLength));
}

TEST(SaveRecord, SlotDeletedMeanwhileGetsTheRecordAppended) {
  TempDir dir;
  TopicArchive a(dir, 3);
  ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 2, TopicArchive::Values(1), a.fields), 0);
  const int64_t size = fileio::FileSize(a.f01);
  auto values = TopicArchive::Values(1);
  values[11] = "AGAIN";
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 2, values, a.fields), 0);
  EXPECT_EQ(fileio::FileSize(a.f01), size + kLength);
  auto keys = Pairs(DBINDEX(a.f01, 0), 8);
  std::vector<std::pair<std::string, int>> expected{{kSlashKey, 2}, {"K0001", 5}, {"K0002", 3}, {"K0003", 4}};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(a.Record(5).substr(0, 5), "K0001");
}

TEST(SaveRecord, SlotHoldingAnotherKeyIsRefusedUnchanged) {
  TempDir dir;
  TopicArchive a(dir, 3);
  const std::string before = FileBytes(a.f01);
  const auto index1 = Pairs(DBINDEX(a.f01, 1), a.fields[11].width);
  auto values = TopicArchive::Values(3);
  values[11] = "CHANGED";
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 2, values, a.fields), kDbRefused);
  EXPECT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 2, values, a.fields), kDbRefused);
  EXPECT_EQ(FileBytes(a.f01), before);
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 1), a.fields[11].width), index1);
}

TEST(SaveRecord, DatesMustBeEmptyOrComplete) {
  EXPECT_TRUE(lumbric::IsStorableDate("", false));
  EXPECT_TRUE(lumbric::IsStorableDate("02-29-2024", false));
  EXPECT_TRUE(lumbric::IsStorableDate("29/02/2024", true));
  EXPECT_TRUE(lumbric::IsStorableDate("20240131", false));
  EXPECT_FALSE(lumbric::IsStorableDate("02-29-2023", false));
  EXPECT_FALSE(lumbric::IsStorableDate("20241340", false));
  EXPECT_FALSE(lumbric::IsStorableDate("05-2024", false));
  EXPECT_FALSE(lumbric::IsStorableDate("31/01/2024", false));

  TempDir dir;
  TopicArchive a(dir, 1);
  const std::string before = FileBytes(a.f01);
  auto values = TopicArchive::Values(1);
  values[2] = "02-30-2024";
  values[11] = "CHANGED";
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 2, values, a.fields), kDbErrInvalidParameter);
  EXPECT_EQ(FileBytes(a.f01), before);
}

TEST(DeleteRecord, MarksTheRecordFirstAndTwiceIsNoFailure) {
  TempDir dir;
  TopicArchive a(dir, 3);
  // A pair missing from a topic index does not stop the others going.
  {
    int handle = 0, status = 0;
    ASSERT_EQ(qBtOpen(DBINDEX(a.f01, 2), a.fields[11].width, handle, status), 0);
    std::string key = "(none)";
    int32_t value = 3;
    qBtDelete(handle, key, value, status);
    ASSERT_EQ(status, 0);
    qBtClose(handle);
  }
  const std::string oldRecord = a.Record(3);
  EXPECT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  EXPECT_EQ(a.Record(3).substr(0, 8), kSlashKey);
  EXPECT_EQ(a.Record(3).substr(8), oldRecord.substr(8));
  std::vector<std::pair<std::string, int>> keys{{kSlashKey, 3}, {"K0001", 2}, {"K0003", 4}};
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8), keys);
  std::vector<std::pair<std::string, int>> topics{{"T1", 2}, {"T3", 4}};
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 1), a.fields[11].width), topics);
  for (int k = 2; k <= 10; ++k) {
    for (const auto& pair : Pairs(DBINDEX(a.f01, k), a.fields[11].width)) EXPECT_NE(pair.second, 3) << "index " << k;
  }
  const std::string after = FileBytes(a.f01);
  EXPECT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 3, TopicArchive::Values(2), a.fields), 0);
  EXPECT_EQ(FileBytes(a.f01), after);
  EXPECT_EQ(Pairs(DBINDEX(a.f01, 0), 8), keys);
}

TEST(DeleteRecord, WaitsForTheHeaderLockThenGivesUp) {
  TempDir dir;
  TopicArchive a(dir, 2);
  const std::string before = FileBytes(a.f01);
  int other = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, other, ok), 0);
  ASSERT_EQ(SKFLOCK(other, 0, kLength), 0);
  DbSetLockTimeout(200);
  EXPECT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, 2, TopicArchive::Values(1), a.fields), kDbErrLockViolation);
  auto values = TopicArchive::Values(1);
  values[11] = "CHANGED";
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 2, values, a.fields), kDbErrLockViolation);
  EXPECT_EQ(FileBytes(a.f01), before);
  SKFUNLOCK(other, 0, kLength);
  SKFCLOSE(other);
  EXPECT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, 2, values, a.fields), 0);
  DbSetLockTimeout(10000);
}

}  // namespace

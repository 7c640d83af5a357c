// The editor's saves and deletes while another program files records into the archive.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <set>

#include "lumbric/records.h"
#include "topics_test_util.h"

namespace {

std::string Trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

struct Expected {
  bool deleted = false;
  std::string topic2;
};

TEST(EditorAndFiler, NothingLostOrDoubledAndIndexesMatchTheRecords) {
  TempDir dir;
  TopicArchive a(dir, 50);
  const int filed = 500;
  WorkerProcess filer;
  ASSERT_TRUE(StartFiler(filer, dir, a.f01, filed));

  std::mt19937 random(12345);
  std::map<int, Expected> edited;
  int saves = 0, deletes = 0, refusals = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  int exitCode = -1;
  for (int i = 0; (exitCode = filer.Wait(0)) == -1 && std::chrono::steady_clock::now() < deadline; ++i) {
    const int records = int(SKFLOF(a.fileNumber) / kLength) - 1;
    const int number = 2 + int(random() % uint32_t(records));
    std::string record(kLength, ' ');
    ASSERT_EQ(SKFGETR(a.fileNumber, record, number), 0);
    if (record[0] == '/' || record[0] == ' ') continue;
    std::vector<std::string> values;
    DBREADF(record, values, a.fields, 0);
    if (i % 10 == 9) {
      // Values read from another record: the slot holds another key.
      std::string other(kLength, ' ');
      const int otherNumber = number == 2 ? 3 : 2;
      ASSERT_EQ(SKFGETR(a.fileNumber, other, otherNumber), 0);
      if (other[0] == '/') continue;
      std::vector<std::string> stale;
      DBREADF(other, stale, a.fields, 0);
      stale[12] = "STALE";
      ASSERT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, number, stale, a.fields), kDbRefused);
      ++refusals;
    } else if (random() % 4 == 0) {
      ASSERT_EQ(lumbric::DELETERECORD(a.f01, a.fileNumber, number, values, a.fields), 0);
      edited[number].deleted = true;
      ++deletes;
    } else {
      values[12] = "EDIT" + std::to_string(i);
      ASSERT_EQ(lumbric::SAVERECORD(a.f01, a.fileNumber, number, values, a.fields), 0);
      edited[number].topic2 = values[12];
      ++saves;
    }
  }
  ASSERT_EQ(exitCode, 0) << "the filer did not finish in time";
  EXPECT_GT(saves, 0);
  EXPECT_GT(deletes, 0);
  EXPECT_GT(refusals, 0);

  const std::string bytes = FileBytes(a.f01);
  ASSERT_EQ(bytes.size(), size_t(51 + filed) * kLength);
  using PairSet = std::set<std::pair<std::string, int>>;
  PairSet keys, topics2;
  std::set<std::string> seen;
  int live = 0;
  for (int number = 2; number <= 51 + filed; ++number) {
    const std::string record = bytes.substr(size_t(number - 1) * kLength, kLength);
    const std::string key = Trimmed(record.substr(0, 8));
    keys.emplace(key, number);
    auto it = edited.find(number);
    if (key[0] == '/') {
      EXPECT_TRUE(it != edited.end() && it->second.deleted) << number;
      continue;
    }
    ++live;
    EXPECT_TRUE(seen.insert(key).second) << "key filed twice: " << key;
    const std::string topic2 = Trimmed(record.substr(size_t(a.fields[12].position - 1), size_t(a.fields[12].width)));
    topics2.emplace(topic2, number);
    if (it != edited.end()) {
      EXPECT_FALSE(it->second.deleted) << number;
      EXPECT_EQ(topic2, it->second.topic2) << number;
    }
  }
  EXPECT_EQ(live + deletes, 50 + filed);
  auto index0 = Pairs(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(PairSet(index0.begin(), index0.end()), keys);
  EXPECT_EQ(index0.size(), keys.size());
  auto index2 = Pairs(DBINDEX(a.f01, 2), a.fields[12].width);
  EXPECT_EQ(PairSet(index2.begin(), index2.end()), topics2);
  EXPECT_EQ(index2.size(), topics2.size());
}

}  // namespace

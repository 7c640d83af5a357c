#include "archive_check.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "db/db.h"
#include "fileio/file.h"

namespace {

std::string Trimmed(const std::string& s) {
  size_t end = s.find_last_not_of(' ');
  return end == std::string::npos ? "" : s.substr(0, end + 1);
}

std::multiset<std::pair<std::string, int32_t>> IndexPairs(const std::string& path, int keyLength) {
  std::multiset<std::pair<std::string, int32_t>> pairs;
  int handle = 0, status = 0;
  EXPECT_EQ(qBtOpen(path, keyLength, handle, status), 0) << path;
  std::string key(size_t(keyLength), ' ');
  int32_t value = 0;
  for (int rc = qBtFirst(handle, key, value, status); rc == 0 && status == 0;
       rc = qBtNext(handle, key, value, status))
    pairs.insert({Trimmed(key), value});
  EXPECT_NE(status, kBtFailed) << path;
  qBtClose(handle);
  return pairs;
}

std::string CopyOut(const grilton::ArchivePlace& place, std::string item) {
  qBtMmText(item, 1);
  const std::string out = place.dataFolder + "checked.bin";
  if (qBtMmLib(place.Library(), out, -2) != 0) return "<no item " + item + ">";
  std::string bytes;
  fileio::ReadWholeFile(out, bytes);
  fileio::RemoveFile(out);
  return bytes;
}

}  // namespace

std::vector<CheckedRecord> CheckArchive(const grilton::ArchivePlace& place,
                                        const std::function<std::string(const CheckedRecord&)>& pictureOf,
                                        const std::function<std::string(const CheckedRecord&)>& soundOf,
                                        const std::function<std::string(const CheckedRecord&)>& topicOf) {
  std::string bytes;
  fileio::ReadWholeFile(place.RecordFile(), bytes);
  EXPECT_EQ(bytes.size() % 671, 0u) << "a record cut short";
  EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0')) << "an append left pending";
  std::vector<CheckedRecord> records;
  std::set<std::string> keys;
  std::multiset<std::pair<std::string, int32_t>> expectedKeys, expectedTopics;
  for (size_t at = 671; at + 671 <= bytes.size(); at += 671) {
    CheckedRecord r;
    r.key = Trimmed(bytes.substr(at, 8));
    r.name = Trimmed(bytes.substr(at + 8, 30));
    r.extension = Trimmed(bytes.substr(at + 46, 3));
    r.sound = Trimmed(bytes.substr(at + 647, 12));
    r.record = int32_t(at / 671 + 1);
    EXPECT_TRUE(keys.insert(r.key).second) << "key twice: " << r.key;
    expectedKeys.insert({r.key, r.record});
    expectedTopics.insert({topicOf(r), r.record});
    EXPECT_EQ(Trimmed(bytes.substr(at + 84, 40)), topicOf(r)) << r.key;
    records.push_back(r);
  }
  EXPECT_EQ(IndexPairs(DBINDEX(place.RecordFile(), 0), 8), expectedKeys);
  EXPECT_EQ(IndexPairs(DBINDEX(place.RecordFile(), 1), 40), expectedTopics);
  // Each record's items hold its own picture and sound; the library names nothing else.
  std::set<std::string> items;
  for (const CheckedRecord& r : records) {
    std::string picture = r.key + "." + r.extension;
    EXPECT_EQ(CopyOut(place, picture), pictureOf(r)) << picture;
    items.insert(picture);
    std::string sound = soundOf(r);
    if (sound.empty()) {
      EXPECT_EQ(r.sound, "") << r.key;
      continue;
    }
    EXPECT_EQ(r.sound, r.key + ".WAV");
    EXPECT_EQ(CopyOut(place, r.key + ".WAV"), sound) << r.key;
    items.insert(r.key + ".WAV");
  }
  std::set<std::string> indexed;
  for (const auto& [item, end] : IndexPairs(DBNAME(place.Library(), 73), 12)) indexed.insert(item);
  EXPECT_EQ(indexed, items);
  return records;
}

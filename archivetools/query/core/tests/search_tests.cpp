#include "ostrel/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "db/archive.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"

namespace ostrel {
namespace {

constexpr size_t kYear = 9, kTopic1 = 11, kUser = 24;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const fileio::DirEntry& e : fileio::ListDirectory(folder + "*")) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

// An archive of records in a test folder with their four items in library 001.
class SearchTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  ArchiveFiles files = ArchiveFilesOf(dir.Path(), "ARCHIVE");
  std::string result = dir.Path() + "RESULT\\";
  int fileNumber = 0;

  void SetUp() override {
    ASSERT_EQ(DBCREATE(files.recordFile, DbRecordLength(fields)), 0);
    int ok = 0;
    ASSERT_EQ(DBOPENF(files.recordFile, fileNumber, ok), 0);
    ASSERT_EQ(fileio::MakeDirectories(result), 0);
  }
  void TearDown() override { SKFCLOSE(fileNumber); }

  static std::string ItemBytes(const std::string& item) {
    std::string bytes = "bytes of " + item + "\n";
    for (int i = 0; i < 300; ++i) bytes += char('A' + (i * 7 + int(item.size())) % 26);
    return bytes;
  }
  void File(const std::string& key, const std::string& year, const std::vector<std::string>& topics,
            bool withItems = true) {
    std::vector<std::string> v = ArchiveValues(key, topics);
    v[kYear] = year;
    v[kUser] = "note of " + key;
    ASSERT_EQ(DBCREF(files.recordFile, fileNumber, v, fields), 0);
    if (!withItems) return;
    for (const std::string& item : RecordItems(key, "JPG")) {
      std::string source = dir.Write("SRC\\" + item, ItemBytes(item));
      std::string name = item;
      ASSERT_EQ(qBtMmText(name, 1), 0);
      ASSERT_EQ(qBtMmLib(files.library, source, 1), 0) << item;
    }
  }
  void Delete(int recordNumber) {
    std::string record(size_t(DbRecordLength(fields)), ' ');
    ASSERT_EQ(SKFGETR(fileNumber, record, recordNumber), 0);
    std::fill_n(record.begin(), fields[0].width, '/');
    ASSERT_EQ(SKFPUTR(fileNumber, record, recordNumber), 0);
  }
  Matcher Query(size_t field, int op, const std::string& value, const std::string& high = "") {
    fields[field].spare = uint8_t(op);
    std::vector<FormEntry> form(fields.size());
    form[field] = {value, high};
    Collection c = CollectConditions(fields, form, false);
    EXPECT_EQ(c.result, Collected::kOk);
    return Matcher(fields, c.conditions, false);
  }
};

TEST_F(SearchTest, RangeCopiesOutEveryItemOfEachMatchByteForByte) {
  File("00000001", "1995", {"SEA"});
  File("00000002", "2000", {"BOAT"});
  File("00000003", "2005", {"HARBOUR"});
  File("00000004", "2010", {"SEA"});
  std::vector<int> percents;
  std::vector<std::string> taken;
  SearchHooks hooks;
  hooks.progress = [&](int p) { percents.push_back(p); };
  hooks.taken = [&](const std::string& key) { taken.push_back(key); };
  SearchOutcome out = RunSearch(files, fields, Query(kYear, kOpInRange, "2005", "1995"), result, hooks);
  EXPECT_EQ(out.code, 0);
  EXPECT_FALSE(out.cancelled);
  EXPECT_EQ(out.records, 3);
  EXPECT_EQ(out.pictures, 3);
  EXPECT_EQ(out.items, 12);
  EXPECT_EQ(taken, (std::vector<std::string>{"00000001", "00000002", "00000003"}));
  std::vector<std::string> expected;
  for (const char* key : {"00000001", "00000002", "00000003"})
    for (const std::string& item : RecordItems(key, "JPG")) expected.push_back(item);
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(Names(result), expected);
  for (const std::string& item : expected) EXPECT_EQ(dir.Read("RESULT\\" + item), ItemBytes(item)) << item;
  EXPECT_EQ(percents, (std::vector<int>{25, 50, 75, 100}));
}

TEST_F(SearchTest, ManyMatchesAreCopiedWholeAndADamagedItemIsReportedWithTheFirstKey) {
  for (int i = 1; i <= 40; ++i) {
    std::string n = std::to_string(i);
    File(std::string(8 - n.size(), '0') + n, "2000", {"SEA"}, i % 2 == 0);
  }
  // Two pictures whose trailer's end mark is gone.
  for (const char* item : {"00000030.JPG", "00000006.JPG"}) {
    int handle = 0, status = 0;
    ASSERT_EQ(qBtOpen(DBNAME(files.library, 'I'), 12, handle, status), 0);
    std::string name = item;
    int32_t end = 0;
    qBtSearch(handle, name, end, status);
    qBtClose(handle);
    ASSERT_EQ(status, kBtDone) << item;
    int lib = 0;
    ASSERT_EQ(SKFOPEN(files.library, 2, 4, lib), 0);
    ASSERT_EQ(SKFPUTAT(lib, end - 6, std::string(1, '\0')), 0);
    SKFCLOSE(lib);
  }
  SearchOutcome out = RunSearch(files, fields, Query(kYear, kOpEquals, "2000"), result, {});
  EXPECT_EQ(out.records, 40);
  EXPECT_EQ(out.code, kDbErrCorrupt);
  EXPECT_EQ(out.failedKey, "00000006");
  EXPECT_EQ(out.items, 20 * 4 - 2);
  EXPECT_EQ(out.pictures, 18);
  std::vector<std::string> names = Names(result);
  ASSERT_EQ(names.size(), size_t(out.items));
  for (const std::string& item : names) EXPECT_EQ(dir.Read("RESULT\\" + item), ItemBytes(item)) << item;
  EXPECT_FALSE(fileio::Exists(result + "00000006.JPG"));
  EXPECT_TRUE(fileio::Exists(result + "00000006.DOC"));
}

TEST_F(SearchTest, DeletedRecordsAndMissingItemsArePassedOver) {
  File("00000001", "2000", {"SEA"});
  File("00000002", "2000", {"SEA"}, false);  // no items in the library
  File("00000003", "2000", {"SEA"});
  Delete(4);
  SearchOutcome out = RunSearch(files, fields, Query(kTopic1, kOpContains, "SEA"), result, {});
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.records, 2);
  EXPECT_EQ(out.items, 4);
  EXPECT_EQ(Names(result).size(), 4u);
  EXPECT_FALSE(fileio::Exists(result + "00000003.JPG"));
}

TEST_F(SearchTest, MarkedRecordsArePassedOverAndCountedWhenAsked) {
  for (int i = 1; i <= 4; ++i) {
    std::vector<std::string> v = ArchiveValues("0000000" + std::to_string(i), {"SEA"});
    v[size_t(db::FieldFlag(10) - 1)] = i % 2 ? "X" : "";
    v[3] = "JPG";
    ASSERT_EQ(DBCREF(files.recordFile, fileNumber, v, fields), 0);
  }
  Matcher sea = Query(kTopic1, kOpEquals, "SEA");
  SearchOutcome out = RunSearch(files, fields, sea, result, {}, true);
  EXPECT_EQ(out.records, 2);
  EXPECT_EQ(out.passedOver, 2);
  out = RunSearch(files, fields, sea, result, {});
  EXPECT_EQ(out.records, 4);
  EXPECT_EQ(out.passedOver, 0);
  out = RunFreeTextSearch(files, fields, "SEA", result, "TXT", {}, true);
  EXPECT_EQ(out.records, 2);
  EXPECT_EQ(out.passedOver, 2);
}

TEST_F(SearchTest, ACancelledSearchStopsAtOnce) {
  for (int i = 1; i <= 5; ++i) File("0000000" + std::to_string(i), "2000", {"SEA"});
  int asked = 0;
  SearchHooks hooks;
  hooks.keepGoing = [&] { return ++asked < 3; };
  SearchOutcome out = RunSearch(files, fields, Query(kYear, kOpEquals, "2000"), result, hooks);
  EXPECT_TRUE(out.cancelled);
  EXPECT_LT(out.records, 5);
}

TEST_F(SearchTest, AMissingRecordFileIsUnusable) {
  SearchOutcome out = RunSearch(ArchiveFilesOf(dir.Path(), "NONE"), fields, Query(kYear, kOpEquals, "1"), result, {});
  EXPECT_TRUE(out.unusable);
  EXPECT_EQ(out.code, kDbErrNotFound);
  out = RunFreeTextSearch(ArchiveFilesOf(dir.Path(), "NONE"), fields, "x", result, "TXT", {});
  EXPECT_TRUE(out.unusable);
}

TEST_F(SearchTest, ARecordFileOfAnotherFormIsNotReadAcrossItsRecords) {
  File("00000001", "2000", {"SEA"});
  File("00000002", "2000", {"SEA"});
  // The same file read with a form of three topic slots: another record length.
  std::vector<DBFIELD> three = db::ArchiveFields(3, 2024, 5);
  three[kYear].spare = kOpEquals;
  std::vector<FormEntry> form(three.size());
  form[kYear].value = "2000";
  Matcher m(three, CollectConditions(three, form, false).conditions, false);
  SearchOutcome out = RunSearch(files, three, m, result, {});
  EXPECT_TRUE(out.unusable);
  EXPECT_EQ(out.code, kDbErrInvalidData);
  EXPECT_TRUE(RunFreeTextSearch(files, three, "SEA", result, "TXT", {}).unusable);
  EXPECT_TRUE(Names(result).empty());
  // Its own form reads it; so does a file that holds the header alone.
  EXPECT_EQ(RunSearch(files, fields, Query(kYear, kOpEquals, "2000"), result, {}).records, 2);
  TempDir other;
  ASSERT_EQ(DBCREATE(other.File("X.F01"), DbRecordLength(fields)), 0);
  SearchOutcome empty = RunSearch(ArchiveFilesOf(other.Path(), "X"), fields, Query(kYear, kOpEquals, "2000"), result, {});
  EXPECT_FALSE(empty.unusable);
  EXPECT_EQ(empty.records, 0);
}

TEST_F(SearchTest, FreeTextTakesThePictureAndWritesTheNoteBesideIt) {
  File("00000001", "1995", {"LIGHTHOUSE"});
  File("00000002", "2000", {"BOAT"});
  File("00000003", "2005", {"OLD LIGHTHOUSE"});
  File("00000004", "2005", {"LIGHTHOUSE"});
  Delete(5);  // a deleted slot holds the text too
  std::vector<std::string> taken;
  SearchHooks hooks;
  hooks.taken = [&](const std::string& key) { taken.push_back(key); };
  SearchOutcome out = RunFreeTextSearch(files, fields, "LIGHTHOUSE", result, "TXT", hooks);
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(taken, (std::vector<std::string>{"00000001", "00000003"}));
  EXPECT_EQ(out.pictures, 2);
  EXPECT_EQ(Names(result), (std::vector<std::string>{"00000001.JPG", "00000001.TXT", "00000003.JPG", "00000003.TXT"}));
  EXPECT_EQ(dir.Read("RESULT\\00000003.TXT"), "note of 00000003");
  EXPECT_EQ(dir.Read("RESULT\\00000001.JPG"), ItemBytes("00000001.JPG"));
}

TEST_F(SearchTest, FreeTextFindsEveryRecordOnceAndNoneInTheHeader) {
  for (int i = 1; i <= 9; ++i) File("0000000" + std::to_string(i), "2000", {"SEA"}, false);
  SearchOutcome out = RunFreeTextSearch(files, fields, "SEA", result, "TXT", {});
  EXPECT_EQ(out.records, 9);
  // The header's record number bytes: found there and only there.
  out = RunFreeTextSearch(files, fields, std::string(4, '\0'), result, "TXT", {});
  EXPECT_EQ(out.records, 0);
  EXPECT_EQ(out.code, 0);
  // A text found only across two records is no record's.
  out = RunFreeTextSearch(files, fields, "  00000005", result, "TXT", {});
  EXPECT_EQ(out.records, 0);
}

TEST_F(SearchTest, TheResultFolderRuleRefusesEmptyAndProtectedFolders) {
  dir.Write("RESULT\\old.jpg", "x");
  fileio::ProtectedFolders guarded;
  guarded.dataFolder = dir.Path();
  guarded.programFolder = dir.Path() + "PROGRAM\\";
  EXPECT_EQ(EmptyResultFolder("", guarded), kFolderRefused);
  EXPECT_EQ(EmptyResultFolder(dir.Path(), guarded), kFolderRefused);
  EXPECT_EQ(EmptyResultFolder("RESULT\\", guarded), kFolderRefused);
  EXPECT_TRUE(fileio::Exists(result + "old.jpg"));
  EXPECT_TRUE(fileio::Exists(files.recordFile));
  EXPECT_EQ(EmptyResultFolder(result, guarded), 0);
  EXPECT_FALSE(fileio::Exists(result + "old.jpg"));
  EXPECT_EQ(EmptyResultFolder(dir.Path() + "NEW\\", guarded), 0);
  EXPECT_TRUE(fileio::IsDirectory(dir.Path() + "NEW"));
}

// A filer appends while searches run and records are deleted between them as the
// topic editor deletes (the key turned to "/" under the header lock): every record a
// search takes is a whole, live record.
TEST_F(SearchTest, SearchesWhileAFilerFilesTakeOnlyLiveRecords) {
  constexpr int kCount = 300;
  WorkerProcess filer;
  ASSERT_TRUE(filer.Start("db_append_worker", {files.recordFile, dir.File("ARCHIVE.CPT"), "1",
                                               std::to_string(kCount), dir.File("ready"), dir.File("go")}));
  ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(dir.File("ready")); }, std::chrono::seconds(60),
                        std::chrono::milliseconds(5)));
  dir.Write("go", "");
  Matcher matcher = Query(kTopic1, kOpEquals, "WORKER1");
  std::set<std::string> seen;
  int searches = 0;
  std::set<std::string> deleted;
  const int length = DbRecordLength(fields);
  auto deleteOne = [&] {
    const int64_t records = SKFLOF(fileNumber) / length - 1;
    if (records < 2 || deleted.size() >= 20) return;
    const int number = 2 + int(deleted.size() * 7 % uint64_t(records));
    ASSERT_EQ(DbLockHeader(fileNumber, length), 0);
    std::string record(size_t(length), ' ');
    if (SKFGETR(fileNumber, record, number) == 0 && record[0] != '/') {
      deleted.insert(std::string(FieldText(record, fields[0])));
      std::fill_n(record.begin(), fields[0].width, '/');
      EXPECT_EQ(SKFPUTR(fileNumber, record, number), 0);
    }
    SKFUNLOCK(fileNumber, 0, length);
  };
  auto search = [&] {
    deleteOne();
    std::vector<std::string> taken;
    SearchHooks hooks;
    hooks.taken = [&](const std::string& key) { taken.push_back(key); };
    SearchOutcome out = RunSearch(files, fields, matcher, result, hooks);
    // (the filer makes the record file once it is let go)
    EXPECT_EQ(out.code, out.unusable ? kDbErrNotFound : 0);
    for (const std::string& key : taken) {
      EXPECT_EQ(key.size(), 8u) << key;
      EXPECT_EQ(deleted.count(key), 0u) << key;
      EXPECT_EQ(std::count(taken.begin(), taken.end(), key), 1) << key;
      seen.insert(key);
    }
    ++searches;
    return int(taken.size());
  };
  WaitUntil([&] { return search() + int(deleted.size()) >= kCount; }, std::chrono::seconds(60),
            std::chrono::milliseconds(1));
  EXPECT_EQ(filer.Wait(60000), 0);
  EXPECT_EQ(search() + int(deleted.size()), kCount);
  EXPECT_GT(deleted.size(), 0u);
  // Every key any search took is a record of the finished file
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(files.recordFile, bytes), 0);
  std::set<std::string> filed;
  for (size_t at = size_t(length); at + size_t(length) <= bytes.size(); at += size_t(length))
    filed.insert(std::string(FieldText(std::string_view(bytes).substr(at, size_t(length)), fields[0])));
  // (or one deleted after a search took it)
  for (const std::string& key : seen) EXPECT_TRUE(filed.count(key) || deleted.count(key)) << key;
  EXPECT_GE(searches, 2);
}

}  // namespace
}  // namespace ostrel

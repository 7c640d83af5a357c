// An archive of a few records in a test folder, and the pairs of its indexes.
#pragma once
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "worker_process.h"

inline constexpr int kLength = 671;

// A record of the ten-slot form with the given key and first topic.
inline std::vector<std::string> RecordValues(const std::string& key, const std::string& topic) {
  return ArchiveValues(key, {topic});
}

// Every (key, value) pair of an index in key order; keys without their padding.
inline std::vector<std::pair<std::string, int>> Pairs(const std::string& index, int width) {
  std::vector<std::pair<std::string, int>> pairs;
  int handle = 0, status = 0;
  if (qBtOpen(index, width, handle, status) != 0 || handle == 0) return pairs;
  std::string key;
  int32_t value = 0;
  for (qBtFirst(handle, key, value, status); status == 0; qBtNext(handle, key, value, status)) {
    std::string k = key;
    k.erase(k.find_last_not_of(' ') + 1);
    pairs.emplace_back(k, value);
  }
  qBtClose(handle);
  return pairs;
}

// A record file holding records "K0001" .. with topics "T1" .. (record r + 1 = key r).
struct TopicArchive {
  std::string f01;
  std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  int fileNumber = 0;

  TopicArchive(const TempDir& dir, int records) : f01(dir.File("ARCHIVE.F01")) {
    DBCREATE(f01, kLength);
    Open();
    for (int r = 1; r <= records; ++r) DBCREF(f01, fileNumber, Values(r), fields);
  }
  ~TopicArchive() { Close(); }
  static std::string Key(int r) {
    std::string n = std::to_string(r);
    return "K" + std::string(n.size() < 4 ? 4 - n.size() : 0, '0') + n;
  }
  static std::vector<std::string> Values(int r) { return RecordValues(Key(r), "T" + std::to_string(r)); }
  void Open() {
    int ok = 0;
    DBOPENF(f01, fileNumber, ok);
  }
  void Close() {
    if (fileNumber) SKFCLOSE(fileNumber);
    fileNumber = 0;
  }
  std::string Record(int number) const { return FileBytes(f01).substr(size_t(number - 1) * kLength, kLength); }
};

// Starts the database tests' filer on the archive and lets it go once it is ready: it
// files `count` records with keys from the counter "ARCHIVE.CPT" beside the record file.
inline bool StartFiler(WorkerProcess& filer, const TempDir& dir, const std::string& f01, int count) {
  if (!filer.Start("db_append_worker", {f01, dir.File("ARCHIVE.CPT"), "1", std::to_string(count), dir.File("ready"),
                                        dir.File("go")})) {
    return false;
  }
  if (!WaitUntil([&] { return fileio::Exists(dir.File("ready")); }, std::chrono::seconds(60),
                 std::chrono::milliseconds(5))) {
    return false;
  }
  dir.Write("go", "");
  return true;
}

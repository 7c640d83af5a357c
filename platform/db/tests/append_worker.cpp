// Test helper: one of several programs that file records into one archive at the same
// time. db_append_worker RECORDFILE COUNTERFILE WORKER COUNT READYFILE GOFILE
// It reports that it is ready, waits for the go file, then appends COUNT records with
// keys from the counter. Exit code 0 when every record was filed.
// db_append_worker media LIBRARY SOURCE PREFIX COUNT READYFILE
// stores SOURCE COUNT times as items PREFIX + a six-digit number + ".JPG", removing every
// seventh item again; the ready file comes after the first store.
// db_append_worker media-hold LIBRARY ITEM READYFILE GOFILE
// holds the library's lock with the item's bytes half overwritten, as a writer in the
// middle of its work, until the go file appears; then puts them back and lets go.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "wait_until.h"

namespace {

int StoreMedia(char** argv) {
  const std::string library = argv[2], source = argv[3], prefix = argv[4], ready = argv[6];
  const int count = std::stoi(argv[5]);
  for (int i = 0; i < count; ++i) {
    std::string number = std::to_string(i);
    std::string item = prefix + std::string(6 - number.size(), '0') + number + ".JPG";
    std::string name = item;
    if (qBtMmText(name, 1) != 0 || qBtMmLib(library, source, 1) != 0) return 6;
    if (i % 7 == 6) {
      name = item;
      if (qBtMmText(name, 1) != 0 || qBtMmLib(library, source, 3) != 0) return 6;
    }
    if (i == 0) {
      fileio::File readyFile;
      if (readyFile.Open(ready, fileio::Access::WriteNew) != 0) return 3;
    }
  }
  return 0;
}

int HoldMedia(char** argv) {
  const std::string library = argv[2], ready = argv[4], go = argv[5];
  db::LibraryLock lock;
  if (lock.Acquire(DBNAME(library, 'I')) != 0) return 3;
  int handle = 0, status = 0;
  std::string name = argv[3];
  int32_t end = 0;
  if (qBtMmText(name, 1) != 0 || qBtOpen(DBNAME(library, 'I'), 12, handle, status) != 0) return 4;
  qBtSearch(handle, name, end, status);
  qBtClose(handle);
  if (status != kBtDone) return 4;
  fileio::File lib;
  if (lib.Open(library, fileio::Access::ReadWrite, fileio::Share::DenyNone) != 0) return 5;
  uint8_t trailer[db::kItemTrailer];
  size_t got = 0;
  db::ItemTrailer item;
  if (lib.ReadAt(end - db::kItemTrailer, trailer, sizeof trailer, got) != 0 || got != sizeof trailer ||
      !db::DecodeItemTrailer(trailer, end, item))
    return 5;
  std::string bytes(size_t(item.dataLength / 2), '\0');
  if (lib.ReadAt(item.start, bytes.data(), bytes.size(), got) != 0 || got != bytes.size()) return 5;
  const std::string spoilt(bytes.size(), '#');
  if (lib.WriteAt(item.start, spoilt.data(), spoilt.size()) != 0) return 5;
  fileio::File readyFile;
  if (readyFile.Open(ready, fileio::Access::WriteNew) != 0) return 3;
  readyFile.Close();
  const bool let = WaitUntil([&] { return fileio::Exists(go); }, std::chrono::seconds(60), std::chrono::milliseconds(1));
  if (lib.WriteAt(item.start, bytes.data(), bytes.size()) != 0) return 5;
  return let ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 7 && std::string(argv[1]) == "media") return StoreMedia(argv);
  if (argc == 6 && std::string(argv[1]) == "media-hold") return HoldMedia(argv);
  if (argc != 7) {
    std::fprintf(stderr, "usage: db_append_worker F01 CPT WORKER COUNT READY GO\n");
    return 2;
  }
  const std::string f01 = argv[1], cpt = argv[2], worker = argv[3], ready = argv[5], go = argv[6];
  const int count = std::stoi(argv[4]);
  fileio::File readyFile;
  if (readyFile.Open(ready, fileio::Access::WriteNew) != 0) return 3;
  readyFile.Close();
  // Every worker starts filing the moment the go file appears.
  if (!WaitUntil([&] { return fileio::Exists(go); }, std::chrono::seconds(60), std::chrono::milliseconds(1))) return 3;
  const auto fields = db::ArchiveFields(10, 2024, 5);
  if (int rc = DBCREATE(f01, DbRecordLength(fields))) {
    std::fprintf(stderr, "DBCREATE %d\n", rc);
    return 4;
  }
  int fileNumber = 0, ok = 0;
  if (int rc = DBOPENF(f01, fileNumber, ok); rc != 0 || !ok) {
    std::fprintf(stderr, "DBOPENF %d\n", rc);
    return 4;
  }
  // Filed as an import files them: each filing locks and changes the files as a single
  // one does, and the flushes to disk wait for the end, so that the disk does not set
  // the pace of the test.
  DbBeginBatch();
  for (int i = 0; i < count; ++i) {
    std::string key = DBSEQUENCE(cpt, "00000000", 1);
    if (key.empty()) return 5;
    std::vector<std::string> values(fields.size());
    values[0] = key;
    values[1] = "WORKER " + worker + " PICTURE " + std::to_string(i);
    values[3] = "JPG";
    for (int k = 0; k < 10; ++k) values[size_t(11 + k)] = "(none)";
    values[11] = "WORKER" + worker;
    values[12] = "TOPIC" + std::to_string(i % 7);
    values[13] = key;
    values[24] = DBUSERNAME();
    if (int rc = DBCREF(f01, fileNumber, values, fields)) {
      std::fprintf(stderr, "DBCREF %s: %d\n", key.c_str(), rc);
      return 6;
    }
  }
  if (int rc = DbEndBatch()) {
    std::fprintf(stderr, "DbEndBatch %d\n", rc);
    return 7;
  }
  SKFCLOSE(fileNumber);
  return 0;
}

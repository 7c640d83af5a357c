// Helper of the kill tests: the topic editor's saves and deletes on random records whose
// keys start with "K", after a rebuild when asked, until it is killed or has made COUNT
// changes.
// lumbric_edit_worker F01 LOG READY SEED REBUILD COUNT
// Before each change it appends "B S key value", "B D key" or "B R" to LOG, and "E" once
// the change returned, so that the checker knows which change a kill cut short.
#include <cstdio>
#include <random>
#include <string>

#include "db/archive.h"
#include "db/db.h"
#include "fileio/file.h"
#include "lumbric/records.h"
#include "skin/sk_files.h"

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: lumbric_edit_worker F01 LOG READY SEED REBUILD COUNT\n");
    return 2;
  }
  const std::string f01 = argv[1], log = argv[2], ready = argv[3];
  const unsigned seed = unsigned(std::stoul(argv[4]));
  const bool rebuild = std::string(argv[5]) == "1";
  const long count = std::stol(argv[6]);
  const auto fields = db::ArchiveFields(10, 2024, 5);
  const int length = DbRecordLength(fields);
  // What the program does at start.
  if (int rc = lumbric::FinishInterruptedRebuild(f01, fields)) return std::fprintf(stderr, "finish %d\n", rc), 3;
  if (int rc = DbFinishInterruptedAppend(f01, fields)) return std::fprintf(stderr, "append %d\n", rc), 3;
  int fileNumber = 0, ok = 0;
  if (DBOPENF(f01, fileNumber, ok) != 0 || !ok) return 3;
  fileio::File notes;
  if (notes.Open(log, fileio::Access::WriteNew) != 0) return 3;
  int64_t at = 0;
  auto note = [&](const std::string& line) {
    notes.WriteAt(at, line.data(), line.size());
    at += int64_t(line.size());
  };
  fileio::File readyFile;
  if (readyFile.Open(ready, fileio::Access::WriteNew) != 0) return 3;
  readyFile.Close();

  if (rebuild) {
    note("B R\n");
    if (int rc = lumbric::REBUILDINDEX(f01, fields)) return std::fprintf(stderr, "rebuild %d\n", rc), 5;
    note("E\n");
  }
  std::mt19937 random(seed);
  for (long i = 0; i < count; ++i) {
    const int64_t records = SKFLOF(fileNumber) / length - 1;
    if (records < 1) break;
    const int number = 2 + int(random() % uint64_t(records));
    std::string record(size_t(length), ' ');
    if (SKFGETR(fileNumber, record, number) != 0) return 6;
    if (record[0] != 'K') continue;  // deleted, or a filer's record: the editor's are its own
    std::vector<std::string> values;
    DBREADF(record, values, fields, 0);
    int rc = 0;
    if (random() % 4 == 0) {
      note("B D " + values[0] + "\n");
      rc = lumbric::DELETERECORD(f01, fileNumber, number, values, fields);
    } else {
      const std::string value = "E" + std::to_string(seed) + "_" + std::to_string(i);
      values[12] = values[13] = value;
      note("B S " + values[0] + " " + value + "\n");
      rc = lumbric::SAVERECORD(f01, fileNumber, number, values, fields);
    }
    if (rc != 0) return std::fprintf(stderr, "change %d\n", rc), 6;
    note("E\n");
  }
  SKFCLOSE(fileNumber);
  return 0;
}

// Times the topic editor's rebuild of a record file against the in-place index rebuild:
//   lumbric_rebuild_bench [records] [folder]
// writes `records` records (default 100,000) of the archive's form, every tenth deleted,
// then times DbRebuildIndexes (indexes only, records left in place) and REBUILDINDEX
// (deleted slots squeezed out, built beside and put in place) on the same file.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "lumbric/records.h"
#include "bench_timing.h"

namespace {

using bench::Clock;
using bench::Seconds;
}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::stol(argv[1]) : 100000;
  const std::string folder =
      fileio::WithTrailingSeparator(argc > 2 ? std::string(argv[2]) : fileio::TempFolder() + "lumbric_bench");
  fileio::MakeDirectories(folder);
  const std::string f01 = folder + "BENCH.F01";
  const auto fields = db::ArchiveFields(10, 2024, 5);
  const int length = DbRecordLength(fields);

  std::string bytes(size_t(length), ' ');
  for (int i = 0; i < 4; ++i) bytes[size_t(i)] = '\0';
  std::vector<std::string> values(fields.size(), "");
  for (long r = 0; r < records; ++r) {
    std::string key = std::to_string(r + 1);
    key.insert(0, 8 - key.size(), '0');
    values[0] = r % 10 == 9 ? std::string(8, '/') : key;
    values[1] = "PICTURE " + key;
    values[2] = "05-31-2024";
    for (int k = 0; k < 10; ++k) values[size_t(11 + k)] = "TOPIC " + std::to_string((r * (k + 3)) % 997);
    std::string record(size_t(length), ' ');
    DBWRITF(length, record, values, fields);
    bytes += record;
  }
  for (int k = 0; k <= 10; ++k) fileio::RemoveFile(DBINDEX(f01, k));
  if (int rc = fileio::WriteFileReplacing(f01, bytes)) {
    std::fprintf(stderr, "writing the record file failed: %d\n", rc);
    return 1;
  }

  auto start = Clock::now();
  int rc = DbRebuildIndexes(f01, fields);
  const double inPlace = Seconds(start);
  if (rc != 0) {
    std::fprintf(stderr, "DbRebuildIndexes failed: %d\n", rc);
    return 1;
  }
  start = Clock::now();
  rc = lumbric::REBUILDINDEX(f01, fields);
  const double squeezed = Seconds(start);
  if (rc != 0) {
    std::fprintf(stderr, "REBUILDINDEX failed: %d\n", rc);
    return 1;
  }
  const long kept = long(fileio::FileSize(f01) / length) - 1;
  std::printf("records %ld, kept %ld\n", records, kept);
  std::printf("in-place index rebuild: %.2f s\n", inPlace);
  std::printf("rebuild without deleted slots: %.2f s (%.2f x)\n", squeezed, squeezed / inPlace);
  for (int k = 0; k <= 10; ++k) fileio::RemoveFile(DBINDEX(f01, k));
  fileio::RemoveFile(f01);
  return kept == records - records / 10 ? 0 : 1;
}

// Measures the archive database with records of the archive's own form (28 fields, key
// index and ten topic indexes with duplicate keys):
//   db_bench [records] [folder] [--flush-each] [--appends-only]
// files `records` records (default 100,000) as the archive program does (a key from the
// counter, then DBCREF), then times key searches and full walks of the indexes and a
// rebuild. The records are filed as an import files them, in one batch that flushes
// each file once at its end; with --flush-each every filing flushes its own files, as a
// single filing by the user does (use a small count: that is a dozen flushes each);
// --appends-only stops after the filings (for a profile of them alone).
// It prints the file layer's system calls per filing (under Wine most are a round trip
// to its server).
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_files.h"
#include "bench_file_calls.h"
#include "bench_timing.h"

namespace {

using bench::Clock;
using bench::Seconds;
using bench::Fail;

// Walks a whole index; returns the number of pairs, or -1 on a failure.
long Walk(const std::string& path, int keyLength) {
  int h = 0, status = 0;
  if (qBtOpen(path, keyLength, h, status) != 0) return -1;
  std::string k;
  int32_t v = 0;
  long n = 0;
  int rc = qBtFirst(h, k, v, status);
  while (rc == 0 && status == 0) {
    ++n;
    rc = qBtNext(h, k, v, status);
  }
  qBtClose(h);
  return rc == 0 ? n : -1;
}

}  // namespace

int main(int argc, char** argv) {
  bool batch = true, appendsOnly = false;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--flush-each") batch = false;
    else if (std::string(argv[i]) == "--appends-only") appendsOnly = true;
    else args.push_back(argv[i]);
  }
  const long records = !args.empty() ? std::stol(args[0]) : 100000;
  std::string folder = args.size() > 1 ? args[1] : fileio::TempFolder() + "dbbench";
  folder = fileio::WithTrailingSeparator(folder);
  if (fileio::MakeDirectories(folder) != 0) return Fail("making the folder", 3);
  const std::string f01 = folder + "BENCH.F01", cpt = folder + "BENCH.CPT";
  for (int k = 0; k <= 10; ++k) fileio::RemoveFile(DBINDEX(f01, k));
  fileio::RemoveFile(f01);
  fileio::RemoveFile(cpt);

  const auto fields = db::ArchiveFields(10, 2024, 5);
  if (int rc = DBCREATE(f01, DbRecordLength(fields))) return Fail("DBCREATE", rc);
  int fileNumber = 0, ok = 0;
  if (int rc = DBOPENF(f01, fileNumber, ok)) return Fail("DBOPENF", rc);

  // Topic words drawn from a vocabulary of 400, most records with three to six topics:
  // every topic index holds long runs of duplicate keys.
  std::mt19937 rng(2024);
  std::vector<std::string> words;
  for (int i = 0; i < 400; ++i) words.push_back("SUBJECT " + std::to_string(i));
  std::vector<std::string> values(fields.size());
  double crefSeconds = 0;
  bench::FileCalls calls;
  calls.Snapshot();
  auto start = Clock::now();
  if (batch) DbBeginBatch();
  for (long i = 0; i < records; ++i) {
    values[0] = DBSEQUENCE(cpt, "00000000", 1);
    values[1] = "PICTURE" + std::to_string(i);
    values[2] = "05-31-2024";
    values[3] = "JPG";
    values[4] = "24";
    values[5] = "-1";
    values[6] = "1024";
    values[7] = "768";
    values[8] = std::to_string(100000 + rng() % 900000);
    values[9] = "2024";
    values[10] = "5";
    int topics = 3 + int(rng() % 4);
    for (int k = 0; k < 10; ++k) values[size_t(11 + k)] = k < topics ? words[rng() % words.size()] : "(none)";
    values[21] = "Free text of record " + std::to_string(i);
    values[23] = "STANDARD";
    values[24] = "bench";
    values[25] = values[0] + ".DOC";
    auto t = Clock::now();
    int rc = DBCREF(f01, fileNumber, values, fields);
    crefSeconds += Seconds(t);
    if (rc != 0) return Fail("DBCREF", rc);
  }
  if (batch) {
    auto t = Clock::now();
    if (int rc = DbEndBatch()) return Fail("DbEndBatch", rc);
    crefSeconds += Seconds(t);
  }
  double appendSeconds = Seconds(start);
  SKFCLOSE(fileNumber);
  std::printf("records appended:   %ld in %.2f s = %.0f records/s (DBCREF alone: %.0f records/s)%s\n", records,
              appendSeconds, records / appendSeconds, records / crefSeconds, batch ? ", in one batch" : ", each flushed");
  using fileio::FileCall;
  std::printf("calls per filing:   %.2f locks, %.2f unlocks, %.2f reads, %.2f writes, %.2f size queries, "
              "%.3f mappings, %.3f flushes\n",
              calls.PerItem(FileCall::Lock, records), calls.PerItem(FileCall::Unlock, records),
              calls.PerItem(FileCall::Read, records), calls.PerItem(FileCall::Write, records),
              calls.PerItem(FileCall::Size, records), calls.PerItem(FileCall::Map, records),
              calls.PerItem(FileCall::Flush, records));
  if (appendsOnly) return 0;

  // Key searches of keys that are there, in random order.
  int h = 0, status = 0;
  if (int rc = qBtOpen(DBINDEX(f01, 0), 8, h, status)) return Fail("qBtOpen", rc);
  const long searches = 200000;
  long found = 0;
  start = Clock::now();
  for (long i = 0; i < searches; ++i) {
    std::string key = std::to_string(1 + rng() % uint32_t(records));
    key.insert(0, 8 - key.size(), '0');
    int32_t v = 0;
    if (qBtSearch(h, key, v, status) != 0) return Fail("qBtSearch", status);
    found += status == 0;
  }
  double searchSeconds = Seconds(start);
  qBtClose(h);
  if (found != searches) return Fail("finding every key", int(found));
  std::printf("key searches:       %ld in %.2f s = %.0f searches/s\n", searches, searchSeconds, searches / searchSeconds);

  start = Clock::now();
  long keys = Walk(DBINDEX(f01, 0), 8);
  double walkSeconds = Seconds(start);
  std::printf("key index walk:     %ld keys in %.3f s = %.0f keys/s\n", keys, walkSeconds, keys / walkSeconds);
  start = Clock::now();
  long topicKeys = Walk(DBINDEX(f01, 1), 40);
  walkSeconds = Seconds(start);
  std::printf("topic index walk:   %ld keys in %.3f s = %.0f keys/s\n", topicKeys, walkSeconds,
              topicKeys / walkSeconds);
  if (keys != records || topicKeys != records) return Fail("walking the indexes", 0);

  start = Clock::now();
  calls.Snapshot();
  int rc = DbRebuildIndexes(f01, fields);
  std::printf("rebuild of all 11 indexes: %.2f s (%.0f reads, %.0f flushes)\n", Seconds(start),
              calls.PerItem(FileCall::Read, 1), calls.PerItem(FileCall::Flush, 1));
  if (rc != 0) return Fail("DbRebuildIndexes", rc);
  if (Walk(DBINDEX(f01, 0), 8) != records || Walk(DBINDEX(f01, 1), 40) != records)
    return Fail("walking the rebuilt indexes", 0);
  int64_t indexBytes = 0;
  for (int k = 0; k <= 10; ++k) indexBytes += fileio::FileSize(DBINDEX(f01, k));
  std::printf("record file %lld bytes, indexes %lld bytes\n", (long long)fileio::FileSize(f01),
              (long long)indexBytes);
  return 0;
}

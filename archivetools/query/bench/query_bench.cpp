// Times the query tool's searches over an archive of the archive's form:
//   query_bench [records] [matches] [folder]
// writes `records` records (default 100,000), the first `matches` (default 1,000) of them
// with a year of their own and a 10 KB picture item in library 001, then times
//  - the field comparison alone over records in memory,
//  - a search of the record file that matches nothing (read in blocks and compared),
//  - the whole search: the result folder emptied, the matches' items copied out and the
//    folder handed over (to a window of this program on Windows),
// and prints the file layer's calls per copied item during the whole search (opening and
// closing files are not counted; under Wine most counted calls are a round trip to its
// server). Under Wine: scripts/wine-session.sh build/win64 wine build/win64/tests/query_bench.exe
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_file_calls.h"
#include "bench_timing.h"
#include "db/archive.h"
#include "db/db.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "ostrel/conditions.h"
#include "ostrel/search.h"

#ifdef _WIN32
#include <windows.h>

#include "imaging/copydata.h"
#endif

namespace {

using bench::Clock;
using bench::Seconds;
constexpr size_t kYear = 9;

ostrel::Matcher YearEquals(std::vector<DBFIELD>& fields, const std::string& year) {
  fields[kYear].spare = ostrel::kOpEquals;
  std::vector<ostrel::FormEntry> form(fields.size());
  form[kYear].value = year;
  return ostrel::Matcher(fields, ostrel::CollectConditions(fields, form, false).conditions, false);
}

#ifdef _WIN32
LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) return 1;
  return DefWindowProcA(window, message, wParam, lParam);
}
#endif

// The hand-over as the tool does it: the folder, then the empty text.
void HandOver(const std::string& folder) {
#ifdef _WIN32
  static HWND window = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = Receiver;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "QUERYBENCHRECEIVER";
    RegisterClassA(&c);
    return CreateWindowExA(0, c.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance, nullptr);
  }();
  SENDCOPYDATA(window, kCodeGoToFolder, folder);
  SENDCOPYDATA(window, kCodeFileType5, "");
#else
  (void)folder;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::stol(argv[1]) : 100000;
  const long matches = argc > 2 ? std::stol(argv[2]) : 1000;
  const std::string folder =
      fileio::WithTrailingSeparator(argc > 3 ? std::string(argv[3]) : fileio::TempFolder() + "ostrel_bench");
  fileio::MakeDirectories(folder);
  std::vector<DBFIELD> fields = db::ArchiveFields(10, 2024, 5);
  const int length = DbRecordLength(fields);
  const ostrel::ArchiveFiles files = ostrel::ArchiveFilesOf(folder, "BENCH");
  fileio::RemoveFile(files.library);
  fileio::RemoveFile(DBNAME(files.library, 'I'));

  std::string bytes(size_t(length), ' ');
  for (int i = 0; i < 4; ++i) bytes[size_t(i)] = '\0';
  std::vector<std::string> values(fields.size(), "");
  const std::string picture = folder + "picture.jpg";
  fileio::WriteFileReplacing(picture, std::string(10 * 1024, 'p'));
  DbBeginBatch();
  for (long r = 0; r < records; ++r) {
    std::string key = std::to_string(r + 1);
    key.insert(0, 8 - key.size(), '0');
    values[0] = key;
    values[1] = "PICTURE " + key;
    values[2] = "05-31-2024";
    values[3] = "JPG";
    values[kYear] = r < matches ? "1999" : std::to_string(2000 + r % 100);
    for (int k = 0; k < 10; ++k) values[size_t(11 + k)] = "TOPIC " + std::to_string((r * (k + 3)) % 997);
    std::string record(size_t(length), ' ');
    DBWRITF(length, record, values, fields);
    bytes += record;
    if (r < matches) {
      std::string item = key + ".JPG";
      qBtMmText(item, 1);
      if (int rc = qBtMmLib(files.library, picture, 1)) return bench::Fail("storing an item", rc);
    }
  }
  DbEndBatch();
  if (int rc = fileio::WriteFileReplacing(files.recordFile, bytes)) return bench::Fail("writing the record file", rc);

  // The comparison alone, over the records in memory: a year no record has.
  ostrel::Matcher none = YearEquals(fields, "1800");
  auto start = Clock::now();
  long found = 0;
  for (long r = 0; r < records; ++r)
    found += none.Matches(std::string_view(bytes).substr(size_t(r + 1) * size_t(length), size_t(length)));
  const double compare = Seconds(start);

  const std::string result = folder + "RESULT" + (folder.back() == '/' ? "/" : "\\");
  fileio::ProtectedFolders guarded;
  guarded.dataFolder = folder;
  start = Clock::now();
  ostrel::SearchOutcome scan = ostrel::RunSearch(files, fields, none, result, {});
  const double scanSeconds = Seconds(start);

  ostrel::Matcher some = YearEquals(fields, "1999");
  start = Clock::now();
  int emptied = ostrel::EmptyResultFolder(result, guarded);
  const double emptySeconds = Seconds(start);
  bench::FileCalls calls;
  calls.Snapshot();
  ostrel::SearchOutcome whole = ostrel::RunSearch(files, fields, some, result, {});
  HandOver(result);
  const double wholeSeconds = Seconds(start);

  if (found != 0 || scan.records != 0 || emptied != 0 || whole.records != matches || whole.pictures != matches) {
    std::fprintf(stderr, "unexpected: found %ld, scan %d, emptied %d, whole %d records %d pictures (code %d)\n", found,
                 scan.records, emptied, whole.records, whole.pictures, whole.code);
    return 1;
  }
  std::printf("records %ld, matches %ld\n", records, matches);
  std::printf("field comparison in memory: %.4f s, %.0f records/s\n", compare, double(records) / compare);
  std::printf("search without matches:     %.4f s, %.0f records/s\n", scanSeconds, double(records) / scanSeconds);
  std::printf("whole search, %ld items copied out and handed over: %.3f s (emptying the last result: %.3f s)\n",
              matches, wholeSeconds, emptySeconds);
  using fileio::FileCall;
  std::printf("calls per copied item: %.2f locks, %.2f unlocks, %.2f reads, %.2f writes, %.2f size queries, "
              "%.2f maps, %.2f flushes\n",
              calls.PerItem(FileCall::Lock, whole.items), calls.PerItem(FileCall::Unlock, whole.items),
              calls.PerItem(FileCall::Read, whole.items), calls.PerItem(FileCall::Write, whole.items),
              calls.PerItem(FileCall::Size, whole.items), calls.PerItem(FileCall::Map, whole.items),
              calls.PerItem(FileCall::Flush, whole.items));
  return 0;
}

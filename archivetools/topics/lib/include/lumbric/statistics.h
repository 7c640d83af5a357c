// The statistics of an archive as the topic editor and the query tool show them.
#pragma once
#include <cstdint>
#include <string>

namespace lumbric {

struct ArchiveStatistics {
  int64_t records = 0;    // keys of index 0 that name a record (deleted slots not counted)
  int64_t libraries = 0;  // "<base>*.I01" files of the data folder
  int64_t items = 0;      // items of the libraries "<base>001" .. in turn
  int64_t bytes = 0;      // the record file and its index files
  int64_t freeBytes = 0;  // free bytes of the data folder's disk (the caller's to fill)
};

// Gathers what the files tell; it opens only indexes that exist, so it makes no file.
// keyWidth is the width of the record file's key field (index 0's key length).
ArchiveStatistics GatherStatistics(const std::string& dataFolder, const std::string& baseName, int keyWidth);

// The statistics text: "##" records, "#" libraries, "$" items, "£" bytes and "µ" free
// bytes of `pattern`, each with thousands separators. The placeholders are read in the
// pattern's own (ANSI) encoding or in UTF-8.
std::string StatisticsText(const std::string& pattern, const ArchiveStatistics& stats);

}  // namespace lumbric

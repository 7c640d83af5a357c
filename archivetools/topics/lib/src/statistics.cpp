// Statistics of an archive: counted from its files, never made by counting.
#include "lumbric/statistics.h"

#include <algorithm>

#include "db/db.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"

namespace lumbric {
namespace {

int64_t KeysOf(const std::string& index, int width, bool withoutDeleted) {
  if (!fileio::Exists(index)) return 0;
  int handle = 0, status = 0;
  if (qBtOpen(index, width, handle, status) != 0 || handle == 0) return 0;
  int64_t count = std::max(0, qBtKeyNbr(handle));
  if (withoutDeleted) {
    const std::string slashes(size_t(width), '/');
    std::string key = slashes;
    int32_t value = 0;
    for (qBtSearch(handle, key, value, status); status == 0 && key == slashes; qBtNext(handle, key, value, status)) {
      --count;
    }
  }
  qBtClose(handle);
  return std::max<int64_t>(0, count);
}

// Files of any attributes, folders not.
constexpr int kFileAttributes = 1 | 2 | 4 | 32;

// An index's undo journal is no index file.
bool IsJournal(const std::string& name) {
  return name.size() > 4 && SKUCASE(name.substr(name.size() - 4)) == ".UND";
}

int64_t SizeOf(const std::string& path) { return std::max<int64_t>(0, fileio::FileSize(path)); }

}  // namespace

ArchiveStatistics GatherStatistics(const std::string& dataFolder, const std::string& baseName, int keyWidth) {
  ArchiveStatistics s;
  const std::string recordFile = dataFolder + baseName + ".F01";
  s.records = KeysOf(DBINDEX(recordFile, 0), keyWidth, true);
  s.libraries = std::max(0, SKDIRCOUNT(dataFolder + baseName + "*.I01", kFileAttributes));
  for (int n = 1; n <= s.libraries && n <= 999; ++n) {
    std::string library = dataFolder + baseName;
    if (qBtMmName(library, n) != 0) break;
    s.items += KeysOf(library + ".I01", 12, false);
  }
  s.bytes = SizeOf(recordFile);
  for (const auto& entry : fileio::ListDirectory(recordFile + ".K*")) {
    if (!entry.directory && !IsJournal(entry.name)) s.bytes += entry.size;
  }
  return s;
}

std::string StatisticsText(const std::string& pattern, const ArchiveStatistics& stats) {
  struct Mark {
    std::string text;
    int64_t value;
  };
  // Longest first: "##" before "#"; the two-byte UTF-8 forms before their one-byte ANSI ones.
  const Mark marks[] = {{"##", stats.records},       {"#", stats.libraries},      {"$", stats.items},
                        {"\xC2\xA3", stats.bytes},   {"\xC2\xB5", stats.freeBytes}, {"\xA3", stats.bytes},
                        {"\xB5", stats.freeBytes}};
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    bool replaced = false;
    for (const auto& m : marks) {
      if (pattern.compare(i, m.text.size(), m.text) == 0) {
        out += SKLONGFORMAT(m.value);
        i += m.text.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += pattern[i++];
  }
  return out;
}

}  // namespace lumbric

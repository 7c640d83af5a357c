// Compaction and index rebuild of media libraries: the library is scanned backwards from
// its end, item by item through their trailers, and a new index (and in a compaction a
// new library) is built beside the old ones and swapped in at the end.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "db/media_item.h"
#include "narwen/command_line.h"

namespace narwen {

inline constexpr int kStepOpen = 13;
inline constexpr int kStepSeek = 14;
inline constexpr int kStepRead = 15;
inline constexpr int kStepSearch = 16;
inline constexpr int kStepWrite = 19;
inline constexpr int kStepInsert = 22;
inline constexpr int kStepCut = 24;
inline constexpr int kStepRename = 25;

inline constexpr int kNoEndMark = 18;  // bytes before the first item without an end mark
inline constexpr int64_t kMinimumFreeSpace = 100000000;
inline constexpr int kSearchBlock = 16384;

struct RebuildHooks {
  std::function<void(int percent)> progress;             // 0 .. 100
  std::function<void(const std::string& library, bool enoughSpace)> status;
  std::function<int64_t(const std::string& folder)> freeSpace;  // empty: the disk's
  int64_t minimumFree = kMinimumFreeSpace;  // below it a compaction short of space is refused
  std::string prefix;  // UI entry 5: the libraries' name before their number
  // Called the moment a run's new files are complete under their commit name (the work
  // file `ready`), before they replace the old ones.
  std::function<void(const std::string& ready)> committed;
};

struct RebuildResult {
  int code = 0;
  int step = 0;          // the step that failed
  std::string library;   // the library that failed
};
// The message of a failed run: the library and what is wrong with it where the code alone
// does not say it (a library whose start holds no item), else the library and `codeText`
// (the Windows text of the code).
std::string RebuildFailureText(const RebuildResult& result, const std::string& codeText);

// mode 0 compacts and re-indexes, mode 1 re-indexes; `all`: every library of a pattern.
RebuildResult RebuildDatabase(const std::string& path, int mode, bool all, const RebuildHooks& hooks);
// The classic call: the code alone.
int REBUILDDATABASE(const std::string& path, int mode, bool all, const RebuildHooks& hooks);

// The names a run uses for a library, and the end of a swap that a killed run left half
// done (call it holding the library's lock; every store, copy-out and removal of the
// library does so too). The new index is copied over the old index file, the new library
// renamed over the old one. An index half built without a commit point is thrown away.
using WorkFiles = db::LibraryWorkFiles;
WorkFiles WorkFilesOf(const std::string& library);
int FinishSwap(const WorkFiles& files);

}  // namespace narwen

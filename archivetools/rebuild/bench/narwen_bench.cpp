// Times the media library rebuild on a library of the items of many records:
//   narwen_bench [records] [megabytes] [folder]
// writes a library of two items per record (default 100,000 records, 1,000 MB, every tenth
// item removed), then times an index rebuild, a plain copy of the library and a
// compaction. Run it from an optimised build, on the disk to be measured.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "narwen/rebuild.h"
#include "bench_timing.h"

namespace {

using bench::Clock;
using bench::Seconds;
using bench::Fail;

unsigned long long Calls(const uint64_t* before, fileio::FileCall call) {
  return static_cast<unsigned long long>(fileio::FileCallCount(call) - before[int(call)]);
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::atol(argv[1]) : 100000;
  const long megabytes = argc > 2 ? std::atol(argv[2]) : 1000;
  std::string folder = argc > 3 ? argv[3] : fileio::TempFolder() + "narwen_bench";
  if (records < 1 || megabytes < 1) return Fail("arguments", 87);
  fileio::MakeDirectories(folder);
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  const std::string lib = folder + "BENCH001.B01";
  fileio::RemoveFile(lib);
  fileio::RemoveFile(folder + "BENCH001.I01");
  const int64_t itemSize = std::max<int64_t>(1, megabytes * 1048576 / (2 * records) - db::kItemTrailer);
  {
    fileio::File out;
    if (int rc = out.Open(lib, fileio::Access::WriteNew); rc != 0) return Fail("library", rc);
    std::string data(size_t(itemSize), 'x');
    std::vector<char> item;
    int64_t at = 0;
    for (long r = 0; r < records; ++r) {
      for (int k = 0; k < 2; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "%08ld.%s", r % 100000000, k ? "DOC" : "JPG");
        uint8_t t[db::kItemTrailer];
        db::EncodeItemTrailer(itemSize, name, t);
        if ((r * 2 + k) % 10 == 9) t[4] = uint8_t(db::kItemRemovedMark);
        item.assign(data.begin(), data.end());
        item.insert(item.end(), t, t + sizeof t);
        if (int rc = out.WriteAt(at, item.data(), item.size()); rc != 0) return Fail("write", rc);
        at += int64_t(item.size());
      }
    }
    out.Flush();
  }
  std::printf("library: %ld records, %lld bytes\n", records, static_cast<long long>(fileio::FileSize(lib)));
  narwen::RebuildHooks hooks;
  hooks.freeSpace = [](const std::string&) { return int64_t(1) << 50; };
  auto start = Clock::now();
  if (int rc = narwen::REBUILDDATABASE(lib, narwen::kModeIndexOnly, false, hooks); rc != 0) return Fail("index rebuild", rc);
  std::printf("index rebuild: %.2f s\n", Seconds(start));
  start = Clock::now();
  if (int rc = fileio::CopyFileTo(lib, folder + "COPY.B01"); rc != 0) return Fail("copy", rc);
  const double copy = Seconds(start);
  {
    // The compaction puts its new library on the disk before it replaces the old one; a
    // copy that is as safe is flushed too.
    fileio::File made;
    if (int rc = made.Open(folder + "COPY.B01", fileio::Access::ReadWrite); rc != 0) return Fail("copy", rc);
    made.Flush();
  }
  const double flushedCopy = Seconds(start);
  fileio::RemoveFile(folder + "COPY.B01");
  std::printf("plain copy: %.2f s, flushed to the disk: %.2f s\n", copy, flushedCopy);
  uint64_t calls[int(fileio::FileCall::kCount)];
  for (int c = 0; c < int(fileio::FileCall::kCount); ++c) calls[c] = fileio::FileCallCount(fileio::FileCall(c));
  start = Clock::now();
  if (int rc = narwen::REBUILDDATABASE(lib, narwen::kModeCompact, false, hooks); rc != 0) return Fail("compaction", rc);
  const double compact = Seconds(start);
  std::printf("compaction: %.2f s (%.2f x the copy, %.2f x the flushed copy)\n", compact, compact / copy,
              compact / flushedCopy);
  std::printf("compaction's file calls: read %llu, write %llu, size %llu, lock %llu, flush %llu, map %llu\n",
              Calls(calls, fileio::FileCall::Read), Calls(calls, fileio::FileCall::Write),
              Calls(calls, fileio::FileCall::Size), Calls(calls, fileio::FileCall::Lock),
              Calls(calls, fileio::FileCall::Flush), Calls(calls, fileio::FileCall::Map));
  fileio::RemoveFile(lib);
  fileio::RemoveFile(folder + "BENCH001.I01");
  return 0;
}

// Times the compaction of a media library (the maintenance tool's mode 0) against a plain
// copy of the same bytes that reaches the disk as well:
//   compact_bench [megabytes] [item KB] [rounds] [folder]
// writes a library of about `megabytes` MB (default 64; 1024 for the figure) of items of
// half to one and a half times `item KB` (default 5: the maintenance tool's benchmark's
// items, a picture and a document of a record in 10 KB; 60 is a library of photographs),
// every tenth one removed, then runs `rounds` rounds (default 3), each
//  - two reference copies of that library, each flushed (FlushFileBuffers on Windows,
//    fsync elsewhere): one read and written in 1 MiB pieces, one by the system's copy
//    (CopyFile on Windows; the file layer's 1 MiB pieces elsewhere); the first is the
//    library the round compacts, so every round starts from the same bytes;
//  - the compaction of the copy (index rebuilt, library swapped, everything flushed),
// and prints the times, the compaction's ratio to the faster copy (and the median
// ratio), and the file layer's calls per item of the compaction. Under Wine:
//   scripts/wine-session.sh build/win64 wine build/win64/tests/compact_bench.exe 1024 5 3
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_file_calls.h"
#include "bench_timing.h"
#include "db/db.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "narwen/rebuild.h"

namespace {

using bench::Clock;
using bench::Fail;
using bench::Seconds;

// Writes the library: items named by a running number, their sizes spread over half to
// one and a half times `itemSize`, every tenth marked removed. Gives the number of
// items, or -1.
long WriteLibrary(const std::string& path, int64_t bytes, size_t itemSize) {
  fileio::File out;
  if (out.Open(path, fileio::Access::WriteNew) != 0) return -1;
  std::vector<uint8_t> buffer;
  int64_t at = 0;
  long items = 0;
  uint32_t seed = 12345;
  while (at < bytes) {
    seed = seed * 1103515245u + 12345u;
    const size_t size = itemSize / 2 + size_t((seed >> 8) % (itemSize + 1));
    const size_t from = buffer.size();
    buffer.resize(from + size + db::kItemTrailer, uint8_t('a' + items % 26));
    char name[32];
    std::snprintf(name, sizeof name, "%08ld.JPG", items % 100000000);
    db::EncodeItemTrailer(int64_t(size), name, buffer.data() + from + size);
    if (items % 10 == 9) buffer[from + size + 4] = uint8_t(db::kItemRemovedMark);
    ++items;
    if (buffer.size() >= (4u << 20)) {
      if (out.WriteAt(at, buffer.data(), buffer.size()) != 0) return -1;
      at += int64_t(buffer.size());
      buffer.clear();
    }
  }
  if (!buffer.empty() && out.WriteAt(at, buffer.data(), buffer.size()) != 0) return -1;
  return out.Flush() == 0 ? items : -1;
}

// The reference: the bytes copied in 1 MiB pieces and flushed to the disk.
int CopyFlushed(const std::string& from, const std::string& to) {
  fileio::File in, out;
  if (int rc = in.Open(from, fileio::Access::Read); rc != 0) return rc;
  if (int rc = out.Open(to, fileio::Access::WriteNew); rc != 0) return rc;
  std::vector<char> buffer(size_t(1) << 20);
  for (int64_t at = 0;;) {
    size_t got = 0;
    if (int rc = in.ReadAt(at, buffer.data(), buffer.size(), got); rc != 0) return rc;
    if (got == 0) break;
    if (int rc = out.WriteAt(at, buffer.data(), got); rc != 0) return rc;
    at += int64_t(got);
  }
  return out.Flush();
}

// The reference by the system's copy, then flushed.
int SystemCopyFlushed(const std::string& from, const std::string& to) {
  if (int rc = fileio::CopyFileTo(from, to); rc != 0) return rc;
  fileio::File made;
  if (int rc = made.Open(to, fileio::Access::ReadWrite); rc != 0) return rc;
  return made.Flush();
}

}  // namespace

int main(int argc, char** argv) {
  const long megabytes = argc > 1 ? std::atol(argv[1]) : 64;
  const long itemKb = argc > 2 ? std::atol(argv[2]) : 5;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
  std::string folder = argc > 4 ? argv[4] : fileio::TempFolder() + "compact_bench";
  if (megabytes < 1 || itemKb < 1 || rounds < 1) return Fail("arguments", 87);
  fileio::MakeDirectories(folder);
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  const std::string original = folder + "ORIGINAL.B01", lib = folder + "BENCH001.B01";
  const long items = WriteLibrary(original, int64_t(megabytes) << 20, size_t(itemKb) * 1024);
  if (items < 0) return Fail("writing the library", 29);
  std::printf("library: %ld items (every tenth removed), %lld bytes\n", items,
              static_cast<long long>(fileio::FileSize(original)));

  narwen::RebuildHooks hooks;
  hooks.freeSpace = [](const std::string&) { return int64_t(1) << 50; };
  std::vector<double> ratios;
  for (int round = 1; round <= rounds; ++round) {
    auto start = Clock::now();
    if (int rc = SystemCopyFlushed(original, folder + "COPY.B01"); rc != 0) return Fail("the system's copy", rc);
    const double systemCopy = Seconds(start);
    fileio::RemoveFile(folder + "COPY.B01");
    start = Clock::now();
    if (int rc = CopyFlushed(original, lib); rc != 0) return Fail("the reference copy", rc);
    const double pieceCopy = Seconds(start);
    const double copy = std::min(systemCopy, pieceCopy);
    bench::FileCalls calls;
    calls.Snapshot();
    start = Clock::now();
    if (int rc = narwen::REBUILDDATABASE(lib, narwen::kModeCompact, false, hooks); rc != 0)
      return Fail("the compaction", rc);
    const double compact = Seconds(start);
    ratios.push_back(compact / copy);
    using fileio::FileCall;
    std::printf("round %d: flushed copies %.3f s (system's) and %.3f s (1 MiB pieces), compaction %.3f s, "
                "%.2f x the faster copy\n",
                round, systemCopy, pieceCopy, compact, compact / copy);
    std::printf("  compaction's calls per item: %.3f reads, %.3f writes, %.3f size queries, %.3f locks, "
                "%.3f maps, %.4f flushes\n",
                calls.PerItem(FileCall::Read, items), calls.PerItem(FileCall::Write, items),
                calls.PerItem(FileCall::Size, items), calls.PerItem(FileCall::Lock, items),
                calls.PerItem(FileCall::Map, items), calls.PerItem(FileCall::Flush, items));
  }
  std::sort(ratios.begin(), ratios.end());
  std::printf("median: compaction %.2f x the faster flushed copy\n", ratios[ratios.size() / 2]);
  fileio::RemoveFile(original);
  fileio::RemoveFile(lib);
  fileio::RemoveFile(DBNAME(lib, 'I'));
  return 0;
}

#include "narwen/rebuild.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "db/db.h"
#include "db/index_builder.h"
#include "db/media_item.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "narwen/library_names.h"
#include "skin/sk_folders.h"

namespace narwen {
namespace {

using db::kItemTrailer;

struct Failure {
  int code = 0;
  int step = 0;
};

int64_t DiskFree(const std::string& folder) {
#ifdef _WIN32
  return std::max<int64_t>(0, SKDISKFREE(folder));
#else
  std::error_code ec;
  auto info = std::filesystem::space(fileio::NativePath(folder.empty() ? "." : folder), ec);
  return ec ? 0 : int64_t(info.available);
#endif
}

// Reads a file from its end towards its start through a window of memory, so that a scan
// over many small items costs a system call per window rather than per item. Under Wine a
// read or write of several megabytes at once costs far more than the same bytes in
// pieces of a megabyte or less: the window and the appends stay below that.
class BackwardReader {
 public:
  static constexpr int64_t kWindow = 1 << 20;
  explicit BackwardReader(fileio::File& file) : file_(file) {}
  fileio::File& file() { return file_; }
  int ReadAt(int64_t at, void* out, size_t n) {
    if (int64_t(n) > kWindow / 2) return ReadDirect(at, out, n);
    const uint8_t* bytes = nullptr;
    if (int rc = View(at, n, bytes); rc != 0) return rc;
    std::memcpy(out, bytes, n);
    return 0;
  }
  // The bytes at .. at + n - 1 (n at most half the window) where they lie in the window,
  // valid until the next read: an item goes from there into the new library's buffer.
  int View(int64_t at, size_t n, const uint8_t*& bytes) {
    const int64_t end = at + int64_t(n);
    if (at < start_ || end > start_ + int64_t(buffer_.size())) {
      start_ = std::max<int64_t>(0, end - kWindow);
      buffer_.resize(size_t(end - start_));
      if (int rc = ReadDirect(start_, buffer_.data(), buffer_.size()); rc != 0) {
        buffer_.clear();
        return rc;
      }
    }
    bytes = buffer_.data() + (at - start_);
    return 0;
  }

 private:
  int ReadDirect(int64_t at, void* out, size_t n) {
    size_t got = 0;
    int rc = file_.ReadAt(at, out, n, got);
    return rc != 0 ? rc : (got != n ? fileio::kErrReadFault : 0);
  }
  fileio::File& file_;
  int64_t start_ = 0;
  std::vector<uint8_t> buffer_;
};

// Puts what a copy wrote on the disk while the copy goes on, on a thread of its own, so
// that the flush that makes the copy durable at its end finds little left to write.
class FlushBehind {
 public:
  explicit FlushBehind(fileio::File& file) : file_(file) {}
  ~FlushBehind() { Stop(); }
  void Ask() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      asked_ = true;
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
  }
  void Stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return asked_ || stop_; });
      if (stop_) return;
      asked_ = false;
      lock.unlock();
      file_.Flush();  // a failure here is the final flush's to report
      lock.lock();
    }
  }
  fileio::File& file_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool asked_ = false, stop_ = false;
  std::thread thread_;
};

// Appends to a file through a buffer; with a FlushBehind, every kFlushAhead bytes
// written are sent to the disk meanwhile.
class Appender {
 public:
  static constexpr size_t kChunk = 256 << 10;
  static constexpr int64_t kFlushAhead = 16 << 20;
  Appender(fileio::File& file, int64_t at, FlushBehind* behind = nullptr) : file_(file), at_(at), behind_(behind) {}
  int Append(const uint8_t* data, size_t n) {
    buffer_.insert(buffer_.end(), data, data + n);
    return buffer_.size() >= kChunk ? Write() : 0;
  }
  // Writes what is buffered; `durable` also flushes the file.
  int Write(bool durable = false) {
    if (!buffer_.empty()) {
      if (int rc = file_.WriteAt(at_, buffer_.data(), buffer_.size()); rc != 0) return rc;
      at_ += int64_t(buffer_.size());
      Written(int64_t(buffer_.size()));
      buffer_.clear();
    }
    if (!durable) return 0;
    if (behind_) behind_->Stop();
    return file_.Flush();
  }
  int64_t end() const { return at_ + int64_t(buffer_.size()); }
  // Moves past bytes written to the file directly (after Write).
  void Advance(int64_t n) {
    at_ += n;
    Written(n);
  }

 private:
  void Written(int64_t n) {
    unflushed_ += n;
    if (behind_ && unflushed_ >= kFlushAhead) {
      behind_->Ask();
      unflushed_ = 0;
    }
  }
  fileio::File& file_;
  int64_t at_;
  FlushBehind* behind_;
  int64_t unflushed_ = 0;
  std::vector<uint8_t> buffer_;
};

bool EndMarkAt(BackwardReader& f, int64_t pos) {
  if (pos < 6) return false;
  uint8_t mark[6];
  return f.ReadAt(pos - 6, mark, 6) == 0 && std::memcmp(mark, db::kItemEndMark, 6) == 0;
}

// Walks the items from the end; `visit` gets each intact trailer and the item's end.
template <typename Visit>
Failure Scan(BackwardReader& f, int64_t length, const std::function<void(int)>& progress, Visit visit) {
  int64_t pos = length;
  int shown = -1;
  while (pos >= kItemTrailer) {
    int percent = length > 0 ? 100 - int((100 * pos + length / 2) / length) : 100;
    if (percent != shown && progress) progress(percent);
    shown = percent;
    uint8_t t[kItemTrailer];
    int rc = f.ReadAt(pos - kItemTrailer, t, sizeof t);
    if (rc != 0) return {rc, kStepRead};
    db::ItemTrailer item;
    if (db::DecodeItemTrailer(t, pos, item)) {
      if (Failure fail = visit(item, pos); fail.code != 0) return fail;
      pos = item.start;
      continue;
    }
    // Stray bytes or a damaged trailer: resynchronise on the previous end mark.
    const int64_t limit = EndMarkAt(f, pos) ? pos - 1 : pos;
    const int64_t found = db::LastItemEndMark(f.file(), limit, rc, kSearchBlock);
    if (rc != 0) return {rc, kStepSearch};
    if (found < 0) return {kNoEndMark, kStepSearch};
    pos = found;
  }
  return {};
}

// The new index: built by this run alone under its lock, unjournalled (a run cut short
// before its commit point throws it away) and filed in batches in key order.
class IndexHandle {
 public:
  int Open(const std::string& path) { return builder_.Open(path, db::kItemNameLength); }
  int Insert(const std::string& name, int64_t value) { return builder_.Add(name, int32_t(value)); }
  bool Holds(const std::string& name) {
    bool holds = false;
    return builder_.Holds(name, holds) == 0 && holds;
  }
  // Files what waits and puts the index on the disk: 0 when it is complete there.
  int Close() { return builder_.Close(); }

 private:
  db::IndexBuilder builder_;
};

void Sleep300() { std::this_thread::sleep_for(std::chrono::milliseconds(300)); }

Failure RebuildHeld(const WorkFiles& files, int mode, const RebuildHooks& hooks);

std::string FolderLockOf(const WorkFiles& files) {
  return fileio::WithTrailingSeparator(fileio::FolderOf(files.library)) + "NARWEN.LCK";
}

Failure RebuildOne(const std::string& library, int mode, const RebuildHooks& hooks) {
  const WorkFiles files = WorkFilesOf(library);
  // Taking the library's lock makes its index file: a run that fails leaves none where
  // there was none.
  const bool hadIndex = fileio::Exists(files.index);
  Failure fail = RebuildHeld(files, mode, hooks);
  if (fail.code != 0 && !hadIndex && fileio::FileSize(files.index) == 0) fileio::RemoveFile(files.index);
  return fail;
}

Failure RebuildHeld(const WorkFiles& files, int mode, const RebuildHooks& hooks) {
  // The libraries of a folder share the work files' names, and several copies of the tool
  // may run: one run at a time in a folder uses them.
  db::LibraryLock folderLock;
  if (int rc = folderLock.Acquire(FolderLockOf(files)); rc != 0) return {rc, kStepOpen};
  // The whole run holds the library's lock: a store meanwhile waits for the new library
  // rather than landing in the one about to be replaced.
  db::LibraryLock lock;
  if (int rc = lock.Acquire(files.index); rc != 0) return {rc, kStepOpen};
  if (int rc = FinishSwap(files); rc != 0) return {rc, kStepRename};
  fileio::File lib;
  int rc = lib.Open(files.library, fileio::Access::ReadWrite, fileio::Share::DenyRead);
  for (int retry = 0; rc != 0 && retry < 5; ++retry) {
    Sleep300();
    rc = lib.Open(files.library, fileio::Access::ReadWrite, fileio::Share::DenyRead);
  }
  if (rc != 0) return {rc, kStepOpen};
  const int64_t length = lib.Size();
  if (length < 0) return {kDbErrInvalidHandle, kStepOpen};
  const int64_t indexSize = std::max<int64_t>(0, fileio::FileSize(files.index));
  const int64_t need = 2 * (length + indexSize);
  const std::string folder = fileio::FolderOf(files.library);
  const int64_t free = hooks.freeSpace ? hooks.freeSpace(folder) : DiskFree(folder);
  const bool enough = free > need;
  if (hooks.status) hooks.status(files.library, enough);
  // Items a stopped run cut from the library live only in its cut file: it goes on.
  const bool cutFile = fileio::Exists(files.cutLibrary);
  const bool takeOver = cutFile && db::OwnsWorkFile(files.cutLibrary, files);
  if (cutFile && !takeOver && mode == kModeCompact && !enough) {
    // The cut file is another library's, whose stopped run this one must neither take over
    // nor overwrite: that run goes on first (its items are missing from its library until
    // then), and this one starts again with the space it left.
    lib.Close();
    Failure other = RebuildHeld(WorkFilesOf(db::SwapOwnerOf(files.cutLibrary)), kModeCompact, hooks);
    return other.code != 0 ? other : RebuildHeld(files, mode, hooks);
  }
  if (mode == kModeCompact && !enough && !takeOver && free < hooks.minimumFree) return {kDbRefused, kStepOpen};
  const bool cutting = takeOver || (mode == kModeCompact && !enough);
  const bool compacting = mode == kModeCompact || takeOver;

  fileio::RemoveFile(files.tempIndex);
  fileio::RemoveFile(files.tempIndex + ".UND");
  IndexHandle index;
  if ((rc = index.Open(files.tempIndex)) != 0) return {rc, kStepInsert};
  fileio::File out;
  int64_t written = 0;
  if (cutting) {
    if ((rc = db::WriteSwapOwner(files.cutLibrary, files.library)) != 0) return {rc, kStepWrite};
    if ((rc = out.OpenAlways(files.cutLibrary, fileio::Share::DenyRead)) != 0) return {rc, kStepWrite};
    // Keep its complete items; a copy cut short at its end is taken again from the library.
    int64_t keep = -1;
    BackwardReader cutReader(out);
    Failure fail = Scan(cutReader, out.Size(), nullptr, [&](const db::ItemTrailer& item, int64_t end) -> Failure {
      if (keep < 0) keep = end;
      if (item.removed) return {};
      int r = index.Insert(item.name, end);
      return {r, kStepInsert};
    });
    if (fail.code == kNoEndMark) fail = {};
    if (fail.code != 0) return fail;
    written = std::max<int64_t>(0, keep);
    if ((rc = out.Truncate(written)) != 0) return {rc, kStepCut};
  } else if (compacting) {
    fileio::RemoveFile(files.tempLibrary);
    if ((rc = out.Open(files.tempLibrary, fileio::Access::WriteNew, fileio::Share::DenyRead)) != 0) {
      return {rc, kStepWrite};
    }
  }

  BackwardReader reader(lib);
  // A run short of space flushes after every item anyway.
  FlushBehind behind(out);
  Appender appender(out, written, cutting ? nullptr : &behind);
  Failure fail = Scan(reader, length, hooks.progress, [&](const db::ItemTrailer& item, int64_t end) -> Failure {
    const int64_t itemLength = end - item.start;
    bool keep = !item.removed && !(takeOver && index.Holds(item.name));
    if (keep && compacting) {
      if (itemLength <= BackwardReader::kWindow / 2) {
        const uint8_t* bytes = nullptr;
        if (int r = reader.View(item.start, size_t(itemLength), bytes); r != 0) return {r, kStepRead};
        if (int r = appender.Append(bytes, size_t(itemLength)); r != 0) return {r, kStepWrite};
      } else {
        if (int r = appender.Write(); r != 0) return {r, kStepWrite};
        if (int r = db::CopyFileBytes(lib, item.start, out, appender.end(), itemLength); r != 0) return {r, kStepWrite};
        appender.Advance(itemLength);
      }
      if (int r = index.Insert(item.name, appender.end()); r != 0) return {r, kStepInsert};
    } else if (keep) {
      if (int r = index.Insert(item.name, end); r != 0) return {r, kStepInsert};
    }
    if (cutting) {
      // The copy reaches the disk before its bytes leave the library.
      if (int r = appender.Write(true); r != 0) return {r, kStepWrite};
      if (int r = lib.Truncate(item.start); r != 0) return {r, kStepCut};
    }
    return {};
  });
  if (fail.code != 0) return fail;
  if ((rc = index.Close()) != 0) return {rc, kStepInsert};
  if (compacting) {
    if ((rc = appender.Write(true)) != 0) return {rc, kStepWrite};
    out.Close();
  }
  lib.Close();
  if (hooks.progress) hooks.progress(100);
  // The note names the library the commit file belongs to: the libraries of a folder
  // share the work files' names.
  const std::string& ready = compacting ? files.readyLibrary : files.readyIndex;
  if ((rc = db::WriteSwapOwner(ready, files.library)) != 0) return {rc, kStepRename};
  if (compacting) {
    if ((rc = fileio::MoveFileReplacing(cutting ? files.cutLibrary : files.tempLibrary, files.readyLibrary)) != 0) {
      return {rc, kStepRename};
    }
    if (cutting) db::RemoveSwapOwner(files.cutLibrary);
  } else if ((rc = fileio::MoveFileReplacing(files.tempIndex, files.readyIndex)) != 0) {
    return {rc, kStepRename};
  }
  if (hooks.committed) hooks.committed(ready);
  if ((rc = FinishSwap(files)) != 0) return {rc, kStepRename};
  fileio::RemoveFile(files.tempIndex + ".UND");
  return {};
}

}  // namespace

WorkFiles WorkFilesOf(const std::string& library) { return db::LibraryWorkFilesOf(library); }

int FinishSwap(const WorkFiles& f) {
  if (int rc = db::FinishLibrarySwap(f); rc != 0) return rc;
  // Without a commit point an index left beside the old one is half built.
  if (fileio::Exists(f.tempIndex)) fileio::RemoveFile(f.tempIndex);
  return 0;
}

RebuildResult RebuildDatabase(const std::string& path, int mode, bool all, const RebuildHooks& hooks) {
  RebuildResult result;
  for (const std::string& library : LibrariesOf(path, hooks.prefix, all)) {
    Failure fail = RebuildOne(library, mode, hooks);
    if (fail.code != 0 && result.code == 0) {
      result.code = fail.code;
      result.step = fail.step;
      result.library = DBNAME(library, 'B');
    }
  }
  if (hooks.progress) hooks.progress(0);
  return result;
}

std::string RebuildFailureText(const RebuildResult& result, const std::string& codeText) {
  if (result.code == kNoEndMark)
    return result.library + "|The library is damaged at its start: the bytes before its first item end in no item " +
           "mark. Nothing was changed.";
  if (result.code == kDbRefused)
    return result.library + "|Too little free disk space for a compaction. Nothing was changed.";
  return result.library.empty() ? codeText : result.library + "|" + codeText;
}

int REBUILDDATABASE(const std::string& path, int mode, bool all, const RebuildHooks& hooks) {
  return RebuildDatabase(path, mode, all, hooks).code;
}

}  // namespace narwen

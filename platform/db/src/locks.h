// Locks between programs. The file layer's byte-range locks fail at once when another
// handle holds them; the database waits a while for them instead, because the other
// program only holds them for the length of one operation.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "fileio/file.h"

namespace db {

// Tries `tryLock` until it stops failing with a lock violation or the lock timeout ends.
int WaitForLock(const std::function<int()>& tryLock);
int LockTimeoutMs();

// The byte that guards an index group lies far beyond any data, so that Windows'
// mandatory range locks never get in the way of reading or writing the file itself.
inline constexpr int64_t kGroupLockOffset = int64_t(1) << 40;

// One lock shared by a set of index files: the indexes of a record file are guarded by
// one byte of the record file, so that appending a record locks once for all of its
// indexes; any other index file guards itself. Within the process the lock is
// re-entrant and serialises threads; between programs it is a byte-range lock.
class LockGroup {
 public:
  // The group of an index file (shared by every user in this process).
  static std::shared_ptr<LockGroup> ForIndex(const std::string& indexPath, int& rc);
  ~LockGroup();

  int Acquire();
  void Release();
  // The lock within this process only (threads), for reads that check afterwards that
  // no other program changed anything.
  void LockLocal() { mutex_.lock(); }
  void UnlockLocal() { mutex_.unlock(); }
  // True when this thread holds the lock between programs (call with the local lock held).
  bool HeldHere() const { return depth_ > 0; }
  const std::string& path() const { return path_; }

 private:
  LockGroup() = default;
  std::recursive_mutex mutex_;
  int depth_ = 0;
  bool readOnly_ = false;
  bool registered_ = false;
  fileio::File file_;
  std::string path_;
};

class LocalHold {
 public:
  explicit LocalHold(LockGroup& group) : group_(group) { group_.LockLocal(); }
  ~LocalHold() { group_.UnlockLocal(); }
  LocalHold(const LocalHold&) = delete;
  LocalHold& operator=(const LocalHold&) = delete;

 private:
  LockGroup& group_;
};

// Holds a group's lock for a scope.
class GroupHold {
 public:
  explicit GroupHold(LockGroup& group) : group_(group) { rc_ = group_.Acquire(); }
  ~GroupHold() {
    if (rc_ == 0) group_.Release();
  }
  GroupHold(const GroupHold&) = delete;
  GroupHold& operator=(const GroupHold&) = delete;
  int rc() const { return rc_; }

 private:
  LockGroup& group_;
  int rc_;
};

// The record file whose index the path names (see DBINDEX), or "" for another file.
std::string OwnerRecordFile(const std::string& indexPath);

// The key by which this process recognises one file: separators unified, and on
// Windows without regard to letter case.
std::string FileKey(const std::string& path);

}  // namespace db

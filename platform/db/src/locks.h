// Locks between programs. The file layer's byte-range locks fail at once when another
// handle holds them; the database waits a while for them instead, because the other
// program only holds them for the length of one operation.
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "fileio/file.h"

namespace db {

// Tries `tryLock` until it stops failing with a lock violation or the lock timeout ends.
// While it waits it knocks (knock(true) locks the knock byte, knock(false) lets it go):
// a batch that keeps the lock between its operations lets go when it finds a knock.
int WaitForLock(const std::function<int()>& tryLock, const std::function<int(bool)>& knock = nullptr);
int LockTimeoutMs();

// The byte that guards an index group lies far beyond any data, so that Windows'
// mandatory range locks never get in the way of reading or writing the file itself.
inline constexpr int64_t kGroupLockOffset = int64_t(1) << 40;
// The byte that a program waiting for a lock of the file holds while it waits.
inline constexpr int64_t kKnockOffset = kGroupLockOffset + 1;

// Knocking with and looking for knocks through a handle of the file.
int Knock(fileio::File& file, bool on);
// True when another handle holds the knock byte: someone waits for a lock of the file.
bool Knocked(fileio::File& file);
// Waits (within the lock timeout) until nobody knocks at the file any more.
void AwaitKnocksGoneFrom(fileio::File& file);
// Lets go what this thread keeps between the operations of its batch (sessions.h) before
// it waits for anything.
void EndLeasesBeforeWaiting();
// How often a batch that keeps locks between its operations looks for knocks.
inline constexpr auto kKnockLook = std::chrono::milliseconds(2);

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
  // Kept: the lock between programs stays taken after the last Release (a batch keeps it
  // between its filings) until EndLease, or a knock found by LetGoIfKnocked.
  void Lease();
  void EndLease();
  // Lets a kept lock go when another program knocks; true when it did.
  bool LetGoIfKnocked();
  // After letting go for a knock: waits (within the lock timeout) until the knocker has
  // taken what it waited for, so that this program does not take it straight back.
  void AwaitKnocksGone();
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
  bool keep_ = false;   // the lock between programs stays taken at depth 0
  bool osHeld_ = false; // this process holds the lock between programs
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

#include "locks.h"

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "db/db.h"
#include "fileio/paths.h"

namespace db {
namespace {

std::atomic<int> gLockTimeoutMs{10000};

struct GroupRegistry {
  std::mutex mutex;
  std::map<std::string, std::weak_ptr<LockGroup>> groups;
};

GroupRegistry& Groups() {
  // Never destroyed: files may still be released while the program ends.
  static GroupRegistry* registry = new GroupRegistry;
  return *registry;
}

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

int LockTimeoutMs() { return gLockTimeoutMs.load(); }

int Knock(fileio::File& file, bool on) {
  return on ? file.Lock(kKnockOffset, 1) : file.Unlock(kKnockOffset, 1);
}

bool Knocked(fileio::File& file) {
  int rc = file.Lock(kKnockOffset, 1);
  if (rc == 0) file.Unlock(kKnockOffset, 1);
  return rc == fileio::kErrLockViolation;
}

void AwaitKnocksGoneFrom(fileio::File& file) {
  EndLeasesBeforeWaiting();
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  for (int attempt = 0; Knocked(file); ++attempt) {
    if (Clock::now() - start >= std::chrono::milliseconds(gLockTimeoutMs.load())) return;
    if (attempt < 50) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

int WaitForLock(const std::function<int()>& tryLock, const std::function<int(bool)>& knock) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  bool knocking = false;
  // The knock goes when the wait ends, whichever way.
  auto done = [&](int rc) {
    if (knocking) knock(false);
    return rc;
  };
  for (int attempt = 0;; ++attempt) {
    int rc = tryLock();
    if (rc != fileio::kErrLockViolation) return done(rc);
    // Another waiter may hold the knock byte: its knock serves both, and this one knocks
    // once that waiter is through. Knocked again at every try: a thread of this program
    // looking for knocks through the same handle takes the knock away with its look.
    if (knock) knocking = knock(true) == 0 || knocking;
    EndLeasesBeforeWaiting();
    auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (waited >= gLockTimeoutMs.load()) return done(rc);
    // The holder needs microseconds: yield first, then sleep so as not to burn a core.
    if (attempt < 50) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

std::string FileKey(const std::string& path) {
  std::string key = path;
  for (char& c : key) {
    if (c == '/') c = '\\';
  }
#ifdef _WIN32
  key = fileio::ToUpper(key);
#endif
  return key;
}

std::string OwnerRecordFile(const std::string& indexPath) {
  // DBINDEX names index k of "X.F01" "X.F01.K<k>".
  std::string ext = fileio::ExtensionOf(indexPath);
  if (ext.size() < 3 || (ext[0] != 'K' && ext[0] != 'k') || !IsDigits(std::string_view(ext).substr(1))) return "";
  std::string owner = fileio::WithoutExtension(indexPath);
  if (fileio::ExtensionOf(owner).empty()) return "";
  return fileio::Exists(owner) && !fileio::IsDirectory(owner) ? owner : "";
}

std::shared_ptr<LockGroup> LockGroup::ForIndex(const std::string& indexPath, int& rc) {
  std::string owner = OwnerRecordFile(indexPath);
  std::string target = owner.empty() ? indexPath : owner;
  std::string key = FileKey(target);
  auto& reg = Groups();
  std::lock_guard<std::mutex> guard(reg.mutex);
  if (auto existing = reg.groups[key].lock()) {
    rc = 0;
    return existing;
  }
  std::shared_ptr<LockGroup> group(new LockGroup);
  group->path_ = target;
  // The lock file is opened on its own handle: other handles of this process must see
  // the lock as a foreign one, just as other programs do.
  rc = owner.empty() ? group->file_.OpenAlways(target, fileio::Share::DenyNone)
                     : group->file_.Open(target, fileio::Access::ReadWrite, fileio::Share::DenyNone);
  if (rc != 0) {
    // A file nobody may write (a read-only archive) needs no lock between programs.
    if (group->file_.Open(target, fileio::Access::Read, fileio::Share::DenyNone) != 0) return nullptr;
    group->readOnly_ = true;
    rc = 0;
  }
  reg.groups[key] = group;
  group->registered_ = true;
  return group;
}

LockGroup::~LockGroup() {
  file_.Close();
  if (!registered_) return;
  auto& reg = Groups();
  std::lock_guard<std::mutex> guard(reg.mutex);
  auto it = reg.groups.find(FileKey(path_));
  if (it != reg.groups.end() && it->second.expired()) reg.groups.erase(it);
}

int LockGroup::Acquire() {
  mutex_.lock();
  if (depth_ == 0 && !readOnly_ && !osHeld_) {
    int rc = WaitForLock([this] { return file_.Lock(kGroupLockOffset, 1); },
                         [this](bool on) { return Knock(file_, on); });
    if (rc != 0) {
      mutex_.unlock();
      return rc;
    }
    osHeld_ = true;
  }
  ++depth_;
  return 0;
}

void LockGroup::Release() {
  if (--depth_ == 0 && osHeld_ && !keep_) {
    file_.Unlock(kGroupLockOffset, 1);
    osHeld_ = false;
  }
  mutex_.unlock();
}

void LockGroup::Lease() {
  std::lock_guard<std::recursive_mutex> guard(mutex_);
  keep_ = !readOnly_;
}

void LockGroup::AwaitKnocksGone() { AwaitKnocksGoneFrom(file_); }

void LockGroup::EndLease() {
  std::lock_guard<std::recursive_mutex> guard(mutex_);
  keep_ = false;
  if (depth_ == 0 && osHeld_) {
    file_.Unlock(kGroupLockOffset, 1);
    osHeld_ = false;
  }
}

bool LockGroup::LetGoIfKnocked() {
  std::lock_guard<std::recursive_mutex> guard(mutex_);
  if (!keep_ || !Knocked(file_)) return false;
  keep_ = false;
  if (depth_ == 0 && osHeld_) {
    file_.Unlock(kGroupLockOffset, 1);
    osHeld_ = false;
  }
  return true;
}

}  // namespace db

void DbSetLockTimeout(int milliseconds) { db::gLockTimeoutMs = milliseconds < 0 ? 0 : milliseconds; }

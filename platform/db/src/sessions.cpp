#include "sessions.h"

#include <map>
#include <thread>

#include "flushes.h"
#include "skin/sk_files.h"

namespace db {
namespace {

struct SessionRegistry {
  // Recursive: a wait inside a session (for a lock of another file) lets this thread's
  // leases go under it.
  std::recursive_mutex mutex;
  std::map<int, std::unique_ptr<AppendSession>> sessions;  // by record file handle
  std::map<std::string, std::unique_ptr<CounterFile>> counters;  // by FileKey
  bool janitorRunning = false;
};

// This thread may hold leases (set when it takes one; a lease ended by another thread
// leaves it set, which costs a look).
thread_local bool tMayHoldLeases = false;

SessionRegistry& Registry() {
  // Never destroyed: the janitor thread may still look at it while the program ends.
  static SessionRegistry* registry = new SessionRegistry;
  return *registry;
}

// A lease whose batch has not used it for a while is looked at here too, so that a
// knocking program does not wait for the batch's next filing.
constexpr auto kLeaseIdle = std::chrono::milliseconds(2);

void Janitor() {
  auto& reg = Registry();
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::lock_guard<std::recursive_mutex> guard(reg.mutex);
    auto now = std::chrono::steady_clock::now();
    for (auto& [number, session] : reg.sessions) {
      if (session->leased && now - session->lastUse >= kLeaseIdle &&
          session->indexes[0].file->group().LetGoIfKnocked())
        EndAppendLease(*session);
    }
    for (auto& [key, counter] : reg.counters) {
      if (counter->leased && now - counter->lastUse >= kLeaseIdle && Knocked(counter->file)) EndCounterLease(*counter);
    }
    for (auto it = reg.sessions.begin(); it != reg.sessions.end();) {
      it = now - it->second->lastUse >= kSessionIdle ? reg.sessions.erase(it) : std::next(it);
    }
    for (auto it = reg.counters.begin(); it != reg.counters.end();) {
      it = now - it->second->lastUse >= kSessionIdle ? reg.counters.erase(it) : std::next(it);
    }
    if (reg.sessions.empty() && reg.counters.empty()) {
      reg.janitorRunning = false;
      return;
    }
  }
}

void SweepLocked(SessionRegistry& reg, int keep = 0) {
  for (auto it = reg.sessions.begin(); it != reg.sessions.end();) {
    it = it->first != keep && SKFLOF(it->first) < 0 ? reg.sessions.erase(it) : std::next(it);
  }
}

void StartJanitor(SessionRegistry& reg) {
  if (reg.janitorRunning) return;
  try {
    std::thread(Janitor).detach();
    reg.janitorRunning = true;
  } catch (...) {
    // Without a janitor a session ends at the next call after its file is closed.
  }
}

}  // namespace

AppendSession::~AppendSession() { EndAppendLease(*this); }

void EndAppendLease(AppendSession& s) {
  if (!s.leased) return;
  s.leased = false;
  if (!s.indexes.empty() && s.indexes[0].file) s.indexes[0].file->group().EndLease();
  SKFUNLOCK(s.fileNumber, 0, s.recordLength);
}

bool KeepAppendLease(AppendSession& s) {
  if (!s.leased) return false;
  if (InBatch() && s.leaseOwner == std::this_thread::get_id()) {
    const auto now = std::chrono::steady_clock::now();
    if (now - s.knockLook < kKnockLook) return true;
    s.knockLook = now;
    if (!s.indexes[0].file->group().LetGoIfKnocked()) return true;
    // Both locks go for a knock at either: the knocker may want the header lock or the
    // group's, and it gets in before this program takes them again.
    EndAppendLease(s);
    EndLeasesBeforeWaiting();
    s.indexes[0].file->group().AwaitKnocksGone();
    return false;
  }
  EndAppendLease(s);
  return false;
}

CounterFile::~CounterFile() {
  EndCounterLease(*this);
  if (ForgetFlush(uintptr_t(&file))) file.Flush();
}

void EndCounterLease(CounterFile& c) {
  if (!c.leased) return;
  c.leased = false;
  c.text.clear();
  c.file.Unlock(kGroupLockOffset, 1);
}

bool KeepCounterLease(CounterFile& c) {
  if (!c.leased) return false;
  if (InBatch() && c.leaseOwner == std::this_thread::get_id()) {
    const auto now = std::chrono::steady_clock::now();
    if (now - c.knockLook < kKnockLook) return true;
    c.knockLook = now;
    if (!Knocked(c.file)) return true;
    EndCounterLease(c);
    EndLeasesBeforeWaiting();
    AwaitKnocksGoneFrom(c.file);
    return false;
  }
  EndCounterLease(c);
  return false;
}

namespace {

// Another handle of this process would wait for the lease of another session of the
// same record file: it goes first.
void EndOtherLeases(SessionRegistry& reg, int fileNumber, const std::string& key) {
  for (auto& [number, session] : reg.sessions)
    if (number != fileNumber && session->pathKey == key) EndAppendLease(*session);
}

}  // namespace

void EndAppendLeases() {
  auto& reg = Registry();
  std::lock_guard<std::recursive_mutex> guard(reg.mutex);
  for (auto& [number, session] : reg.sessions) EndAppendLease(*session);
}

namespace {

void EndThreadLeasesLocked(SessionRegistry& reg) {
  const auto me = std::this_thread::get_id();
  for (auto& [number, session] : reg.sessions)
    if (session->leased && session->leaseOwner == me) EndAppendLease(*session);
  for (auto& [key, counter] : reg.counters)
    if (counter->leased && counter->leaseOwner == me) EndCounterLease(*counter);
  tMayHoldLeases = false;
}

}  // namespace

void EndThreadLeases() {
  if (!tMayHoldLeases) return;
  auto& reg = Registry();
  std::lock_guard<std::recursive_mutex> guard(reg.mutex);
  EndThreadLeasesLocked(reg);
}

void MarkLeaseTaken() { tMayHoldLeases = true; }

// A thread that waits (for a lock or a knocker) must hold no lease meanwhile: the program
// it waits for may wait for one of them. Never blocks on the registry: a thread that
// holds a lock of its own and waits for it here could hold up one that has the registry.
void EndLeasesBeforeWaiting() {
  if (!tMayHoldLeases) return;
  auto& reg = Registry();
  std::unique_lock<std::recursive_mutex> guard(reg.mutex, std::try_to_lock);
  if (guard.owns_lock()) EndThreadLeasesLocked(reg);
}

int WithAppendSession(const std::string& path, int fileNumber, const std::function<int(AppendSession&)>& fn) {
  auto& reg = Registry();
  std::lock_guard<std::recursive_mutex> guard(reg.mutex);
  SweepLocked(reg, fileNumber);
  auto& slot = reg.sessions[fileNumber];
  std::string key = FileKey(path);
  if (!slot || slot->pathKey != key) {
    slot = std::make_unique<AppendSession>();
    slot->fileNumber = fileNumber;
    slot->pathKey = key;
  }
  EndOtherLeases(reg, fileNumber, key);
  int rc = fn(*slot);
  slot->lastUse = std::chrono::steady_clock::now();
  StartJanitor(reg);
  return rc;
}

int WithCounterFile(const std::string& path, const std::function<int(CounterFile&)>& fn) {
  auto& reg = Registry();
  std::lock_guard<std::recursive_mutex> guard(reg.mutex);
  auto& slot = reg.counters[FileKey(path)];
  if (!slot) {
    auto counter = std::make_unique<CounterFile>();
    int rc = counter->file.OpenAlways(path, fileio::Share::DenyNone);
    if (rc != 0) {
      reg.counters.erase(FileKey(path));
      return rc;
    }
    slot = std::move(counter);
  }
  int rc = fn(*slot);
  slot->lastUse = std::chrono::steady_clock::now();
  StartJanitor(reg);
  return rc;
}

void SweepAppendSessions() {
  auto& reg = Registry();
  std::lock_guard<std::recursive_mutex> guard(reg.mutex);
  SweepLocked(reg);
}

void EndAppendSessions(const std::string& path) {
  auto& reg = Registry();
  std::lock_guard<std::recursive_mutex> guard(reg.mutex);
  std::string key = FileKey(path);
  for (auto it = reg.sessions.begin(); it != reg.sessions.end();) {
    it = it->second->pathKey == key ? reg.sessions.erase(it) : std::next(it);
  }
}

}  // namespace db

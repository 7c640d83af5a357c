#include "sessions.h"

#include <map>
#include <thread>

#include "flushes.h"
#include "skin/sk_files.h"

namespace db {
namespace {

struct CounterFile {
  fileio::File file;
  std::chrono::steady_clock::time_point lastUse;
  ~CounterFile() {
    if (ForgetFlush(uintptr_t(&file))) file.Flush();
  }
};

struct SessionRegistry {
  std::mutex mutex;
  std::map<int, std::unique_ptr<AppendSession>> sessions;  // by record file handle
  std::map<std::string, std::unique_ptr<CounterFile>> counters;  // by FileKey
  bool janitorRunning = false;
};

SessionRegistry& Registry() {
  // Never destroyed: the janitor thread may still look at it while the program ends.
  static SessionRegistry* registry = new SessionRegistry;
  return *registry;
}

void Janitor() {
  auto& reg = Registry();
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::lock_guard<std::mutex> guard(reg.mutex);
    auto now = std::chrono::steady_clock::now();
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

int WithAppendSession(const std::string& path, int fileNumber, const std::function<int(AppendSession&)>& fn) {
  auto& reg = Registry();
  std::lock_guard<std::mutex> guard(reg.mutex);
  SweepLocked(reg, fileNumber);
  auto& slot = reg.sessions[fileNumber];
  std::string key = FileKey(path);
  if (!slot || slot->pathKey != key) {
    slot = std::make_unique<AppendSession>();
    slot->fileNumber = fileNumber;
    slot->pathKey = key;
  }
  int rc = fn(*slot);
  slot->lastUse = std::chrono::steady_clock::now();
  StartJanitor(reg);
  return rc;
}

int WithCounterFile(const std::string& path, const std::function<int(fileio::File&)>& fn) {
  auto& reg = Registry();
  std::lock_guard<std::mutex> guard(reg.mutex);
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
  int rc = fn(slot->file);
  slot->lastUse = std::chrono::steady_clock::now();
  StartJanitor(reg);
  return rc;
}

void SweepAppendSessions() {
  auto& reg = Registry();
  std::lock_guard<std::mutex> guard(reg.mutex);
  SweepLocked(reg);
}

void EndAppendSessions(const std::string& path) {
  auto& reg = Registry();
  std::lock_guard<std::mutex> guard(reg.mutex);
  std::string key = FileKey(path);
  for (auto it = reg.sessions.begin(); it != reg.sessions.end();) {
    it = it->second->pathKey == key ? reg.sessions.erase(it) : std::next(it);
  }
}

}  // namespace db

#include "flushes.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "db/db.h"
#include "sessions.h"

namespace db {
namespace {

struct Waiting {
  uintptr_t target;
  std::thread::id thread;
  std::function<int()> flush;
};

// Shared by every thread: a file may be closed on another thread than the one whose
// batch waits to flush it. The flushes run under the mutex, so that a target cannot go
// away while it is being flushed.
struct Registry {
  std::mutex mutex;
  std::vector<Waiting> waiting;
};

Registry& Flushes() {
  static Registry* registry = new Registry;  // never destroyed: files close while the program ends
  return *registry;
}

thread_local int tBatchDepth = 0;

}  // namespace

int FlushAtEnd(uintptr_t target, const std::function<int()>& flush) {
  if (tBatchDepth == 0) return flush();
  auto& r = Flushes();
  std::lock_guard<std::mutex> guard(r.mutex);
  auto id = std::this_thread::get_id();
  for (const Waiting& w : r.waiting)
    if (w.target == target && w.thread == id) return 0;
  r.waiting.push_back({target, id, flush});
  return 0;
}

bool ForgetFlush(uintptr_t target) {
  auto& r = Flushes();
  std::lock_guard<std::mutex> guard(r.mutex);
  auto end = std::remove_if(r.waiting.begin(), r.waiting.end(), [&](const Waiting& w) { return w.target == target; });
  bool any = end != r.waiting.end();
  r.waiting.erase(end, r.waiting.end());
  return any;
}

bool InBatch() { return tBatchDepth > 0; }

int BatchDepth() { return tBatchDepth; }

Batch::Batch() { ++tBatchDepth; }

Batch::~Batch() { End(); }

int Batch::End() {
  if (ended_) return 0;
  ended_ = true;
  if (--tBatchDepth > 0) return 0;
  // The locks the batch kept between its operations go before the disk is waited for.
  EndThreadLeases();
  auto& r = Flushes();
  std::lock_guard<std::mutex> guard(r.mutex);
  auto id = std::this_thread::get_id();
  int first = 0;
  for (auto it = r.waiting.begin(); it != r.waiting.end();) {
    if (it->thread != id) {
      ++it;
      continue;
    }
    int rc = it->flush();
    if (first == 0) first = rc;
    it = r.waiting.erase(it);
  }
  return first;
}

}  // namespace db

namespace {
thread_local std::vector<std::unique_ptr<db::Batch>> tOpenBatches;
}  // namespace

void DbBeginBatch() { tOpenBatches.push_back(std::make_unique<db::Batch>()); }

int DbEndBatch() {
  if (tOpenBatches.empty()) return kDbErrInvalidParameter;
  int rc = tOpenBatches.back()->End();
  tOpenBatches.pop_back();
  return rc;
}

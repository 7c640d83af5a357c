#include "copy_pool.h"

#include <algorithm>
#include <utility>

#include "db/db.h"

namespace ostrel {

namespace {

constexpr size_t kThreads = 4;
// Items a thread copies with one lock of the library and one open of its file.
constexpr size_t kBatch = 16;

}  // namespace

CopyPool::CopyPool(const std::string& library, std::string folder) : reader_(library), folder_(std::move(folder)) {}

CopyPool::~CopyPool() { Finish(true); }

void CopyPool::Add(const std::string& item, const std::string& key, bool picture, size_t order) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back({item, key, picture, order});
  }
  // The threads start with the first copy: a search without matches starts none.
  if (threads_.empty())
    for (size_t i = 0; i < kThreads; ++i) threads_.emplace_back([this] { Work(); });
  wake_.notify_one();
}

void CopyPool::Work() {
  std::vector<Job> batch;
  std::vector<db::LibraryReader::Copy> copies;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      // A share of what waits, so that the other threads have theirs.
      const size_t take = std::clamp<size_t>(jobs_.size() / kThreads, 1, kBatch);
      batch.clear();
      for (size_t i = 0; i < take; ++i) {
        batch.push_back(std::move(jobs_.front()));
        jobs_.pop_front();
      }
    }
    copies.clear();
    for (const Job& job : batch) copies.push_back({job.item, folder_ + job.item, 0});
    reader_.CopyOut(copies);
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < batch.size(); ++i) {
      const Job& job = batch[i];
      const int rc = copies[i].rc;
      if (rc == 0) {
        ++result_.items;
        if (job.picture) ++result_.pictures;
      } else if (rc != kDbErrNotFound && (result_.code == 0 || job.order < failedOrder_)) {
        result_.code = rc;
        result_.failedKey = job.key;
        failedOrder_ = job.order;
      }
    }
  }
}

CopyPool::Result CopyPool::Finish(bool drop) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (drop) jobs_.clear();
    closing_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
  std::lock_guard<std::mutex> lock(mutex_);
  closing_ = false;
  return result_;
}

}  // namespace ostrel

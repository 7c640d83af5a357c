#include "copy_pool.h"

#include <utility>

#include "db/db.h"
#include "fileio/file.h"

namespace ostrel {

namespace {

constexpr size_t kThreads = 4;

// The library's index, open for a whole search on one thread: items it does not name are
// passed over without a call of the library each (most records lack some of their four
// items).
class ItemIndex {
 public:
  explicit ItemIndex(const std::string& library) {
    const std::string index = DBNAME(library, 'I');
    int status = 0;
    if (fileio::Exists(index)) qBtOpen(index, kItemNameLength, handle_, status);
  }
  ~ItemIndex() { qBtClose(handle_); }
  ItemIndex(const ItemIndex&) = delete;
  ItemIndex& operator=(const ItemIndex&) = delete;
  // False only when the index is sure the library lacks the item. The item's name stays
  // this thread's name for the library's next call.
  bool MayHold(const std::string& item) const {
    if (handle_ == 0) return true;
    std::string name = item;
    if (qBtMmText(name, 1) != 0) return true;
    int32_t value = 0;
    int status = 0;
    qBtSearch(handle_, name, value, status);
    return status != kBtNoKey;
  }

 private:
  static constexpr int kItemNameLength = 12;
  int handle_ = 0;
};

}  // namespace

CopyPool::CopyPool(std::string library, std::string folder) : library_(std::move(library)), folder_(std::move(folder)) {}

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
  ItemIndex index(library_);
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    if (!index.MayHold(job.item)) continue;
    const int rc = qBtMmLib(library_, folder_ + job.item, -2);
    std::lock_guard<std::mutex> lock(mutex_);
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

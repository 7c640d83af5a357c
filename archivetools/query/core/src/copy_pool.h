// Items copied out of a media library on a few threads of their own: each copy waits
// mostly on the file system (under Wine on its server), and several threads overlap
// those waits. The copies share one reader of the library, which opens its index once
// for the whole search; each thread copies a few items at a time with one lock of the
// library and one open of its file.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "db/library_reader.h"

namespace ostrel {

class CopyPool {
 public:
  CopyPool(const std::string& library, std::string folder);
  ~CopyPool();
  CopyPool(const CopyPool&) = delete;
  CopyPool& operator=(const CopyPool&) = delete;

  // Copies the item into the folder; order ranks a failure among the others (the lowest
  // is reported).
  void Add(const std::string& item, const std::string& key, bool picture, size_t order);

  struct Result {
    int items = 0;
    int pictures = 0;
    int code = 0;  // the failure of the lowest order; a missing item is none
    std::string failedKey;
  };
  // Waits for the copies (dropping those not yet started when drop) and gives the result.
  Result Finish(bool drop);

 private:
  struct Job {
    std::string item, key;
    bool picture = false;
    size_t order = 0;
  };
  void Work();

  db::LibraryReader reader_;
  const std::string folder_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  bool closing_ = false;
  std::vector<std::thread> threads_;
  Result result_;
  size_t failedOrder_ = 0;
};

}  // namespace ostrel

// An index file that one run builds alone before anything reads it: the new index of a
// media library's compaction or rebuild. The run holds the index's lock from Open to
// Close, its changes are not journalled (a run cut short before its commit point throws
// the file away and runs again), and pairs are filed in batches in key order, which keeps
// the leaves full and the pages in use few.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace db {

class IndexBuilder {
 public:
  IndexBuilder();
  ~IndexBuilder();
  IndexBuilder(const IndexBuilder&) = delete;
  IndexBuilder& operator=(const IndexBuilder&) = delete;

  // Opens (making when missing) the index with this key length and takes its lock.
  int Open(const std::string& path, int keyLength);
  // Adds the pair (the key cut or blank-padded to the key length); it is filed with its
  // batch. A pair that is there already stays once.
  int Add(const std::string& key, int32_t value);
  // Whether the index holds the key with any value, the pairs added so far included.
  int Holds(const std::string& key, bool& holds);
  // Files what is waiting, puts the index on the disk and lets the lock go: 0 when the
  // index is complete there. Closing without a call (destruction) flushes nothing more
  // than the file layer does anyway.
  int Close();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace db

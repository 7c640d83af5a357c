// Flushes to disk once per operation. A change made outside a batch is flushed when the
// call that made it ends; inside a batch (DbBeginBatch .. DbEndBatch on the same thread,
// or a library call that makes many changes) each changed file is flushed once, when the
// outermost batch ends. Internal.
#pragma once
#include <cstdint>
#include <functional>

namespace db {

// Flushes now, or when this thread's batch ends (a target already waiting is flushed
// once). `target` tells targets apart: a file object's address, or RecordFileTarget.
int FlushAtEnd(uintptr_t target, const std::function<int()>& flush);
// The target stops existing: its waiting flush is dropped; true when there was one (the
// caller flushes it now).
bool ForgetFlush(uintptr_t target);
// Record files are named by their file number; objects are aligned, so odd numbers
// never name an object.
inline uintptr_t RecordFileTarget(int fileNumber) { return uintptr_t(fileNumber) * 2 + 1; }

// True while this thread is in a batch.
bool InBatch();
// How many batches of this thread are open (a call's own batch counts as one).
int BatchDepth();

// Holds a batch for a scope; End gives the first failure of the flushes.
class Batch {
 public:
  Batch();
  ~Batch();
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;
  int End();

 private:
  bool ended_ = false;
};

}  // namespace db

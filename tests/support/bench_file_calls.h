// The file layer's system calls counted between two points of a benchmark.
#pragma once

#include <cstdint>

#include "fileio/file.h"

namespace bench {

// The file layer's calls since the last Snapshot.
struct FileCalls {
  uint64_t counts[int(fileio::FileCall::kCount)] = {};
  void Snapshot() {
    for (int k = 0; k < int(fileio::FileCall::kCount); ++k) counts[k] = fileio::FileCallCount(fileio::FileCall(k));
  }
  // Calls of the kind since the snapshot, per item of the work done since.
  double PerItem(fileio::FileCall call, long items) const {
    return double(fileio::FileCallCount(call) - counts[int(call)]) / double(items > 0 ? items : 1);
  }
};

}  // namespace bench

// How many bytes of pairs an index rebuild gathers from one read of the records; the
// indexes beyond it take further reads. Internal; tests lower it to see those reads.
#pragma once
#include <cstdint>

namespace db {

int64_t RebuildBudget();
void SetRebuildBudget(int64_t bytes);  // 0: the default

}  // namespace db

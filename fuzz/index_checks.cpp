#include "index_checks.h"

#include "../platform/db/src/btree_layout.h"
#include "../platform/db/src/bytes.h"

namespace fuzz {

void SetIndexChecks(std::string& bytes) {
  using namespace db::btree;
  auto* b = reinterpret_cast<uint8_t*>(bytes.data());
  if (bytes.size() >= size_t(kHeaderBytes)) db::Put32(b + kHdrCheck, db::BlockCheck(b, kHdrCheck));
  for (size_t at = size_t(db::kPageSize); at + size_t(db::kPageSize) <= bytes.size(); at += size_t(db::kPageSize)) {
    db::Put32(b + at + kPgCheck, 0);
    db::Put32(b + at + kPgCheck, db::BlockCheck(b + at, size_t(db::kPageSize)));
  }
}

}  // namespace fuzz

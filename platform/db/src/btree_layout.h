// Internal layout of the B-tree index files and the scope of one operation, shared by
// the files that implement BTreeFile.
#pragma once
#include <cstdint>
#include <optional>

#include "btree_file.h"
#include "flushes.h"

namespace db {
namespace btree {

// Header page layout (the first 128 bytes of page 0).
constexpr uint8_t kMagic[8] = {'B', 'T', 'R', 'E', 'E', 'I', 'X', 0x1A};
constexpr uint32_t kVersion = 1;
constexpr int kHeaderBytes = 128;
constexpr int kHdrVersion = 8, kHdrPageSize = 12, kHdrKeyLength = 16, kHdrFlags = 20, kHdrFileId = 24,
              kHdrGeneration = 32, kHdrRoot = 40, kHdrHeight = 44, kHdrPageCount = 48, kHdrFreeHead = 52,
              kHdrKeyCount = 56, kHdrCheck = 124;
constexpr uint32_t kFlagBusy = 1;  // a change is being written
constexpr uint32_t kMaxHeight = 40;

// Page layout: a 16-byte head, then the entries.
constexpr uint8_t kLeaf = 1, kBranch = 2, kFree = 3;
constexpr int kPgType = 0, kPgLevel = 1, kPgCount = 2, kPgNumber = 4, kPgNext = 8, kPgCheck = 12;

}  // namespace btree

// Holds the group lock and reads the header for one operation.
class BTreeFile::Operation {
 public:
  explicit Operation(BTreeFile& f) : f_(f) {
    hold_.emplace(*f.group_);
    rc_ = hold_->rc() ? hold_->rc() : f_.ReadHeader();
  }
  // The flush waits until the lock is given back: other programs need not wait for the disk.
  ~Operation() {
    f_.EndOperation();
    hold_.reset();
    if (InBatch()) f_.FlushChanges();
  }
  int rc() const { return rc_; }

 private:
  BTreeFile& f_;
  std::optional<GroupHold> hold_;
  int rc_;
};

}  // namespace db

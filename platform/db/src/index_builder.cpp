#include "db/index_builder.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "btree_file.h"
#include "db/db.h"

namespace db {
namespace {

// Pairs waiting to be filed; sorted they go into the tree leaf after leaf.
constexpr size_t kBatch = 1 << 16;

}  // namespace

struct IndexBuilder::State {
  BTreeFile file;
  std::optional<GroupHold> hold;
  std::vector<std::pair<std::string, int32_t>> waiting;
  int keyLength = 0;

  std::string Padded(const std::string& key) const {
    std::string k = key.substr(0, size_t(keyLength));
    k.resize(size_t(keyLength), ' ');
    return k;
  }
  int File() {
    std::sort(waiting.begin(), waiting.end());
    for (const auto& [key, value] : waiting) {
      bool existed = false;
      if (int rc = file.Insert(reinterpret_cast<const uint8_t*>(key.data()), value, existed); rc != 0) {
        waiting.clear();
        return rc;
      }
    }
    waiting.clear();
    return 0;
  }
};

IndexBuilder::IndexBuilder() = default;

IndexBuilder::~IndexBuilder() {
  if (state_) state_->hold.reset();
}

int IndexBuilder::Open(const std::string& path, int keyLength) {
  try {
    state_ = std::make_unique<State>();
    State& s = *state_;
    s.keyLength = keyLength;
    int rc = s.file.Open(path, keyLength);
    if (rc != 0) return rc;
    s.file.SetJournalling(false);
    s.hold.emplace(s.file.group());
    if (s.hold->rc() != 0) {
      rc = s.hold->rc();
      s.hold.reset();
      return rc;
    }
    s.waiting.reserve(kBatch);
    return 0;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int IndexBuilder::Add(const std::string& key, int32_t value) {
  if (!state_ || !state_->hold) return kDbErrInvalidHandle;
  try {
    state_->waiting.emplace_back(state_->Padded(key), value);
    return state_->waiting.size() >= kBatch ? state_->File() : 0;
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int IndexBuilder::Holds(const std::string& key, bool& holds) {
  holds = false;
  if (!state_ || !state_->hold) return kDbErrInvalidHandle;
  try {
    if (int rc = state_->File(); rc != 0) return rc;
    const std::string k = state_->Padded(key);
    return state_->file.Contains(reinterpret_cast<const uint8_t*>(k.data()), holds);
  } catch (const std::bad_alloc&) {
    return fileio::kErrNotEnoughMemory;
  }
}

int IndexBuilder::Close() {
  if (!state_ || !state_->hold) return kDbErrInvalidHandle;
  State& s = *state_;
  int rc = 0;
  try {
    rc = s.File();
  } catch (const std::bad_alloc&) {
    rc = fileio::kErrNotEnoughMemory;
  }
  const int flushed = s.file.FlushChanges();
  if (rc == 0) rc = flushed;
  s.hold.reset();  // before the file lets its lock group go
  s.file.Close();
  return rc;
}

}  // namespace db

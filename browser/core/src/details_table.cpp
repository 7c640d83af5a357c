#include "kelmor/details_table.h"

namespace kelmor {

void DetailsTable::Add(uintptr_t bitmap, const PictureDetails& details) {
  if (bitmap) records_[bitmap] = details;
}

const PictureDetails* DetailsTable::Find(uintptr_t bitmap) const {
  auto it = records_.find(bitmap);
  return it == records_.end() ? nullptr : &it->second;
}

bool DetailsTable::Remove(uintptr_t bitmap) { return records_.erase(bitmap) != 0; }

std::vector<uintptr_t> DetailsTable::TakeAll() {
  std::vector<uintptr_t> bitmaps;
  bitmaps.reserve(records_.size());
  for (const auto& [bitmap, details] : records_) bitmaps.push_back(bitmap);
  records_.clear();
  return bitmaps;
}

}  // namespace kelmor

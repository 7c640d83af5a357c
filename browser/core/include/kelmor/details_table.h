// The details of the thumbnails the file list has made: one record per thumbnail, found by
// the thumbnail's bitmap handle (held here as a number). Portable. Only the main thread
// uses the table: the detail filler hands its results over by message, so no thread ever
// reads a table that another one grows or empties.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "kelmor/file_listing.h"

namespace kelmor {

class DetailsTable {
 public:
  // Adds (or replaces) the record of a thumbnail.
  void Add(uintptr_t bitmap, const PictureDetails& details);
  // The record of a thumbnail, null when it has none.
  const PictureDetails* Find(uintptr_t bitmap) const;
  // Removes one record; false when there was none.
  bool Remove(uintptr_t bitmap);
  // Empties the table and returns the thumbnails it held, for the caller to delete.
  std::vector<uintptr_t> TakeAll();
  size_t Size() const { return records_.size(); }

 private:
  std::unordered_map<uintptr_t, PictureDetails> records_;
};

}  // namespace kelmor

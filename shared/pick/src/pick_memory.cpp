#include "pick/pick_memory.h"

#include "pick/pick_filters.h"

namespace pick {

void PickMemory::Keep(Kept which, const std::string& text) {
  std::string value = text;
  if (which == Kept::kFilterList) value = NormalFilterList(text);
  else if (which == Kept::kExtensionFilter) value = NormalExtensionFilter(text);
  std::lock_guard<std::mutex> lock(mutex_);
  texts_[int(which)] = value;
}

std::string PickMemory::Get(Kept which) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_[int(which)];
}

int PickMemory::OneShot(Switch which, int flag) {
  std::lock_guard<std::mutex> lock(mutex_);
  int& state = switches_[int(which)];
  if (state) {
    state = 0;
    return -1;
  }
  state = flag ? 1 : 0;
  return 0;
}

int PickMemory::SetThumbnails(int on) {
  std::lock_guard<std::mutex> lock(mutex_);
  int old = thumbnails_;
  thumbnails_ = on;
  return old;
}

void PickMemory::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& t : texts_) t.clear();
  for (auto& s : switches_) s = 0;
  thumbnails_ = 0;
}

PickMemory& Memory() {
  static PickMemory memory;
  return memory;
}

}  // namespace pick

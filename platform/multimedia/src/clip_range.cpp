#include "multimedia/clip_range.h"

#include <algorithm>

namespace mm {

ClipRange NormalizeRange(int32_t start, int32_t end, int32_t length) {
  start = std::max<int32_t>(0, start);
  end = std::max<int32_t>(0, end);
  if (length <= 0) return ClipRange{start, end};
  if (end == 0 || end > length) end = length;
  start = std::min(start, end);
  return ClipRange{start, end};
}

int32_t ClampToRange(int32_t position, ClipRange range) {
  if (position < range.start) return range.start;
  if (range.end > range.start && position > range.end) return range.end;
  return position;
}

}  // namespace mm

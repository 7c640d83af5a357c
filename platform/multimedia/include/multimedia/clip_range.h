// The play range of a multimedia clip: what the marked start and end mean once the clip's
// length is known, and where a position lies in it. Portable.
#pragma once
#include <cstdint>

namespace mm {

struct ClipRange {
  int32_t start = 0;
  int32_t end = 0;
};

// An end of 0, or one past the clip, is the clip's end; a start past the end is the end;
// negative values count as 0. A clip of unknown length (0) keeps the values as given.
ClipRange NormalizeRange(int32_t start, int32_t end, int32_t length);

// A position kept inside the range.
int32_t ClampToRange(int32_t position, ClipRange range);

}  // namespace mm

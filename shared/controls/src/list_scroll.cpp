#include "controls/list_scroll.h"

#include <algorithm>
#include <cstdint>

namespace {

// Windows virtual-key codes of the scroll keys.
constexpr int kKeyPageUp = 0x21, kKeyPageDown = 0x22, kKeyEnd = 0x23, kKeyHome = 0x24, kKeyUp = 0x26,
              kKeyDown = 0x28;

int LastPosition(int rows, int clientHeight, int rowHeight) {
  if (rowHeight < 1) return 0;
  int64_t last = int64_t(rows) - std::max(0, clientHeight) / rowHeight;
  return int(std::clamp<int64_t>(last, 0, INT32_MAX));
}

}  // namespace

int ListRowsKept(int rows, int rowHeight, int height) {
  return int64_t(rows) * rowHeight <= int64_t(height) && rows > INT32_MIN ? rows - 1 : rows;
}

int ListPage(const ListScrollState& state) {
  return state.rowHeight < 1 ? 0 : std::max(0, state.clientHeight) / state.rowHeight;
}

void ListResize(ListScrollState& state, int clientWidth, int clientHeight) {
  state.clientWidth = clientWidth;
  state.clientHeight = clientHeight;
  state.lastPosition = LastPosition(state.rows, clientHeight, state.rowHeight);
  state.position = std::clamp(state.position, 0, state.lastPosition);
}

int ListStep(const ListScrollState& state, int scrollCode, int thumb) {
  const int64_t position = state.position, page = ListPage(state);
  int64_t step = 0;
  switch (scrollCode) {
    case kListTop: step = -position; break;
    case kListBottom: step = int64_t(state.lastPosition) - position; break;
    case kListLineUp: step = -1; break;
    case kListLineDown: step = 1; break;
    case kListPageUp: step = std::min<int64_t>(-1, -page); break;
    case kListPageDown: step = std::max<int64_t>(1, page); break;
    case kListThumbTrack: step = int64_t(thumb) - position; break;
    default: break;
  }
  return int(std::clamp<int64_t>(step, -position, std::max<int64_t>(0, int64_t(state.lastPosition) - position)));
}

int ListScrollCodeForKey(int virtualKey) {
  switch (virtualKey) {
    case kKeyHome: return kListTop;
    case kKeyEnd: return kListBottom;
    case kKeyPageUp: return kListPageUp;
    case kKeyPageDown: return kListPageDown;
    case kKeyUp: return kListLineUp;
    case kKeyDown: return kListLineDown;
    default: return -1;
  }
}

int ListScrollBarMaximum(const ListScrollState& state) {
  int page = ListPage(state);
  if (page < 1) return state.lastPosition;  // no page: the thumb's range is the range
  return int(std::min<int64_t>(int64_t(state.lastPosition) + page - 1, INT32_MAX));
}

#include "hessam/shows.h"

#include <algorithm>
#include <vector>

#include "fileio/fields.h"

namespace hessam {
namespace {

enum : unsigned {
  kKeyDown = 0x100,
  kKeyUp = 0x101,
  kSysKeyUp = 0x105,
  kMouseMove = 0x200,
  kLeftUp = 0x202,
  kRightDown = 0x204,
  kRightUp = 0x205,
  kMiddleUp = 0x208,
  kSpace = 0x20,
};

constexpr uint32_t kPreviousStateBit = 1u << 30;

}  // namespace

int SlideTime(std::string_view actionText) { return std::max(0, fileio::LeadingNumber(actionText)); }

TiledShowSettings ParseTiledShow(std::string_view actionText) {
  TiledShowSettings s;
  std::vector<std::string> fields = fileio::SplitFields(actionText, ',');
  if (fields.size() != 3) return s;
  s.columns = std::max(1, fileio::LeadingNumber(fields[0]));
  s.rows = std::max(1, fileio::LeadingNumber(fields[1]));
  s.timeMs = std::max(0, fileio::LeadingNumber(fields[2]));
  return s;
}

Box Tiles::Tile(int n) const {
  if (n < 1 || n > Count()) return {};
  int column = (n - 1) % columns, row = (n - 1) / columns;
  return Box{column * width, row * height, width, height};
}

int Tiles::TileAt(int x, int y) const {
  if (width <= 0 || height <= 0 || x < 0 || y < 0) return 0;
  int column = x / width, row = y / height;
  if (column >= columns || row >= rows) return 0;
  return row * columns + column + 1;
}

Tiles MakeTiles(const TiledShowSettings& settings, int screenWidth, int screenHeight) {
  Tiles t;
  t.columns = std::max(1, settings.columns);
  t.rows = std::max(1, settings.rows);
  t.width = screenWidth / t.columns;
  t.height = screenHeight / t.rows;
  return t;
}

ShowPlan::ShowPlan(int count, int tilesPerScreen) : count_(std::max(0, count)), tiles_(std::max(1, tilesPerScreen)) {}

ShowStep ShowPlan::Step(const std::function<bool(int number)>& exists) {
  ShowStep step;
  if (count_ == 0 || missedInRow_ >= count_) return step;  // kEnd
  if (count_ == 1 && shownOnce_) {
    step.kind = ShowStep::kStay;
    step.number = 1;
    return step;
  }
  step.number = next_;
  next_ = next_ % count_ + 1;
  if (!exists(step.number)) {
    ++missedInRow_;
    step.kind = ShowStep::kMissing;
    step.warn = !warned_;
    warned_ = true;
    return step;
  }
  missedInRow_ = 0;
  shownOnce_ = true;
  step.kind = ShowStep::kShow;
  step.tile = tile_;
  step.screenFull = tile_ == tiles_;
  tile_ = tile_ % tiles_ + 1;
  return step;
}

PumpAction KeyboardAction(unsigned message, unsigned key, uint32_t keyData) {
  if (message == kKeyDown) {
    if ((key & 0xFF) == kSpace || (keyData & kPreviousStateBit)) return PumpAction::kNone;
    return PumpAction::kStop;
  }
  if (message == kKeyUp || message == kSysKeyUp)
    return message == kKeyUp && (key & 0xFF) == kSpace ? PumpAction::kTogglePause : PumpAction::kNone;
  return PumpAction::kStop;
}

PumpAction MouseAction(ShowKind kind, unsigned message) {
  switch (message) {
    case kMouseMove:
    case kRightDown: return PumpAction::kNone;
    case kRightUp: return PumpAction::kTogglePause;
    default: break;
  }
  if (kind == ShowKind::kSlide) return PumpAction::kStop;
  if (message == kLeftUp) return PumpAction::kToggleMark;
  if (message == kMiddleUp) return PumpAction::kStop;
  return PumpAction::kNone;
}

}  // namespace hessam

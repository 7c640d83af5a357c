#include "narwen/settings.h"

#include <algorithm>

#include "imaging/int16_record.h"

namespace narwen {

WindowPlace ParseToolSettings(std::string_view bytes, int screenWidth, int screenHeight) {
  WindowPlace p;
  const bool stored = bytes.size() >= 8;
  if (stored) {
    p.left = RecordInt16At(bytes, 0);
    p.top = RecordInt16At(bytes, 2);
    p.width = RecordInt16At(bytes, 4);
    p.height = RecordInt16At(bytes, 6);
  }
  p.width = std::clamp(p.width, kMinWidth, std::max(kMinWidth, screenWidth));
  p.height = std::clamp(p.height, kMinHeight, std::max(kMinHeight, screenHeight));
  if (!stored) {
    p.left = (screenWidth - p.width) / 2;
    p.top = (screenHeight - p.height) / 2;
  }
  p.left = std::clamp(p.left, 0, std::max(0, screenWidth - p.width));
  p.top = std::clamp(p.top, 0, std::max(0, screenHeight - p.height));
  return p;
}

std::string FormatToolSettings(const WindowPlace& place) {
  std::string out;
  for (int v : {place.left, place.top, place.width, place.height}) PutRecordInt16(out, v);
  return out;
}

}  // namespace narwen

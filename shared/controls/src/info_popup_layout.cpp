#include "controls/info_popup_layout.h"

#include <algorithm>
#include <cstdint>

#include "skin/sk_text.h"

namespace {

std::string Framed(std::string_view text) { return "|" + std::string(text) + "||"; }

int Clamped(int64_t value) { return int(std::clamp<int64_t>(value, 0, INT32_MAX)); }

// Centred over the span, then kept on the screen and never before 0.
int Place(int64_t start, int64_t span, int size, int screen) {
  int64_t at = start + (span - size) / 2;
  return int(std::max<int64_t>(0, std::min<int64_t>(at, int64_t(screen) - size)));
}

}  // namespace

std::string InfoPopupText(std::string_view text) {
  std::string framed = Framed(text);
  if (framed.size() > kInfoPopupTextLimit) framed.resize(kInfoPopupTextLimit);
  std::replace(framed.begin(), framed.end(), '|', '\r');
  return framed;
}

std::vector<std::string> InfoPopupLines(std::string_view text) {
  std::vector<std::string> lines;
  SKSPLITS(Framed(text), "|", lines);
  return lines;
}

BoxRect InfoPopupRect(const InfoPopupMeasures& m, const BoxRect& owner, int screenWidth, int screenHeight) {
  BoxRect r;
  const int64_t h = std::max(0, m.lineHeight);
  r.width = Clamped(int64_t(std::max(0, m.widestLine)) + 2 * h + 2 * int64_t(m.frameWidth));
  // The split counts from 0: its highest index is lineCount - 1.
  r.height = Clamped(h * (int64_t(std::max(1, m.lineCount)) - 1 + 2) + 2 * int64_t(m.frameHeight));
  r.x = Place(owner.x, owner.width, r.width, screenWidth);
  r.y = Place(owner.y, owner.height, r.height, screenHeight);
  return r;
}

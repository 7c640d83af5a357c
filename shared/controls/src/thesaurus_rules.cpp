#include "controls/thesaurus_rules.h"

#include <algorithm>

#include "skin/sk_text.h"

namespace {

constexpr int kMargin = 4;
constexpr int kWordBoxHeight = 194;
constexpr int kButtonTop = 203;
constexpr int kButtonGap = 4;

}  // namespace

std::string TopicKey(std::string_view word, int width) {
  std::string key = SKUCASE(std::string(word));
  key.resize(size_t(std::max(0, width)), ' ');
  return key;
}

std::string TitleWithCount(std::string_view title, int count) {
  const std::string number = std::to_string(count);
  std::string out;
  for (char c : title) {
    if (c == '#') out += number;
    else out += c;
  }
  return out;
}

std::string WithoutTrailingBlanks(std::string_view text) {
  size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

std::string WordInUseMessage(std::string_view word, std::string_view inUseText) {
  return WithoutTrailingBlanks(word) + std::string(inUseText);
}

std::string CannotCheckMessage(std::string_view word, std::string_view indexFile, std::string_view reason) {
  return WithoutTrailingBlanks(word) + "|" + std::string(indexFile) + "|" + std::string(reason);
}

std::string FileFailureMessage(std::string_view file, std::string_view reason) {
  return std::string(file) + "|" + std::string(reason);
}

ThesaurusLayout ComputeThesaurusLayout(const ThesaurusMeasures& m) {
  ThesaurusLayout layout;
  int widest = 0;
  for (int w : m.labelWidths) widest = std::max(widest, w);
  const int buttonWidth = widest + 2 * m.spaceWidth + 6;
  const int buttonHeight = m.charHeight + 6;
  const int count = int(m.labelWidths.size());
  const int rowWidth = count == 0 ? 0 : count * buttonWidth + (count - 1) * kButtonGap;
  layout.clientWidth = std::max({rowWidth, m.wordWidth, 2 * kMargin + 1});
  if (m.maxClientWidth > 0) layout.clientWidth = std::max(std::min(layout.clientWidth, m.maxClientWidth), rowWidth);
  layout.clientHeight = kThesaurusClientHeight;
  layout.wordBox = {kMargin, kMargin, layout.clientWidth - 2 * kMargin, kWordBoxHeight};
  int x = (layout.clientWidth - rowWidth) / 2;
  for (int i = 0; i < count; ++i) {
    layout.buttons.push_back({x, kButtonTop, buttonWidth, buttonHeight});
    x += buttonWidth + kButtonGap;
  }
  return layout;
}

#include "kelmor/box_rules.h"

#include <algorithm>

#include "fileio/item_list.h"
#include "skin/sk_text.h"

namespace kelmor {

namespace {

int ButtonWidth(const ButtonRowMeasures& m) {
  int widest = 0;
  for (int w : m.captionWidths) widest = std::max(widest, w);
  return widest + 2 * m.spaceWidth + 6;
}

}  // namespace

int ButtonRowWidth(const ButtonRowMeasures& m, int gap) {
  int count = int(m.captionWidths.size());
  if (count == 0) return 0;
  return count * ButtonWidth(m) + (count - 1) * gap;
}

ButtonRow LayoutButtonRow(const ButtonRowMeasures& m, int boxWidth, int top, int gap, int minLeft) {
  ButtonRow row;
  row.width = ButtonRowWidth(m, gap);
  int width = ButtonWidth(m), height = m.captionHeight + 6;
  int x = std::max(minLeft, (boxWidth - row.width) / 2);
  for (size_t i = 0; i < m.captionWidths.size(); ++i, x += width + gap) row.buttons.push_back({x, top, width, height});
  return row;
}

int BoxWidthFor(int rowWidth) { return std::max(kBoxMinWidth, rowWidth); }

int ButtonAnswer(int id, int buttonCount) {
  int answer = id - kBoxFirstButtonId + 1;
  return answer >= 1 && answer <= buttonCount ? answer : 0;
}

int ListNameLimit(const std::string& workingFolder, const std::string& extension) {
  constexpr int kPathLimit = 260;
  return std::max(1, kPathLimit - int(workingFolder.size()) - int(extension.size()));
}

std::vector<PictureType> ParsePictureTypes(const std::string& list) {
  std::vector<PictureType> types;
  int count = fileio::ItemCount(list);
  for (int i = 1; i < count; i += 2) types.push_back({fileio::ItemAt(list, i), fileio::ItemAt(list, i + 1)});
  return types;
}

std::string ShownTypeName(const std::string& label) {
  size_t dash = label.find(" - ");
  return SKUCASE(dash == std::string::npos ? label : label.substr(dash + 3));
}

std::string PlainCaption(const std::string& caption) { return SKUCASE(SKCRUNCH(caption, "&")); }

}  // namespace kelmor

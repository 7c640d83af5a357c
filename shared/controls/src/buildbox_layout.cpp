#include "controls/buildbox_layout.h"

#include <algorithm>

namespace {

int Widest(const std::vector<int>& widths) {
  int w = 0;
  for (int v : widths) w = std::max(w, v);
  return w;
}

}  // namespace

BuildBoxGeometry ComputeBuildBoxGeometry(const BuildBoxMeasures& m) {
  BuildBoxGeometry g;
  int pad = std::max(4, m.layout) + 4;
  int gap = std::max(4, m.layout);
  int iconColumn = m.icon ? kBuildBoxIconSize + pad : 0;
  int checkHeight = std::max(m.checkGlyph, m.lineHeight) + 4;
  int checkWidth = m.checkGlyph + m.unit + Widest(m.checkWidths);
  int buttonWidth = Widest(m.buttonWidths) + 2 * m.unit;
  int count = int(m.buttonWidths.size());
  int rowWidth = count > 0 ? count * buttonWidth + (count - 1) * gap : 0;
  int content = std::max({iconColumn + Widest(m.lineWidths), iconColumn + checkWidth, rowWidth});
  g.clientWidth = std::max(content + 2 * pad, 12 * m.unit);

  int y = pad;
  if (m.icon) g.icon = BoxRect{pad, pad, kBuildBoxIconSize, kBuildBoxIconSize};
  int textTop = y;
  for (int w : m.lineWidths) {
    g.lines.push_back(BoxRect{pad + iconColumn, y, w, m.lineHeight});
    y += m.lineHeight;
  }
  y = std::max(y, m.icon ? textTop + kBuildBoxIconSize : y) + pad;
  for (size_t i = 0; i < m.checkWidths.size(); ++i) {
    g.checks.push_back(BoxRect{pad + iconColumn, y, checkWidth, checkHeight});
    y += checkHeight;
  }
  if (!m.checkWidths.empty()) y += pad;
  int x = (g.clientWidth - rowWidth) / 2;
  for (int i = 0; i < count; ++i) {
    g.buttons.push_back(BoxRect{x, y, buttonWidth, m.buttonHeight});
    x += buttonWidth + gap;
  }
  g.clientHeight = y + (count > 0 ? m.buttonHeight : 0) + pad;
  return g;
}

std::vector<std::string> SplitBoxItems(const std::string& text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  size_t pos = 0;
  for (;;) {
    size_t bar = text.find('|', pos);
    items.push_back(text.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos));
    if (bar == std::string::npos) break;
    pos = bar + 1;
  }
  return items;
}

std::vector<std::string> BoxButtonCaptions(const std::string& text) {
  if (text.empty()) return {"    OK    "};
  return SplitBoxItems(text);
}

uint32_t CheckMask(const std::vector<bool>& checked) {
  uint32_t mask = 0;
  for (size_t i = 0; i < checked.size() && i < 32; ++i)
    if (checked[i]) mask |= uint32_t(1) << i;
  return mask;
}

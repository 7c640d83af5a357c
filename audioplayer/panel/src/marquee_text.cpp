#include <cstring>
#include <vector>

#include "jorvel/marquee.h"
#include "skin/sk_text.h"

namespace jorvel {

std::string MarqueeTitle(const std::string& text) {
  std::vector<std::string> words;
  SKSPLITS(text, " ", words);
  std::string title;
  for (std::string word : words) {
    if (word.empty()) continue;
    word = SKLCASE(word);
    word[0] = SKUCASE(word.substr(0, 1))[0];
    if (word.size() > 1 && (word[0] == '\'' || word[0] == '(')) word[1] = SKUCASE(word.substr(1, 1))[0];
    if (!title.empty()) title += ' ';
    title += word;
  }
  return title;
}

void RingStepLeft(uint32_t* pixels, int width, int height, int stride) {
  if (!pixels || width < 2) return;
  for (int y = 0; y < height; ++y) {
    uint32_t* row = pixels + size_t(y) * size_t(stride);
    uint32_t first = row[0];
    std::memmove(row, row + 1, size_t(width - 1) * sizeof(uint32_t));
    row[width - 1] = first;
  }
}

}  // namespace jorvel

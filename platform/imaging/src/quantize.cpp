// Palettes for the 1-, 4- and 8-bit writers: exact when the picture has few enough
// colours, otherwise median cut over a 15-bit histogram.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "imglib/codecs.h"

namespace imglib {

namespace {

uint32_t Key(const uint8_t* p) { return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]; }

struct Box {
  std::vector<uint32_t> colours;  // 15-bit keys with their counts
  uint64_t weight = 0;
};

// The widest channel of a box of 15-bit colours and its extent.
int WidestChannel(const std::vector<uint32_t>& keys, int& extent) {
  int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
  for (uint32_t k : keys) {
    int c[3] = {int(k >> 10) & 31, int(k >> 5) & 31, int(k) & 31};
    for (int i = 0; i < 3; ++i) {
      lo[i] = std::min(lo[i], c[i]);
      hi[i] = std::max(hi[i], c[i]);
    }
  }
  int best = 0;
  for (int i = 1; i < 3; ++i)
    if (hi[i] - lo[i] > hi[best] - lo[best]) best = i;
  extent = hi[best] - lo[best];
  return best;
}

}  // namespace

int CountColours(const Raster& pixels) {
  if (pixels.Empty()) return 0;
  std::vector<uint64_t> seen((size_t(1) << 24) / 64, 0);
  int count = 0;
  for (int y = 0; y < pixels.Height(); ++y) {
    const uint8_t* row = pixels.Row(y);
    for (int x = 0; x < pixels.Width(); ++x) {
      uint32_t k = Key(row + x * 3);
      uint64_t bit = uint64_t(1) << (k & 63);
      if (!(seen[k >> 6] & bit)) {
        seen[k >> 6] |= bit;
        ++count;
      }
    }
  }
  return count;
}

std::vector<Rgb> BuildPalette(const Raster& pixels, int maxColours) {
  std::vector<Rgb> palette;
  if (pixels.Empty() || maxColours < 1) return palette;
  // Exact palette while the colours fit.
  std::unordered_map<uint32_t, int> exact;
  bool fits = true;
  for (int y = 0; y < pixels.Height() && fits; ++y) {
    const uint8_t* row = pixels.Row(y);
    for (int x = 0; x < pixels.Width(); ++x) {
      exact.emplace(Key(row + x * 3), 0);
      if (int(exact.size()) > maxColours) {
        fits = false;
        break;
      }
    }
  }
  if (fits) {
    std::vector<uint32_t> keys;
    for (auto& e : exact) keys.push_back(e.first);
    std::sort(keys.begin(), keys.end());
    for (uint32_t k : keys) palette.push_back({uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)});
    return palette;
  }
  // Median cut over 5-bit channels.
  std::vector<uint32_t> histogram(32768, 0);
  for (int y = 0; y < pixels.Height(); ++y) {
    const uint8_t* row = pixels.Row(y);
    for (int x = 0; x < pixels.Width(); ++x) {
      const uint8_t* p = row + x * 3;
      ++histogram[(uint32_t(p[2] >> 3) << 10) | (uint32_t(p[1] >> 3) << 5) | (p[0] >> 3)];
    }
  }
  std::vector<Box> boxes(1);
  for (uint32_t k = 0; k < 32768; ++k)
    if (histogram[k]) {
      boxes[0].colours.push_back(k);
      boxes[0].weight += histogram[k];
    }
  while (int(boxes.size()) < maxColours) {
    // Split the heaviest box that still has more than one colour.
    int pick = -1;
    for (int i = 0; i < int(boxes.size()); ++i)
      if (boxes[i].colours.size() > 1 && (pick < 0 || boxes[i].weight > boxes[pick].weight)) pick = i;
    if (pick < 0) break;
    int extent = 0;
    int channel = WidestChannel(boxes[pick].colours, extent);
    int shift = channel == 0 ? 10 : channel == 1 ? 5 : 0;
    auto& keys = boxes[pick].colours;
    std::sort(keys.begin(), keys.end(),
              [shift](uint32_t a, uint32_t b) { return ((a >> shift) & 31) < ((b >> shift) & 31); });
    uint64_t half = boxes[pick].weight / 2, running = 0;
    size_t cut = 1;
    for (size_t i = 0; i < keys.size() - 1; ++i) {
      running += histogram[keys[i]];
      cut = i + 1;
      if (running >= half) break;
    }
    Box second;
    second.colours.assign(keys.begin() + long(cut), keys.end());
    keys.resize(cut);
    boxes[pick].weight = 0;
    for (uint32_t k : keys) boxes[pick].weight += histogram[k];
    for (uint32_t k : second.colours) second.weight += histogram[k];
    boxes.push_back(std::move(second));
  }
  for (const Box& b : boxes) {
    uint64_t r = 0, g = 0, bl = 0, n = 0;
    for (uint32_t k : b.colours) {
      uint64_t c = histogram[k];
      r += c * (((k >> 10) & 31) * 255 / 31);
      g += c * (((k >> 5) & 31) * 255 / 31);
      bl += c * ((k & 31) * 255 / 31);
      n += c;
    }
    if (n) palette.push_back({uint8_t(r / n), uint8_t(g / n), uint8_t(bl / n)});
  }
  return palette;
}

void MapToPalette(const Raster& pixels, const std::vector<Rgb>& palette, std::vector<uint8_t>& indices) {
  indices.assign(size_t(pixels.Width()) * size_t(pixels.Height()), 0);
  if (palette.empty()) return;
  // Colours of the palette map to themselves; every other colour to the nearest entry of
  // its 15-bit cell, computed once per cell.
  std::unordered_map<uint32_t, uint8_t> own;
  for (int p = 0; p < int(palette.size()) && p < 256; ++p)
    own.emplace(uint32_t(palette[p].r) << 16 | uint32_t(palette[p].g) << 8 | palette[p].b, uint8_t(p));
  std::vector<int16_t> cell(32768, -1);
  size_t i = 0;
  for (int y = 0; y < pixels.Height(); ++y) {
    const uint8_t* row = pixels.Row(y);
    for (int x = 0; x < pixels.Width(); ++x, ++i) {
      const uint8_t* px = row + x * 3;
      auto found = own.find(Key(px));
      if (found != own.end()) {
        indices[i] = found->second;
        continue;
      }
      uint32_t c = (uint32_t(px[2] >> 3) << 10) | (uint32_t(px[1] >> 3) << 5) | (px[0] >> 3);
      if (cell[c] < 0) {
        int r = int((c >> 10) & 31) * 255 / 31, g = int((c >> 5) & 31) * 255 / 31, b = int(c & 31) * 255 / 31;
        int best = 0;
        long bestDistance = -1;
        for (int p = 0; p < int(palette.size()) && p < 256; ++p) {
          long dr = long(palette[p].r) - r, dg = long(palette[p].g) - g, db = long(palette[p].b) - b;
          long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
          if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = p;
          }
        }
        cell[c] = int16_t(best);
      }
      indices[i] = uint8_t(cell[c]);
    }
  }
}

bool PlausibleSize(int width, int height, size_t inputBytes, double pixelsPerByte) {
  if (!Raster::SizeAllowed(width, height)) return false;
  double pixels = double(width) * double(height);
  return pixels <= double(1 << 22) || pixels <= double(inputBytes) * pixelsPerByte;
}

}  // namespace imglib

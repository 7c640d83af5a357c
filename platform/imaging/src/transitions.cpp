#include "imglib/transitions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace imglib {

namespace {

constexpr int kAllEffects[] = {
    kWipeFromLeft,     kWipeFromRight,    kWipeFromTop,        kWipeFromBottom,     kPushLeft,
    kPushRight,        kPushUp,           kPushDown,           kSlideFromLeft,      kSlideFromRight,
    kSlideFromTop,     kSlideFromBottom,  kBlindsHorizontal,   kBlindsVertical,     kDoorsOpenSideways,
    kDoorsOpenUpDown,  kDoorsCloseSideways, kDoorsCloseUpDown, kBoxOut,             kBoxIn,
    kCircleOut,        kCircleIn,         kDiamondOut,         kDiamondIn,          kCheckersAcross,
    kCheckersDown,     kDissolve,         kCoarseDissolve,     kFadeThroughBlack,   kFadeThroughWhite,
    kCrossFade,        kRollFromLeft,     kRollFromTop,        kSpiralIn,           kSpiralOut,
    kStripesFromLeft,  kStripesFromTop,   kZoomIn,             kZoomOut,
};

// Bands of the blinds, stripes, checkers, spirals and coarse dissolves: about this many
// across the picture, whatever its size.
constexpr int kBands = 10;
constexpr int kStripes = 16;
constexpr int kCells = 8;

// One frame strictly between the first and the last: the pictures, the result and how
// far the transition has come (f of n).
struct Step {
  const Raster& from;
  const Raster& to;
  Raster& out;
  int w, h, f, n;

  // The part of an extent that the transition has reached (rounded down).
  int Part(int extent) const { return int(int64_t(extent) * f / n); }
  int Rest(int extent) const { return extent - Part(extent); }

  void Span(const Raster& src, int y, int x0, int x1) const {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, w);
    if (x1 > x0) std::memcpy(out.Row(y) + size_t(x0) * 3, src.Row(y) + size_t(x0) * 3, size_t(x1 - x0) * 3);
  }
  // Row y of out gets len pixels of row sy of src from column sx, at column x.
  void Shifted(const Raster& src, int y, int x, int sy, int sx, int len) const {
    if (len > 0) std::memcpy(out.Row(y) + size_t(x) * 3, src.Row(sy) + size_t(sx) * 3, size_t(len) * 3);
  }
  void Row(const Raster& src, int y, int sy) const { Shifted(src, y, 0, sy, 0, w); }
  void Pixel(const Raster& src, int x, int y, int sx, int sy) const {
    const uint8_t* s = src.Row(sy) + size_t(sx) * 3;
    uint8_t* d = out.Row(y) + size_t(x) * 3;
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
  }
};

void CopyAll(const Raster& src, Raster& out) { std::memcpy(out.Data(), src.Data(), src.ByteSize()); }

// ---- Reveals: the new picture shows in a growing region --------------------------------

void Wipe(const Step& s, int effect) {
  switch (effect) {
    case kWipeFromLeft:
      for (int y = 0; y < s.h; ++y) s.Span(s.to, y, 0, s.Part(s.w));
      break;
    case kWipeFromRight:
      for (int y = 0; y < s.h; ++y) s.Span(s.to, y, s.Rest(s.w), s.w);
      break;
    case kWipeFromTop:
      for (int y = 0; y < s.Part(s.h); ++y) s.Row(s.to, y, y);
      break;
    default:
      for (int y = s.Rest(s.h); y < s.h; ++y) s.Row(s.to, y, y);
      break;
  }
}

void Blinds(const Step& s, bool horizontal) {
  int band = std::max(1, ((horizontal ? s.h : s.w) + kBands - 1) / kBands);
  int open = s.Part(band);
  for (int y = 0; y < s.h; ++y) {
    if (horizontal) {
      if (y % band < open) s.Row(s.to, y, y);
      continue;
    }
    for (int x = 0; x < s.w; x += band) s.Span(s.to, y, x, x + open);
  }
}

void Doors(const Step& s, int effect) {
  bool sideways = effect == kDoorsOpenSideways || effect == kDoorsCloseSideways;
  bool opening = effect == kDoorsOpenSideways || effect == kDoorsOpenUpDown;
  int extent = sideways ? s.w : s.h;
  int cut = s.Part(extent);
  int first = opening ? (extent - cut) / 2 : cut / 2;         // opening: the gap; closing: the left door
  int second = opening ? first + cut : extent - (cut - first);  // closing: where the right door starts
  for (int y = 0; y < s.h; ++y) {
    if (sideways) {
      if (opening) s.Span(s.to, y, first, second);
      else {
        s.Span(s.to, y, 0, first);
        s.Span(s.to, y, second, s.w);
      }
    } else if (opening ? (y >= first && y < second) : (y < first || y >= second)) {
      s.Row(s.to, y, y);
    }
  }
}

void Box(const Step& s, bool out) {
  int bw = out ? s.Part(s.w) : s.Rest(s.w), bh = out ? s.Part(s.h) : s.Rest(s.h);
  int x0 = (s.w - bw) / 2, y0 = (s.h - bh) / 2;
  for (int y = 0; y < s.h; ++y) {
    bool inside = y >= y0 && y < y0 + bh;
    if (out) {
      if (inside) s.Span(s.to, y, x0, x0 + bw);
    } else if (!inside) {
      s.Row(s.to, y, y);
    } else {
      s.Span(s.to, y, 0, x0);
      s.Span(s.to, y, x0 + bw, s.w);
    }
  }
}

// Circles and diamonds about the centre: the pixels whose centres lie inside the shape
// of the given size (1 covers the whole picture) on each row.
void Shape(const Step& s, bool circle, bool out) {
  double cx = s.w / 2.0, cy = s.h / 2.0;
  double size = out ? double(s.f) / s.n : double(s.n - s.f) / s.n;
  double radius = std::sqrt(cx * cx + cy * cy) * size;
  for (int y = 0; y < s.h; ++y) {
    double dy = y + 0.5 - cy;
    double half = -1;
    if (circle) {
      if (dy * dy <= radius * radius) half = std::sqrt(radius * radius - dy * dy);
    } else {
      half = (2 * size - std::fabs(dy) / cy) * cx;
    }
    int x0 = s.w, x1 = s.w;  // the shape's columns on this row: [x0, x1)
    if (half >= 0) {
      x0 = std::max(0, int(std::ceil(cx - half - 0.5)));
      x1 = std::min(s.w, int(std::floor(cx + half - 0.5)) + 1);
      if (x1 < x0) x1 = x0;
    }
    if (out) {
      s.Span(s.to, y, x0, x1);
    } else {
      s.Span(s.to, y, 0, x0);
      s.Span(s.to, y, x1, s.w);
    }
  }
}

// Cells in two phases: the first half of the time fills every other cell, the second half
// the others.
void Checkers(const Step& s, bool across) {
  int cell = std::max(2, (std::min(s.w, s.h) + kCells - 1) / kCells);
  int first = std::min(s.n, 2 * s.f), second = std::max(0, 2 * s.f - s.n);
  for (int y = 0; y < s.h; ++y) {
    int row = y / cell;
    int inCell = y - row * cell, cellHeight = std::min(cell, s.h - row * cell);
    for (int col = 0, x = 0; x < s.w; ++col, x += cell) {
      int width = std::min(cell, s.w - x);
      int reached = (row + col) % 2 == 0 ? first : second;
      if (across) s.Span(s.to, y, x, x + int(int64_t(width) * reached / s.n));
      else if (inCell < int(int64_t(cellHeight) * reached / s.n)) s.Span(s.to, y, x, x + width);
    }
  }
}

void Dissolve(const Step& s, bool coarse) {
  uint32_t threshold = uint32_t(int64_t(65536) * s.f / s.n);
  int block = coarse ? std::max(2, std::min(s.w, s.h) / 24) : 1;
  for (int y = 0; y < s.h; ++y) {
    for (int x = 0; x < s.w; ++x) {
      uint32_t rank = coarse ? DissolveRank(uint32_t(x / block), uint32_t(y / block)) : DissolveRank(uint32_t(x), uint32_t(y));
      if (rank < threshold) s.Pixel(s.to, x, y, x, y);
    }
  }
}

// The cells of a grid in the order of a spiral from the outer edge inwards (clockwise from
// the top left): order[row * cols + col].
std::vector<int> SpiralOrder(int cols, int rows) {
  std::vector<int> order(size_t(cols) * size_t(rows), 0);
  int left = 0, top = 0, right = cols - 1, bottom = rows - 1, next = 0;
  while (left <= right && top <= bottom) {
    for (int c = left; c <= right; ++c) order[size_t(top) * cols + c] = next++;
    for (int r = top + 1; r <= bottom; ++r) order[size_t(r) * cols + right] = next++;
    if (top < bottom)
      for (int c = right - 1; c >= left; --c) order[size_t(bottom) * cols + c] = next++;
    if (left < right)
      for (int r = bottom - 1; r > top; --r) order[size_t(r) * cols + left] = next++;
    ++left, ++top, --right, --bottom;
  }
  return order;
}

void Spiral(const Step& s, bool inwards) {
  int cell = std::max(1, (std::max(s.w, s.h) + kCells - 1) / kCells);
  int cols = (s.w + cell - 1) / cell, rows = (s.h + cell - 1) / cell;
  std::vector<int> order = SpiralOrder(cols, rows);
  int total = cols * rows, shown = s.Part(total);
  for (int y = 0; y < s.h; ++y) {
    int row = y / cell;
    for (int col = 0; col < cols; ++col) {
      int place = order[size_t(row) * cols + col];
      if ((inwards ? place : total - 1 - place) < shown) s.Span(s.to, y, col * cell, (col + 1) * cell);
    }
  }
}

// Stripes that each wipe across, one after the other with an overlap: stripe i has come
// (f (S + K) - i n) / (K n) of its way.
void Stripes(const Step& s, bool fromLeft) {
  int across = fromLeft ? s.w : s.h, along = fromLeft ? s.h : s.w;
  int width = std::max(1, (across + kStripes - 1) / kStripes);
  int count = (across + width - 1) / width, overlap = std::max(1, count / 2);
  std::vector<int> reached(static_cast<size_t>(count));
  int64_t whole = int64_t(overlap) * s.n;
  for (int i = 0; i < count; ++i) {
    int64_t come = std::clamp(int64_t(s.f) * (count + overlap) - int64_t(i) * s.n, int64_t(0), whole);
    reached[size_t(i)] = int(along * come / whole);
  }
  for (int y = 0; y < s.h; ++y) {
    if (fromLeft) {
      for (int i = 0; i < count; ++i)
        if (y < reached[size_t(i)]) s.Span(s.to, y, i * width, (i + 1) * width);
    } else {
      s.Span(s.to, y, 0, reached[size_t(std::min(count - 1, y / width))]);
    }
  }
}

// ---- Movements -----------------------------------------------------------------------------

void Push(const Step& s, int effect) {
  int dx = s.Part(s.w), dy = s.Part(s.h);
  for (int y = 0; y < s.h; ++y) {
    switch (effect) {
      case kPushLeft:  // the new picture comes in from the right and pushes the old one out
        s.Shifted(s.from, y, 0, y, dx, s.w - dx);
        s.Shifted(s.to, y, s.w - dx, y, 0, dx);
        break;
      case kPushRight:
        s.Shifted(s.to, y, 0, y, s.w - dx, dx);
        s.Shifted(s.from, y, dx, y, 0, s.w - dx);
        break;
      case kPushUp:
        if (y < s.h - dy) s.Row(s.from, y, y + dy);
        else s.Row(s.to, y, y - (s.h - dy));
        break;
      default:
        if (y < dy) s.Row(s.to, y, y + s.h - dy);
        else s.Row(s.from, y, y - dy);
        break;
    }
  }
}

void Slide(const Step& s, int effect) {
  int dx = s.Part(s.w), dy = s.Part(s.h);
  for (int y = 0; y < s.h; ++y) {
    switch (effect) {
      case kSlideFromLeft: s.Shifted(s.to, y, 0, y, s.w - dx, dx); break;
      case kSlideFromRight: s.Shifted(s.to, y, s.w - dx, y, 0, dx); break;
      case kSlideFromTop:
        if (y < dy) s.Row(s.to, y, y + s.h - dy);
        break;
      default:
        if (y >= s.h - dy) s.Row(s.to, y, y - (s.h - dy));
        break;
    }
  }
}

// The whole new picture squeezed into the part it has reached, which grows.
void Roll(const Step& s, bool fromLeft) {
  if (fromLeft) {
    int cut = s.Part(s.w);
    if (cut <= 0) return;
    std::vector<int> column(static_cast<size_t>(cut));
    for (int x = 0; x < cut; ++x) column[size_t(x)] = int(int64_t(x) * s.w / cut);
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < cut; ++x) s.Pixel(s.to, x, y, column[size_t(x)], y);
    return;
  }
  int cut = s.Part(s.h);
  for (int y = 0; y < cut; ++y) s.Row(s.to, y, int(int64_t(y) * s.h / cut));
}

// A picture scaled into a centred rectangle of bw x bh.
void Scaled(const Step& s, const Raster& src, int bw, int bh) {
  if (bw <= 0 || bh <= 0) return;
  int x0 = (s.w - bw) / 2, y0 = (s.h - bh) / 2;
  std::vector<int> column(static_cast<size_t>(bw));
  for (int x = 0; x < bw; ++x) column[size_t(x)] = int(int64_t(x) * s.w / bw);
  for (int y = 0; y < bh; ++y) {
    int sy = int(int64_t(y) * s.h / bh);
    for (int x = 0; x < bw; ++x) s.Pixel(src, x0 + x, y0 + y, column[size_t(x)], sy);
  }
}

// ---- Fades ----------------------------------------------------------------------------------

// Every byte of src through a table into out.
void Mapped(const Step& s, const Raster& src, const uint8_t (&table)[256]) {
  size_t bytes = size_t(s.w) * 3;
  for (int y = 0; y < s.h; ++y) {
    const uint8_t* in = src.Row(y);
    uint8_t* o = s.out.Row(y);
    for (size_t i = 0; i < bytes; ++i) o[i] = table[in[i]];
  }
}

// Through black (target 0) or white (255): the old picture goes to the target colour in
// the first half and the new one comes from it in the second.
void FadeThrough(const Step& s, uint8_t target) {
  uint8_t table[256];
  bool firstHalf = 2 * s.f < s.n;
  // How far the picture shown is from the target colour, of n.
  int64_t keep = firstHalf ? s.n - 2 * int64_t(s.f) : 2 * int64_t(s.f) - s.n;
  for (int v = 0; v < 256; ++v) table[v] = uint8_t(target + (v - target) * keep / s.n);
  Mapped(s, firstHalf ? s.from : s.to, table);
}

}  // namespace

const int* TransitionEffects(int& count) {
  count = int(sizeof kAllEffects / sizeof kAllEffects[0]);
  return kAllEffects;
}

bool IsTransitionEffect(int effect) {
  return std::find(std::begin(kAllEffects), std::end(kAllEffects), effect) != std::end(kAllEffects);
}

uint32_t DissolveRank(uint32_t x, uint32_t y) {
  uint32_t h = x * 0x9E3779B1u ^ (y * 0x85EBCA77u + 0x165667B1u);
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h & 0xFFFFu;
}

void BlendPictures(const Raster& from, const Raster& to, int weight, Raster& out) {
  weight = std::clamp(weight, 0, 256);
  size_t bytes = size_t(from.Width()) * 3;
  unsigned keep = unsigned(256 - weight), take = unsigned(weight);
  for (int y = 0; y < from.Height(); ++y) {
    const uint8_t* a = from.Row(y);
    const uint8_t* b = to.Row(y);
    uint8_t* o = out.Row(y);
    for (size_t i = 0; i < bytes; ++i) o[i] = uint8_t((a[i] * keep + b[i] * take) >> 8);
  }
}

bool ComposeTransitionFrame(const Raster& from, const Raster& to, int effect, int frame, int frames, Raster& out) {
  if (from.Empty() || to.Empty() || frames < 1 || from.Width() != to.Width() || from.Height() != to.Height())
    return false;
  if (out.Width() != from.Width() || out.Height() != from.Height()) {
    if (!out.Allocate(from.Width(), from.Height())) return false;
  }
  if (frame <= 0) {
    CopyAll(from, out);
    return true;
  }
  if (frame >= frames || !IsTransitionEffect(effect)) {
    CopyAll(to, out);
    return true;
  }
  Step s{from, to, out, from.Width(), from.Height(), frame, frames};
  switch (effect) {
    case kZoomOut:
      CopyAll(to, out);
      Scaled(s, from, s.Rest(s.w), s.Rest(s.h));
      return true;
    case kPushLeft: case kPushRight: case kPushUp: case kPushDown:
      Push(s, effect);
      return true;
    case kFadeThroughBlack:
      FadeThrough(s, 0);
      return true;
    case kFadeThroughWhite:
      FadeThrough(s, 255);
      return true;
    case kCrossFade:
      BlendPictures(from, to, int(int64_t(256) * frame / frames), out);
      return true;
    default:
      break;
  }
  // Every other effect lays parts of the new picture over the old one.
  CopyAll(from, out);
  switch (effect) {
    case kWipeFromLeft: case kWipeFromRight: case kWipeFromTop: case kWipeFromBottom: Wipe(s, effect); break;
    case kSlideFromLeft: case kSlideFromRight: case kSlideFromTop: case kSlideFromBottom: Slide(s, effect); break;
    case kBlindsHorizontal: Blinds(s, true); break;
    case kBlindsVertical: Blinds(s, false); break;
    case kDoorsOpenSideways: case kDoorsOpenUpDown: case kDoorsCloseSideways: case kDoorsCloseUpDown:
      Doors(s, effect);
      break;
    case kBoxOut: Box(s, true); break;
    case kBoxIn: Box(s, false); break;
    case kCircleOut: Shape(s, true, true); break;
    case kCircleIn: Shape(s, true, false); break;
    case kDiamondOut: Shape(s, false, true); break;
    case kDiamondIn: Shape(s, false, false); break;
    case kCheckersAcross: Checkers(s, true); break;
    case kCheckersDown: Checkers(s, false); break;
    case kDissolve: Dissolve(s, false); break;
    case kCoarseDissolve: Dissolve(s, true); break;
    case kRollFromLeft: Roll(s, true); break;
    case kRollFromTop: Roll(s, false); break;
    case kSpiralIn: Spiral(s, true); break;
    case kSpiralOut: Spiral(s, false); break;
    case kStripesFromLeft: Stripes(s, true); break;
    case kStripesFromTop: Stripes(s, false); break;
    case kZoomIn: Scaled(s, to, s.Part(s.w), s.Part(s.h)); break;
    default: break;
  }
  return true;
}

}  // namespace imglib

#include "pellox/pellox_effects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imglib/transitions.h"

namespace pellox {

using imglib::Raster;

namespace {

constexpr double kPi = 3.14159265358979323846;

void CopyAll(const Raster& src, Raster& out) { std::memcpy(out.Data(), src.Data(), src.ByteSize()); }

void Put(Raster& out, int x, int y, const Raster& src, int sx, int sy) {
  const uint8_t* s = src.Row(sy) + size_t(sx) * 3;
  uint8_t* d = out.Row(y) + size_t(x) * 3;
  d[0] = s[0];
  d[1] = s[1];
  d[2] = s[2];
}

// The new picture, scaled by the part of the way done, turns one whole turn about the
// centre on its way in.
void Spin(const Raster& from, const Raster& to, double done, Raster& out) {
  CopyAll(from, out);
  int w = to.Width(), h = to.Height();
  double cx = w / 2.0, cy = h / 2.0;
  double angle = 2 * kPi * (1 - done), c = std::cos(angle), s = std::sin(angle);
  double reach = std::sqrt(cx * cx + cy * cy) * done;
  int top = std::max(0, int(cy - reach) - 1), bottom = std::min(h, int(cy + reach) + 2);
  for (int y = top; y < bottom; ++y) {
    double dy = y + 0.5 - cy;
    for (int x = 0; x < w; ++x) {
      double dx = x + 0.5 - cx;
      double u = (dx * c + dy * s) / done + cx, v = (-dx * s + dy * c) / done + cy;
      if (u >= 0 && u < w && v >= 0 && v < h) Put(out, x, y, to, int(u), int(v));
    }
  }
}

// A fold runs from the bottom right corner to the top left; behind it the new picture,
// just before it the back of the page, a darker strip of the old one.
void PageTurn(const Raster& from, const Raster& to, double done, Raster& out) {
  int w = to.Width(), h = to.Height();
  double edge = 1 - done, back = edge - 0.08;
  for (int y = 0; y < h; ++y) {
    double dy = (y + 0.5) / h;
    for (int x = 0; x < w; ++x) {
      double d = ((x + 0.5) / w + dy) / 2;
      if (d > edge) {
        Put(out, x, y, to, x, y);
        continue;
      }
      Put(out, x, y, from, x, y);
      if (d > back) {
        uint8_t* p = out.Row(y) + size_t(x) * 3;
        for (int k = 0; k < 3; ++k) p[k] = uint8_t(p[k] * 3 / 4);
      }
    }
  }
}

// A cross fade to the new picture, whose rows are shifted by waves that calm down.
void Ripple(const Raster& from, const Raster& to, int frame, int frames, Raster& out) {
  int w = to.Width(), h = to.Height();
  double done = double(frame) / frames;
  double amplitude = (1 - done) * w / 16.0, wave = 2 * kPi / std::max(4.0, h / 4.0), phase = done * 4 * kPi;
  unsigned take = unsigned(256 * int64_t(frame) / frames), keep = 256 - take;
  for (int y = 0; y < h; ++y) {
    int shift = int(std::lround(amplitude * std::sin(y * wave + phase)));
    const uint8_t* a = from.Row(y);
    const uint8_t* b = to.Row(y);
    uint8_t* o = out.Row(y);
    for (int x = 0; x < w; ++x) {
      int sx = std::clamp(x + shift, 0, w - 1);
      for (int k = 0; k < 3; ++k) o[x * 3 + k] = uint8_t((a[x * 3 + k] * keep + b[sx * 3 + k] * take) >> 8);
    }
  }
}

// Squares of the old picture fall, each at its own speed and drifting aside, and uncover
// the new picture.
void Shatter(const Raster& from, const Raster& to, double done, Raster& out) {
  CopyAll(to, out);
  int w = to.Width(), h = to.Height();
  int cell = std::max(2, std::min(w, h) / 8);
  for (int top = 0, row = 0; top < h; top += cell, ++row) {
    for (int left = 0, col = 0; left < w; left += cell, ++col) {
      uint32_t rank = imglib::DissolveRank(uint32_t(col), uint32_t(row));
      double speed = 1 + rank / 65536.0;
      int drop = int(done * done * h * speed * 1.5);
      int aside = int(done * cell * ((rank & 1) ? 1 : -1));
      int cw = std::min(cell, w - left), ch = std::min(cell, h - top);
      for (int y = 0; y < ch; ++y) {
        int ty = top + y + drop;
        if (ty >= h) break;
        int x0 = left + aside, from0 = 0, len = cw;
        if (x0 < 0) from0 = -x0, len -= from0, x0 = 0;
        if (x0 + len > w) len = w - x0;
        if (len > 0)
          std::memcpy(out.Row(ty) + size_t(x0) * 3, from.Row(top + y) + size_t(left + from0) * 3, size_t(len) * 3);
      }
    }
  }
}

}  // namespace

int FramesForStep(int step) {
  if (step <= 0) step = 5;
  step = std::min(step, 100);
  return (100 + step - 1) / step;
}

int AutomaticEffect(int turn) { return 1 + ((turn % kLastEffect) + kLastEffect) % kLastEffect; }

bool ComposePluginFrame(const Raster& from, const Raster& to, int effect, int frame, int frames, Raster& out) {
  if (from.Empty() || to.Empty() || frames < 1 || from.Width() != to.Width() || from.Height() != to.Height())
    return false;
  if ((out.Width() != to.Width() || out.Height() != to.Height()) && !out.Allocate(to.Width(), to.Height()))
    return false;
  if (frame <= 0) {
    CopyAll(from, out);
    return true;
  }
  if (frame >= frames) {
    CopyAll(to, out);
    return true;
  }
  double done = double(frame) / frames;
  switch (effect) {
    case kLight: return imglib::ComposeTransitionFrame(from, to, imglib::kWipeFromLeft, frame, frames, out);
    case kSpin: Spin(from, to, done, out); break;
    case kPageTurn: PageTurn(from, to, done, out); break;
    case kRipple: Ripple(from, to, frame, frames, out); break;
    case kShatter: Shatter(from, to, done, out); break;
    default: CopyAll(to, out); break;
  }
  return true;
}

}  // namespace pellox

// The JPEG decoder's last steps: progressive coefficients to samples, and the samples of
// every component to 24-bit pixels (interpolating subsampled components, converting
// YCbCr, RGB, CMYK and YCCK).
#include <algorithm>
#include <cstring>

#include "jpeg_decoder.h"
#include "jpeg_tables.h"

namespace imglib::jpeg {

// Turns the coefficients of a progressive picture into samples.
void Decoder::FinishProgressive() {
  int32_t block[64];
  for (Component& c : components_) {
    const uint16_t* q = quant_[size_t(c.quantTable)].data();
    for (int by = 0; by < c.paddedHigh; ++by)
      for (int bx = 0; bx < c.paddedWide; ++bx) {
        const int16_t* src = c.Block(bx, by);
        uint8_t* out = c.BlockOut(bx, by);
        int rows = 1, columns = 1;  // the part of the block that holds coefficients
        if (!c.MeanOnly())
          for (int i = 1; i < 64; ++i)
            if (src[i] != 0) {
              rows = std::max(rows, (i >> 3) + 1);
              columns = std::max(columns, (i & 7) + 1);
            }
        if (rows == 1 && columns == 1) {
          jpeg::FlatBlock(src[0] * int32_t(q[0]), c.blockOutX, c.blockOutY, out, c.planeStride);
          continue;
        }
        for (int i = 0; i < 64; ++i) block[i] = src[i] * int32_t(q[i]);
        jpeg::InverseDct(block, c.blockOutX, c.blockOutY, out, c.planeStride, rows, columns);
      }
  }
}

// ---- output ------------------------------------------------------------------------------------

namespace {

inline uint8_t Clamp255(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// How the samples of one component become a row of samples at the output's resolution.
// - At full size, a component subsampled by 2 across, down or both is upsampled as the
//   common decoders do it (libjpeg's "fancy" upsampling, to the same integer rounding),
//   so that a picture decodes to their very pixels wherever the transforms agree.
// - At 1/2 and 1/4 such a component is decoded at the output's resolution already; a
//   3-tap filter gives it the softness that the upsampling gives the full size, so that
//   the reduced picture is the full one averaged.
// - Anything else (1/8, other subsampling factors) is interpolated linearly between
//   the centres of the samples.
class SampleRows {
 public:
  SampleRows(const Component& c, int width, int height, int hMax, int vMax, int scale, int outW, int outH)
      : c_(c), outW_(outW) {
    int blockOut = 8 / scale;
    // Samples of the plane that hold picture (the rest pads the last blocks).
    validW_ = std::max(1, int((int64_t(width) * c.h * c.blockOutX + int64_t(hMax) * 8 - 1) / (int64_t(hMax) * 8)));
    validH_ = std::max(1, int((int64_t(height) * c.v * c.blockOutY + int64_t(vMax) * 8 - 1) / (int64_t(vMax) * 8)));
    int upX = hMax * blockOut / (c.h * c.blockOutX), upY = vMax * blockOut / (c.v * c.blockOutY);
    bool even = hMax * blockOut == upX * c.h * c.blockOutX && vMax * blockOut == upY * c.v * c.blockOutY;
    int subX = hMax % c.h == 0 ? hMax / c.h : 0, subY = vMax % c.v == 0 ? vMax / c.v : 0;
    if (even && upX <= 2 && upY <= 2 && scale == 1) {
      kind_ = upX == 1 && upY == 1 ? Kind::kDirect : Kind::kFancy;
      upX_ = upX;
      upY_ = upY;
    } else if (even && upX == 1 && upY == 1) {
      across_ = SmoothFor(subX, scale);
      down_ = SmoothFor(subY, scale);
      kind_ = across_.centre == 1 && down_.centre == 1 ? Kind::kDirect : Kind::kSmooth;
    } else {
      kind_ = Kind::kLinear;
      columns_ = Taps(outW, c.h * c.blockOutX, hMax * blockOut, validW_);
      rows_ = Taps(outH, c.v * c.blockOutY, vMax * blockOut, validH_);
    }
    sums_.resize(size_t(std::max(validW_, outW)));
  }

  void Fill(int y, uint8_t* line) {
    switch (kind_) {
      case Kind::kDirect: std::memcpy(line, Row(y), size_t(outW_)); return;
      case Kind::kFancy: return Fancy(y, line);
      case Kind::kSmooth: return SmoothRow(y, line);
      case Kind::kLinear: return Linear(y, line);
    }
  }

 private:
  enum class Kind { kDirect, kFancy, kSmooth, kLinear };
  struct Smooth {
    int side = 0, centre = 1, shift = 0;  // (side, centre, side) >> shift
  };
  struct Tap {
    int a, b, weightB;  // sample = (s[a] * (256 - weightB) + s[b] * weightB) / 256
  };

  // The full size's upsampling by 2 followed by averaging over 2 (1/2) or 4 (1/4)
  // pixels, on samples that each stand for 1 or 2 of the component's own.
  static Smooth SmoothFor(int subsampling, int scale) {
    if (subsampling != 2 || (scale != 2 && scale != 4)) return {};
    return scale == 2 ? Smooth{1, 6, 3} : Smooth{1, 14, 4};
  }

  static std::vector<Tap> Taps(int outCount, int factor, int factorMax, int available) {
    std::vector<Tap> taps(static_cast<size_t>(outCount));
    for (int i = 0; i < outCount; ++i) {
      double pos = (i + 0.5) * factor / factorMax - 0.5;
      int a = int(pos >= 0 ? pos : pos - 1);  // floor
      int weight = int((pos - a) * 256 + 0.5);
      taps[size_t(i)] = {std::clamp(a, 0, available - 1), std::clamp(a + 1, 0, available - 1), weight};
    }
    return taps;
  }

  const uint8_t* Row(int y) const {
    return c_.plane.data() + size_t(std::clamp(y, 0, validH_ - 1)) * size_t(c_.planeStride);
  }

  void Fancy(int y, uint8_t* line) {
    int* sums = sums_.data();
    const uint8_t* near = Row(upY_ == 2 ? y / 2 : y);
    if (upY_ == 2) {
      const uint8_t* far = Row(y % 2 == 0 ? y / 2 - 1 : y / 2 + 1);
      for (int i = 0; i < validW_; ++i) sums[i] = near[i] * 3 + far[i];
    } else {
      for (int i = 0; i < validW_; ++i) sums[i] = near[i];
    }
    if (upX_ == 1) {
      int bias = y % 2 == 0 ? 1 : 2;
      for (int x = 0; x < outW_; ++x) line[x] = uint8_t(upY_ == 2 ? (sums[x] + bias) >> 2 : sums[x]);
      return;
    }
    int last = validW_ - 1;
    for (int x = 0; x < outW_; ++x) {
      int i = x / 2;
      bool left = x % 2 == 0;
      int other = sums[left ? std::max(i - 1, 0) : std::min(i + 1, last)];
      if (upY_ == 2)
        line[x] = uint8_t((sums[i] * 3 + other + (left ? 8 : 7)) >> 4);
      else
        line[x] = uint8_t((sums[i] * 3 + other + (left ? 1 : 2)) >> 2);
    }
  }

  void SmoothRow(int y, uint8_t* line) {
    int* sums = sums_.data();
    const uint8_t *above = Row(y - 1), *here = Row(y), *below = Row(y + 1);
    for (int i = 0; i < validW_; ++i) sums[i] = down_.centre * here[i] + down_.side * (above[i] + below[i]);
    int shift = down_.shift + across_.shift, half = (1 << shift) >> 1, last = validW_ - 1;
    for (int x = 0; x < outW_; ++x) {
      int i = std::min(x, last);
      int v = across_.centre * sums[i] + across_.side * (sums[std::max(i - 1, 0)] + sums[std::min(i + 1, last)]);
      line[x] = uint8_t((v + half) >> shift);
    }
  }

  void Linear(int y, uint8_t* line) {
    const Tap& t = rows_[size_t(y)];
    const uint8_t* ra = Row(t.a);
    const uint8_t* rb = Row(t.b);
    for (int x = 0; x < outW_; ++x) {
      const Tap& ct = columns_[size_t(x)];
      int top = ra[ct.a] * (256 - ct.weightB) + ra[ct.b] * ct.weightB;
      int bottom = rb[ct.a] * (256 - ct.weightB) + rb[ct.b] * ct.weightB;
      line[x] = uint8_t((top * (256 - t.weightB) + bottom * t.weightB + 32768) >> 16);
    }
  }

  const Component& c_;
  int outW_;
  int validW_ = 1, validH_ = 1;
  Kind kind_ = Kind::kDirect;
  int upX_ = 1, upY_ = 1;
  Smooth across_, down_;
  std::vector<Tap> columns_, rows_;
  std::vector<int> sums_;
};

}  // namespace

int Decoder::Output(Picture& out) {
  int outW = (width_ + scale_ - 1) / scale_, outH = (height_ + scale_ - 1) / scale_;
  if (!out.pixels.Allocate(outW, outH)) return kNoMemory;
  size_t n = components_.size();
  bool rgb = n == 3 && ((adobe_ && adobeTransform == 0) ||
                        (!jfif_ && components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B'));
  bool ycck = n == 4 && adobe_ && adobeTransform == 2;
  // Fixed-point colour conversion (16 fractional bits), each term rounded as the common
  // decoders round it: a term that always rounded up would raise the channel by a level.
  constexpr int kCrR = 91881, kCbG = 22554, kCrG = 46802, kCbB = 116130;
  std::vector<SampleRows> sources;
  sources.reserve(n);
  for (const Component& c : components_) sources.emplace_back(c, width_, height_, hMax_, vMax_, scale_, outW, outH);
  std::vector<uint8_t> lines[4];
  for (size_t i = 0; i < n; ++i) lines[i].resize(size_t(outW));
  for (int y = 0; y < outH; ++y) {
    for (size_t i = 0; i < n; ++i) sources[i].Fill(y, lines[i].data());
    const uint8_t* rows[4];
    for (size_t i = 0; i < n; ++i) rows[i] = lines[i].data();
    uint8_t* dst = out.pixels.Row(y);
    for (int x = 0; x < outW; ++x) {
      int r, g, b;
      if (n == 1) {
        r = g = b = rows[0][x];
      } else {
        int c0 = rows[0][x], c1 = rows[1][x], c2 = rows[2][x];
        if (rgb) {
          r = c0;
          g = c1;
          b = c2;
        } else if (n == 3 || ycck) {
          int cb = c1 - 128, cr = c2 - 128;
          r = c0 + ((kCrR * cr + 32768) >> 16);
          g = c0 + ((-kCbG * cb - kCrG * cr + 32768) >> 16);
          b = c0 + ((kCbB * cb + 32768) >> 16);
          if (ycck) {
            // YCCK is CMY coded as colour plus K; with the Adobe marker the inks come out
            // inverted, so the light is the product of the inverted inks.
            int k = rows[3][x];
            r = (255 - Clamp255(r)) * k / 255;
            g = (255 - Clamp255(g)) * k / 255;
            b = (255 - Clamp255(b)) * k / 255;
          }
        } else {
          // CMYK; writers that add the Adobe marker store the inks inverted.
          int k = rows[3][x];
          if (adobe_) {
            r = c0 * k / 255;
            g = c1 * k / 255;
            b = c2 * k / 255;
          } else {
            r = (255 - c0) * (255 - k) / 255;
            g = (255 - c1) * (255 - k) / 255;
            b = (255 - c2) * (255 - k) / 255;
          }
        }
      }
      dst[x * 3] = Clamp255(b);
      dst[x * 3 + 1] = Clamp255(g);
      dst[x * 3 + 2] = Clamp255(r);
    }
  }
  return kSuccess;
}

}  // namespace imglib::jpeg

// The JPEG decoder's last steps: progressive coefficients to samples, and the samples of
// every component to 24-bit pixels (interpolating subsampled components, converting
// YCbCr, RGB, CMYK and YCCK), one row of MCUs at a time.
#include <algorithm>
#include <cstring>

#include "jpeg_decoder.h"
#include "jpeg_rows.h"
#include "jpeg_tables.h"

namespace imglib::jpeg {

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
// Every kind reads at most one sample row above and below the rows of its own row of
// MCUs, so three rows of MCUs in the plane are enough.
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
    line_.resize(size_t(std::max(2 * validW_, outW)));
  }

  // Row y of the output's samples of this component (valid until the next call).
  const uint8_t* Fill(int y) {
    switch (kind_) {
      case Kind::kDirect: return Row(y);
      case Kind::kFancy: Fancy(y); break;
      case Kind::kSmooth: SmoothRow(y); break;
      case Kind::kLinear: Linear(y); break;
    }
    return line_.data();
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

  const uint8_t* Row(int y) const { return c_.PlaneRow(std::clamp(y, 0, validH_ - 1)); }

  // Each output sample is 3/4 of the nearer sample and 1/4 of the farther one, in each
  // direction that is upsampled; the biases alternate as the common decoders have them.
  void Fancy(int y) {
    uint16_t* sums = sums_.data();
    uint8_t* line = line_.data();
    const uint8_t* near = Row(upY_ == 2 ? y / 2 : y);
    const int n = validW_;
    if (upY_ == 2) {
      const uint8_t* far = Row(y % 2 == 0 ? y / 2 - 1 : y / 2 + 1);
      for (int i = 0; i < n; ++i) sums[i] = uint16_t(near[i] * 3 + far[i]);
    } else {
      for (int i = 0; i < n; ++i) sums[i] = near[i];
    }
    if (upX_ == 1) {
      int bias = y % 2 == 0 ? 1 : 2;
      if (upY_ == 2)
        for (int x = 0; x < n; ++x) line[x] = uint8_t((sums[x] + bias) >> 2);
      else
        for (int x = 0; x < n; ++x) line[x] = uint8_t(sums[x]);
      return;
    }
    if (upY_ == 2)
      UpsampleAcross(sums, n, 4, 8, 7, line);
    else
      UpsampleAcross(sums, n, 2, 1, 2, line);
  }

  void SmoothRow(int y) {
    uint16_t* sums = sums_.data();
    uint8_t* line = line_.data();
    const uint8_t *above = Row(y - 1), *here = Row(y), *below = Row(y + 1);
    for (int i = 0; i < validW_; ++i)
      sums[i] = uint16_t(down_.centre * here[i] + down_.side * (above[i] + below[i]));
    int shift = down_.shift + across_.shift, half = (1 << shift) >> 1, last = validW_ - 1;
    for (int x = 0; x < outW_; ++x) {
      int i = std::min(x, last);
      int v = across_.centre * sums[i] + across_.side * (sums[std::max(i - 1, 0)] + sums[std::min(i + 1, last)]);
      line[x] = uint8_t((v + half) >> shift);
    }
  }

  void Linear(int y) {
    uint8_t* line = line_.data();
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
  std::vector<uint16_t> sums_;
  std::vector<uint8_t> line_;
};

enum class ColourKind { kGrey, kYCbCr, kRgb, kYcck, kCmyk, kCmykInverted };

// Fixed-point colour conversion (16 fractional bits), as in jpeg_rows.cpp.
constexpr int kCrR = 91881, kCbG = 22554, kCrG = 46802, kCbB = 116130;

// The rare kinds, a pixel at a time.
void OtherRow(ColourKind kind, const uint8_t* const rows[4], uint8_t* dst, int width) {
  for (int x = 0; x < width; ++x) {
    int c0 = rows[0][x], c1 = rows[1][x], c2 = rows[2][x];
    int r, g, b;
    if (kind == ColourKind::kRgb) {
      r = c0;
      g = c1;
      b = c2;
    } else if (kind == ColourKind::kYcck) {
      // YCCK is CMY coded as colour plus K; with the Adobe marker the inks come out
      // inverted, so the light is the product of the inverted inks.
      int cb = c1 - 128, cr = c2 - 128, k = rows[3][x];
      r = (255 - Clamp255(c0 + ((kCrR * cr + 32768) >> 16))) * k / 255;
      g = (255 - Clamp255(c0 + ((-kCbG * cb - kCrG * cr + 32768) >> 16))) * k / 255;
      b = (255 - Clamp255(c0 + ((kCbB * cb + 32768) >> 16))) * k / 255;
    } else if (kind == ColourKind::kCmykInverted) {
      // CMYK; writers that add the Adobe marker store the inks inverted.
      int k = rows[3][x];
      r = c0 * k / 255;
      g = c1 * k / 255;
      b = c2 * k / 255;
    } else {
      int k = rows[3][x];
      r = (255 - c0) * (255 - k) / 255;
      g = (255 - c1) * (255 - k) / 255;
      b = (255 - c2) * (255 - k) / 255;
    }
    dst[3 * x] = Clamp255(b);
    dst[3 * x + 1] = Clamp255(g);
    dst[3 * x + 2] = Clamp255(r);
  }
}

}  // namespace

struct OutputRows {
  std::vector<SampleRows> sources;
  ColourKind kind = ColourKind::kGrey;
  int width = 0, height = 0;
  int rowsPerMcuRow = 0;
};

Decoder::Decoder(std::string_view bytes, const DecodeOptions& options)
    : data_(reinterpret_cast<const uint8_t*>(bytes.data())), size_(bytes.size()), options_(options) {}

Decoder::~Decoder() = default;

int Decoder::StartOutput() {
  int outW = (width_ + scale_ - 1) / scale_, outH = (height_ + scale_ - 1) / scale_;
  if (!out_ || !out_->Allocate(outW, outH)) return kNoMemory;
  output_ = std::make_unique<OutputRows>();
  OutputRows& o = *output_;
  o.width = outW;
  o.height = outH;
  o.rowsPerMcuRow = vMax_ * blockOut_;
  size_t n = components_.size();
  bool rgb = n == 3 && ((adobe_ && adobeTransform == 0) ||
                        (!jfif_ && components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B'));
  if (n == 1) o.kind = ColourKind::kGrey;
  else if (n == 3) o.kind = rgb ? ColourKind::kRgb : ColourKind::kYCbCr;
  else if (adobe_ && adobeTransform == 2) o.kind = ColourKind::kYcck;
  else o.kind = adobe_ ? ColourKind::kCmykInverted : ColourKind::kCmyk;
  o.sources.reserve(n);
  for (const Component& c : components_) o.sources.emplace_back(c, width_, height_, hMax_, vMax_, scale_, outW, outH);
  return kSuccess;
}

// A row of MCUs starts grey: what the data never reaches stays so.
void Decoder::BeginMcuRow(int my) {
  for (Component& c : components_) {
    int rows = c.BandRows();
    std::memset(c.plane.data() + size_t(my * rows % c.planeRows) * size_t(c.planeStride), 128,
                size_t(rows) * size_t(c.planeStride));
  }
  begun_ = my + 1;
}

void Decoder::McuRowsComplete(int count) {
  while (emitted_ + 1 < count) EmitMcuRow(emitted_);
}

void Decoder::EmitMcuRow(int my) {
  OutputRows& o = *output_;
  int first = my * o.rowsPerMcuRow, last = std::min(first + o.rowsPerMcuRow, o.height);
  const uint8_t* rows[4] = {};
  size_t n = components_.size();
  for (int y = first; y < last; ++y) {
    for (size_t i = 0; i < n; ++i) rows[i] = o.sources[i].Fill(y);
    uint8_t* dst = out_->Row(y);
    switch (o.kind) {
      case ColourKind::kGrey: GreyToBgr(rows[0], dst, o.width); break;
      case ColourKind::kYCbCr: YCbCrToBgr(rows[0], rows[1], rows[2], dst, o.width); break;
      default: OtherRow(o.kind, rows, dst, o.width); break;
    }
  }
  emitted_ = my + 1;
}

// Turns the coefficients of a row of MCUs of a progressive picture into samples.
void Decoder::TransformMcuRow(int my) {
  alignas(16) int16_t block[64];
  for (Component& c : components_) {
    const uint16_t* q = quant_[size_t(c.quantTable)].data();
    int full = c.blockOutX == 8 && c.blockOutY == 8;
    for (int by = my * c.v; by < (my + 1) * c.v; ++by)
      for (int bx = 0; bx < c.paddedWide; ++bx) {
        const int16_t* src = c.Block(bx, by);
        uint8_t* out = c.BlockOut(bx, by);
        if (full) {
          // Any AC coefficient, eight bytes at a time.
          std::memcpy(block, src, sizeof block);
          block[0] = 0;
          uint64_t words[16];
          std::memcpy(words, block, sizeof words);
          uint64_t ac = 0;
          for (uint64_t w : words) ac |= w;
          if (!ac) {
            jpeg::FlatBlock(src[0] * int32_t(q[0]), 8, 8, out, c.planeStride);
            continue;
          }
          for (int i = 0; i < 64; ++i) block[i] = int16_t(src[i] * int32_t(q[i]));
          jpeg::IntegerIdct(block, out, c.planeStride);
          continue;
        }
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
        int32_t wide[64];
        for (int i = 0; i < 64; ++i) wide[i] = src[i] * int32_t(q[i]);
        jpeg::InverseDct(wide, c.blockOutX, c.blockOutY, out, c.planeStride, rows, columns);
      }
  }
}

int Decoder::FinishOutput() {
  if (!output_) return kFileCorrupt;
  if (progressive_) {
    for (int my = 0; my < mcusHigh_; ++my) {
      McuRowsComplete(my);
      TransformMcuRow(my);
    }
  }
  while (emitted_ < mcusHigh_) EmitMcuRow(emitted_);
  return kSuccess;
}

}  // namespace imglib::jpeg

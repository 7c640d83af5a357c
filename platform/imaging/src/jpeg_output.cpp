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
        uint8_t* out = c.plane.data() + size_t(by) * size_t(c.blockOut) * size_t(c.planeStride) +
                       size_t(bx) * size_t(c.blockOut);
        if (c.blockOut == 1) {
          block[0] = src[0] * int32_t(q[0]);
        } else {
          for (int i = 0; i < 64; ++i) block[i] = src[i] * int32_t(q[i]);
        }
        jpeg::InverseDct(block, c.blockOut, out, c.planeStride);
      }
  }
}

// ---- output ------------------------------------------------------------------------------------

inline uint8_t Clamp255(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

int Decoder::Output(Picture& out) {
  int outW = (width_ + scale_ - 1) / scale_, outH = (height_ + scale_ - 1) / scale_;
  if (!out.pixels.Allocate(outW, outH)) return kNoMemory;
  size_t n = components_.size();
  bool rgb = n == 3 && ((adobe_ && adobeTransform == 0) ||
                        (!jfif_ && components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B'));
  bool ycck = n == 4 && adobe_ && adobeTransform == 2;
  // Fixed-point colour conversion (16 fractional bits).
  constexpr int kCrR = 91881, kCbG = 22554, kCrG = 46802, kCbB = 116130;
  // Subsampled components are interpolated between the centres of their samples (the
  // triangle filter of common decoders); full-resolution ones are read directly.
  struct Tap {
    int a, b, weightB;  // sample = (s[a] * (256 - weightB) + s[b] * weightB) / 256
  };
  auto makeTaps = [](int outCount, int factor, int factorMax, int available) {
    std::vector<Tap> taps(static_cast<size_t>(outCount));
    for (int i = 0; i < outCount; ++i) {
      if (factor == factorMax) {
        int a = std::min(i, available - 1);
        taps[size_t(i)] = {a, a, 0};
        continue;
      }
      double pos = (i + 0.5) * factor / factorMax - 0.5;
      int a = int(pos >= 0 ? pos : pos - 1);  // floor
      int weight = int((pos - a) * 256 + 0.5);
      int b = a + 1;
      a = std::clamp(a, 0, available - 1);
      b = std::clamp(b, 0, available - 1);
      taps[size_t(i)] = {a, b, weight};
    }
    return taps;
  };
  std::vector<Tap> columns[4], rowTaps[4];
  for (size_t i = 0; i < n; ++i) {
    const Component& c = components_[i];
    columns[i] = makeTaps(outW, c.h * c.blockOut, hMax_ * blockOut_, c.planeStride);
    rowTaps[i] = makeTaps(outH, c.v * c.blockOut, vMax_ * blockOut_, c.paddedHigh * c.blockOut);
  }
  std::vector<uint8_t> lines[4];
  for (size_t i = 0; i < n; ++i) lines[i].resize(size_t(outW));
  for (int y = 0; y < outH; ++y) {
    // Each component's samples for this output row, at full horizontal resolution.
    for (size_t i = 0; i < n; ++i) {
      const Component& c = components_[i];
      const Tap& t = rowTaps[i][size_t(y)];
      const uint8_t* ra = c.plane.data() + size_t(t.a) * size_t(c.planeStride);
      const uint8_t* rb = c.plane.data() + size_t(t.b) * size_t(c.planeStride);
      uint8_t* line = lines[i].data();
      const std::vector<Tap>& cols = columns[i];
      if (c.h * c.blockOut == hMax_ * blockOut_ && c.v * c.blockOut == vMax_ * blockOut_) {
        std::memcpy(line, ra, size_t(outW));
        continue;
      }
      for (int x = 0; x < outW; ++x) {
        const Tap& ct = cols[size_t(x)];
        int top = ra[ct.a] * (256 - ct.weightB) + ra[ct.b] * ct.weightB;
        int bottom = rb[ct.a] * (256 - ct.weightB) + rb[ct.b] * ct.weightB;
        line[x] = uint8_t((top * (256 - t.weightB) + bottom * t.weightB + 32768) >> 16);
      }
    }
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
          g = c0 - ((kCbG * cb + kCrG * cr - 32768) >> 16);
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

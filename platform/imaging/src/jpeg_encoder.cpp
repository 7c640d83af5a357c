// Baseline JPEG encoder: JFIF, the standard's Huffman tables, quantisation scaled by the
// layer's quality factor. Colour pictures are coded as YCbCr, 4:2:0 except at the finest
// factors, which keep the full colour resolution.
#include <algorithm>
#include <cmath>
#include <new>

#include "imglib/byte_io.h"
#include "imglib/jpeg.h"
#include "jpeg_tables.h"

namespace imglib {

namespace {

using jpeg::kZigzag;

struct Code {
  uint16_t bits = 0;
  uint8_t length = 0;
};

void BuildCodes(const jpeg::HuffmanDefinition& table, Code (&codes)[256]) {
  int code = 0, k = 0;
  for (int len = 1; len <= 16; ++len) {
    for (int i = 0; i < table.counts[len - 1]; ++i, ++k, ++code) codes[table.symbols[k]] = {uint16_t(code), uint8_t(len)};
    code <<= 1;
  }
}

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Put(uint32_t bits, int length) {
    buffer_ = (buffer_ << length) | (bits & ((1u << length) - 1));
    count_ += length;
    while (count_ >= 8) {
      uint8_t b = uint8_t(buffer_ >> (count_ - 8));
      out_.push_back(char(b));
      if (b == 0xFF) out_.push_back('\0');  // stuffed zero
      count_ -= 8;
    }
  }
  void Flush() {
    if (count_ > 0) Put(0x7F, 8 - count_);  // pad with one bits
    buffer_ = 0;
  }

 private:
  std::string& out_;
  uint64_t buffer_ = 0;
  int count_ = 0;
};

// The magnitude category of a value and its bits as the standard codes them.
inline void Category(int v, int& size, uint32_t& bits) {
  int a = v < 0 ? -v : v;
  size = 0;
  while (a) {
    ++size;
    a >>= 1;
  }
  bits = uint32_t(v < 0 ? v - 1 : v);
}

struct Plane {
  int width = 0, height = 0;  // padded to whole blocks of the MCU grid
  std::vector<float> samples;
  float At(int x, int y) const { return samples[size_t(y) * size_t(width) + size_t(x)]; }
};

void WriteSegmentHeader(ByteWriter& w, int marker, size_t length) {
  w.U8(0xFF);
  w.U8(unsigned(marker));
  w.U16BE(unsigned(length + 2));
}

void WriteHuffmanTable(ByteWriter& w, int classAndId, const jpeg::HuffmanDefinition& table) {
  WriteSegmentHeader(w, 0xC4, 1 + 16 + size_t(table.symbolCount));
  w.U8(unsigned(classAndId));
  w.Bytes(table.counts, 16);
  w.Bytes(table.symbols, size_t(table.symbolCount));
}

}  // namespace

int JpegQualityForFactor(int qualityFactor) {
  if (qualityFactor < 2) qualityFactor = 2;
  return std::max(1, 100 - qualityFactor);
}

int EncodeJpeg(const Raster& pixels, int qualityFactor, bool grey, std::string& out, int restartInterval) {
  if (pixels.Empty()) return kInvalidParameter;
  try {
    int quality = JpegQualityForFactor(qualityFactor);
    int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    uint8_t quant[2][64];
    for (int i = 0; i < 64; ++i) {
      quant[0][i] = uint8_t(std::clamp((jpeg::kLuminanceQuant[i] * scale + 50) / 100, 1, 255));
      quant[1][i] = uint8_t(std::clamp((jpeg::kChrominanceQuant[i] * scale + 50) / 100, 1, 255));
    }
    int width = pixels.Width(), height = pixels.Height();
    int components = grey ? 1 : 3;
    int sampling = (grey || qualityFactor <= 4) ? 1 : 2;  // luminance blocks per MCU side
    int mcuSide = 8 * sampling;
    int mcusWide = (width + mcuSide - 1) / mcuSide, mcusHigh = (height + mcuSide - 1) / mcuSide;

    // Colour planes: luminance at full size, chrominance averaged over sampling^2 pixels;
    // the edges repeat the last pixel.
    Plane planes[3];
    for (int c = 0; c < components; ++c) {
      int div = c == 0 ? 1 : sampling;
      planes[c].width = mcusWide * mcuSide / div;
      planes[c].height = mcusHigh * mcuSide / div;
      planes[c].samples.assign(size_t(planes[c].width) * size_t(planes[c].height), 0.0f);
    }
    for (int y = 0; y < planes[0].height; ++y) {
      const uint8_t* row = pixels.Row(std::min(y, height - 1));
      for (int x = 0; x < planes[0].width; ++x) {
        const uint8_t* p = row + size_t(std::min(x, width - 1)) * 3;
        float r = p[2], g = p[1], b = p[0];
        size_t i = size_t(y) * size_t(planes[0].width) + size_t(x);
        planes[0].samples[i] = 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
        if (components == 3) {
          float cb = -0.168736f * r - 0.331264f * g + 0.5f * b, cr = 0.5f * r - 0.418688f * g - 0.081312f * b;
          size_t j = size_t(y / sampling) * size_t(planes[1].width) + size_t(x / sampling);
          float weight = 1.0f / float(sampling * sampling);
          planes[1].samples[j] += cb * weight;
          planes[2].samples[j] += cr * weight;
        }
      }
    }

    out.clear();
    ByteWriter w(out);
    w.U8(0xFF);
    w.U8(0xD8);
    WriteSegmentHeader(w, 0xE0, 14);
    w.Text(std::string_view("JFIF\0", 5));
    w.U8(1);
    w.U8(1);
    w.U8(0);  // no units: aspect only
    w.U16BE(1);
    w.U16BE(1);
    w.U8(0);
    w.U8(0);
    for (int t = 0; t < (grey ? 1 : 2); ++t) {
      WriteSegmentHeader(w, 0xDB, 65);
      w.U8(unsigned(t));
      for (int k = 0; k < 64; ++k) w.U8(quant[t][kZigzag[k]]);
    }
    WriteSegmentHeader(w, 0xC0, 6 + 3 * size_t(components));
    w.U8(8);
    w.U16BE(unsigned(height));
    w.U16BE(unsigned(width));
    w.U8(unsigned(components));
    for (int c = 0; c < components; ++c) {
      w.U8(unsigned(c + 1));
      w.U8(c == 0 ? unsigned(sampling << 4 | sampling) : 0x11u);
      w.U8(c == 0 ? 0u : 1u);
    }
    WriteHuffmanTable(w, 0x00, jpeg::kDcLuminance);
    WriteHuffmanTable(w, 0x10, jpeg::kAcLuminance);
    if (!grey) {
      WriteHuffmanTable(w, 0x01, jpeg::kDcChrominance);
      WriteHuffmanTable(w, 0x11, jpeg::kAcChrominance);
    }
    if (restartInterval > 0) {
      restartInterval = std::min(restartInterval, 65535);
      WriteSegmentHeader(w, 0xDD, 2);
      w.U16BE(unsigned(restartInterval));
    }
    WriteSegmentHeader(w, 0xDA, 4 + 2 * size_t(components));
    w.U8(unsigned(components));
    for (int c = 0; c < components; ++c) {
      w.U8(unsigned(c + 1));
      w.U8(c == 0 ? 0x00u : 0x11u);
    }
    w.U8(0);
    w.U8(63);
    w.U8(0);

    static Code dcCodes[2][256], acCodes[2][256];
    static bool built = [] {
      BuildCodes(jpeg::kDcLuminance, dcCodes[0]);
      BuildCodes(jpeg::kDcChrominance, dcCodes[1]);
      BuildCodes(jpeg::kAcLuminance, acCodes[0]);
      BuildCodes(jpeg::kAcChrominance, acCodes[1]);
      return true;
    }();
    (void)built;

    BitWriter bits(out);
    int predictor[3] = {0, 0, 0};
    float samples[64], coefficients[64];
    auto encodeBlock = [&](int c, int bx, int by) {
      const Plane& p = planes[c];
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) samples[y * 8 + x] = p.At(bx * 8 + x, by * 8 + y);
      jpeg::ForwardDct(samples, coefficients);
      int t = c == 0 ? 0 : 1;
      int q[64];
      for (int k = 0; k < 64; ++k) {
        int z = kZigzag[k];
        q[k] = int(std::lround(coefficients[z] / float(quant[t][z])));
        // The baseline tables code AC magnitudes of up to 10 bits, DC differences of 11.
        q[k] = k ? std::clamp(q[k], -1023, 1023) : std::clamp(q[k], -1024, 1023);
      }
      int diff = q[0] - predictor[c];
      predictor[c] = q[0];
      int size;
      uint32_t v;
      Category(diff, size, v);
      bits.Put(dcCodes[t][size].bits, dcCodes[t][size].length);
      if (size) bits.Put(v, size);
      int run = 0;
      for (int k = 1; k < 64; ++k) {
        if (q[k] == 0) {
          ++run;
          continue;
        }
        while (run > 15) {
          bits.Put(acCodes[t][0xF0].bits, acCodes[t][0xF0].length);
          run -= 16;
        }
        Category(q[k], size, v);
        int symbol = run << 4 | size;
        bits.Put(acCodes[t][symbol].bits, acCodes[t][symbol].length);
        bits.Put(v, size);
        run = 0;
      }
      if (run) bits.Put(acCodes[t][0].bits, acCodes[t][0].length);
    };
    int mcu = 0;
    for (int my = 0; my < mcusHigh; ++my)
      for (int mx = 0; mx < mcusWide; ++mx, ++mcu) {
        if (restartInterval > 0 && mcu > 0 && mcu % restartInterval == 0) {
          bits.Flush();
          out.push_back(char(0xFF));
          out.push_back(char(0xD0 + (mcu / restartInterval - 1) % 8));
          predictor[0] = predictor[1] = predictor[2] = 0;
        }
        for (int by = 0; by < sampling; ++by)
          for (int bx = 0; bx < sampling; ++bx) encodeBlock(0, mx * sampling + bx, my * sampling + by);
        for (int c = 1; c < components; ++c) encodeBlock(c, mx, my);
      }
    bits.Flush();
    w.U8(0xFF);
    w.U8(0xD9);
    return kSuccess;
  } catch (const std::bad_alloc&) {
    out.clear();
    return kNoMemory;
  }
}

}  // namespace imglib

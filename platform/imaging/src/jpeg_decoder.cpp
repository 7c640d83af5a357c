// The JPEG decoder: markers, baseline and progressive scans at the output scale. Damaged
// data never reads outside the buffer: the bit reader shifts in zeros past the end, every
// index is bounded, and what was decoded is kept.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "imglib/byte_io.h"
#include "imglib/jpeg.h"
#include "jpeg_decoder.h"
#include "jpeg_tables.h"

namespace imglib::jpeg {

// ---- markers ---------------------------------------------------------------------------

int Decoder::ReadHeader(JpegHeader& header) {
  int r = ReadMarkers(true);
  if (r != kSuccess) return r;
  header.width = width_;
  header.height = height_;
  header.components = int(components_.size());
  header.progressive = progressive_;
  header.xDpi = xDpi_;
  header.yDpi = yDpi_;
  return kSuccess;
}

// Reads marker segments. With stopAtScan it stops at the first SOS (header only);
// otherwise it decodes every scan up to EOI or the end of the data.
int Decoder::ReadMarkers(bool stopAtScan) {
  if (size_ < 4 || data_[0] != 0xFF || data_[1] != 0xD8) return kNotAPicture;
  position_ = 2;
  for (;;) {
    // Find the next marker; bytes between segments are skipped.
    while (position_ + 1 < size_ && !(data_[position_] == 0xFF && data_[position_ + 1] != 0xFF &&
                                      data_[position_ + 1] != 0x00))
      ++position_;
    if (position_ + 1 >= size_) break;
    int marker = data_[position_ + 1];
    position_ += 2;
    if (marker == 0xD9) break;                       // end of picture
    if (marker >= 0xD0 && marker <= 0xD7) continue;  // stray restart marker
    if (marker == 0x01) continue;
    if (position_ + 2 > size_) break;
    size_t length = size_t(data_[position_]) << 8 | data_[position_ + 1];
    if (length < 2 || position_ + length > size_) {
      damaged_ = true;
      break;
    }
    ByteReader in(data_ + position_ + 2, length - 2);
    size_t segmentEnd = position_ + length;
    int r = kSuccess;
    switch (marker) {
      case 0xC0:
      case 0xC1:
      case 0xC2:
        r = ReadFrame(in, marker);
        break;
      case 0xC3: case 0xC5: case 0xC6: case 0xC7: case 0xC9: case 0xCA: case 0xCB: case 0xCD: case 0xCE: case 0xCF:
        return kUnsupported;  // lossless, hierarchical and arithmetic coding
      case 0xC4:
        if (!stopAtScan) r = ReadHuffman(in);  // the header alone needs no tables
        break;
      case 0xDB:
        r = ReadQuant(in);
        break;
      case 0xDD:
        restartInterval_ = in.U16BE();
        break;
      case 0xDA:
        if (!frameSeen_) return kFileCorrupt;
        if (stopAtScan) return kSuccess;
        r = DecodeScan(in);
        if (r != kSuccess) return scanDecoded_ ? kSuccess : r;
        // DecodeScan has moved position_ past the entropy-coded data.
        continue;
      default:
        if (marker >= 0xE0 && marker <= 0xEF) ReadApp(in, marker, length - 2);
        break;
    }
    if (r != kSuccess) return r;
    position_ = segmentEnd;
  }
  if (!frameSeen_) return kFileCorrupt;
  if (stopAtScan) return kSuccess;
  return scanDecoded_ ? kSuccess : kFileCorrupt;
}

int Decoder::ReadFrame(ByteReader& in, int marker) {
  if (frameSeen_) return kFileCorrupt;  // one frame only
  int precision = in.U8();
  height_ = in.U16BE();
  width_ = in.U16BE();
  int count = in.U8();
  if (in.Failed()) return kFileCorrupt;
  if (precision != 8) return kUnsupported;
  if (height_ == 0) return kUnsupported;  // height given later by a DNL marker
  if (width_ == 0 || (count != 1 && count != 3 && count != 4)) return kFileCorrupt;
  components_.assign(size_t(count), Component{});
  for (Component& c : components_) {
    c.id = in.U8();
    int hv = in.U8();
    c.h = hv >> 4;
    c.v = hv & 15;
    c.quantTable = in.U8();
    if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quantTable > 3) return kFileCorrupt;
  }
  if (in.Failed()) return kFileCorrupt;
  progressive_ = marker == 0xC2;
  frameSeen_ = true;
  return kSuccess;
}

int Decoder::ReadHuffman(ByteReader& in) {
  while (in.Remaining() > 0) {
    int tc = in.U8();
    int th = tc & 15, cls = tc >> 4;
    uint8_t counts[16];
    if (!in.Bytes(counts, 16)) return kFileCorrupt;
    int total = 0;
    for (uint8_t n : counts) total += n;
    uint8_t symbols[256];
    if (total > 256 || !in.Bytes(symbols, size_t(total))) return kFileCorrupt;
    if (th > 3 || cls > 1) return kFileCorrupt;
    HuffmanTable& t = cls == 0 ? dcTables_[th] : acTables_[th];
    if (!t.Build(counts, symbols, total)) return kFileCorrupt;
  }
  return kSuccess;
}

int Decoder::ReadQuant(ByteReader& in) {
  while (in.Remaining() > 0) {
    int pq = in.U8();
    int tq = pq & 15, wide = pq >> 4;
    if (tq > 3 || wide > 1) return kFileCorrupt;
    for (int k = 0; k < 64; ++k) quant_[size_t(tq)][kZigzag[k]] = wide ? in.U16BE() : in.U8();
    if (in.Failed()) return kFileCorrupt;
    quantPresent_[size_t(tq)] = true;
  }
  return kSuccess;
}

void Decoder::ReadApp(ByteReader& in, int marker, size_t length) {
  const uint8_t* p = in.Data();
  if (marker == 0xE0 && length >= 12 && std::memcmp(p, "JFIF\0", 5) == 0) {
    jfif_ = true;
    int units = p[7];
    int x = p[8] << 8 | p[9], y = p[10] << 8 | p[11];
    if (units == 1) {
      xDpi_ = x;
      yDpi_ = y;
    } else if (units == 2) {
      xDpi_ = x * 254 / 100;
      yDpi_ = y * 254 / 100;
    }
  } else if (marker == 0xEE && length >= 12 && std::memcmp(p, "Adobe", 5) == 0) {
    adobe_ = true;
    adobeTransform = p[11];
  }
}

// ---- components and scans -----------------------------------------------------------------

namespace {

// A DC value is kept to 16 bits, as the coefficients of other decoders are: a damaged
// file that adds up differences without end wraps around instead of overflowing, and a
// value times a 16-bit quantiser stays within 32 bits.
inline int AddDc(int predictor, int difference) { return int16_t(predictor + difference); }

// Decodes the AC coefficients of a block, handing each non-zero one to put(z, value) with
// z its natural-order position; false when the block has none.
template <typename Put>
inline bool DecodeAc(BitReader& bits, const HuffmanTable& ac, Put&& put) {
  bool any = false;
  for (int k = 1; k < 64;) {
    bits.Ensure();
    int32_t e = ac.acFast_[bits.Peek(HuffmanTable::kFastBits)];
    int rs, value;
    if (e) {
      bits.Consume(e & 0xFF);
      rs = (e >> 8) & 0xFF;
      value = e >> 16;
    } else {
      rs = bits.Decode(ac);
      value = bits.Receive(rs & 15);
    }
    int r = rs >> 4;
    if (rs & 15) {
      k += r;  // at most 78: the zigzag table's tail holds it
      put(int(kZigzag[k]), value);
      any = true;
      ++k;
    } else {
      if (r != 15) break;
      k += 16;
    }
  }
  return any;
}

}  // namespace

int Decoder::PrepareComponents(bool streaming) {
  hMax_ = vMax_ = 1;
  for (const Component& c : components_) {
    hMax_ = std::max(hMax_, c.h);
    vMax_ = std::max(vMax_, c.v);
  }
  mcusWide_ = (width_ + 8 * hMax_ - 1) / (8 * hMax_);
  mcusHigh_ = (height_ + 8 * vMax_ - 1) / (8 * vMax_);
  // The smallest scale that still covers the asked size.
  scale_ = 1;
  if (options_.minWidth > 0 && options_.minHeight > 0) {
    for (int s : {8, 4, 2}) {
      if ((width_ + s - 1) / s >= options_.minWidth && (height_ + s - 1) / s >= options_.minHeight) {
        scale_ = s;
        break;
      }
    }
  }
  blockOut_ = 8 / scale_;
  // A damaged header must not make us reserve what the data could never fill.
  // A block costs a baseline file at least two bits, a progressive one at least one.
  if (!PlausibleSize(width_, height_, size_, progressive_ ? 512.0 : 256.0)) return kFileCorrupt;
  streaming_ = streaming;
  try {
    for (Component& c : components_) {
      c.blocksWide = ((width_ * c.h + hMax_ - 1) / hMax_ + 7) / 8;
      c.blocksHigh = ((height_ * c.v + vMax_ - 1) / vMax_ + 7) / 8;
      c.paddedWide = mcusWide_ * c.h;
      c.paddedHigh = mcusHigh_ * c.v;
      c.blockOutX = c.blockOutY = blockOut_;
      if (blockOut_ == 1) {
        // At 1/8 a subsampled component is decoded larger (the same in both directions),
        // unless its own samples already cover the asked size.
        int ratio = std::max(1, std::min(hMax_ / c.h, vMax_ / c.v));
        if (options_.minWidth > 0 && c.blocksWide >= options_.minWidth && c.blocksHigh >= options_.minHeight)
          ratio = 1;
        for (; c.blockOutX < 8 && ratio >= 2; ratio /= 2) c.blockOutX = c.blockOutY *= 2;
      } else {
        // Larger sizes bring it to the output's resolution in each direction.
        for (int ratio = hMax_ / c.h; c.blockOutX < 8 && ratio >= 2; ratio /= 2) c.blockOutX *= 2;
        for (int ratio = vMax_ / c.v; c.blockOutY < 8 && ratio >= 2; ratio /= 2) c.blockOutY *= 2;
      }
      c.planeStride = c.paddedWide * c.blockOutX;
      // Scans of single components in a sequential file fill the whole plane before any
      // pixel can be made; otherwise three rows of MCUs are enough.
      c.planeRows = streaming || progressive_ ? std::min(3, mcusHigh_) * c.BandRows() : c.paddedHigh * c.blockOutY;
      c.plane.assign(size_t(c.planeStride) * size_t(c.planeRows), 128);
      if (progressive_) c.coefficients.assign(size_t(c.paddedWide) * size_t(c.paddedHigh) * 64, 0);
    }
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  return StartOutput();
}

int Decoder::DecodeScan(ByteReader& in) {
  if (components_.empty()) return kFileCorrupt;
  int count = in.U8();
  if (count < 1 || count > 4) return kFileCorrupt;
  scanComponents_.clear();
  for (int i = 0; i < count; ++i) {
    int id = in.U8(), tables = in.U8();
    int found = -1;
    for (size_t k = 0; k < components_.size(); ++k)
      if (components_[k].id == id) found = int(k);
    if (found < 0) return kFileCorrupt;
    components_[size_t(found)].dcTable = tables >> 4;
    components_[size_t(found)].acTable = tables & 15;
    if ((tables >> 4) > 3 || (tables & 15) > 3) return kFileCorrupt;
    scanComponents_.push_back(found);
  }
  ss_ = in.U8();
  se_ = in.U8();
  int a = in.U8();
  ah_ = a >> 4;
  al_ = a & 15;
  if (in.Failed()) return kFileCorrupt;
  if (progressive_) {
    if (ss_ > se_ || se_ > 63 || (ss_ == 0 && se_ != 0) || (ss_ > 0 && count != 1) || al_ > 13) return kFileCorrupt;
  } else {
    ss_ = 0;
    se_ = 63;
    ah_ = al_ = 0;
  }
  if (components_[0].plane.empty()) {
    bool everyComponent = true;
    for (size_t k = 0; k < components_.size(); ++k)
      everyComponent = everyComponent && std::find(scanComponents_.begin(), scanComponents_.end(), int(k)) !=
                                             scanComponents_.end();
    int r = PrepareComponents(!progressive_ && everyComponent);
    if (r != kSuccess) return r;
  }
  for (int k : scanComponents_) {
    Component& c = components_[size_t(k)];
    if (!quantPresent_[size_t(c.quantTable)]) return kFileCorrupt;
    bool needDc = ss_ == 0 && ah_ == 0, needAc = se_ > 0;
    // Missing tables: Motion JPEG leaves out the standard ones.
    if (needDc && !dcTables_[c.dcTable].Present()) {
      const jpeg::HuffmanDefinition& d = c.dcTable == 0 ? jpeg::kDcLuminance : jpeg::kDcChrominance;
      dcTables_[c.dcTable].Build(d.counts, d.symbols, d.symbolCount);
    }
    if (needAc && !acTables_[c.acTable].Present()) {
      const jpeg::HuffmanDefinition& d = c.acTable == 0 ? jpeg::kAcLuminance : jpeg::kAcChrominance;
      acTables_[c.acTable].Build(d.counts, d.symbols, d.symbolCount);
    }
  }

  const uint8_t* start = in.Data() + in.Size();
  bits_.Reset(start, data_ + size_);
  for (int k : scanComponents_) {
    Component& c = components_[size_t(k)];
    c.dcPredictor = 0;
    if (!progressive_ && c.MeanOnly()) acTables_[c.acTable].EnsureSkipTable();
  }
  eobRun_ = 0;
  scanDecoded_ = true;

  // At 1/8 size only the DC coefficients count: the AC scans of a progressive file need
  // not be decoded at all. A streamed picture is complete after its first scan.
  bool skipScan = (progressive_ && ss_ > 0 && components_[size_t(scanComponents_[0])].MeanOnly()) || streamDone_;
  if (!skipScan) {
    DecodeEntropyData();
    if (streaming_) {
      // What the data did not reach stays grey, as in a plane that was never written.
      for (int my = begun_; my < mcusHigh_; ++my) {
        McuRowsComplete(my);
        BeginMcuRow(my);
      }
      while (emitted_ < mcusHigh_) EmitMcuRow(emitted_);
      streamDone_ = true;
    }
  }
  // Continue after the entropy-coded data: at the next marker that is no restart marker.
  const uint8_t* p = skipScan ? start : bits_.Position();
  const uint8_t* end = data_ + size_;
  while (p + 1 < end && !(p[0] == 0xFF && p[1] != 0x00 && p[1] != 0xFF && !(p[1] >= 0xD0 && p[1] <= 0xD7))) ++p;
  position_ = size_t(p - data_);
  return kSuccess;
}

// Decodes the MCUs (or the single blocks) of the scan, until the data ends or breaks off.
void Decoder::DecodeEntropyData() {
  bool single = scanComponents_.size() == 1;
  int unitsWide, unitsHigh;
  if (single) {
    const Component& c = components_[size_t(scanComponents_[0])];
    unitsWide = c.blocksWide;
    unitsHigh = c.blocksHigh;
  } else {
    unitsWide = mcusWide_;
    unitsHigh = mcusHigh_;
  }
  // Rows of units in a row of MCUs (a picture of one component is streamed in blocks).
  int unitRows = single ? components_[size_t(scanComponents_[0])].v : 1;
  int untilRestart = restartInterval_;
  for (int my = 0; my < unitsHigh; ++my) {
    if (streaming_ && my % unitRows == 0) BeginMcuRow(my / unitRows);
    for (int mx = 0; mx < unitsWide; ++mx) {
      if (restartInterval_ > 0) {
        if (untilRestart == 0) {
          if (!bits_.Restart()) return;
          for (int k : scanComponents_) components_[size_t(k)].dcPredictor = 0;
          eobRun_ = 0;
          untilRestart = restartInterval_;
        }
        --untilRestart;
      }
      for (int k : scanComponents_) {
        Component& c = components_[size_t(k)];
        int bw = single ? 1 : c.h, bh = single ? 1 : c.v;
        for (int by = 0; by < bh; ++by)
          for (int bx = 0; bx < bw; ++bx) {
            int x = single ? mx : mx * c.h + bx, y = single ? my : my * c.v + by;
            if (!progressive_) {
              DecodeSequentialBlock(c, x, y);
              continue;
            }
            int16_t* block = c.Block(x, y);
            if (ss_ == 0)
              ah_ == 0 ? DecodeDcFirst(c, block) : DecodeDcRefine(block);
            else
              ah_ == 0 ? DecodeAcFirst(c, block) : DecodeAcRefine(c, block);
          }
      }
      if (bits_.Damaged()) damaged_ = true;
      // Far past the end of the data (a cut file): the rest stays as it is.
      if (bits_.Exhausted()) return;
    }
    if (streaming_) McuRowsComplete(my + 1 == unitsHigh ? mcusHigh_ : (my + 1) / unitRows);
  }
}

bool Decoder::DecodeSequentialBlock(Component& c, int bx, int by) {
  const HuffmanTable& dc = dcTables_[c.dcTable];
  const HuffmanTable& ac = acTables_[c.acTable];
  const uint16_t* q = quant_[size_t(c.quantTable)].data();
  // The reader lives in registers for the length of the block.
  BitReader bits = bits_;
  bits.Ensure();
  // The DC table's symbols are sizes: the combined lookup works for it as well.
  int32_t d = dc.acFast_[bits.Peek(HuffmanTable::kFastBits)];
  int diff;
  if (d) {
    bits.Consume(d & 0xFF);
    diff = d >> 16;
  } else {
    int s = bits.Decode(dc);
    diff = bits.Receive(s & 15);
  }
  c.dcPredictor = AddDc(c.dcPredictor, diff);
  uint8_t* out = c.BlockOut(bx, by);
  if (c.MeanOnly()) {
    // Only the mean is wanted: pass over the AC coefficients.
    bits.SkipAc(ac);
    bits_ = bits;
    out[0] = jpeg::MeanSample(c.dcPredictor * int32_t(q[0]));
    return true;
  }
  int32_t dcValue = c.dcPredictor * int32_t(q[0]);
  if (c.blockOutX < 8 || c.blockOutY < 8) {
    // Reduced: every coefficient folds straight onto the small block.
    const jpeg::Fold& fold = jpeg::FoldFor(c.blockOutX, c.blockOutY);
    float folded[64];
    std::fill_n(folded, c.blockOutX * c.blockOutY, 0.0f);
    bool any = DecodeAc(bits, ac, [&](int z, int value) {
      folded[fold.index[z]] += fold.weight[z] * float(value * int32_t(q[z]));
    });
    bits_ = bits;
    if (!any) {
      jpeg::FlatBlock(dcValue, c.blockOutX, c.blockOutY, out, c.planeStride);
    } else {
      folded[fold.index[0]] += fold.weight[0] * float(dcValue);
      jpeg::ReducedDct(folded, c.blockOutX, c.blockOutY, out, c.planeStride);
    }
    return true;
  }
  alignas(16) int16_t block[64];
  std::memset(block, 0, sizeof block);
  // Dequantised to 16 bits as every integer transform takes them (a valid file never
  // comes near the limit).
  bool any = DecodeAc(bits, ac, [&](int z, int value) { block[z] = int16_t(value * int32_t(q[z])); });
  bits_ = bits;
  if (!any) {
    jpeg::FlatBlock(dcValue, 8, 8, out, c.planeStride);
  } else {
    block[0] = int16_t(dcValue);
    jpeg::IntegerIdct(block, out, c.planeStride);
  }
  return true;
}

void Decoder::DecodeDcFirst(Component& c, int16_t* block) {
  int s = bits_.Decode(dcTables_[c.dcTable]);
  c.dcPredictor = AddDc(c.dcPredictor, bits_.Receive(s & 15));
  block[0] = int16_t(c.dcPredictor * (1 << al_));
}

void Decoder::DecodeDcRefine(int16_t* block) {
  if (bits_.Bit()) block[0] = int16_t(block[0] | (1 << al_));
}

// The progressive scans' reader works on a copy that lives in registers, as the
// sequential one does.
void Decoder::DecodeAcFirst(Component& c, int16_t* block) {
  if (eobRun_ > 0) {
    --eobRun_;
    return;
  }
  const HuffmanTable& ac = acTables_[c.acTable];
  BitReader bits = bits_;
  for (int k = ss_; k <= se_; ++k) {
    int rs = bits.Decode(ac);
    int r = rs >> 4, s = rs & 15;
    if (s) {
      k += r;
      if (k > 63) break;
      block[kZigzag[k]] = int16_t(bits.Receive(s) * (1 << al_));
    } else {
      if (r < 15) {
        eobRun_ = (1 << r) - 1;
        if (r) eobRun_ += int(bits.Bits(r));
        break;
      }
      k += 15;
    }
  }
  bits_ = bits;
}

void Decoder::DecodeAcRefine(Component& c, int16_t* block) {
  const HuffmanTable& ac = acTables_[c.acTable];
  int p1 = 1 << al_, m1 = -1 * (1 << al_);
  int k = ss_;
  BitReader bits = bits_;
  // Refines a coefficient that is already non-zero by one more bit.
  auto refine = [&](int16_t& coef) {
    if (bits.Bit() && (coef & p1) == 0) coef = int16_t(coef >= 0 ? coef + p1 : coef + m1);
  };
  if (eobRun_ <= 0) {
    for (; k <= se_;) {
      int rs = bits.Decode(ac);
      int r = rs >> 4, s = rs & 15;
      int value = 0;
      if (s) {
        value = bits.Bit() ? p1 : m1;  // s is 1 in a valid file
      } else if (r != 15) {
        eobRun_ = 1 << r;
        if (r) eobRun_ += int(bits.Bits(r));
        break;
      }
      while (k <= se_) {
        int16_t& coef = block[kZigzag[k]];
        if (coef != 0) {
          refine(coef);
        } else {
          if (r == 0) break;
          --r;
        }
        ++k;
      }
      if (value && k <= se_) block[kZigzag[k]] = int16_t(value);
      ++k;
    }
  }
  if (eobRun_ > 0) {
    for (; k <= se_; ++k) {
      int16_t& coef = block[kZigzag[k]];
      if (coef != 0) refine(coef);
    }
    --eobRun_;
  }
  bits_ = bits;
}

int Decoder::Decode(Picture& out) {
  out_ = &out.pixels;
  int r = ReadMarkers(false);
  if (r == kSuccess) r = FinishOutput();
  if (r != kSuccess) {
    out.pixels.Clear();
    return r;
  }
  out.info = {};
  out.info.format = kFormatJpeg;
  out.info.width = width_;
  out.info.height = height_;
  out.info.bitsPerPixel = components_.size() == 1 ? 8 : 24;
  out.info.grey = components_.size() == 1;
  out.info.colours = components_.size() == 1 ? 256 : ColoursForDepth(24);
  out.info.xDpi = xDpi_;
  out.info.yDpi = yDpi_;
  return kSuccess;
}

}  // namespace imglib::jpeg

namespace imglib {

using jpeg::Decoder;

int ReadJpegHeader(std::string_view bytes, JpegHeader& header) {
  Decoder d(bytes, {});
  return d.ReadHeader(header);
}

int DecodeJpeg(std::string_view bytes, Picture& out, const DecodeOptions& requested) {
  JpegHeader header;
  int r = ReadJpegHeader(bytes, header);
  if (r != kSuccess) return r;
  DecodeOptions options = requested;
  if (options.fitBox) {
    int boxWidth = options.minWidth, boxHeight = options.minHeight;
    FitIntoBox(header.width, header.height, boxWidth, boxHeight, options.minWidth, options.minHeight);
    options.fitBox = false;
  }
  Decoder d(bytes, options);
  try {
    return d.Decode(out);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}

}  // namespace imglib

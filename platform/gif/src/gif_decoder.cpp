#include "gif/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace gif {

namespace {

class Reader {
 public:
  explicit Reader(std::string_view b) : p_(reinterpret_cast<const uint8_t*>(b.data())), n_(b.size()) {}
  bool Has(size_t k) const { return k <= n_ - pos_; }
  uint8_t U8() { return pos_ < n_ ? p_[pos_++] : (failed_ = true, 0); }
  uint16_t U16() {
    uint16_t a = U8();
    return uint16_t(a | U8() << 8);
  }
  const uint8_t* Take(size_t k) {
    if (!Has(k)) {
      failed_ = true;
      pos_ = n_;
      return nullptr;
    }
    const uint8_t* r = p_ + pos_;
    pos_ += k;
    return r;
  }
  // Skips a chain of data sub-blocks up to and including the empty one.
  void SkipBlocks() {
    for (;;) {
      uint8_t len = U8();
      if (failed_ || len == 0) return;
      if (!Take(len)) return;
    }
  }
  bool Failed() const { return failed_; }
  bool AtEnd() const { return pos_ >= n_; }

 private:
  const uint8_t* p_;
  size_t n_;
  size_t pos_ = 0;
  bool failed_ = false;
};

struct Colour {
  uint8_t r = 0, g = 0, b = 0;
};

bool ReadTable(Reader& in, int entries, std::vector<Colour>& table) {
  const uint8_t* p = in.Take(size_t(entries) * 3);
  if (!p) return false;
  table.resize(size_t(entries));
  for (int i = 0; i < entries; ++i) table[size_t(i)] = {p[i * 3], p[i * 3 + 1], p[i * 3 + 2]};
  return true;
}

// Hands out the bytes of a chain of data sub-blocks one by one.
class SubBlocks {
 public:
  explicit SubBlocks(Reader& in) : in_(in) {}
  bool Next(uint8_t& b) {
    while (left_ == 0) {
      if (ended_) return false;
      left_ = in_.U8();
      if (in_.Failed() || left_ == 0) {
        ended_ = true;
        left_ = 0;
        return false;
      }
    }
    --left_;
    b = in_.U8();
    return !in_.Failed();
  }
  // Moves past the rest of the chain.
  void Finish() {
    uint8_t b;
    while (!ended_ && !in_.Failed()) {
      if (left_ > 0) {
        in_.Take(left_);
        left_ = 0;
      }
      if (!Next(b)) break;
    }
  }

 private:
  Reader& in_;
  size_t left_ = 0;
  bool ended_ = false;
};

// Variable-length LZW as GIF uses it (least significant bit first, codes of up to 12
// bits). Writes at most `count` indices and returns how many it made.
size_t DecodeLzw(SubBlocks& data, int minCodeSize, uint8_t* out, size_t count) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  int codeSize = minCodeSize + 1, next = clear + 2;
  uint16_t prefix[4096];
  uint8_t suffix[4096], first[4096];
  uint8_t stack[4097];
  for (int i = 0; i < clear; ++i) {
    prefix[i] = 0xFFFF;
    suffix[i] = uint8_t(i);
    first[i] = uint8_t(i);
  }
  uint32_t buffer = 0;
  int bits = 0, previous = -1;
  size_t made = 0;
  while (made < count) {
    while (bits < codeSize) {
      uint8_t b;
      if (!data.Next(b)) return made;
      buffer |= uint32_t(b) << bits;
      bits += 8;
    }
    int code = int(buffer & ((1u << codeSize) - 1));
    buffer >>= codeSize;
    bits -= codeSize;
    if (code == clear) {
      codeSize = minCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code >= clear) return made;  // a stream must start with a root code
      out[made++] = uint8_t(code);
      previous = code;
      continue;
    }
    int cur = code;
    size_t depth = 0;
    if (code >= next) {
      if (code > next) return made;  // a code that does not exist yet: damaged
      stack[depth++] = first[previous];
      cur = previous;
    }
    while (cur >= clear) {
      if (depth >= 4096) return made;
      stack[depth++] = suffix[cur];
      cur = prefix[cur];
    }
    stack[depth++] = uint8_t(cur);
    if (next < 4096) {
      prefix[next] = uint16_t(previous);
      suffix[next] = uint8_t(cur);
      first[next] = first[previous];
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    while (depth > 0 && made < count) out[made++] = stack[--depth];
    previous = code;
  }
  return made;
}

}  // namespace

int Decode(std::string_view bytes, Image& out, bool infoOnly) {
  out = Image{};
  Reader in(bytes);
  const uint8_t* sig = in.Take(6);
  if (!sig || std::memcmp(sig, "GIF", 3) != 0) return kNotGif;
  if (std::memcmp(sig + 3, "87a", 3) != 0 && std::memcmp(sig + 3, "89a", 3) != 0) return kNotGif;
  int screenW = in.U16(), screenH = in.U16();
  uint8_t flags = in.U8();
  int background = in.U8();
  in.U8();
  if (in.Failed()) return kDamaged;
  std::vector<Colour> global;
  if ((flags & 0x80) && !ReadTable(in, 2 << (flags & 7), global)) return kDamaged;

  int transparentIndex = -1;
  for (;;) {
    uint8_t kind = in.U8();
    if (in.Failed() || kind == 0x3B) return kDamaged;  // no picture at all
    if (kind == 0x21) {
      uint8_t label = in.U8();
      if (label == 0xF9) {  // graphic control: transparency of the next picture
        uint8_t len = in.U8();
        const uint8_t* gce = in.Take(len);
        if (gce && len >= 4) transparentIndex = (gce[0] & 1) ? gce[3] : -1;
        in.SkipBlocks();
      } else {
        in.SkipBlocks();
      }
      if (in.Failed()) return kDamaged;
      continue;
    }
    if (kind != 0x2C) return kDamaged;
    break;
  }
  int left = in.U16(), top = in.U16(), w = in.U16(), h = in.U16();
  uint8_t imageFlags = in.U8();
  if (in.Failed()) return kDamaged;
  std::vector<Colour> local;
  if ((imageFlags & 0x80) && !ReadTable(in, 2 << (imageFlags & 7), local)) return kDamaged;
  const std::vector<Colour>& table = local.empty() ? global : local;
  if (w == 0 || h == 0) return kDamaged;
  // The screen grows to hold the picture; files that give no screen size are common.
  int width = std::max(screenW, left + w), height = std::max(screenH, top + h);
  if (int64_t(width) * height > kMaxPixels) return kTooLarge;
  out.width = width;
  out.height = height;
  out.colours = table.empty() ? 256 : int(table.size());
  out.frames = 1;
  out.transparent = transparentIndex >= 0;
  out.interlaced = imageFlags & 0x40;
  int minCodeSize = in.U8();
  if (in.Failed() || minCodeSize < 1 || minCodeSize > 11) return kDamaged;
  if (infoOnly) return kOk;

  // Plausibility: LZW packs at most about 4096 pixels into 12 bits; a screen much larger
  // than its picture is as unlikely.
  size_t pixels = size_t(w) * size_t(h);
  auto plausible = [&](double n) { return n <= double(1 << 22) || n <= double(bytes.size()) * 4096.0; };
  if (!plausible(double(pixels)) || !plausible(double(width) * double(height))) return kTooLarge;
  std::vector<uint8_t> indices;
  try {
    indices.assign(pixels, 0);
    out.rgb.resize(size_t(width) * size_t(height) * 3);
  } catch (const std::bad_alloc&) {
    out.rgb.clear();
    return kNoMemory;
  }
  // Background: the global background colour where the picture does not cover the
  // screen or is transparent.
  Colour back = (!global.empty() && background < int(global.size())) ? global[size_t(background)] : Colour{};
  size_t rowBytes = size_t(width) * 3;
  for (size_t x = 0; x < size_t(width); ++x) {
    out.rgb[x * 3] = back.r;
    out.rgb[x * 3 + 1] = back.g;
    out.rgb[x * 3 + 2] = back.b;
  }
  for (size_t y = 1; y < size_t(height); ++y) std::memcpy(out.rgb.data() + y * rowBytes, out.rgb.data(), rowBytes);
  SubBlocks data(in);
  size_t made = DecodeLzw(data, minCodeSize, indices.data(), pixels);
  if (made == 0) return kDamaged;
  out.truncated = made < pixels;
  // Rows in file order map to picture rows through the interlace passes.
  size_t rowsMade = made / size_t(w) + (made % size_t(w) ? 1 : 0);
  int row = 0, pass = 0;
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (size_t r = 0; r < rowsMade; ++r) {
    int y;
    if (out.interlaced) {
      while (pass < 4 && row >= h) {
        ++pass;
        row = pass < 4 ? kStart[pass] : h;
      }
      if (pass >= 4) break;
      y = row;
      row += kStep[pass];
    } else {
      y = int(r);
    }
    const uint8_t* src = indices.data() + r * size_t(w);
    size_t n = std::min(size_t(w), made - r * size_t(w));
    uint8_t* dst = out.rgb.data() + (size_t(top + y) * size_t(width) + size_t(left)) * 3;
    for (size_t x = 0; x < n; ++x) {
      int i = src[x];
      if (i == transparentIndex) continue;
      Colour c = size_t(i) < table.size() ? table[size_t(i)]
                 : table.empty()          ? Colour{uint8_t(i), uint8_t(i), uint8_t(i)}
                                          : Colour{};
      dst[x * 3] = c.r;
      dst[x * 3 + 1] = c.g;
      dst[x * 3 + 2] = c.b;
    }
  }
  return kOk;
}

}  // namespace gif

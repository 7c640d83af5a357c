// The LZW coder of GIF: codes grow from the minimum size + 1 up to 12 bits; when the table
// is full a clear code starts it again. The string table is a hash of (prefix code, next
// index) pairs.
#include "gif/gif_encoder.h"

#include <algorithm>
#include <array>

#include "gif/gif_decoder.h"

namespace gif {

namespace {

constexpr int kMaxCode = 4095;
constexpr int kHashSize = 5003;  // a prime above the table's 4096 entries

// Packs codes of growing width into 255-byte sub-blocks.
class CodeWriter {
 public:
  explicit CodeWriter(std::string& out) : out_(out) {}
  void Put(int code, int size) {
    buffer_ |= uint32_t(code) << bits_;
    bits_ += size;
    while (bits_ >= 8) {
      Byte(uint8_t(buffer_ & 0xFF));
      buffer_ >>= 8;
      bits_ -= 8;
    }
  }
  void Finish() {
    if (bits_ > 0) Byte(uint8_t(buffer_ & 0xFF));
    buffer_ = 0;
    bits_ = 0;
    FlushBlock();
    out_.push_back('\0');  // the block terminator
  }

 private:
  void Byte(uint8_t b) {
    block_[blockSize_++] = b;
    if (blockSize_ == 255) FlushBlock();
  }
  void FlushBlock() {
    if (blockSize_ == 0) return;
    out_.push_back(char(blockSize_));
    out_.append(reinterpret_cast<const char*>(block_.data()), blockSize_);
    blockSize_ = 0;
  }

  std::string& out_;
  uint32_t buffer_ = 0;
  int bits_ = 0;
  std::array<uint8_t, 255> block_{};
  size_t blockSize_ = 0;
};

void Put16(std::string& out, int v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char((v >> 8) & 0xFF));
}

}  // namespace

int Encode(int width, int height, const std::vector<Colour>& palette, const std::vector<uint8_t>& indices,
           std::string& out) {
  out.clear();
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || palette.empty() || palette.size() > 256 ||
      indices.size() < size_t(width) * size_t(height))
    return kDamaged;
  int bits = 1;
  while ((size_t(1) << bits) < palette.size()) ++bits;
  size_t pixels = size_t(width) * size_t(height);
  for (size_t i = 0; i < pixels; ++i)
    if (indices[i] >= palette.size()) return kDamaged;

  out += "GIF89a";
  Put16(out, width);
  Put16(out, height);
  out.push_back(char(0x80 | ((bits - 1) << 4) | (bits - 1)));  // global table of 2^bits entries
  out.push_back('\0');                                           // background index
  out.push_back('\0');                                           // square pixels
  for (size_t i = 0; i < (size_t(1) << bits); ++i) {
    Colour c = i < palette.size() ? palette[i] : Colour{};
    out.push_back(char(c.r));
    out.push_back(char(c.g));
    out.push_back(char(c.b));
  }
  out.push_back(',');  // image descriptor: the whole screen, not interlaced, no local table
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, width);
  Put16(out, height);
  out.push_back('\0');
  int minCodeSize = bits < 2 ? 2 : bits;
  out.push_back(char(minCodeSize));

  const int clear = 1 << minCodeSize, end = clear + 1;
  std::vector<int32_t> keys(kHashSize, -1);  // (prefix << 8 | index) of each slot
  std::vector<int16_t> codes(kHashSize, 0);
  int next = clear + 2, codeSize = minCodeSize + 1;
  CodeWriter writer(out);
  writer.Put(clear, codeSize);
  int prefix = indices[0];
  for (size_t i = 1; i < pixels; ++i) {
    int c = indices[i];
    int32_t key = (prefix << 8) | c;
    int slot = int(uint32_t(key) * 2654435761u % kHashSize);
    while (keys[size_t(slot)] >= 0 && keys[size_t(slot)] != key) slot = slot + 1 == kHashSize ? 0 : slot + 1;
    if (keys[size_t(slot)] == key) {
      prefix = codes[size_t(slot)];
      continue;
    }
    writer.Put(prefix, codeSize);
    if (next <= kMaxCode) {
      keys[size_t(slot)] = key;
      codes[size_t(slot)] = int16_t(next);
      // The decoder widens its codes once it has made the entry that needs the wider size.
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
      ++next;
    } else {
      writer.Put(clear, codeSize);
      std::fill(keys.begin(), keys.end(), -1);
      next = clear + 2;
      codeSize = minCodeSize + 1;
    }
    prefix = c;
  }
  writer.Put(prefix, codeSize);
  writer.Put(end, codeSize);
  writer.Finish();
  out.push_back(';');
  return kOk;
}

}  // namespace gif

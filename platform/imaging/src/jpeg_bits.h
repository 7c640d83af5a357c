// Entropy-coded data of the JPEG decoder: the bit reader (which removes stuffed zero
// bytes and stops at markers) and Huffman tables with a 10-bit lookup; AC tables also
// look up a code together with its value bits. Internal.
#pragma once
#include <cstdint>
#include <cstring>

namespace imglib::jpeg {

class HuffmanTable {
 public:
  // Builds the table from code counts per length and the symbols; false when the counts
  // do not describe a prefix code.
  bool Build(const uint8_t counts[16], const uint8_t* symbols, int symbolCount) {
    present_ = false;
    int total = 0;
    for (int i = 0; i < 16; ++i) total += counts[i];
    if (total == 0 || total > 256 || total > symbolCount) return false;
    std::memcpy(symbols_, symbols, size_t(total));
    count_ = total;
    std::memset(fast_, 0, sizeof fast_);
    std::memset(acFast_, 0, sizeof acFast_);
    int code = 0, k = 0;
    for (int len = 1; len <= 16; ++len) {
      valueOffset_[len] = k - code;
      for (int i = 0; i < counts[len - 1]; ++i, ++k, ++code) {
        if (code >= (1 << len)) return false;  // more codes than the length can hold
        if (len <= kFastBits) {
          int shift = kFastBits - len;
          for (int fill = 0; fill < (1 << shift); ++fill)
            fast_[(code << shift) | fill] = uint16_t((len << 8) | symbols_[k]);
        }
      }
      maxCode_[len] = counts[len - 1] ? code - 1 : -1;
      code <<= 1;
    }
    // Codes whose value bits fit into the lookup as well: one step for the common
    // coefficients. Entry: total bits | symbol << 8 | value << 16.
    for (int look = 0; look < (1 << kFastBits); ++look) {
      uint16_t e = fast_[look];
      if (!e) continue;
      int len = e >> 8, symbol = e & 0xFF, size = symbol & 15;
      if (len + size > kFastBits) continue;
      int value = 0;
      if (size) {
        uint32_t raw = (uint32_t(look) >> (kFastBits - len - size)) & ((1u << size) - 1);
        value = raw < (1u << (size - 1)) ? int(raw) - (1 << size) + 1 : int(raw);
      }
      acFast_[look] = int32_t(uint32_t(len + size) | uint32_t(symbol) << 8 | uint32_t(value) << 16);
    }
    skipBuilt_ = false;
    present_ = true;
    return true;
  }

  // For passing over AC coefficients that are not needed: every run of whole symbols
  // (code and value bits) at the start of a 13-bit window. Entry: total bits (bits 0-3),
  // the positions advanced by all symbols but the last (4-9), by the last (10-14), whether
  // the last is the end of the block (15); 0 when not even one symbol fits. Built when a
  // scan first needs it.
  static constexpr int kSkipBits = 13;
  uint16_t skip_[1 << kSkipBits];  // 16 KB: stays in the first-level cache

  void EnsureSkipTable() {
    if (skipBuilt_) return;
    skipBuilt_ = true;
    constexpr uint32_t kMask = (1u << kSkipBits) - 1;
    for (uint32_t window = 0; window <= kMask; ++window) {
      int pos = 0, before = 0, last = 0;
      bool end = false;
      int symbols = 0;
      while (!end && symbols < 4 && pos < kSkipBits) {
        // The code at pos through the 10-bit lookup; longer codes end the run.
        uint16_t f = fast_[((window << pos) & kMask) >> (kSkipBits - kFastBits)];
        if (!f) break;
        int len = f >> 8, symbol = f & 0xFF, size = symbol & 15, run = symbol >> 4;
        if (pos + len + size > kSkipBits) break;
        before += last;
        last = size ? run + 1 : run == 15 ? 16 : 0;
        end = size == 0 && run != 15;
        pos += len + size;
        ++symbols;
      }
      skip_[window] = uint16_t(symbols ? uint32_t(pos) | uint32_t(before) << 4 | uint32_t(last) << 10 | uint32_t(end) << 15 : 0);
    }
  }
  bool Present() const { return present_; }

  static constexpr int kFastBits = 10;
  uint16_t fast_[1 << kFastBits];    // (length << 8) | symbol, 0 when the code is longer
  int32_t acFast_[1 << kFastBits];   // see Build; 0 when code and value do not fit
  int32_t maxCode_[17] = {};
  int32_t valueOffset_[17] = {};
  uint8_t symbols_[256] = {};
  int count_ = 0;

 private:
  bool present_ = false;
  bool skipBuilt_ = false;
};

class BitReader {
 public:
  void Reset(const uint8_t* p, const uint8_t* end) {
    p_ = p;
    end_ = end;
    buffer_ = 0;
    bits_ = 0;
    marker_ = false;
    damaged_ = false;
    zeroBytes_ = 0;
  }
  // Where reading stopped: the marker that ended the data, or the end.
  const uint8_t* Position() const { return p_; }
  bool Damaged() const { return damaged_; }
  // Far past the end of the coded data: everything further decodes from made-up zeros.
  bool Exhausted() const { return zeroBytes_ > 64; }
  void SetDamaged() { damaged_ = true; }

  // At least 32 bits in the buffer: enough for a code and its value bits.
  inline void Ensure() {
    if (bits_ < 32) Fill();
  }
  // Keeps at least 57 bits in the buffer; past a marker or the end it shifts in zeros.
  inline void Fill() {
    if (!marker_ && FillFast(buffer_, bits_, p_, end_)) return;
    FillByBytes();
  }
  // Most of the time the next bytes hold no 0xFF: takes them all at once, or returns false.
  static inline bool FillFast(uint64_t& buffer, int& count, const uint8_t*& p, const uint8_t* end) {
    if (end - p < 8) return false;
    int n = (63 - count) >> 3;
    uint64_t v;
    std::memcpy(&v, p, 8);
    v = __builtin_bswap64(v);  // the first byte on top
    uint64_t top = v >> (64 - 8 * n);
    uint64_t probe = ~top | (~uint64_t(0) << (8 * n));  // a 0xFF byte becomes 0
    if (((probe - 0x0101010101010101ull) & ~probe & 0x8080808080808080ull) != 0) return false;
    buffer |= top << (64 - count - 8 * n);
    count += 8 * n;
    p += n;
    return true;
  }
  __attribute__((noinline)) void FillByBytes() {
    while (bits_ <= 56) {
      uint32_t b = 0;
      if (!marker_) {
        if (p_ < end_) {
          b = *p_;
          if (b != 0xFF) {
            ++p_;
          } else if (p_ + 1 < end_ && p_[1] == 0x00) {
            p_ += 2;
          } else if (p_ + 1 < end_ && p_[1] == 0xFF) {
            ++p_;  // a fill byte before a marker
            continue;
          } else {
            marker_ = true;
            b = 0;
          }
        } else {
          marker_ = true;
        }
      }
      if (marker_) ++zeroBytes_;
      buffer_ |= uint64_t(b) << (56 - bits_);
      bits_ += 8;
    }
  }
  inline uint32_t Peek(int n) const { return uint32_t(buffer_ >> (64 - n)); }
  inline void Consume(int n) {
    buffer_ <<= n;
    bits_ -= n;
  }
  inline uint32_t Bits(int n) {
    if (n == 0) return 0;
    if (bits_ < n) Fill();
    uint32_t v = Peek(n);
    Consume(n);
    return v;
  }
  inline int Bit() { return int(Bits(1)); }
  // The signed value of an s-bit magnitude category.
  static inline int Extend(uint32_t v, int s) {
    return s == 0 ? 0 : (v < (1u << (s - 1))) ? int(v) - (1 << s) + 1 : int(v);
  }
  inline int Receive(int s) { return Extend(Bits(s), s); }

  // Decodes a symbol; without Ensure before it, it fills the buffer itself.
  inline int Decode(const HuffmanTable& t) {
    if (bits_ < 16) Fill();
    uint16_t e = t.fast_[Peek(HuffmanTable::kFastBits)];
    if (e) {
      Consume(e >> 8);
      return e & 0xFF;
    }
    uint32_t code16 = Peek(16);
    for (int len = HuffmanTable::kFastBits + 1; len <= 16; ++len) {
      int32_t c = int32_t(code16 >> (16 - len));
      if (c <= t.maxCode_[len]) {
        int index = t.valueOffset_[len] + c;
        Consume(len);
        if (index < 0 || index >= t.count_) {
          damaged_ = true;
          return 0;
        }
        return t.symbols_[index];
      }
    }
    Consume(16);
    damaged_ = true;
    return 0;
  }

  // Passes over the AC coefficients of a block whose mean alone is wanted, several codes
  // at a time through the table's skip lookup. The reader's state lives in locals for the
  // length of the block: members whose address the slow refill takes would go through
  // memory on every code.
  inline void SkipAc(const HuffmanTable& ac) {
    uint64_t buffer = buffer_;
    int count = bits_;
    const uint8_t* p = p_;
    auto store = [&] {
      buffer_ = buffer;
      bits_ = count;
      p_ = p;
    };
    auto load = [&] {
      buffer = buffer_;
      count = bits_;
      p = p_;
    };
    // At least 32 bits, as Ensure.
    auto ensure = [&] {
      if (count >= 32 || (!marker_ && FillFast(buffer, count, p, end_))) return;
      store();
      FillByBytes();
      load();
    };
    for (int k = 1; k < 64;) {
      ensure();
      uint32_t e = ac.skip_[buffer >> (64 - HuffmanTable::kSkipBits)];
      int before = int(e >> 4) & 63;
      if (e && k + before <= 63) {
        int used = int(e & 15);
        buffer <<= used;
        count -= used;
        if (e & 0x8000) break;  // the block ends here
        k += before + int(e >> 10 & 31);
        continue;
      }
      // One symbol: a code of the 10-bit lookup, else the long way.
      int rs;
      uint16_t f = ac.fast_[buffer >> (64 - HuffmanTable::kFastBits)];
      if (f) {
        buffer <<= f >> 8;
        count -= f >> 8;
        rs = f & 0xFF;
      } else {
        store();
        rs = Decode(ac);
        load();
      }
      int size = rs & 15, r = rs >> 4;
      // The value bits: at most 15, and a code takes at most 16 of the 32 bits.
      buffer <<= size;
      count -= size;
      if (size) {
        k += r + 1;
      } else {
        if (r != 15) break;
        k += 16;
      }
    }
    store();
  }

  // Moves past a restart marker at a byte boundary; false when none is there.
  bool Restart() {
    buffer_ = 0;
    bits_ = 0;
    zeroBytes_ = 0;
    // Look for the next marker from where the bytes stopped.
    while (p_ + 1 < end_ && !(p_[0] == 0xFF && p_[1] != 0x00 && p_[1] != 0xFF)) ++p_;
    marker_ = false;
    if (p_ + 1 < end_ && p_[1] >= 0xD0 && p_[1] <= 0xD7) {
      p_ += 2;
      return true;
    }
    return false;
  }

 private:
  const uint8_t* p_ = nullptr;
  const uint8_t* end_ = nullptr;
  uint64_t buffer_ = 0;
  int bits_ = 0;
  bool marker_ = false;
  bool damaged_ = false;
  int zeroBytes_ = 0;
};

}  // namespace imglib::jpeg

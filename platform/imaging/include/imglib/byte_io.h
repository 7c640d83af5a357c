// Bounds-checked reading and byte-by-byte writing of file data. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace imglib {

// Reads from a block of bytes. Every read past the end yields 0 and sets the failed flag,
// so that a decoder can read a whole header and test the flag once.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit ByteReader(std::string_view bytes)
      : data_(reinterpret_cast<const uint8_t*>(bytes.data())), size_(bytes.size()) {}

  size_t Size() const { return size_; }
  size_t Position() const { return pos_; }
  size_t Remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
  bool Failed() const { return failed_; }
  const uint8_t* Data() const { return data_; }
  // Moves to a position; a position beyond the end fails.
  bool Seek(size_t position) {
    if (position > size_) {
      failed_ = true;
      pos_ = size_;
      return false;
    }
    pos_ = position;
    return true;
  }
  bool Skip(size_t count) { return Seek(count > Remaining() ? size_ + 1 : pos_ + count); }

  uint8_t U8() {
    if (pos_ >= size_) {
      failed_ = true;
      return 0;
    }
    return data_[pos_++];
  }
  uint16_t U16LE() {
    uint16_t a = U8();
    return uint16_t(a | (U8() << 8));
  }
  uint16_t U16BE() {
    uint16_t a = U8();
    return uint16_t((a << 8) | U8());
  }
  uint32_t U32LE() {
    uint32_t a = U16LE();
    return a | (uint32_t(U16LE()) << 16);
  }
  uint32_t U32BE() {
    uint32_t a = U16BE();
    return (a << 16) | U16BE();
  }
  int32_t I32LE() { return int32_t(U32LE()); }
  int16_t I16LE() { return int16_t(U16LE()); }
  // Copies count bytes out; fails (and copies nothing) when fewer remain.
  bool Bytes(void* out, size_t count);
  // A pointer to the next count bytes, or null (and failed) when fewer remain.
  const uint8_t* Take(size_t count);

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool failed_ = false;
};

// Appends to a byte string: fixed-width integers written byte by byte.
class ByteWriter {
 public:
  explicit ByteWriter(std::string& out) : out_(out) {}
  void U8(unsigned v) { out_.push_back(char(uint8_t(v))); }
  void U16LE(unsigned v) {
    U8(v);
    U8(v >> 8);
  }
  void U16BE(unsigned v) {
    U8(v >> 8);
    U8(v);
  }
  void U32LE(uint32_t v) {
    U16LE(v & 0xFFFF);
    U16LE(v >> 16);
  }
  void U32BE(uint32_t v) {
    U16BE(v >> 16);
    U16BE(v & 0xFFFF);
  }
  void Bytes(const void* data, size_t count) { out_.append(static_cast<const char*>(data), count); }
  void Text(std::string_view text) { out_.append(text); }
  void Zeros(size_t count) { out_.append(count, '\0'); }
  size_t Size() const { return out_.size(); }
  // Overwrites 4 bytes at a position already written.
  void PatchU32LE(size_t at, uint32_t v);
  void PatchU32BE(size_t at, uint32_t v);

 private:
  std::string& out_;
};

}  // namespace imglib

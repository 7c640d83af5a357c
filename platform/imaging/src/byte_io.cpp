#include "imglib/byte_io.h"

#include <cstring>

namespace imglib {

bool ByteReader::Bytes(void* out, size_t count) {
  const uint8_t* p = Take(count);
  if (!p) return false;
  if (count) std::memcpy(out, p, count);
  return true;
}

const uint8_t* ByteReader::Take(size_t count) {
  if (count > Remaining()) {
    failed_ = true;
    pos_ = size_;
    return nullptr;
  }
  const uint8_t* p = data_ + pos_;
  pos_ += count;
  return p;
}

void ByteWriter::PatchU32LE(size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out_[at + size_t(i)] = char(uint8_t(v >> (8 * i)));
}

void ByteWriter::PatchU32BE(size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out_[at + size_t(i)] = char(uint8_t(v >> (8 * (3 - i))));
}

}  // namespace imglib

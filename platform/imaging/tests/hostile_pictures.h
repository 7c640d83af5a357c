// Pictures whose headers point far outside the file: a reader that trusts an offset reads
// gigabytes past its buffer. Every program that shows pictures is tested with them.
#pragma once
#include <cstdint>
#include <string>

namespace hostile {

inline void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

// A 4 x 4, 24-bit BMP whose pixels are said to start at 0x7FFFFFF0.
inline std::string BmpWithFarPixels() {
  std::string out = "BM";
  PutLE(out, 54 + 48, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0x7FFFFFF0u, 4);
  PutLE(out, 40, 4);
  PutLE(out, 4, 4);
  PutLE(out, 4, 4);
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, 0, 4);
  PutLE(out, 48, 4);
  PutLE(out, 2835, 4);
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  out += std::string(48, '\x7F');
  return out;
}

// A little-endian TIFF whose first directory is said to lie at 0x7FFFFFFF.
inline std::string TiffWithFarDirectory() {
  std::string out("II*\0", 4);
  PutLE(out, 0x7FFFFFFFu, 4);
  out += std::string(120, '\0');
  return out;
}

}  // namespace hostile

// The int16 little-endian values that the picture programs' settings records begin with
// (the main window's place and size). Portable.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The value of the two bytes at offset (the caller checks that they are there).
inline int RecordInt16At(std::string_view bytes, size_t offset) {
  auto b0 = uint8_t(bytes[offset]), b1 = uint8_t(bytes[offset + 1]);
  return int16_t(uint16_t(b0 | (b1 << 8)));
}

// Appends the value, clamped to the int16 range.
inline void PutRecordInt16(std::string& out, int value) {
  auto v = uint16_t(int16_t(std::clamp(value, -32768, 32767)));
  out += char(v & 0xFF);
  out += char(v >> 8);
}

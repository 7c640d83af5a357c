// Little-endian field access for the database files, byte by byte, so that the formats
// are the same on every host and at 32 and 64 bits.
#pragma once
#include <cstddef>
#include <cstdint>

namespace db {

inline uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t Get64(const uint8_t* p) { return uint64_t(Get32(p)) | (uint64_t(Get32(p + 4)) << 32); }
inline int32_t GetI32(const uint8_t* p) { return int32_t(Get32(p)); }

inline void Put16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void Put32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
inline void Put64(uint8_t* p, uint64_t v) {
  Put32(p, uint32_t(v));
  Put32(p + 4, uint32_t(v >> 32));
}
inline void PutI32(uint8_t* p, int32_t v) { Put32(p, uint32_t(v)); }

// A 32-bit check value over a block: four independent multiply-rotate lanes, so that a
// 4 KiB page costs well under a microsecond. It finds torn and scribbled pages; it is
// not meant to resist deliberate forgery.
uint32_t BlockCheck(const uint8_t* data, size_t size);

}  // namespace db

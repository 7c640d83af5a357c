#include "bytes.h"

namespace db {
namespace {

constexpr uint64_t kP1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kP2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kP3 = 0x165667B19E3779F9ULL;

inline uint64_t Rotl(uint64_t v, int n) { return (v << n) | (v >> (64 - n)); }
inline uint64_t Lane(uint64_t acc, uint64_t word) { return Rotl(acc + word * kP2, 31) * kP1; }

}  // namespace

uint32_t BlockCheck(const uint8_t* data, size_t size) {
  uint64_t a = kP1 + kP2, b = kP2, c = 0, d = 0 - kP1;
  size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    a = Lane(a, Get64(data + i));
    b = Lane(b, Get64(data + i + 8));
    c = Lane(c, Get64(data + i + 16));
    d = Lane(d, Get64(data + i + 24));
  }
  uint64_t h = Rotl(a, 1) + Rotl(b, 7) + Rotl(c, 12) + Rotl(d, 18) + uint64_t(size) * kP3;
  for (; i + 8 <= size; i += 8) h = Rotl(h ^ Lane(0, Get64(data + i)), 27) * kP1 + kP3;
  for (; i < size; ++i) h = Rotl(h ^ (uint64_t(data[i]) * kP3), 11) * kP1;
  h ^= h >> 33;
  h *= kP2;
  h ^= h >> 29;
  h *= kP3;
  h ^= h >> 32;
  return uint32_t(h);
}

}  // namespace db

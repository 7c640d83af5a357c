// Damaged copies of good files for the robustness tests: every cut, and a fixed series of
// random mutations (deterministic, so a failure repeats).
#pragma once
#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace damage {

// Calls check with every prefix of the file (all lengths up to 4096, then in steps), with
// `mutations` mutated copies (flipped bits, bytes set to 0, 0xFF or 0x7F, runs of bytes
// overwritten, cut or doubled), and with copies whose 16- and 32-bit fields near the start
// are set to extreme values.
inline void ForEachDamagedCopy(const std::string& good, int mutations, uint32_t seed,
                               const std::function<void(const std::string&)>& check) {
  for (size_t n = 0; n < good.size(); n += (n < 4096 ? 1 : good.size() / 512 + 1)) check(good.substr(0, n));
  std::mt19937 rng(seed);
  auto pick = [&](size_t limit) { return limit ? size_t(rng() % limit) : 0; };
  for (int i = 0; i < mutations; ++i) {
    std::string bad = good;
    int edits = 1 + int(rng() % 4);
    for (int e = 0; e < edits && !bad.empty(); ++e) {
      size_t at = rng() % 3 == 0 ? pick(std::min<size_t>(bad.size(), 64)) : pick(bad.size());
      switch (rng() % 6) {
        case 0: bad[at] = char(bad[at] ^ (1 << (rng() % 8))); break;
        case 1: bad[at] = "\x00\xFF\x7F\x80"[rng() % 4]; break;
        case 2:
          for (size_t k = at; k < std::min(bad.size(), at + 1 + pick(32)); ++k) bad[k] = char(rng());
          break;
        case 3: bad.erase(at, 1 + pick(64)); break;
        case 4: bad.insert(at, bad.substr(at, 1 + pick(64))); break;
        default: bad.resize(at); break;
      }
    }
    check(bad);
  }
  for (size_t at = 0; at + 4 <= std::min<size_t>(good.size(), 64); ++at)
    for (uint32_t v : {0u, 1u, 0x7FFFu, 0xFFFFu, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
      std::string bad = good;
      for (int k = 0; k < 4; ++k) bad[at + size_t(k)] = char(uint8_t(v >> (8 * k)));
      check(bad);
      std::string big = good;
      for (int k = 0; k < 4; ++k) big[at + size_t(k)] = char(uint8_t(v >> (8 * (3 - k))));
      check(big);
    }
}

}  // namespace damage

// XTEA in counter mode with a random nonce, and a check value over the text.
// Layout: "SKC1", nonce (8 bytes), the enciphered text, check (4 bytes).
#include "skin/sk_crypt.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace {

constexpr uint32_t kKey[4] = {0x6B3A91C7u, 0x1F0E5D42u, 0xC4A7B8E9u, 0x58D2036Fu};
constexpr char kMagic[4] = {'S', 'K', 'C', '1'};
constexpr size_t kNonce = 8, kCheck = 4;

void Xtea(uint32_t& v0, uint32_t& v1) {
  uint32_t sum = 0;
  const uint32_t delta = 0x9E3779B9u;
  for (int i = 0; i < 32; ++i) {
    v0 += (((v1 << 4) ^ (v1 >> 5)) + v1) ^ (sum + kKey[sum & 3]);
    sum += delta;
    v1 += (((v0 << 4) ^ (v0 >> 5)) + v0) ^ (sum + kKey[(sum >> 11) & 3]);
  }
}

uint32_t Load32(const unsigned char* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// Enciphers (or deciphers) in place with the key stream of the nonce.
void Stream(const unsigned char* nonce, std::string& bytes) {
  uint32_t n0 = Load32(nonce), n1 = Load32(nonce + 4);
  for (size_t block = 0; block * 8 < bytes.size(); ++block) {
    uint32_t a = n0 ^ uint32_t(block), b = n1 ^ uint32_t(uint64_t(block) >> 32);
    Xtea(a, b);
    unsigned char ks[8];
    for (int i = 0; i < 4; ++i) {
      ks[i] = (unsigned char)(a >> (8 * i));
      ks[4 + i] = (unsigned char)(b >> (8 * i));
    }
    for (size_t i = 0; i < 8 && block * 8 + i < bytes.size(); ++i) bytes[block * 8 + i] ^= char(ks[i]);
  }
}

uint32_t Check(const unsigned char* nonce, std::string_view text) {
  uint64_t h = 0xCBF29CE484222325ULL;
  for (char c : text) h = (h ^ (unsigned char)c) * 0x100000001B3ULL;
  uint32_t a = uint32_t(h) ^ Load32(nonce), b = uint32_t(h >> 32) ^ Load32(nonce + 4) ^ uint32_t(text.size());
  Xtea(a, b);
  Xtea(a, b);
  return a ^ b;
}

}  // namespace

std::string SKENCRYPT(std::string_view text) {
  unsigned char nonce[kNonce];
  uint64_t seed = uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  try {
    std::random_device rd;
    seed ^= (uint64_t(rd()) << 32) | rd();
  } catch (...) {
    // The clock alone still varies the nonce.
  }
  std::mt19937_64 gen(seed);
  uint64_t r = gen();
  for (size_t i = 0; i < kNonce; ++i) nonce[i] = (unsigned char)(r >> (8 * i));
  std::string body(text);
  Stream(nonce, body);
  uint32_t check = Check(nonce, text);
  std::string out(kMagic, sizeof kMagic);
  out.append(reinterpret_cast<const char*>(nonce), kNonce);
  out += body;
  for (int i = 0; i < 4; ++i) out += char((check >> (8 * i)) & 0xFF);
  return out;
}

int SKDECRYPT(std::string_view data, std::string& text) {
  constexpr int kInvalidData = 13;
  text.clear();
  if (data.size() < sizeof kMagic + kNonce + kCheck || data.substr(0, 4) != std::string_view(kMagic, 4)) {
    return kInvalidData;
  }
  const auto* nonce = reinterpret_cast<const unsigned char*>(data.data() + 4);
  std::string body(data.substr(4 + kNonce, data.size() - 4 - kNonce - kCheck));
  Stream(nonce, body);
  uint32_t stored = Load32(reinterpret_cast<const unsigned char*>(data.data() + data.size() - kCheck));
  if (stored != Check(nonce, body)) return kInvalidData;
  text = std::move(body);
  return 0;
}

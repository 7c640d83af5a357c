// The full-size inverse DCT of the JPEG decoder in scaled integers: Loeffler, Ligtenberg
// and Moschytz's factorisation (12 multiplications per eight points) with 13-bit
// constants, columns first, two extra bits kept between the passes. This is the accurate
// integer transform of the common decoders, so a file decodes to their very samples.
//
// Every product is a 16 x 16-bit multiplication summed in pairs into 32 bits, the way
// SSE2's multiply-add works, and every sum wraps at 32 bits; the first pass's results
// are kept to 16 bits (saturated). The vector form and the portable one therefore give
// the same samples for any coefficients, valid or not.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "cpu_sse2.h"
#include "jpeg_tables.h"

#if IMGLIB_SSE2_KERNELS
IMGLIB_SSE2_BEGIN
#include <emmintrin.h>
IMGLIB_SSE2_END
#endif

namespace imglib::jpeg {

namespace {

constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;
constexpr int Fix(double x) { return int(x * (1 << kConstBits) + 0.5); }

// The rotations' factors, each sqrt(2) times a sum of the cosines ck = cos(k pi / 16).
constexpr int k0298 = Fix(0.298631336);  // sqrt2 (-c1 + c3 + c5 - c7)
constexpr int k0390 = Fix(0.390180644);  // sqrt2 (c5 - c3)
constexpr int k0541 = Fix(0.541196100);  // sqrt2 c6
constexpr int k0765 = Fix(0.765366865);  // sqrt2 (c2 - c6)
constexpr int k0899 = Fix(0.899976223);  // sqrt2 (c7 - c3)
constexpr int k1175 = Fix(1.175875602);  // sqrt2 c3
constexpr int k1501 = Fix(1.501321110);  // sqrt2 (c1 + c3 - c5 - c7)
constexpr int k1847 = Fix(1.847759065);  // sqrt2 (c2 + c6)
constexpr int k1961 = Fix(1.961570560);  // sqrt2 (c3 + c5)
constexpr int k2053 = Fix(2.053119869);  // sqrt2 (c1 + c3 - c5 + c7)
constexpr int k2562 = Fix(2.562915447);  // sqrt2 (c1 + c3)
constexpr int k3072 = Fix(3.072711026);  // sqrt2 (c1 + c3 + c5 - c7)

// The pairs each multiply-add takes: (first, second) for inputs (x, y) gives
// x * first + y * second.
struct Factors {
  int first, second;
};
constexpr Factors kEvenSum{1 << kConstBits, 1 << kConstBits};     // (s0, s4)
constexpr Factors kEvenDifference{1 << kConstBits, -(1 << kConstBits)};
constexpr Factors kEvenRotate2{k0541, k0541 - k1847};            // (s2, s6)
constexpr Factors kEvenRotate3{k0541 + k0765, k0541};
constexpr Factors kOddZ3{k1175 - k1961, k1175};                  // (s7, s5) and (s3, s1)
constexpr Factors kOddZ4{k1175, k1175 - k0390};
constexpr Factors kOdd0{k0298 - k0899, -k0899};                  // (s7, s1)
constexpr Factors kOdd3{-k0899, k1501 - k0899};
constexpr Factors kOdd1{k2053 - k2562, -k2562};                  // (s5, s3)
constexpr Factors kOdd2{-k2562, k3072 - k2562};

constexpr int kPass1Shift = kConstBits - kPass1Bits;
constexpr int kPass2Shift = kConstBits + kPass1Bits + 3;

// ---- portable ---------------------------------------------------------------------------

inline uint32_t MulAdd(int x, int y, Factors f) {
  return uint32_t(int32_t(x) * f.first) + uint32_t(int32_t(y) * f.second);
}
inline int32_t Descale(uint32_t v, int shift) { return int32_t(v + (uint32_t(1) << (shift - 1))) >> shift; }

// One eight-point transform of s[0], s[step], ... into eight 32-bit sums (not descaled).
void Transform8(const int16_t* s, int step, uint32_t out[8]) {
  int s0 = s[0], s1 = s[step], s2 = s[2 * step], s3 = s[3 * step];
  int s4 = s[4 * step], s5 = s[5 * step], s6 = s[6 * step], s7 = s[7 * step];
  uint32_t e0 = MulAdd(s0, s4, kEvenSum), e1 = MulAdd(s0, s4, kEvenDifference);
  uint32_t e2 = MulAdd(s2, s6, kEvenRotate2), e3 = MulAdd(s2, s6, kEvenRotate3);
  uint32_t t10 = e0 + e3, t13 = e0 - e3, t11 = e1 + e2, t12 = e1 - e2;
  uint32_t z3 = MulAdd(s7, s5, kOddZ3) + MulAdd(s3, s1, kOddZ3);
  uint32_t z4 = MulAdd(s7, s5, kOddZ4) + MulAdd(s3, s1, kOddZ4);
  uint32_t o0 = MulAdd(s7, s1, kOdd0) + z3, o3 = MulAdd(s7, s1, kOdd3) + z4;
  uint32_t o1 = MulAdd(s5, s3, kOdd1) + z4, o2 = MulAdd(s5, s3, kOdd2) + z3;
  out[0] = t10 + o3;
  out[7] = t10 - o3;
  out[1] = t11 + o2;
  out[6] = t11 - o2;
  out[2] = t12 + o1;
  out[5] = t12 - o1;
  out[3] = t13 + o0;
  out[4] = t13 - o0;
}

#if IMGLIB_SSE2_KERNELS
IMGLIB_SSE2_BEGIN

// ---- SSE2: eight columns (then rows) at once ------------------------------------------------

struct Wide {
  __m128i lo, hi;  // 32-bit lanes 0-3 and 4-7
};

inline __m128i Pair(Factors f) { return _mm_set1_epi32(int32_t(uint32_t(uint16_t(f.second)) << 16 | uint16_t(f.first))); }
inline Wide MulAdd(__m128i x, __m128i y, __m128i factors) {
  return {_mm_madd_epi16(_mm_unpacklo_epi16(x, y), factors), _mm_madd_epi16(_mm_unpackhi_epi16(x, y), factors)};
}
inline Wide Add(Wide a, Wide b) { return {_mm_add_epi32(a.lo, b.lo), _mm_add_epi32(a.hi, b.hi)}; }
inline Wide Sub(Wide a, Wide b) { return {_mm_sub_epi32(a.lo, b.lo), _mm_sub_epi32(a.hi, b.hi)}; }
template <int kShift>
inline __m128i Descale(Wide v) {
  const __m128i round = _mm_set1_epi32(1 << (kShift - 1));
  return _mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(v.lo, round), kShift),
                         _mm_srai_epi32(_mm_add_epi32(v.hi, round), kShift));
}

// v[k] holds input k of the eight transforms; the results replace them, descaled.
template <int kShift>
inline void Transform8(__m128i v[8]) {
  Wide e0 = MulAdd(v[0], v[4], Pair(kEvenSum)), e1 = MulAdd(v[0], v[4], Pair(kEvenDifference));
  Wide e2 = MulAdd(v[2], v[6], Pair(kEvenRotate2)), e3 = MulAdd(v[2], v[6], Pair(kEvenRotate3));
  Wide t10 = Add(e0, e3), t13 = Sub(e0, e3), t11 = Add(e1, e2), t12 = Sub(e1, e2);
  Wide z3 = Add(MulAdd(v[7], v[5], Pair(kOddZ3)), MulAdd(v[3], v[1], Pair(kOddZ3)));
  Wide z4 = Add(MulAdd(v[7], v[5], Pair(kOddZ4)), MulAdd(v[3], v[1], Pair(kOddZ4)));
  Wide o0 = Add(MulAdd(v[7], v[1], Pair(kOdd0)), z3), o3 = Add(MulAdd(v[7], v[1], Pair(kOdd3)), z4);
  Wide o1 = Add(MulAdd(v[5], v[3], Pair(kOdd1)), z4), o2 = Add(MulAdd(v[5], v[3], Pair(kOdd2)), z3);
  v[0] = Descale<kShift>(Add(t10, o3));
  v[7] = Descale<kShift>(Sub(t10, o3));
  v[1] = Descale<kShift>(Add(t11, o2));
  v[6] = Descale<kShift>(Sub(t11, o2));
  v[2] = Descale<kShift>(Add(t12, o1));
  v[5] = Descale<kShift>(Sub(t12, o1));
  v[3] = Descale<kShift>(Add(t13, o0));
  v[4] = Descale<kShift>(Sub(t13, o0));
}

inline void Transpose(__m128i v[8]) {
  __m128i a0 = _mm_unpacklo_epi16(v[0], v[1]), a1 = _mm_unpackhi_epi16(v[0], v[1]);
  __m128i a2 = _mm_unpacklo_epi16(v[2], v[3]), a3 = _mm_unpackhi_epi16(v[2], v[3]);
  __m128i a4 = _mm_unpacklo_epi16(v[4], v[5]), a5 = _mm_unpackhi_epi16(v[4], v[5]);
  __m128i a6 = _mm_unpacklo_epi16(v[6], v[7]), a7 = _mm_unpackhi_epi16(v[6], v[7]);
  __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
  __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
  __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
  __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
  v[0] = _mm_unpacklo_epi64(b0, b4);
  v[1] = _mm_unpackhi_epi64(b0, b4);
  v[2] = _mm_unpacklo_epi64(b1, b5);
  v[3] = _mm_unpackhi_epi64(b1, b5);
  v[4] = _mm_unpacklo_epi64(b2, b6);
  v[5] = _mm_unpackhi_epi64(b2, b6);
  v[6] = _mm_unpacklo_epi64(b3, b7);
  v[7] = _mm_unpackhi_epi64(b3, b7);
}

void IntegerIdctSse2(const int16_t* c, uint8_t* out, int outStride) {
  __m128i v[8];
  for (int k = 0; k < 8; ++k) v[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + 8 * k));
  Transform8<kPass1Shift>(v);
  Transpose(v);
  Transform8<kPass2Shift>(v);
  const __m128i centre = _mm_set1_epi16(128);
  for (int k = 0; k < 8; ++k) v[k] = _mm_adds_epi16(v[k], centre);
  Transpose(v);
  for (int y = 0; y < 8; y += 2) {
    __m128i bytes = _mm_packus_epi16(v[y], v[y + 1]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + y * outStride), bytes);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (y + 1) * outStride), _mm_srli_si128(bytes, 8));
  }
}

IMGLIB_SSE2_END
#endif

}  // namespace

void IntegerIdctPortable(const int16_t* c, uint8_t* out, int outStride) {
  int16_t work[64];
  uint32_t sums[8];
  for (int x = 0; x < 8; ++x) {
    Transform8(c + x, 8, sums);
    for (int y = 0; y < 8; ++y)
      work[y * 8 + x] = int16_t(std::clamp(Descale(sums[y], kPass1Shift), -32768, 32767));
  }
  for (int y = 0; y < 8; ++y) {
    Transform8(work + y * 8, 1, sums);
    uint8_t* o = out + y * outStride;
    for (int x = 0; x < 8; ++x) o[x] = uint8_t(std::clamp(Descale(sums[x], kPass2Shift) + 128, 0, 255));
  }
}

void IntegerIdct(const int16_t* c, uint8_t* out, int outStride) {
#if IMGLIB_SSE2_KERNELS
  if (HasSse2()) {
    IntegerIdctSse2(c, out, outStride);
    return;
  }
#endif
  IntegerIdctPortable(c, out, outStride);
}

}  // namespace imglib::jpeg

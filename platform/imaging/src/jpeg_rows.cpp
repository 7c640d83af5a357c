// Whole rows of the JPEG decoder's output: YCbCr and grey samples to 24-bit pixels (blue,
// green, red), and the upsampling by 2 across. Where the processor has SSE2 the rows go
// sixteen pixels at a time; the portable forms give the very same bytes.
#include <cstdint>

#include "cpu_sse2.h"
#include "jpeg_rows.h"

#if IMGLIB_SSE2_KERNELS
IMGLIB_SSE2_BEGIN
#include <emmintrin.h>
IMGLIB_SSE2_END
#endif

namespace imglib::jpeg {

namespace {

inline uint8_t Clamp255(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// Fixed-point colour conversion (16 fractional bits), each term rounded as the common
// decoders round it: a term that always rounded up would raise the channel by a level.
constexpr int kCrR = 91881, kCbG = 22554, kCrG = 46802, kCbB = 116130;

#if IMGLIB_SSE2_KERNELS
IMGLIB_SSE2_BEGIN

// The same terms with factors that fit 16 bits, for the multiply-add: a whole multiple
// of 65536 is taken out of a factor and added back as a multiple of the input.
//   red:   (91881 cr + 32768) >> 16 = ((26345 cr + 2 * 16384) >> 16) + cr
//   green: (-22554 cb - 46802 cr + 32768) >> 16 = ((-22554 cb + 18734 cr + 32768) >> 16) - cr
//   blue:  (116130 cb + 32768) >> 16 = ((-14942 cb + 2 * 16384) >> 16) + 2 cb
static_assert(kCrR - 65536 == 26345 && kCrG - 65536 == -18734 && kCbB - 2 * 65536 == -14942);

inline __m128i Factors(int first, int second) {
  return _mm_set1_epi32(int32_t(uint32_t(uint16_t(second)) << 16 | uint16_t(first)));
}

// (x * first + y * second [+ 32768]) >> 16 for eight 16-bit lanes.
inline __m128i Term(__m128i x, __m128i y, __m128i factors, __m128i add) {
  __m128i lo = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(x, y), factors), add), 16);
  __m128i hi = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(x, y), factors), add), 16);
  return _mm_packs_epi32(lo, hi);
}

// Eight pixels: the three channels as 16-bit lanes.
inline void Convert8(__m128i y, __m128i cb, __m128i cr, __m128i& b, __m128i& g, __m128i& r) {
  const __m128i two = _mm_set1_epi16(2), zero = _mm_setzero_si128(), half = _mm_set1_epi32(32768);
  r = _mm_add_epi16(_mm_add_epi16(y, cr), Term(cr, two, Factors(kCrR - 65536, 16384), zero));
  g = _mm_sub_epi16(_mm_add_epi16(y, Term(cb, cr, Factors(-kCbG, 65536 - kCrG), half)), cr);
  b = _mm_add_epi16(_mm_add_epi16(y, _mm_add_epi16(cb, cb)), Term(cb, two, Factors(kCbB - 2 * 65536, 16384), zero));
}

// Four pixels of blue, green, red, 0 (32 bits each) to their twelve bytes, in the low
// twelve bytes of the result.
inline __m128i Pack4(__m128i bgrx) {
  const __m128i low32 = _mm_set_epi32(0, -1, 0, -1);
  __m128i pairs = _mm_or_si128(_mm_and_si128(bgrx, low32), _mm_srli_epi64(_mm_andnot_si128(low32, bgrx), 8));
  // Bytes 0-5 hold pixels 0 and 1; pixels 2 and 3 (bytes 8-13) move to bytes 6-11.
  const __m128i first6 = _mm_set_epi32(0, 0, 0x0000FFFF, -1), next6 = _mm_set_epi32(0, -1, int32_t(0xFFFF0000u), 0);
  return _mm_or_si128(_mm_and_si128(pairs, first6), _mm_and_si128(_mm_srli_si128(pairs, 2), next6));
}

// Sixteen pixels of blue, green and red bytes to 48 bytes of pixels.
inline void Store16(__m128i b, __m128i g, __m128i r, uint8_t* dst) {
  const __m128i zero = _mm_setzero_si128();
  __m128i bgLo = _mm_unpacklo_epi8(b, g), bgHi = _mm_unpackhi_epi8(b, g);
  __m128i rLo = _mm_unpacklo_epi8(r, zero), rHi = _mm_unpackhi_epi8(r, zero);
  __m128i p0 = Pack4(_mm_unpacklo_epi16(bgLo, rLo)), p1 = Pack4(_mm_unpackhi_epi16(bgLo, rLo));
  __m128i p2 = Pack4(_mm_unpacklo_epi16(bgHi, rHi)), p3 = Pack4(_mm_unpackhi_epi16(bgHi, rHi));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_or_si128(p0, _mm_slli_si128(p1, 12)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16), _mm_or_si128(_mm_srli_si128(p1, 4), _mm_slli_si128(p2, 8)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 32), _mm_or_si128(_mm_srli_si128(p2, 8), _mm_slli_si128(p3, 4)));
}

inline __m128i Load16(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// The vector loops: each does what it can sixteen (or eight) at a time and returns how
// far it came; the portable forms finish the row.
int YCbCrToBgrSse2(const uint8_t* luma, const uint8_t* blue, const uint8_t* red, uint8_t* dst, int width) {
  int x = 0;
  const __m128i zero = _mm_setzero_si128(), centre = _mm_set1_epi16(128);
  for (; x + 16 <= width; x += 16) {
    __m128i y = Load16(luma + x), cb = Load16(blue + x), cr = Load16(red + x);
    __m128i b0, g0, r0, b1, g1, r1;
    Convert8(_mm_unpacklo_epi8(y, zero), _mm_sub_epi16(_mm_unpacklo_epi8(cb, zero), centre),
             _mm_sub_epi16(_mm_unpacklo_epi8(cr, zero), centre), b0, g0, r0);
    Convert8(_mm_unpackhi_epi8(y, zero), _mm_sub_epi16(_mm_unpackhi_epi8(cb, zero), centre),
             _mm_sub_epi16(_mm_unpackhi_epi8(cr, zero), centre), b1, g1, r1);
    Store16(_mm_packus_epi16(b0, b1), _mm_packus_epi16(g0, g1), _mm_packus_epi16(r0, r1), dst + 3 * x);
  }
  return x;
}

int GreyToBgrSse2(const uint8_t* luma, uint8_t* dst, int width) {
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    __m128i y = Load16(luma + x);
    Store16(y, y, y, dst + 3 * x);
  }
  return x;
}

// Samples out[1] to out[2 i] for the returned i (count > 9).
int UpsampleAcrossSse2(const uint16_t* sums, int count, int shift, int leftBias, int rightBias, uint8_t* out) {
  const __m128i three = _mm_set1_epi16(3), left = _mm_set1_epi16(int16_t(leftBias)),
                right = _mm_set1_epi16(int16_t(rightBias)), shiftBy = _mm_cvtsi32_si128(shift);
  int i = 0;
  // Pairs (i, i + 1) for eight i at a time: sixteen samples from out[2 i + 1] on.
  for (; i + 9 < count; i += 8) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i + 1));
    __m128i odd = _mm_srl_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(a, three), b), right), shiftBy);
    __m128i even = _mm_srl_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(b, three), a), left), shiftBy);
    __m128i bytes = _mm_unpacklo_epi8(_mm_packus_epi16(odd, odd), _mm_packus_epi16(even, even));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 1), bytes);
  }
  return i;
}

IMGLIB_SSE2_END
#endif

}  // namespace

void YCbCrToBgrPortable(const uint8_t* luma, const uint8_t* blue, const uint8_t* red, uint8_t* dst, int width) {
  for (int x = 0; x < width; ++x) {
    int y = luma[x], cb = blue[x] - 128, cr = red[x] - 128;
    dst[3 * x] = Clamp255(y + ((kCbB * cb + 32768) >> 16));
    dst[3 * x + 1] = Clamp255(y + ((-kCbG * cb - kCrG * cr + 32768) >> 16));
    dst[3 * x + 2] = Clamp255(y + ((kCrR * cr + 32768) >> 16));
  }
}

void YCbCrToBgr(const uint8_t* luma, const uint8_t* blue, const uint8_t* red, uint8_t* dst, int width) {
  int x = 0;
#if IMGLIB_SSE2_KERNELS
  if (HasSse2()) x = YCbCrToBgrSse2(luma, blue, red, dst, width);
#endif
  YCbCrToBgrPortable(luma + x, blue + x, red + x, dst + 3 * x, width - x);
}

void GreyToBgrPortable(const uint8_t* luma, uint8_t* dst, int width) {
  for (int x = 0; x < width; ++x) dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = luma[x];
}

void GreyToBgr(const uint8_t* luma, uint8_t* dst, int width) {
  int x = 0;
#if IMGLIB_SSE2_KERNELS
  if (HasSse2()) x = GreyToBgrSse2(luma, dst, width);
#endif
  GreyToBgrPortable(luma + x, dst + 3 * x, width - x);
}

void UpsampleAcrossPortable(const uint16_t* sums, int count, int shift, int leftBias, int rightBias, uint8_t* out) {
  // The first and last samples have no neighbour on their outer side: they stand in for it.
  out[0] = uint8_t((sums[0] * 4 + leftBias) >> shift);
  for (int i = 0; i + 1 < count; ++i) {
    out[2 * i + 1] = uint8_t((sums[i] * 3 + sums[i + 1] + rightBias) >> shift);
    out[2 * i + 2] = uint8_t((sums[i + 1] * 3 + sums[i] + leftBias) >> shift);
  }
  out[2 * count - 1] = uint8_t((sums[count - 1] * 4 + rightBias) >> shift);
}

void UpsampleAcross(const uint16_t* sums, int count, int shift, int leftBias, int rightBias, uint8_t* out) {
#if IMGLIB_SSE2_KERNELS
  if (count > 9 && HasSse2()) {
    out[0] = uint8_t((sums[0] * 4 + leftBias) >> shift);
    int i = UpsampleAcrossSse2(sums, count, shift, leftBias, rightBias, out);
    for (; i + 1 < count; ++i) {
      out[2 * i + 1] = uint8_t((sums[i] * 3 + sums[i + 1] + rightBias) >> shift);
      out[2 * i + 2] = uint8_t((sums[i + 1] * 3 + sums[i] + leftBias) >> shift);
    }
    out[2 * count - 1] = uint8_t((sums[count - 1] * 4 + rightBias) >> shift);
    return;
  }
#endif
  UpsampleAcrossPortable(sums, count, shift, leftBias, rightBias, out);
}

}  // namespace imglib::jpeg

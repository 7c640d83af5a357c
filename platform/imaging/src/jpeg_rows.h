// Whole rows of the JPEG decoder's output (jpeg_rows.cpp). Each call has a portable form
// that gives the same bytes without the vector unit. Internal.
#pragma once
#include <cstdint>

namespace imglib::jpeg {

// YCbCr samples to pixels of blue, green, red, with libjpeg's rounding.
void YCbCrToBgr(const uint8_t* luma, const uint8_t* blue, const uint8_t* red, uint8_t* dst, int width);
void YCbCrToBgrPortable(const uint8_t* luma, const uint8_t* blue, const uint8_t* red, uint8_t* dst, int width);
// Grey samples to grey pixels.
void GreyToBgr(const uint8_t* luma, uint8_t* dst, int width);
void GreyToBgrPortable(const uint8_t* luma, uint8_t* dst, int width);
// Upsampling by 2 across: count samples (already summed down: 1 or 4 times a sample)
// to 2 count, each 3/4 of the nearer and 1/4 of the farther one, plus a bias, >> shift.
void UpsampleAcross(const uint16_t* sums, int count, int shift, int leftBias, int rightBias, uint8_t* out);
void UpsampleAcrossPortable(const uint16_t* sums, int count, int shift, int leftBias, int rightBias, uint8_t* out);

}  // namespace imglib::jpeg

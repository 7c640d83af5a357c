// Video files made by the tests: an AVI of uncompressed 24-bit frames, each frame filled
// with one colour, written byte by byte. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace avitest {

// colours: one 0xRRGGBB per frame.
std::string UncompressedAvi(int width, int height, int framesPerSecond, const std::vector<uint32_t>& colours);

}  // namespace avitest

// GIF encoding: one picture of palette indices as a GIF89a file with a global colour table,
// LZW coded. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace gif {

struct Colour {
  uint8_t r = 0, g = 0, b = 0;
};

// Writes width x height indices (rows from the top) over a palette of 1 to 256 colours.
// Returns kOk, or kDamaged for a size of 0, an empty or too large palette, too few indices
// or an index beyond the palette.
int Encode(int width, int height, const std::vector<Colour>& palette, const std::vector<uint8_t>& indices,
           std::string& out);

}  // namespace gif

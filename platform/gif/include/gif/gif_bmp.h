// A 24-bit Windows bitmap file from RGB pixels (red first, rows from the top, no row
// padding), as the GIF layer writes its conversions. Portable.
#pragma once
#include <cstdint>
#include <string>

namespace gif {

// False when the size is 0 or the file would pass 4 GB.
bool RgbToBmp(const uint8_t* rgb, int width, int height, std::string& out);

}  // namespace gif

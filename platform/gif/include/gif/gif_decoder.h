// GIF decoding: the first picture of a GIF file (87a or 89a) as 24-bit RGB pixels, with
// global and local colour tables, interlacing and transparency. Portable. Damaged or cut
// files never make it read outside the data; what was decoded before the damage is kept.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace gif {

enum Result : int {
  kOk = 0,
  kNotGif = 1,      // no GIF signature
  kDamaged = 2,     // the header or the first picture is unusable
  kTooLarge = 3,    // the size is beyond what the decoder holds
  kNoMemory = 4,
};

struct Image {
  int width = 0;    // the logical screen (grown to hold the first picture)
  int height = 0;
  int colours = 0;  // entries of the colour table the first picture uses
  int frames = 0;   // pictures counted up to the first one (1) or all of them (info)
  bool transparent = false;
  bool interlaced = false;
  bool truncated = false;   // the picture data ended early; missing rows are background
  std::vector<uint8_t> rgb; // width * height * 3 bytes, red first, rows from the top
};

// The largest picture the decoder builds (pixels), so that a damaged header cannot make
// it reserve gigabytes.
constexpr int64_t kMaxPixels = int64_t(1) << 27;

// Decodes the first picture. With infoOnly, reads the headers only (no pixels).
int Decode(std::string_view bytes, Image& out, bool infoOnly = false);

}  // namespace gif

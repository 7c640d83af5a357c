#include "gif/gif_bmp.h"

namespace gif {

namespace {
void Put16(std::string& s, unsigned v) {
  s.push_back(char(v & 255));
  s.push_back(char((v >> 8) & 255));
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
}  // namespace

bool RgbToBmp(const uint8_t* rgb, int width, int height, std::string& out) {
  out.clear();
  if (!rgb || width <= 0 || height <= 0) return false;
  uint64_t rowBytes = (uint64_t(width) * 3 + 3) & ~uint64_t(3);
  uint64_t size = 54 + rowBytes * uint64_t(height);
  if (size > 0xFFFFFFFFull) return false;
  out.reserve(size_t(size));
  out += "BM";
  Put32(out, uint32_t(size));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, uint32_t(rowBytes * uint64_t(height)));
  Put32(out, 3780);
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = rgb + size_t(y) * size_t(width) * 3;
    for (int x = 0; x < width; ++x) {
      out.push_back(char(row[x * 3 + 2]));
      out.push_back(char(row[x * 3 + 1]));
      out.push_back(char(row[x * 3]));
    }
    for (uint64_t pad = uint64_t(width) * 3; pad < rowBytes; ++pad) out.push_back('\0');
  }
  return true;
}

}  // namespace gif

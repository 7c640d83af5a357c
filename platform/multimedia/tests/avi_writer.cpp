#include "avi_writer.h"

#include "sound_files.h"

namespace avitest {

namespace {

// AVI files are RIFF files: the sound tests' chunk writer serves them too.
using soundtest::Chunk;
using soundtest::Put16;
using soundtest::Put32;

std::string List(const char* type, const std::string& body) {
  std::string s = "LIST";
  Put32(s, uint32_t(body.size() + 4));
  return s + std::string(type, 4) + body;
}

}  // namespace

std::string UncompressedAvi(int width, int height, int fps, const std::vector<uint32_t>& colours) {
  const uint32_t stride = uint32_t(width * 3 + 3) & ~3u;
  const uint32_t frameBytes = stride * uint32_t(height);
  const uint32_t frames = uint32_t(colours.size());
  std::string avih;  // main header
  Put32(avih, uint32_t(1000000 / fps));
  Put32(avih, frameBytes * uint32_t(fps));
  Put32(avih, 0);
  Put32(avih, 0x10);  // has an index
  Put32(avih, frames);
  Put32(avih, 0);
  Put32(avih, 1);  // streams
  Put32(avih, frameBytes);
  Put32(avih, uint32_t(width));
  Put32(avih, uint32_t(height));
  for (int i = 0; i < 4; ++i) Put32(avih, 0);
  std::string strh = "vidsDIB ";  // stream header
  Put32(strh, 0);
  Put16(strh, 0);
  Put16(strh, 0);
  Put32(strh, 0);
  Put32(strh, 1);             // scale
  Put32(strh, uint32_t(fps));  // rate
  Put32(strh, 0);
  Put32(strh, frames);
  Put32(strh, frameBytes);
  Put32(strh, 0xFFFFFFFFu);
  Put32(strh, 0);
  Put16(strh, 0);
  Put16(strh, 0);
  Put16(strh, uint32_t(width));
  Put16(strh, uint32_t(height));
  std::string strf;  // BITMAPINFOHEADER
  Put32(strf, 40);
  Put32(strf, uint32_t(width));
  Put32(strf, uint32_t(height));
  Put16(strf, 1);
  Put16(strf, 24);
  Put32(strf, 0);
  Put32(strf, frameBytes);
  for (int i = 0; i < 4; ++i) Put32(strf, 0);
  std::string hdrl = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
  std::string movi, index;
  uint32_t offset = 4;  // index offsets count from the "movi" type
  for (uint32_t colour : colours) {
    std::string pixels;
    pixels.reserve(frameBytes);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        pixels += char(colour & 255);          // blue
        pixels += char((colour >> 8) & 255);   // green
        pixels += char((colour >> 16) & 255);  // red
      }
      pixels.append(stride - uint32_t(width) * 3, '\0');
    }
    std::string chunk = Chunk("00db", pixels);
    index += "00db";
    Put32(index, 0x10);  // key frame
    Put32(index, offset);
    Put32(index, frameBytes);
    offset += uint32_t(chunk.size());
    movi += chunk;
  }
  std::string body = "AVI " + hdrl + List("movi", movi) + Chunk("idx1", index);
  std::string file = "RIFF";
  Put32(file, uint32_t(body.size()));
  return file + body;
}

}  // namespace avitest

// GIF through the GIF layer's decoder and encoder, and encapsulated PostScript: written
// as a level-2 EPS (indexed colour at 8 bits, RGB at 24) in a binary EPS with a TIFF
// preview of the same pixels; read only through the TIFF or metafile preview that a
// binary EPS carries, so the preview is what lets the suite open the EPS files it writes.
#include <cstdio>

#include "codec_util.h"
#include "gif/gif_decoder.h"
#include "gif/gif_encoder.h"
#include "imglib/byte_io.h"

namespace imglib {

int DecodeGifPicture(std::string_view bytes, Picture& out, bool infoOnly) {
  gif::Image image;
  int r = gif::Decode(bytes, image, infoOnly);
  if (r == gif::kNotGif) return kNotAPicture;
  if (r == gif::kNoMemory || r == gif::kTooLarge) return r == gif::kNoMemory ? kNoMemory : kFileCorrupt;
  if (r != gif::kOk) return kFileCorrupt;
  out.info = {};
  out.info.format = kFormatGif;
  out.info.width = image.width;
  out.info.height = image.height;
  int bits = 1;
  while ((1 << bits) < image.colours && bits < 8) ++bits;
  out.info.bitsPerPixel = bits;
  out.info.colours = image.colours;
  if (infoOnly) return kSuccess;
  if (!out.pixels.Allocate(image.width, image.height)) return kNoMemory;
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* src = image.rgb.data() + size_t(y) * size_t(image.width) * 3;
    for (int x = 0; x < image.width; ++x) out.pixels.Set(x, y, src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
  }
  return kSuccess;
}

std::string_view EpsPreview(std::string_view bytes, int& previewFormat) {
  previewFormat = kFormatUnknown;
  ByteReader in(bytes);
  if (in.U32LE() != 0xC6D3D0C5) return {};
  in.U32LE();
  in.U32LE();
  uint32_t wmfOffset = in.U32LE(), wmfLength = in.U32LE(), tifOffset = in.U32LE(), tifLength = in.U32LE();
  if (in.Failed()) return {};
  auto fits = [&](uint32_t o, uint32_t n) { return n > 0 && o < bytes.size() && n <= bytes.size() - o; };
  if (fits(tifOffset, tifLength)) {
    previewFormat = kFormatTif;
    return bytes.substr(tifOffset, tifLength);
  }
  if (fits(wmfOffset, wmfLength)) {
    previewFormat = kFormatWmf;
    return bytes.substr(wmfOffset, wmfLength);
  }
  return {};
}

namespace {

int EncodePostScript(const Raster& pixels, int bitsPerPixel, std::string& out) {
  int width = pixels.Width(), height = pixels.Height();
  bool indexed = bitsPerPixel > 0 && bitsPerPixel <= 8;
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
  if (indexed) {
    palette = BuildPalette(pixels, 256);
    MapToPalette(pixels, palette, indices);
  }
  static const char kHex[] = "0123456789ABCDEF";
  out.clear();
  char line[256];
  std::snprintf(line, sizeof line,
                "%%!PS-Adobe-3.0 EPSF-3.0\n%%%%BoundingBox: 0 0 %d %d\n%%%%LanguageLevel: 2\n"
                "%%%%Pages: 1\n%%%%EndComments\ngsave\n%d %d scale\n",
                width, height, width, height);
  out += line;
  if (indexed) {
    out += "[/Indexed /DeviceRGB 255 <";
    for (int i = 0; i < 256; ++i) {
      Rgb c = size_t(i) < palette.size() ? palette[size_t(i)] : Rgb{};
      for (uint8_t v : {c.r, c.g, c.b}) {
        out.push_back(kHex[v >> 4]);
        out.push_back(kHex[v & 15]);
      }
      if (i % 16 == 15) out.push_back('\n');
    }
    out += ">] setcolorspace\n";
  } else {
    out += "/DeviceRGB setcolorspace\n";
  }
  std::snprintf(line, sizeof line,
                "<< /ImageType 1 /Width %d /Height %d /BitsPerComponent 8 /Decode %s\n"
                "/ImageMatrix [%d 0 0 -%d 0 %d] /DataSource currentfile /ASCIIHexDecode filter >> image\n",
                width, height, indexed ? "[0 255]" : "[0 1 0 1 0 1]", width, height, height);
  out += line;
  int column = 0;
  auto hex = [&](uint8_t v) {
    out.push_back(kHex[v >> 4]);
    out.push_back(kHex[v & 15]);
    if (++column == 40) {
      out.push_back('\n');
      column = 0;
    }
  };
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels.Row(y);
    for (int x = 0; x < width; ++x) {
      if (indexed) {
        hex(indices[size_t(y) * size_t(width) + size_t(x)]);
      } else {
        hex(row[x * 3 + 2]);
        hex(row[x * 3 + 1]);
        hex(row[x * 3]);
      }
    }
  }
  out += ">\ngrestore\nshowpage\n%%EOF\n";
  return kSuccess;
}

}  // namespace

int EncodeEps(const Raster& pixels, int bitsPerPixel, std::string& out) {
  out.clear();
  if (pixels.Empty()) return kInvalidParameter;
  std::string postScript, preview;
  int r = EncodePostScript(pixels, bitsPerPixel, postScript);
  if (r != kSuccess) return r;
  if ((r = EncodeTiff(pixels, bitsPerPixel, preview)) != kSuccess) return r;
  constexpr uint32_t kHeaderSize = 30;
  if (uint64_t(postScript.size()) + preview.size() + kHeaderSize > 0xFFFFFFFFu) return kNoMemory;
  out.reserve(kHeaderSize + postScript.size() + preview.size());
  ByteWriter w(out);
  w.U32LE(0xC6D3D0C5);
  w.U32LE(kHeaderSize);
  w.U32LE(uint32_t(postScript.size()));
  w.U32LE(0);  // no metafile preview
  w.U32LE(0);
  w.U32LE(uint32_t(kHeaderSize + postScript.size()));
  w.U32LE(uint32_t(preview.size()));
  w.U16LE(0xFFFF);  // no checksum
  w.Bytes(postScript.data(), postScript.size());
  w.Bytes(preview.data(), preview.size());
  return kSuccess;
}

int EncodeGifPicture(const Raster& pixels, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  if (pixels.Width() > 65535 || pixels.Height() > 65535) return kInvalidParameter;
  // Exact up to 256 colours, a median-cut palette above.
  std::vector<Rgb> palette = BuildPalette(pixels, 256);
  std::vector<uint8_t> indices;
  MapToPalette(pixels, palette, indices);
  std::vector<gif::Colour> table;
  for (const Rgb& c : palette) table.push_back({c.r, c.g, c.b});
  return gif::Encode(pixels.Width(), pixels.Height(), table, indices, out) == gif::kOk ? kSuccess : kFailure;
}

}  // namespace imglib

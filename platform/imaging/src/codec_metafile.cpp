// Metafiles that hold one picture: the pixels recorded as a single stretch-DIB call into
// an enhanced metafile (".EMF") or a placeable Windows metafile (".WMF"), at 96 pixels per
// inch, so that any metafile reader draws the picture at its own size. The readers are
// the system's.
#include <tuple>

#include "codec_util.h"
#include "imglib/byte_io.h"

namespace imglib {

namespace {

constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr int kDpi = 96;

// A 24-bit bottom-up DIB: the 40-byte header and the rows, each padded to 4 bytes.
void WriteDib(ByteWriter& w, const Raster& pixels) {
  int width = pixels.Width(), height = pixels.Height();
  size_t stride = Raster::StrideFor(width);
  w.U32LE(40);
  w.U32LE(uint32_t(width));
  w.U32LE(uint32_t(height));
  w.U16LE(1);
  w.U16LE(24);
  w.U32LE(0);  // BI_RGB
  w.U32LE(uint32_t(stride * size_t(height)));
  w.U32LE(3780);  // 96 dpi in pixels per metre
  w.U32LE(3780);
  w.U32LE(0);
  w.U32LE(0);
  for (int y = height - 1; y >= 0; --y) {
    w.Bytes(pixels.Row(y), size_t(width) * 3);
    w.Zeros(stride - size_t(width) * 3);
  }
}

size_t DibSize(const Raster& pixels) { return 40 + Raster::StrideFor(pixels.Width()) * size_t(pixels.Height()); }

}  // namespace

int EncodeEmf(const Raster& pixels, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  size_t dib = DibSize(pixels);
  if (dib > 0x7FFFFFFF - 1024) return kInvalidParameter;
  constexpr uint32_t kHeaderSize = 108, kStretchFixed = 80, kEofSize = 20;
  uint32_t stretchSize = kStretchFixed + uint32_t(dib);
  uint32_t total = kHeaderSize + stretchSize + kEofSize;
  out.clear();
  ByteWriter w(out);
  // EMR_HEADER: bounds in pixels, frame in 0.01 mm, a reference device of 96 dpi.
  w.U32LE(1);
  w.U32LE(kHeaderSize);
  for (int v : {0, 0, width - 1, height - 1}) w.U32LE(uint32_t(v));
  auto hundredthsOfMm = [](int px) { return uint32_t((int64_t(px) * 2540 + kDpi - 1) / kDpi); };  // rounded up
  // Readers take the frame's extent as the picture's size.
  for (uint32_t v : {0u, 0u, hundredthsOfMm(width), hundredthsOfMm(height)}) w.U32LE(v);
  w.U32LE(0x464D4520);  // " EMF"
  w.U32LE(0x00010000);
  w.U32LE(total);
  w.U32LE(3);  // records
  w.U16LE(1);  // handles (the metafile's own)
  w.U16LE(0);
  w.U32LE(0);  // no description
  w.U32LE(0);
  w.U32LE(0);  // no palette
  w.U32LE(1920);  // reference device: pixels and millimetres at 96 dpi
  w.U32LE(1080);
  w.U32LE(508);
  w.U32LE(286);
  w.U32LE(0);  // no pixel format, no OpenGL
  w.U32LE(0);
  w.U32LE(0);
  w.U32LE(508000);  // the device in micrometres
  w.U32LE(285750);
  // EMR_STRETCHDIBITS
  w.U32LE(81);
  w.U32LE(stretchSize);
  for (int v : {0, 0, width - 1, height - 1}) w.U32LE(uint32_t(v));
  for (int v : {0, 0, 0, 0, width, height}) w.U32LE(uint32_t(v));  // destination, source
  w.U32LE(kStretchFixed);       // the bitmap header's offset
  w.U32LE(40);
  w.U32LE(kStretchFixed + 40);  // the bits' offset
  w.U32LE(uint32_t(dib - 40));
  w.U32LE(0);  // DIB_RGB_COLORS
  w.U32LE(kSrcCopy);
  w.U32LE(uint32_t(width));
  w.U32LE(uint32_t(height));
  WriteDib(w, pixels);
  // EMR_EOF
  w.U32LE(14);
  w.U32LE(kEofSize);
  w.U32LE(0);
  w.U32LE(16);
  w.U32LE(kEofSize);
  return kSuccess;
}

int EncodeWmf(const Raster& pixels, std::string& out) {
  if (pixels.Empty()) return kInvalidParameter;
  int width = pixels.Width(), height = pixels.Height();
  // Coordinates of a Windows metafile are signed 16-bit values.
  if (width > 32767 || height > 32767) return kInvalidParameter;
  size_t dib = DibSize(pixels);
  if (dib > 0x7FFFFFFF - 1024) return kInvalidParameter;
  out.clear();
  ByteWriter w(out);
  // The placeable header: key, bounding box in metafile units, units per inch, checksum.
  uint16_t words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, uint16_t(width), uint16_t(height), kDpi, 0, 0};
  uint16_t checksum = 0;
  for (uint16_t v : words) checksum ^= v;
  for (uint16_t v : words) w.U16LE(v);
  w.U16LE(checksum);
  uint32_t stretchWords = uint32_t(3 + 2 + 1 + 8 + dib / 2);
  uint32_t totalWords = 9 + 5 + 5 + stretchWords + 3;
  w.U16LE(1);  // the header of a metafile as files keep it (type 1)
  w.U16LE(9);
  w.U16LE(0x0300);
  w.U32LE(totalWords);
  w.U16LE(0);  // objects
  w.U32LE(stretchWords);
  w.U16LE(0);
  // SETWINDOWORG 0, 0; SETWINDOWEXT width, height.
  for (auto [function, a, b] : {std::tuple{0x020B, 0, 0}, std::tuple{0x020C, height, width}}) {
    w.U32LE(5);
    w.U16LE(unsigned(function));
    w.U16LE(unsigned(a));
    w.U16LE(unsigned(b));
  }
  // STRETCHDIB: raster operation, colour use, source size and origin, destination size
  // and origin (each y before x), then the DIB.
  w.U32LE(stretchWords);
  w.U16LE(0x0F43);
  w.U32LE(kSrcCopy);
  w.U16LE(0);
  for (int v : {height, width, 0, 0, height, width, 0, 0}) w.U16LE(unsigned(v));
  WriteDib(w, pixels);
  w.U32LE(3);  // EOF
  w.U16LE(0);
  return kSuccess;
}

}  // namespace imglib

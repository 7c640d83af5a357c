// FlashPix: a compound file whose image object holds the picture at every resolution from
// the full size down to one that fits a single tile, each halved (rounded up) from the one
// above, cut into tiles of 64 x 64 pixels. We write uncompressed tiles (exact, and what
// every reader handles), colour as NIF RGB or, for grey pictures, one monochrome channel;
// we read uncompressed, single-colour and JPEG tiles of monochrome, NIF RGB and PhotoYCC
// pictures, with or without an opacity channel (which is dropped).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "codec_util.h"
#include "imglib/byte_io.h"
#include "imglib/compound_file.h"
#include "imglib/jpeg.h"
#include "imglib/property_set.h"

namespace imglib {

namespace {

constexpr std::array<uint8_t, 8> kFlashPixTail{0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B};
const ClassId kImageViewClass = MakeClassId(0x56616700, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kImageObjectClass = MakeClassId(0x56616000, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kResolutionClass = MakeClassId(0x56616100, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kImageContentsFormat = MakeClassId(0x56616400, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kGlobalInfoFormat = MakeClassId(0x56616F00, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kSubimageHeaderClass = MakeClassId(0x00010000, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kSubimageDataClass = MakeClassId(0x00010100, 0xC154, 0x11CE, kFlashPixTail);
const ClassId kSummaryFormat = MakeClassId(0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9});

constexpr int kTile = 64;
constexpr size_t kStreamHeader = 28;  // byte order, format, system, class, reserved
constexpr size_t kSubimageHeader = 36;
constexpr size_t kTileEntry = 16;
constexpr int kMaxResolutions = 32;

// Image contents properties; the subimage ones carry the resolution number in bits 16-23.
constexpr uint32_t kPidResolutions = 0x01000000;
constexpr uint32_t kPidWidth = 0x01000002;
constexpr uint32_t kPidHeight = 0x01000003;
constexpr uint32_t kPidSubimageWidth = 0x02000000;
constexpr uint32_t kPidSubimageHeight = 0x02000001;
constexpr uint32_t kPidSubimageColour = 0x02000002;
constexpr uint32_t kPidNumericalFormat = 0x02000003;
constexpr uint32_t kPidDecimation = 0x02000004;
constexpr uint32_t kPidJpegTables = 0x03000001;
// Global info.
constexpr uint32_t kPidVisibleOutputs = 0x00010100;
constexpr uint32_t kPidMaxImageIndex = 0x00010101;
constexpr uint32_t kPidMaxTransformIndex = 0x00010102;
constexpr uint32_t kPidMaxOperationIndex = 0x00010103;

// Channel words of the subimage colour: colour space in bits 16-30 (bit 31: uncalibrated),
// the channel in the low 15 bits, bit 15 set on every channel of a picture with opacity.
constexpr uint32_t kSpaceMonochrome = 1, kSpacePhotoYcc = 2, kSpaceNifRgb = 3;
constexpr uint32_t kOpacityChannel = 0x7FFE;

enum TileCompression : uint32_t { kTileRaw = 0, kTileSingleColour = 1, kTileJpeg = 2 };

std::string ResolutionName(int r) {
  char name[32];
  std::snprintf(name, sizeof name, "Resolution %04d", r);
  return name;
}

uint32_t ResolutionPid(uint32_t pid, int r) { return pid | uint32_t(r) << 16; }

// Halving until the picture fits one tile gives the number of resolutions.
std::vector<std::pair<int, int>> ResolutionSizes(int width, int height) {
  std::vector<std::pair<int, int>> sizes{{width, height}};
  while (sizes.back().first > kTile || sizes.back().second > kTile)
    sizes.push_back({(sizes.back().first + 1) / 2, (sizes.back().second + 1) / 2});
  std::reverse(sizes.begin(), sizes.end());  // resolution 0 is the smallest
  return sizes;
}

std::string StreamHeader(const ClassId& classId) {
  std::string out;
  ByteWriter w(out);
  w.U16LE(0xFFFE);
  w.U16LE(0);
  w.U32LE(0);
  w.Bytes(classId.data(), classId.size());
  w.U32LE(1);
  return out;
}

std::string CompObj(const ClassId& classId, std::string_view userType) {
  std::string out;
  ByteWriter w(out);
  w.U32LE(0xFFFE0001);
  w.U32LE(0x00000A03);
  w.U32LE(0xFFFFFFFF);
  w.Bytes(classId.data(), classId.size());
  w.U32LE(uint32_t(userType.size() + 1));
  w.Text(userType);
  w.U8(0);
  w.U32LE(0);  // no clipboard format
  w.U32LE(0);  // empty reserved text
  return out;
}

// One resolution's channel planes, interleaved: channels bytes per pixel.
struct Level {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
};

Level HalfOf(const Level& l, int width, int height, int channels) {
  Level h{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * size_t(channels))};
  for (int y = 0; y < height; ++y) {
    int y0 = 2 * y, y1 = std::min(2 * y + 1, l.height - 1);
    for (int x = 0; x < width; ++x) {
      int x0 = 2 * x, x1 = std::min(2 * x + 1, l.width - 1);
      for (int c = 0; c < channels; ++c) {
        auto at = [&](int px, int py) { return l.pixels[(size_t(py) * size_t(l.width) + size_t(px)) * size_t(channels) + size_t(c)]; };
        h.pixels[(size_t(y) * size_t(width) + size_t(x)) * size_t(channels) + size_t(c)] =
            uint8_t((at(x0, y0) + at(x1, y0) + at(x0, y1) + at(x1, y1) + 2) / 4);
      }
    }
  }
  return h;
}

// The tiles of one level: full tiles, the parts past the picture's edge repeating its last
// column and row.
void WriteLevel(CompoundFileWriter& file, int storage, const Level& l, int channels) {
  int across = (l.width + kTile - 1) / kTile, down = (l.height + kTile - 1) / kTile;
  size_t tileBytes = size_t(kTile) * kTile * size_t(channels);
  std::string header = StreamHeader(kSubimageHeaderClass);
  ByteWriter h(header);
  h.U32LE(kSubimageHeader);
  h.U32LE(uint32_t(l.width));
  h.U32LE(uint32_t(l.height));
  h.U32LE(uint32_t(across * down));
  h.U32LE(kTile);
  h.U32LE(kTile);
  h.U32LE(uint32_t(channels));
  h.U32LE(kSubimageHeader);
  h.U32LE(kTileEntry);
  std::string data = StreamHeader(kSubimageDataClass);
  data.reserve(kStreamHeader + size_t(across) * size_t(down) * tileBytes);
  for (int ty = 0; ty < down; ++ty)
    for (int tx = 0; tx < across; ++tx) {
      h.U32LE(uint32_t(data.size() - kStreamHeader));
      h.U32LE(uint32_t(tileBytes));
      h.U32LE(kTileRaw);
      h.U32LE(0);
      for (int y = 0; y < kTile; ++y) {
        int sy = std::min(ty * kTile + y, l.height - 1);
        for (int x = 0; x < kTile; ++x) {
          int sx = std::min(tx * kTile + x, l.width - 1);
          const uint8_t* p = &l.pixels[(size_t(sy) * size_t(l.width) + size_t(sx)) * size_t(channels)];
          data.append(reinterpret_cast<const char*>(p), size_t(channels));
        }
      }
    }
  file.AddStream(storage, "Subimage 0000 Header", std::move(header));
  file.AddStream(storage, "Subimage 0000 Data", std::move(data));
}

bool AllGrey(const Raster& pixels) {
  for (int y = 0; y < pixels.Height(); ++y) {
    const uint8_t* p = pixels.Row(y);
    for (int x = 0; x < pixels.Width(); ++x, p += 3)
      if (p[0] != p[1] || p[1] != p[2]) return false;
  }
  return true;
}

}  // namespace

int EncodeFpx(const Raster& pixels, int bitsPerPixel, std::string& out) {
  out.clear();
  if (pixels.Empty()) return kInvalidParameter;
  bool grey = (bitsPerPixel > 0 && bitsPerPixel <= 8) || AllGrey(pixels);
  int channels = grey ? 1 : 3;
  std::vector<std::pair<int, int>> sizes = ResolutionSizes(pixels.Width(), pixels.Height());
  int top = int(sizes.size()) - 1;

  CompoundFileWriter file(kImageViewClass);
  file.AddStream(CompoundFileWriter::kRoot, "\005SummaryInformation", PropertySetWriter(kSummaryFormat, 1252).Bytes());
  file.AddStream(CompoundFileWriter::kRoot, "\001CompObj", CompObj(kImageViewClass, "FlashPix Image View"));
  PropertySetWriter global(kGlobalInfoFormat, 1200);
  global.AddUi4Vector(kPidVisibleOutputs, {1});
  global.AddUi4(kPidMaxImageIndex, 1);
  global.AddUi4(kPidMaxTransformIndex, 0);
  global.AddUi4(kPidMaxOperationIndex, 0);
  file.AddStream(CompoundFileWriter::kRoot, "\005Global Info", global.Bytes());
  int image = file.AddStorage(CompoundFileWriter::kRoot, "Data Object Store 000001", kImageObjectClass);
  file.AddStream(image, "\001CompObj", CompObj(kImageObjectClass, "FlashPix Image Object"));

  PropertySetWriter contents(kImageContentsFormat, 1200);
  contents.AddUi4(kPidResolutions, uint32_t(sizes.size()));
  contents.AddUi4(kPidWidth, uint32_t(pixels.Width()));
  contents.AddUi4(kPidHeight, uint32_t(pixels.Height()));
  std::string colour;
  ByteWriter c(colour);
  c.U32LE(1);  // subimages
  c.U32LE(uint32_t(channels));
  for (int i = 0; i < channels; ++i) c.U32LE((grey ? kSpaceMonochrome : kSpaceNifRgb) << 16 | uint32_t(i));
  for (int r = 0; r <= top; ++r) {
    contents.AddUi4(ResolutionPid(kPidSubimageWidth, r), uint32_t(sizes[size_t(r)].first));
    contents.AddUi4(ResolutionPid(kPidSubimageHeight, r), uint32_t(sizes[size_t(r)].second));
    contents.AddBlob(ResolutionPid(kPidSubimageColour, r), colour);
    contents.AddUi4(ResolutionPid(kPidNumericalFormat, r), kVtUi1);
  }
  contents.AddI4(ResolutionPid(kPidDecimation, top), 0);  // the full size is not decimated
  file.AddStream(image, "\005Image Contents", contents.Bytes());

  Level level{pixels.Width(), pixels.Height(),
              std::vector<uint8_t>(size_t(pixels.Width()) * size_t(pixels.Height()) * size_t(channels))};
  for (int y = 0; y < pixels.Height(); ++y) {
    const uint8_t* p = pixels.Row(y);
    uint8_t* d = &level.pixels[size_t(y) * size_t(pixels.Width()) * size_t(channels)];
    for (int x = 0; x < pixels.Width(); ++x, p += 3) {
      if (grey) {
        *d++ = p[0] == p[1] && p[1] == p[2] ? p[0] : detail::GreyOf(p);
      } else {
        *d++ = p[2];
        *d++ = p[1];
        *d++ = p[0];
      }
    }
  }
  for (int r = top; r >= 0; --r) {
    if (r < top) level = HalfOf(level, sizes[size_t(r)].first, sizes[size_t(r)].second, channels);
    WriteLevel(file, file.AddStorage(image, ResolutionName(r), kResolutionClass), level, channels);
  }
  return file.Build(out);
}

bool LooksLikeFpx(std::string_view bytes) {
  // The root entry (the first of the directory) carries the image view's class.
  if (bytes.size() < 512 || bytes.substr(0, kCompoundSignature.size()) != kCompoundSignature) return false;
  ByteReader r(bytes);
  r.Seek(30);
  int shift = r.U16LE();
  r.Seek(48);
  uint32_t firstDirectory = r.U32LE();
  if (shift != 9 && shift != 12) return false;
  size_t at = (size_t(firstDirectory) + 1) * (size_t(1) << shift) + 80;
  return firstDirectory < 0xFFFFFFFA && at + 16 <= bytes.size() &&
         std::memcmp(bytes.data() + at, kImageViewClass.data(), 16) == 0;
}

namespace {

// What the image contents say about the full-size picture.
struct FpxLayout {
  int width = 0, height = 0, resolutions = 0;
  int channels = 0;        // stored channels
  int colourChannels = 0;  // 1 or 3
  int opacityAt = -1;      // the stored index of the opacity channel
  uint32_t space = 0;
  int order[3] = {0, 1, 2};  // stored index of colour channel 0, 1, 2
};

int ReadLayout(const PropertySetReader& contents, FpxLayout& l) {
  int64_t resolutions = 0, width = 0, height = 0;
  if (!contents.Integer(kPidResolutions, resolutions) || !contents.Integer(kPidWidth, width) ||
      !contents.Integer(kPidHeight, height))
    return kFileCorrupt;
  if (resolutions < 1 || resolutions > kMaxResolutions || width < 1 || height < 1 || width > kMaxSide ||
      height > kMaxSide)
    return kFileCorrupt;
  l.resolutions = int(resolutions);
  l.width = int(width);
  l.height = int(height);
  int top = l.resolutions - 1;
  int64_t w = width, h = height;
  contents.Integer(ResolutionPid(kPidSubimageWidth, top), w);
  contents.Integer(ResolutionPid(kPidSubimageHeight, top), h);
  if (w != width || h != height) return kFileCorrupt;
  std::string_view colour;
  if (!contents.Blob(ResolutionPid(kPidSubimageColour, top), colour)) return kFileCorrupt;
  ByteReader r(colour);
  r.U32LE();
  uint32_t channels = r.U32LE();
  if (r.Failed() || channels < 1 || channels > 4 || r.Remaining() < channels * 4) return kFileCorrupt;
  l.channels = int(channels);
  bool seen[3] = {false, false, false};
  for (int i = 0; i < l.channels; ++i) {
    uint32_t word = r.U32LE() & 0x7FFFFFFF;
    uint32_t space = word >> 16, channel = word & 0x7FFF;
    if (channel == kOpacityChannel) {
      if (l.opacityAt >= 0) return kUnsupported;
      l.opacityAt = i;
      continue;
    }
    if (l.space != 0 && space != l.space) return kUnsupported;
    l.space = space;
    if (channel > 2 || seen[channel]) return kUnsupported;
    seen[channel] = true;
    l.order[channel] = i;
    ++l.colourChannels;
  }
  if (l.space == kSpaceMonochrome ? l.colourChannels != 1 : l.colourChannels != 3) return kUnsupported;
  if (l.space != kSpaceMonochrome && l.space != kSpaceNifRgb && l.space != kSpacePhotoYcc) return kUnsupported;
  return kSuccess;
}

uint8_t Clamp255(double v) { return uint8_t(v <= 0 ? 0 : v >= 255 ? 255 : std::lround(v)); }

// One pixel of stored channels into the picture's blue, green, red.
void PutPixel(const FpxLayout& l, const uint8_t* in, uint8_t* bgr) {
  if (l.colourChannels == 1) {
    bgr[0] = bgr[1] = bgr[2] = in[l.order[0]];
    return;
  }
  uint8_t a = in[l.order[0]], b = in[l.order[1]], c = in[l.order[2]];
  if (l.space == kSpaceNifRgb) {
    bgr[0] = c;
    bgr[1] = b;
    bgr[2] = a;
    return;
  }
  // PhotoYCC: luma and two chroma values offset by 156 and 137, scaled to RGB.
  double y = 1.3584 * a, c1 = 2.2179 * (b - 156), c2 = 1.8215 * (c - 137);
  bgr[0] = Clamp255(y + c1);
  bgr[1] = Clamp255(y - 0.194 * c1 - 0.509 * c2);
  bgr[2] = Clamp255(y + c2);
}

// A JPEG tile as one stream: the shared tables (without their end marker) before the
// tile's own data (without its start marker), and an Adobe marker that says whether the
// three channels were converted to YCbCr.
int DecodeJpegTile(const PropertySetReader& contents, const FpxLayout& l, std::string_view tile, uint32_t subtype,
                   int width, int height, std::vector<uint8_t>& channels, int& stride) {
  if (l.channels != l.colourChannels) return kUnsupported;
  int tableIndex = int(subtype >> 24), conversion = int(subtype >> 16 & 0xFF);
  std::string stream("\xFF\xD8", 2);
  if (l.channels == 3) {
    static const char kAdobe[] = "\xFF\xEE\x00\x0E" "Adobe\x00\x64\x00\x00\x00\x00";
    stream.append(kAdobe, 15);
    stream.push_back(char(conversion ? 1 : 0));
  }
  if (tableIndex > 0) {
    std::string_view tables;
    if (!contents.Blob(ResolutionPid(kPidJpegTables, tableIndex), tables)) return kFileCorrupt;
    if (tables.size() >= 2 && tables.substr(0, 2) == "\xFF\xD8") tables.remove_prefix(2);
    if (tables.size() >= 2 && tables.substr(tables.size() - 2) == "\xFF\xD9") tables.remove_suffix(2);
    stream.append(tables);
  }
  if (tile.size() >= 2 && tile.substr(0, 2) == "\xFF\xD8") tile.remove_prefix(2);
  stream.append(tile);
  Picture p;
  int r = DecodeJpeg(stream, p);
  if (r != kSuccess) return r == kUnsupported ? kUnsupported : kFileCorrupt;
  // Tiles are coded whole; one cut to the picture's edge is taken as well.
  if (p.pixels.Width() < width || p.pixels.Height() < height) return kFileCorrupt;
  stride = p.pixels.Width() * l.channels;
  channels.resize(size_t(height) * size_t(stride));
  for (int y = 0; y < height; ++y) {
    const uint8_t* s = p.pixels.Row(y);
    uint8_t* d = &channels[size_t(y) * size_t(stride)];
    for (int x = 0; x < p.pixels.Width(); ++x, s += 3) {
      if (l.channels == 1) {
        *d++ = s[0];
      } else {
        *d++ = s[2];
        *d++ = s[1];
        *d++ = s[0];
      }
    }
  }
  return kSuccess;
}

int DecodeTiles(const CompoundFileReader& file, int store, const PropertySetReader& contents, const FpxLayout& l,
                Raster& out) {
  int resolution = file.Child(store, ResolutionName(l.resolutions - 1));
  int headerAt = file.Child(resolution, "Subimage 0000 Header"), dataAt = file.Child(resolution, "Subimage 0000 Data");
  if (resolution < 0 || headerAt < 0 || dataAt < 0) return kFileCorrupt;
  std::string header, data;
  int r = file.ReadStream(headerAt, header);
  if (r == kSuccess) r = file.ReadStream(dataAt, data);
  if (r != kSuccess) return r;
  ByteReader h(header);
  h.Seek(kStreamHeader);
  h.U32LE();
  uint32_t width = h.U32LE(), height = h.U32LE(), tiles = h.U32LE(), tileW = h.U32LE(), tileH = h.U32LE();
  uint32_t channels = h.U32LE(), tableAt = h.U32LE(), entrySize = h.U32LE();
  if (h.Failed() || width != uint32_t(l.width) || height != uint32_t(l.height) || channels != uint32_t(l.channels))
    return kFileCorrupt;
  if (tileW != kTile || tileH != kTile) return kUnsupported;
  int across = (l.width + kTile - 1) / kTile, down = (l.height + kTile - 1) / kTile;
  if (tiles != uint32_t(across * down) || entrySize < kTileEntry || !h.Seek(kStreamHeader + tableAt))
    return kFileCorrupt;
  if (h.Remaining() / entrySize < tiles) return kFileCorrupt;
  if (data.size() < kStreamHeader) return kFileCorrupt;
  std::string_view tileData = std::string_view(data).substr(kStreamHeader);
  if (!out.Allocate(l.width, l.height)) return kNoMemory;
  std::vector<uint8_t> buffer;
  for (uint32_t t = 0; t < tiles; ++t) {
    ByteReader e(std::string_view(header).substr(kStreamHeader + tableAt + size_t(t) * entrySize, kTileEntry));
    uint32_t offset = e.U32LE(), size = e.U32LE(), compression = e.U32LE(), subtype = e.U32LE();
    int x0 = int(t % uint32_t(across)) * kTile, y0 = int(t / uint32_t(across)) * kTile;
    int w = std::min(kTile, l.width - x0), hgt = std::min(kTile, l.height - y0);
    size_t pixel = size_t(l.channels);
    int stride = 0;
    if (compression == kTileSingleColour) {
      buffer.assign(pixel, 0);
      for (size_t c = 0; c < pixel; ++c) buffer[c] = uint8_t(subtype >> (8 * c));
    } else {
      if (offset > tileData.size() || size > tileData.size() - offset) return kFileCorrupt;
      std::string_view bytes = tileData.substr(offset, size);
      if (compression == kTileRaw) {
        // Full tiles as written; a reader that stores only the picture's part of an edge
        // tile is accepted too.
        if (bytes.size() >= size_t(kTile) * kTile * pixel) stride = int(kTile * pixel);
        else if (bytes.size() >= size_t(w) * size_t(hgt) * pixel) stride = int(size_t(w) * pixel);
        else return kFileCorrupt;
        buffer.assign(bytes.begin(), bytes.end());
      } else if (compression == kTileJpeg) {
        r = DecodeJpegTile(contents, l, bytes, subtype, w, hgt, buffer, stride);
        if (r != kSuccess) return r;
      } else {
        return kUnsupported;
      }
    }
    for (int y = 0; y < hgt; ++y) {
      uint8_t* d = out.Row(y0 + y) + size_t(x0) * 3;
      const uint8_t* s = &buffer[size_t(y) * size_t(stride)];
      for (int x = 0; x < w; ++x, d += 3) PutPixel(l, s + (stride ? size_t(x) * pixel : 0), d);
    }
  }
  return kSuccess;
}

}  // namespace

int DecodeFpx(std::string_view bytes, Picture& out, bool infoOnly) {
  CompoundFileReader file;
  int r = file.Open(bytes);
  if (r != kSuccess) return r;
  int store = file.Find("Data Object Store 000001");
  int contentsAt = file.Child(store, "\005Image Contents");
  if (store < 0 || contentsAt < 0) return kNotAPicture;
  std::string stream;
  if ((r = file.ReadStream(contentsAt, stream)) != kSuccess) return r;
  PropertySetReader contents;
  if (contents.Parse(stream) != kSuccess) return kFileCorrupt;
  FpxLayout l;
  if ((r = ReadLayout(contents, l)) != kSuccess) return r;
  if (!Raster::SizeAllowed(l.width, l.height)) return kNoMemory;
  out.info.format = kFormatFpx;
  out.info.width = l.width;
  out.info.height = l.height;
  out.info.bitsPerPixel = l.colourChannels * 8;
  out.info.grey = l.colourChannels == 1;
  out.info.colours = ColoursForDepth(out.info.bitsPerPixel);
  if (infoOnly) return kSuccess;
  r = DecodeTiles(file, store, contents, l, out.pixels);
  if (r != kSuccess) out.pixels.Clear();
  return r;
}

}  // namespace imglib

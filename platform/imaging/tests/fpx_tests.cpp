// FlashPix: our files come back exactly at every size, hold the resolutions the format
// asks for, and the reader takes the tile forms other writers use (one colour, JPEG with
// shared tables, PhotoYCC) and refuses what it cannot show.
#include <gtest/gtest.h>

#include <cstring>

#include "imglib/byte_io.h"
#include "imglib/codecs.h"
#include "imglib/compound_file.h"
#include "imglib/jpeg.h"
#include "imglib/property_set.h"
#include "test_pictures.h"

using namespace imglib;

namespace {

constexpr std::array<uint8_t, 8> kTail{0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B};
const ClassId kImageView = MakeClassId(0x56616700, 0xC154, 0x11CE, kTail);
const ClassId kImageContents = MakeClassId(0x56616400, 0xC154, 0x11CE, kTail);

Raster Grey(const Raster& colour) {
  Raster g = colour;
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) {
      uint8_t* p = g.Row(y) + size_t(x) * 3;
      p[0] = p[1] = p[2] = uint8_t((p[0] + 2 * p[1] + p[2]) / 4);
    }
  return g;
}

std::string Fpx(const Raster& r, int bits = 24) {
  std::string out;
  EXPECT_EQ(EncodePicture(r, kFormatFpx, bits, 0, out), kSuccess);
  return out;
}

std::string Stream(const CompoundFileReader& file, const std::string& path) {
  std::string out;
  int at = file.Find(path);
  EXPECT_GE(at, 0) << path;
  if (at >= 0) {
    EXPECT_EQ(file.ReadStream(at, out), kSuccess) << path;
  }
  return out;
}

uint32_t U32At(std::string_view s, size_t at) {
  ByteReader r(s);
  r.Seek(at);
  return r.U32LE();
}

// A one-tile FlashPix file written by hand, the way other writers lay theirs out.
struct Tile {
  uint32_t compression = 0;
  uint32_t subtype = 0;
  std::string data;
};

std::string HandMade(int width, int height, const std::vector<uint32_t>& channelWords, const std::vector<Tile>& tiles,
                     std::string jpegTables = {}, int tileSide = 64) {
  CompoundFileWriter w(kImageView);
  int store = w.AddStorage(CompoundFileWriter::kRoot, "Data Object Store 000001");
  PropertySetWriter contents(kImageContents, 1200);
  contents.AddUi4(0x01000000, 1);
  contents.AddUi4(0x01000002, uint32_t(width));
  contents.AddUi4(0x01000003, uint32_t(height));
  std::string colour;
  ByteWriter c(colour);
  c.U32LE(1);
  c.U32LE(uint32_t(channelWords.size()));
  for (uint32_t word : channelWords) c.U32LE(word);
  contents.AddBlob(0x02000002, colour);
  if (!jpegTables.empty()) contents.AddBlob(0x03010001, jpegTables);
  w.AddStream(store, "\005Image Contents", contents.Bytes());
  int resolution = w.AddStorage(store, "Resolution 0000");
  std::string header(28, '\0'), data(28, '\0');
  ByteWriter h(header);
  for (uint32_t v : {36u, uint32_t(width), uint32_t(height), uint32_t(tiles.size()), uint32_t(tileSide),
                     uint32_t(tileSide), uint32_t(channelWords.size()), 36u, 16u})
    h.U32LE(v);
  for (const Tile& t : tiles) {
    h.U32LE(uint32_t(data.size() - 28));
    h.U32LE(uint32_t(t.data.size()));
    h.U32LE(t.compression);
    h.U32LE(t.subtype);
    data += t.data;
  }
  w.AddStream(resolution, "Subimage 0000 Header", header);
  w.AddStream(resolution, "Subimage 0000 Data", data);
  std::string out;
  EXPECT_EQ(w.Build(out), kSuccess);
  return out;
}

const std::vector<uint32_t> kNifRgb{0x00030000, 0x00030001, 0x00030002};

// A JPEG stream cut where FlashPix files cut it: the tables (start marker to the frame
// header's end, then an end marker) and the tile (a start marker and the frame, scan and
// data that follow).
void SplitJpeg(const std::string& jpeg, std::string& tables, std::string& tile) {
  size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  tables = jpeg.substr(0, frame) + "\xFF\xD9";
  tile = "\xFF\xD8" + jpeg.substr(frame);
}

}  // namespace

TEST(FlashPix, RoundTripIsExactAtEverySize) {
  for (auto [w, h] : {std::pair{1, 1}, {63, 65}, {200, 130}, {64, 64}, {129, 3}}) {
    for (bool grey : {false, true}) {
      Raster source = testpics::Photo(w, h);
      source.Set(0, 0, 250, 10, 10);
      if (grey) source = Grey(source);
      std::string bytes = Fpx(source);
      EXPECT_EQ(DetectFormat(bytes), kFormatFpx);
      Picture p;
      ASSERT_EQ(DecodePicture(bytes, p), kSuccess) << w << "x" << h;
      EXPECT_EQ(testpics::Compare(p.pixels, source).maximum, 0) << w << "x" << h << " grey " << grey;
      EXPECT_EQ(p.info.format, kFormatFpx);
      EXPECT_EQ(p.info.grey, grey);
      EXPECT_EQ(p.info.bitsPerPixel, grey ? 8 : 24);
      PictureInfo info;
      ASSERT_EQ(ReadPictureInfo(bytes, info), kSuccess);
      EXPECT_EQ(info.width, w);
      EXPECT_EQ(info.height, h);
    }
  }
  // Eight bits asks for grey: colours become their grey level.
  Raster colour = testpics::Photo(40, 30);
  Picture p;
  ASSERT_EQ(DecodePicture(Fpx(colour, 8), p), kSuccess);
  EXPECT_TRUE(p.info.grey);
  const uint8_t* s = colour.Row(10) + 20 * 3;
  EXPECT_NEAR(testpics::PixelAt(p.pixels, 20, 10) & 0xFF, (s[2] * 299 + s[1] * 587 + s[0] * 114) / 1000, 1);
}

TEST(FlashPix, HoldsEveryResolutionDownToOneTile) {
  Raster source = testpics::Photo(200, 130);
  std::string bytes = Fpx(source);
  CompoundFileReader file;
  ASSERT_EQ(file.Open(bytes), kSuccess);
  EXPECT_EQ(file.Root().classId, kImageView);
  PropertySetReader contents;
  ASSERT_EQ(contents.Parse(Stream(file, "Data Object Store 000001/\005Image Contents")), kSuccess);
  EXPECT_EQ(contents.FormatId(), kImageContents);
  int64_t v = 0;
  ASSERT_TRUE(contents.Integer(0x01000000, v));
  EXPECT_EQ(v, 3);
  // Halved and rounded up: 50 x 33, 100 x 65, 200 x 130; each in whole 64 x 64 tiles.
  int sizes[3][2] = {{50, 33}, {100, 65}, {200, 130}};
  for (int r = 0; r < 3; ++r) {
    ASSERT_TRUE(contents.Integer(0x02000000 | uint32_t(r) << 16, v));
    EXPECT_EQ(v, sizes[r][0]);
    ASSERT_TRUE(contents.Integer(0x02000001 | uint32_t(r) << 16, v));
    EXPECT_EQ(v, sizes[r][1]);
    std::string prefix = "Data Object Store 000001/Resolution 000" + std::to_string(r) + "/Subimage 0000 ";
    std::string header = Stream(file, prefix + "Header");
    ASSERT_GE(header.size(), 64u);
    EXPECT_EQ(U32At(header, 32), uint32_t(sizes[r][0]));
    EXPECT_EQ(U32At(header, 36), uint32_t(sizes[r][1]));
    uint32_t tiles = uint32_t(((sizes[r][0] + 63) / 64) * ((sizes[r][1] + 63) / 64));
    EXPECT_EQ(U32At(header, 40), tiles);
    EXPECT_EQ(Stream(file, prefix + "Data").size(), 28 + tiles * 64 * 64 * 3);
  }
  // The half-size level averages each 2 x 2 block: its first pixel from the full size's
  // corner, in red, green, blue order.
  std::string half = Stream(file, "Data Object Store 000001/Resolution 0001/Subimage 0000 Data");
  int sum = 0;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) sum += source.Row(y)[x * 3 + 2];
  EXPECT_EQ(uint8_t(half[28]), (sum + 2) / 4);
  // An edge tile repeats the last column past the picture's edge.
  std::string full = Stream(file, "Data Object Store 000001/Resolution 0002/Subimage 0000 Data");
  size_t tile3 = 28 + size_t(3) * 64 * 64 * 3;  // first row of tiles, the fourth (x 192 to 255)
  EXPECT_EQ(full.substr(tile3 + 7 * 3, 3), full.substr(tile3 + 40 * 3, 3));
  EXPECT_EQ(uint8_t(full[tile3 + 7 * 3]), source.Row(0)[199 * 3 + 2]);
}

TEST(FlashPix, ReadsSingleColourTilesInEverySpace) {
  Picture p;
  // Three NIF RGB channels, one byte each in the subtype.
  ASSERT_EQ(DecodePicture(HandMade(70, 10, kNifRgb, {{1, 0x00332211, ""}, {1, 0x00665544, ""}}), p), kSuccess);
  EXPECT_EQ(testpics::PixelAt(p.pixels, 0, 0), 0x112233u);
  EXPECT_EQ(testpics::PixelAt(p.pixels, 63, 9), 0x112233u);
  EXPECT_EQ(testpics::PixelAt(p.pixels, 64, 0), 0x445566u);
  // Monochrome with an opacity channel: the opacity is dropped.
  ASSERT_EQ(DecodePicture(HandMade(5, 5, {0x00018000, 0x00017FFE}, {{1, 0x0000FF80, ""}}), p), kSuccess);
  EXPECT_EQ(testpics::PixelAt(p.pixels, 4, 4), 0x808080u);
  EXPECT_TRUE(p.info.grey);
  // PhotoYCC: luma 94 with neutral chroma (156, 137) is mid-grey, 188 is white.
  ASSERT_EQ(DecodePicture(HandMade(2, 2, {0x00020000, 0x00020001, 0x00020002}, {{1, 0x00899C5E, ""}}), p), kSuccess);
  EXPECT_EQ(testpics::PixelAt(p.pixels, 1, 1), 0x808080u);
  ASSERT_EQ(DecodePicture(HandMade(2, 2, {0x80020000, 0x80020001, 0x80020002}, {{1, 0x00899CBC, ""}}), p), kSuccess);
  EXPECT_EQ(testpics::PixelAt(p.pixels, 0, 0), 0xFFFFFFu);
}

TEST(FlashPix, ReadsJpegTilesWithSharedOrOwnTables) {
  Raster source = testpics::Photo(64, 64);
  std::string jpeg, tables, tile;
  ASSERT_EQ(EncodeJpeg(source, 2, false, jpeg), kSuccess);
  SplitJpeg(jpeg, tables, tile);
  Picture p;
  // Tables in the image contents (table 1, converted to YCbCr: subtype bytes 0, 0x11, 1, 1).
  ASSERT_EQ(DecodePicture(HandMade(50, 40, kNifRgb, {{2, 0x01011100, tile}}, tables), p), kSuccess);
  Raster corner;
  corner.Allocate(50, 40);
  for (int y = 0; y < 40; ++y) std::memcpy(corner.Row(y), source.Row(y), 50 * 3);
  EXPECT_GT(testpics::Compare(p.pixels, corner).psnr, 35);
  // The tile holding its own tables (table 0).
  ASSERT_EQ(DecodePicture(HandMade(64, 64, kNifRgb, {{2, 0x00011100, jpeg}}), p), kSuccess);
  EXPECT_GT(testpics::Compare(p.pixels, source).psnr, 35);
  // A tile coded only as large as the picture's part of it.
  ASSERT_EQ(EncodeJpeg(corner, 2, false, jpeg), kSuccess);
  ASSERT_EQ(DecodePicture(HandMade(50, 40, kNifRgb, {{2, 0x00011100, jpeg}}), p), kSuccess);
  EXPECT_GT(testpics::Compare(p.pixels, corner).psnr, 35);
  EXPECT_EQ(DecodePicture(HandMade(51, 40, kNifRgb, {{2, 0x00011100, jpeg}}), p), kFileCorrupt);
  // Without the colour conversion the stored channels are shown as they are: a flat red
  // tile coded as YCbCr shows its luma in the red channel.
  Raster red;
  red.Allocate(64, 64);
  red.Fill(200, 50, 50);
  ASSERT_EQ(EncodeJpeg(red, 2, false, jpeg), kSuccess);
  ASSERT_EQ(DecodePicture(HandMade(64, 64, kNifRgb, {{2, 0x00001100, jpeg}}), p), kSuccess);
  EXPECT_NEAR(int(testpics::PixelAt(p.pixels, 10, 10) >> 16), 94, 3);
  // A grey JPEG tile.
  ASSERT_EQ(EncodeJpeg(Grey(source), 2, true, jpeg), kSuccess);
  ASSERT_EQ(DecodePicture(HandMade(64, 64, {0x00010000}, {{2, 0, jpeg}}), p), kSuccess);
  EXPECT_GT(testpics::Compare(p.pixels, Grey(source)).psnr, 35);
}

TEST(FlashPix, RefusesWhatItCannotShow) {
  Picture p;
  std::string raw(64 * 64 * 3, '\x40');
  EXPECT_EQ(DecodePicture(HandMade(8, 8, kNifRgb, {{0, 0, raw}}), p), kSuccess);
  // An unknown tile compression, another tile size, an unknown colour space, a JPEG tile
  // with opacity: refused, not guessed.
  EXPECT_EQ(DecodePicture(HandMade(8, 8, kNifRgb, {{7, 0, raw}}), p), kUnsupported);
  EXPECT_EQ(DecodePicture(HandMade(8, 8, kNifRgb, {{0, 0, raw}}, {}, 128), p), kUnsupported);
  EXPECT_EQ(DecodePicture(HandMade(8, 8, {0x00050000, 0x00050001, 0x00050002}, {{0, 0, raw}}), p), kUnsupported);
  EXPECT_EQ(DecodePicture(HandMade(8, 8, {0x00038000, 0x00038001, 0x00038002, 0x00037FFE}, {{2, 0, raw}}), p),
            kUnsupported);
  EXPECT_TRUE(p.pixels.Empty());
  // Damage: a tile count that is not the grid, a tile beyond the data, a tile too short,
  // JPEG tables that are not there.
  EXPECT_EQ(DecodePicture(HandMade(8, 8, kNifRgb, {{0, 0, raw}, {0, 0, raw}}), p), kFileCorrupt);
  std::string shortTile = HandMade(8, 8, kNifRgb, {{0, 0, std::string(100, 'x')}});
  EXPECT_EQ(DecodePicture(shortTile, p), kFileCorrupt);
  EXPECT_EQ(DecodePicture(HandMade(8, 8, kNifRgb, {{2, 0x05011100, raw}}), p), kFileCorrupt);
  // A compound file of another kind is no picture; by its extension it is still tried.
  CompoundFileWriter other;
  other.AddStream(CompoundFileWriter::kRoot, "WordDocument", "text");
  std::string doc;
  ASSERT_EQ(other.Build(doc), kSuccess);
  EXPECT_EQ(DetectFormat(doc), kFormatUnknown);
  EXPECT_EQ(DetectFormat(doc, "fpx"), kFormatFpx);
  EXPECT_EQ(DecodePicture(doc, p, kFormatFpx), kNotAPicture);
}

TEST(FlashPix, DamagedChainsOfTheTileDataFailCleanly) {
  std::string good = Fpx(testpics::Photo(130, 70));
  CompoundFileReader file;
  ASSERT_EQ(file.Open(good), kSuccess);
  int data = file.Find("Data Object Store 000001/Resolution 0002/Subimage 0000 Data");
  ASSERT_GE(data, 0);
  uint32_t start = file.At(data).start;
  size_t fatSector = U32At(good, 76);
  auto fatEntry = [&](uint32_t sector) { return 512 + fatSector * 512 + sector * 4; };
  ASSERT_LT(start + 10, 128u);
  Picture p;
  for (uint32_t next : {start + 2, 0x7FFFFFu, 0xFFFFFFFEu}) {
    std::string bad = good;
    for (int k = 0; k < 4; ++k) bad[fatEntry(start + 6) + size_t(k)] = char(uint8_t(next >> (8 * k)));
    EXPECT_EQ(DecodePicture(bad, p), kFileCorrupt) << next;
    EXPECT_TRUE(p.pixels.Empty());
  }
  EXPECT_EQ(DecodePicture(good.substr(0, good.size() / 2), p), kFileCorrupt);
}

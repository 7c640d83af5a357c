// Reading and writing picture files held in memory. Portable: the formats that the layer
// decodes itself. The Windows layer adds the formats that the system codecs handle.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imglib/raster.h"
#include "imglib/status.h"

namespace imglib {

struct DecodeOptions {
  // When both are above 0 a decoder may deliver a reduced picture that is still at least
  // this large (JPEG scaled decoding); the information keeps the full size. 0 asks for
  // the full size.
  int minWidth = 0;
  int minHeight = 0;
  // minWidth x minHeight is a box: the picture must still cover its own size fitted into
  // the box (aspect kept, never enlarged).
  bool fitBox = false;
};

// The size of width x height fitted into a box, aspect kept, never enlarged, at least 1.
void FitIntoBox(int width, int height, int boxWidth, int boxHeight, int& fitWidth, int& fitHeight);

// Recognises a format from the first bytes; formats without a signature (Targa, MacPaint)
// are taken from the extension ("TGA", upper or lower case, without the dot). Returns a
// Format number or kFormatUnknown.
int DetectFormat(std::string_view bytes, std::string_view extension = {});

// Decodes a picture. format: a Format number or kFormatUnknown to detect it. Returns
// kSuccess, or kUnsupported for formats this portable part does not decode.
int DecodePicture(std::string_view bytes, Picture& out, int format = kFormatUnknown,
                  const DecodeOptions& options = {});
// Reads only what the header says (size, depth, colours).
int ReadPictureInfo(std::string_view bytes, PictureInfo& info, int format = kFormatUnknown);

// Encodes a picture. bitsPerPixel: the depth to write (each format takes the nearest one
// it has); qualityFactor: for JPEG, 2 is the finest and larger numbers compress more.
int EncodePicture(const Raster& pixels, int format, int bitsPerPixel, int qualityFactor, std::string& out);
// Whether EncodePicture writes the format.
bool CanEncode(int format);

// The single formats. Each decoder fills out.info and, unless infoOnly, out.pixels.
int DecodeBmp(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeBmp(const Raster& pixels, int bitsPerPixel, std::string& out);
int DecodePcx(std::string_view bytes, Picture& out, bool infoOnly);
int EncodePcx(const Raster& pixels, int bitsPerPixel, std::string& out);
int DecodeDcx(std::string_view bytes, Picture& out, bool infoOnly);
int DecodeTga(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeTga(const Raster& pixels, int bitsPerPixel, std::string& out);
int DecodeRas(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeRas(const Raster& pixels, int bitsPerPixel, std::string& out);
int DecodePsd(std::string_view bytes, Picture& out, bool infoOnly);
int EncodePsd(const Raster& pixels, std::string& out);
int DecodeIco(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeIco(const Raster& pixels, bool cursor, std::string& out);
// The icon's best picture when it is PNG-coded (DecodeIco then answers kUnsupported and
// the system codecs decode these bytes); empty when it is a bitmap or the icon is damaged.
std::string_view IconPngEntry(std::string_view bytes);
// The best of the icon's bitmap pictures only: what shows when its PNG picture cannot be
// read.
int DecodeIcoBitmaps(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeDcx(const Raster& pixels, int bitsPerPixel, std::string& out);
// The black-and-white formats write pixels darker than mid-grey black. MacPaint takes only
// its page of 576 x 720; GEM raster writes 1 plane, or up to 8 planes of grey levels.
int DecodeMsp(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeMsp(const Raster& pixels, std::string& out);
int DecodeMac(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeMac(const Raster& pixels, std::string& out);
int DecodeGem(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeGem(const Raster& pixels, int bitsPerPixel, std::string& out);
int DecodeGifPicture(std::string_view bytes, Picture& out, bool infoOnly);
// Exact up to 256 colours; more are reduced to a palette of 256.
int EncodeGifPicture(const Raster& pixels, std::string& out);
int DecodePict(std::string_view bytes, Picture& out, bool infoOnly);
int EncodePict(const Raster& pixels, std::string& out);
// WordPerfect graphics: 8 bits with a colour map of the picture's colours, or 1 bit.
int DecodeWpg(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeWpg(const Raster& pixels, int bitsPerPixel, std::string& out);
// Metafiles of one bitmap; the system codecs read them.
int EncodeEmf(const Raster& pixels, std::string& out);
int EncodeWmf(const Raster& pixels, std::string& out);
int EncodeEps(const Raster& pixels, int bitsPerPixel, std::string& out);
// FlashPix: written with every resolution down to one tile, uncompressed, as one grey
// channel when bitsPerPixel is 8 or less or the picture holds only greys, else as RGB.
// Read: the full resolution of uncompressed, single-colour or JPEG tiles, grey, RGB or
// PhotoYCC, an opacity channel dropped.
int DecodeFpx(std::string_view bytes, Picture& out, bool infoOnly);
int EncodeFpx(const Raster& pixels, int bitsPerPixel, std::string& out);
// Whether a compound file is a FlashPix picture (by its root's class).
bool LooksLikeFpx(std::string_view bytes);
// TIFF pictures are decoded by the system codecs: CheckTiff answers kSuccess when the
// header and the first directory lie inside the bytes, kFileCorrupt when they do not,
// kUnsupported for TIFF variants it does not check (BigTIFF). EncodeTiff writes an
// uncompressed TIFF of one strip: palette colour at 8 bits and below, else RGB.
int CheckTiff(std::string_view bytes);
int EncodeTiff(const Raster& pixels, int bitsPerPixel, std::string& out);
// An EPS file's embedded preview (a TIFF or WMF block of a binary EPS), for the system
// codecs; empty when it has none.
std::string_view EpsPreview(std::string_view bytes, int& previewFormat);

// Builds a palette of at most maxColours colours for the picture (exact when it has no
// more colours than that) and maps every pixel to its nearest entry.
std::vector<Rgb> BuildPalette(const Raster& pixels, int maxColours);
void MapToPalette(const Raster& pixels, const std::vector<Rgb>& palette, std::vector<uint8_t>& indices);
// Number of different colours in the picture.
int CountColours(const Raster& pixels);

// Whether a picture of this many pixels may come from this many bytes of a format that
// packs at most ratio pixels per byte. Stops a damaged header from reserving memory
// that the data could never fill; small pictures are always allowed.
bool PlausibleSize(int width, int height, size_t inputBytes, double pixelsPerByte);

}  // namespace imglib

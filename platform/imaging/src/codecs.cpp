// Format recognition and the dispatch to the single codecs.
#include "imglib/codecs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "imglib/jpeg.h"

namespace imglib {

namespace {

bool StartsWith(std::string_view bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return out;
}

uint8_t At(std::string_view bytes, size_t i) { return i < bytes.size() ? uint8_t(bytes[i]) : 0; }

// The system codecs decode TIFF pictures, but only sound ones are handed to them.
int TiffForSystem(std::string_view bytes) {
  int r = CheckTiff(bytes);
  return r == kSuccess ? kUnsupported : r;
}

}  // namespace

void FitIntoBox(int width, int height, int boxWidth, int boxHeight, int& fitWidth, int& fitHeight) {
  fitWidth = fitHeight = 0;
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return;
  double scale = std::min(1.0, std::min(double(boxWidth) / width, double(boxHeight) / height));
  fitWidth = std::clamp(int(std::lround(width * scale)), 1, boxWidth);
  fitHeight = std::clamp(int(std::lround(height * scale)), 1, boxHeight);
}

int DetectFormat(std::string_view bytes, std::string_view extension) {
  if (StartsWith(bytes, "\xFF\xD8\xFF")) return kFormatJpeg;
  if (StartsWith(bytes, "BM")) return kFormatBmp;
  if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) return kFormatGif;
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) return kFormatPng;
  if (StartsWith(bytes, "II*\0") || StartsWith(bytes, std::string_view("MM\0*", 4))) return kFormatTif;
  if (StartsWith(bytes, "\x59\xA6\x6A\x95")) return kFormatRas;
  if (StartsWith(bytes, "8BPS")) return kFormatPsd;
  if (StartsWith(bytes, "\xB1\x68\xDE\x3A")) return kFormatDcx;
  if (StartsWith(bytes, "\xD7\xCD\xC6\x9A")) return kFormatWmf;  // placeable metafile
  if (bytes.size() >= 44 && At(bytes, 0) == 1 && At(bytes, 1) == 0 && At(bytes, 2) == 0 && At(bytes, 3) == 0 &&
      std::memcmp(bytes.data() + 40, " EMF", 4) == 0)
    return kFormatEmf;
  if (StartsWith(bytes, "\xC5\xD0\xD3\xC6") || StartsWith(bytes, "%!PS")) return kFormatEps;
  if (StartsWith(bytes, "DanM") || StartsWith(bytes, "LinS")) return kFormatMsp;
  if (StartsWith(bytes, "\xFFWPC")) return kFormatWpg;
  if (LooksLikeFpx(bytes)) return kFormatFpx;
  // Formats without a signature go by their extension before the weak signatures below.
  std::string ext = Upper(extension);
  if (ext == "TGA" || ext == "VDA" || ext == "ICB" || ext == "VST") return kFormatTga;
  if (ext == "MAC") return kFormatMac;
  if (ext == "IMG") return kFormatImg;
  // Icons and cursors: reserved 0, type 1 or 2, at least one entry whose data lies in
  // the file.
  if (bytes.size() >= 22 && At(bytes, 0) == 0 && At(bytes, 1) == 0 && (At(bytes, 2) == 1 || At(bytes, 2) == 2) &&
      At(bytes, 3) == 0 && (At(bytes, 4) | At(bytes, 5) << 8) > 0 && At(bytes, 9) == 0) {
    uint32_t offset = uint32_t(At(bytes, 18)) | uint32_t(At(bytes, 19)) << 8 | uint32_t(At(bytes, 20)) << 16 |
                      uint32_t(At(bytes, 21)) << 24;
    if (offset >= 22 && offset < bytes.size()) return At(bytes, 2) == 1 ? kFormatIco : kFormatCur;
  }
  if (At(bytes, 0) == 0x0A && At(bytes, 1) <= 5 && At(bytes, 2) <= 1 && bytes.size() >= 128) return kFormatPcx;
  if (ext == "WMF") return kFormatWmf;
  if (ext == "PCD") return kFormatPcd;
  if (ext == "FPX") return kFormatFpx;
  if (ext == "CMP") return kFormatCmp;
  if (ext == "PCT" || ext == "PICT") return kFormatPct;
  if (ext == "WPG") return kFormatWpg;
  return kFormatUnknown;
}

int DecodePicture(std::string_view bytes, Picture& out, int format, const DecodeOptions& options) {
  out = Picture{};
  if (bytes.empty()) return kFileCorrupt;
  if (format == kFormatUnknown) format = DetectFormat(bytes);
  try {
    switch (format) {
      case kFormatBmp: return DecodeBmp(bytes, out, false);
      case kFormatPcx: return DecodePcx(bytes, out, false);
      case kFormatDcx: return DecodeDcx(bytes, out, false);
      case kFormatTga: return DecodeTga(bytes, out, false);
      case kFormatRas: return DecodeRas(bytes, out, false);
      case kFormatJpeg: return DecodeJpeg(bytes, out, options);
      case kFormatPsd: return DecodePsd(bytes, out, false);
      case kFormatIco:
      case kFormatCur: return DecodeIco(bytes, out, false);
      case kFormatMsp: return DecodeMsp(bytes, out, false);
      case kFormatMac: return DecodeMac(bytes, out, false);
      case kFormatImg: return DecodeGem(bytes, out, false);
      case kFormatGif: return DecodeGifPicture(bytes, out, false);
      case kFormatPct: return DecodePict(bytes, out, false);
      case kFormatWpg: return DecodeWpg(bytes, out, false);
      case kFormatFpx: return DecodeFpx(bytes, out, false);
      case kFormatTif: return TiffForSystem(bytes);
      case kFormatUnknown: return kNotAPicture;
      default: return kUnsupported;
    }
  } catch (const std::bad_alloc&) {
    out = Picture{};
    return kNoMemory;
  }
}

int ReadPictureInfo(std::string_view bytes, PictureInfo& info, int format) {
  info = {};
  if (bytes.empty()) return kFileCorrupt;
  if (format == kFormatUnknown) format = DetectFormat(bytes);
  Picture p;
  int r;
  try {
    switch (format) {
      case kFormatBmp: r = DecodeBmp(bytes, p, true); break;
      case kFormatPcx: r = DecodePcx(bytes, p, true); break;
      case kFormatDcx: r = DecodeDcx(bytes, p, true); break;
      case kFormatTga: r = DecodeTga(bytes, p, true); break;
      case kFormatRas: r = DecodeRas(bytes, p, true); break;
      case kFormatPsd: r = DecodePsd(bytes, p, true); break;
      case kFormatIco:
      case kFormatCur: r = DecodeIco(bytes, p, true); break;
      case kFormatMsp: r = DecodeMsp(bytes, p, true); break;
      case kFormatMac: r = DecodeMac(bytes, p, true); break;
      case kFormatImg: r = DecodeGem(bytes, p, true); break;
      case kFormatGif: r = DecodeGifPicture(bytes, p, true); break;
      case kFormatPct: r = DecodePict(bytes, p, true); break;
      case kFormatWpg: r = DecodeWpg(bytes, p, true); break;
      case kFormatFpx: r = DecodeFpx(bytes, p, true); break;
      case kFormatTif: return TiffForSystem(bytes);
      case kFormatJpeg: {
        JpegHeader h;
        r = ReadJpegHeader(bytes, h);
        if (r == kSuccess) {
          p.info.format = kFormatJpeg;
          p.info.width = h.width;
          p.info.height = h.height;
          p.info.bitsPerPixel = h.components == 1 ? 8 : 24;
          p.info.grey = h.components == 1;
          p.info.colours = h.components == 1 ? 256 : ColoursForDepth(24);
          p.info.xDpi = h.xDpi;
          p.info.yDpi = h.yDpi;
        }
        break;
      }
      case kFormatUnknown: return kNotAPicture;
      default: return kUnsupported;
    }
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  if (r == kSuccess) info = p.info;
  return r;
}

bool CanEncode(int format) {
  switch (format) {
    case kFormatBmp:
    case kFormatPcx:
    case kFormatTga:
    case kFormatRas:
    case kFormatJpeg:
    case kFormatPsd:
    case kFormatEps:
    case kFormatIco:
    case kFormatCur:
    case kFormatGif:
    case kFormatDcx:
    case kFormatMsp:
    case kFormatMac:
    case kFormatImg:
    case kFormatPct:
    case kFormatWpg:
    case kFormatEmf:
    case kFormatWmf:
    case kFormatFpx: return true;
    default: return false;
  }
}

int EncodePicture(const Raster& pixels, int format, int bitsPerPixel, int qualityFactor, std::string& out) {
  out.clear();
  if (pixels.Empty()) return kInvalidParameter;
  try {
    switch (format) {
      case kFormatBmp: return EncodeBmp(pixels, bitsPerPixel, out);
      case kFormatPcx: return EncodePcx(pixels, bitsPerPixel, out);
      case kFormatTga: return EncodeTga(pixels, bitsPerPixel, out);
      case kFormatRas: return EncodeRas(pixels, bitsPerPixel, out);
      case kFormatJpeg: return EncodeJpeg(pixels, qualityFactor, bitsPerPixel > 0 && bitsPerPixel <= 8, out);
      case kFormatPsd: return EncodePsd(pixels, out);
      case kFormatEps: return EncodeEps(pixels, bitsPerPixel, out);
      case kFormatIco: return EncodeIco(pixels, false, out);
      case kFormatCur: return EncodeIco(pixels, true, out);
      case kFormatGif: return EncodeGifPicture(pixels, out);
      case kFormatDcx: return EncodeDcx(pixels, bitsPerPixel, out);
      case kFormatMsp: return EncodeMsp(pixels, out);
      case kFormatMac: return EncodeMac(pixels, out);
      case kFormatImg: return EncodeGem(pixels, bitsPerPixel, out);
      case kFormatPct: return EncodePict(pixels, out);
      case kFormatWpg: return EncodeWpg(pixels, bitsPerPixel, out);
      case kFormatEmf: return EncodeEmf(pixels, out);
      case kFormatWmf: return EncodeWmf(pixels, out);
      case kFormatFpx: return EncodeFpx(pixels, bitsPerPixel, out);
      default: return kUnsupported;
    }
  } catch (const std::bad_alloc&) {
    out.clear();
    return kNoMemory;
  }
}

}  // namespace imglib

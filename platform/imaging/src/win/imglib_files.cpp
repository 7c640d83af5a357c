// Loading, file information and saving: our own codecs first, the system codecs for the
// formats (and variants) that ours leave out.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imglib/codecs.h"
#include "imglib/imglib.h"
#include "imglib/jpeg.h"
#include "imglib/transforms.h"
#include "system_codecs.h"

using namespace imglib;

namespace {

int ReadFile(const std::string& path, std::string& bytes) {
  if (path.empty()) return kFileNotFound;
  int r = fileio::ReadWholeFile(path, bytes);
  if (r == fileio::kErrFileNotFound || r == fileio::kErrPathNotFound) return kFileNotFound;
  if (r != fileio::kOk) return r == fileio::kErrNotEnoughMemory ? kNoMemory : kFileRead;
  return kSuccess;
}

// The heads a file's information is looked for in: most headers lie in the first 16 KiB;
// a JPEG's frame header follows its application blocks (Exif with its thumbnail, colour
// profiles), each at most 64 KiB.
constexpr size_t kInfoHeadBytes[] = {16 * 1024, 256 * 1024};

// The first bytes of a file (all of a smaller one) and the file's size.
int ReadHead(fileio::File& file, size_t limit, std::string& head, int64_t& fileSize) {
  fileSize = file.Size();
  if (fileSize < 0) return kFileRead;
  head.resize(size_t(std::min<int64_t>(fileSize, int64_t(limit))));
  size_t got = 0;
  if (!head.empty() && (file.ReadAt(0, head.data(), head.size(), got) != fileio::kOk || got != head.size()))
    return kFileRead;
  return kSuccess;
}

ImgFileInfo ToFileInfo(const PictureInfo& p, int64_t fileSize) {
  ImgFileInfo i;
  i.format = p.format;
  i.width = p.width;
  i.height = p.height;
  i.bitsPerPixel = p.bitsPerPixel;
  i.colours = p.colours;
  i.xDpi = p.xDpi;
  i.yDpi = p.yDpi;
  i.pages = p.pages;
  i.fileSize = fileSize;
  return i;
}

// Our decoder for the detected format; the system codecs for a format our decoders leave
// to them (PNG, TIFF, metafiles), a variant they do not decode, or a file of no format we
// know. A file our decoder found damaged stays refused: the system codecs would follow
// the same damaged offsets.
int DecodeBytes(const std::string& bytes, const std::string& path, Picture& out, const DecodeOptions& options,
                bool infoOnly) {
  int format = DetectFormat(bytes, fileio::ExtensionOf(path));
  int r;
  if (infoOnly)
    r = ReadPictureInfo(bytes, out.info, format);
  else
    r = DecodePicture(bytes, out, format, options);
  if (r == kSuccess || r == kNoMemory) return r;
  if (format != kFormatUnknown && r != kUnsupported) return r;
  std::string_view source = bytes;
  if (format == kFormatEps) {
    // An encapsulated PostScript file shows the preview it carries.
    int previewFormat = kFormatUnknown;
    source = EpsPreview(bytes, previewFormat);
    if (source.empty()) return kUnsupported;
    if (previewFormat == kFormatTif && CheckTiff(source) == kFileCorrupt) return kFileCorrupt;
  } else if (format == kFormatIco || format == kFormatCur) {
    // The icon's best picture is PNG-coded: that picture, not the system's first one.
    if (std::string_view png = IconPngEntry(bytes); !png.empty()) source = png;
  }
  Picture fromSystem;
  int s = system::Decode(source, fromSystem, infoOnly);
  if (s == kSuccess) {
    out = std::move(fromSystem);
    if (format != kFormatUnknown) out.info.format = format;
    return kSuccess;
  }
  if (format == kFormatUnknown) return kNotAPicture;
  // An icon whose PNG picture the system cannot read shows its best bitmap picture.
  if ((format == kFormatIco || format == kFormatCur) && source.data() != bytes.data()) {
    if (int b = DecodeIcoBitmaps(bytes, out, infoOnly); b == kSuccess || b == kNoMemory) return b;
  }
  return r;
}

// The bytes of the pictures one thread loads stay in one block from one picture to the
// next: a block of a photograph's size comes fresh from the system on every allocation,
// and touching its pages anew costs a thumbnail more than reading the file. A very large
// one is let go.
constexpr size_t kKeptFileBytes = 16u << 20;

int Load(const std::string& path, ImgBitmap* bitmap, int bitsPerPixel, ImgFileInfo* info,
         const DecodeOptions& options, bool fitted = false) {
  if (!bitmap) return kInvalidParameter;
  *bitmap = ImgBitmap{};
  thread_local std::string bytes;
  struct LetGoOfLarge {
    std::string& b;
    ~LetGoOfLarge() {
      if (b.capacity() > kKeptFileBytes) std::string().swap(b);
    }
  } letGo{bytes};
  int r = ReadFile(path, bytes);
  if (r != kSuccess) return r;
  Picture picture;
  r = DecodeBytes(bytes, path, picture, options, false);
  if (r != kSuccess) return r;
  if (bitsPerPixel >= 1 && bitsPerPixel <= 8) {
    // A lower depth asked for: reduce the colours now, so that what is shown is what a
    // save at that depth writes.
    std::vector<Rgb> palette = BuildPalette(picture.pixels, 1 << bitsPerPixel);
    std::vector<uint8_t> indices;
    MapToPalette(picture.pixels, palette, indices);
    for (int y = 0; y < picture.pixels.Height(); ++y)
      for (int x = 0; x < picture.pixels.Width(); ++x) {
        Rgb c = palette[indices[size_t(y) * size_t(picture.pixels.Width()) + size_t(x)]];
        picture.pixels.Set(x, y, c.r, c.g, c.b);
      }
  }
  if (fitted) {
    // Resampled here, so that the bitmap is made only once.
    int w = 0, h = 0;
    FitIntoBox(picture.info.width, picture.info.height, options.minWidth, options.minHeight, w, h);
    if (w > 0 && h > 0 && (w != picture.pixels.Width() || h != picture.pixels.Height())) {
      Raster sized;
      if (!Resize(picture.pixels, w, h, kSizeResample, sized)) return kNoMemory;
      picture.pixels = std::move(sized);
    }
  }
  r = FromRaster(picture.pixels, bitmap);
  if (r != kSuccess) return r;
  bitmap->bitsPerPixel = bitsPerPixel > 0 ? bitsPerPixel : picture.info.bitsPerPixel;
  bitmap->colours = bitsPerPixel > 0 ? ColoursForDepth(bitsPerPixel) : picture.info.colours;
  bitmap->format = picture.info.format;
  if (info) *info = ToFileInfo(picture.info, int64_t(bytes.size()));
  return kSuccess;
}

int Encode(const ImgBitmap* bitmap, int format, int bitsPerPixel, int qualityFactor, std::string& out) {
  if (!bitmap || !bitmap->bits) return kInvalidParameter;
  Raster pixels;
  if (!ToRaster(*bitmap, pixels)) return kNoMemory;
  if (bitsPerPixel <= 0) bitsPerPixel = bitmap->bitsPerPixel > 0 ? bitmap->bitsPerPixel : 24;
  if (system::CanEncode(format)) return system::Encode(pixels, format, out);
  return EncodePicture(pixels, format, bitsPerPixel, qualityFactor, out);
}

}  // namespace

int L_LoadBitmap(const std::string& path, ImgBitmap* bitmap, int bitsPerPixel, ImgFileInfo* info) {
  return Load(path, bitmap, bitsPerPixel, info, {});
}

int L_LoadBitmapReduced(const std::string& path, ImgBitmap* bitmap, int boxWidth, int boxHeight, ImgFileInfo* info) {
  DecodeOptions options;
  options.minWidth = boxWidth > 0 ? boxWidth : 1;
  options.minHeight = boxHeight > 0 ? boxHeight : 1;
  options.fitBox = true;
  return Load(path, bitmap, 0, info, options);
}

int L_LoadBitmapFitted(const std::string& path, ImgBitmap* bitmap, int boxWidth, int boxHeight, ImgFileInfo* info) {
  DecodeOptions options;
  options.minWidth = boxWidth > 0 ? boxWidth : 1;
  options.minHeight = boxHeight > 0 ? boxHeight : 1;
  options.fitBox = true;
  return Load(path, bitmap, 0, info, options, true);
}

int L_FileInfo(const std::string& path, ImgFileInfo* info) {
  if (!info) return kInvalidParameter;
  *info = ImgFileInfo{};
  // The header first: a folder of photographs is listed without reading their pixels.
  if (path.empty()) return kFileNotFound;
  fileio::File file;
  int r = file.Open(path, fileio::Access::Read, fileio::Share::Compatible);
  if (r == fileio::kErrFileNotFound || r == fileio::kErrPathNotFound) return kFileNotFound;
  if (r != fileio::kOk) return kFileRead;
  std::string head;
  int64_t fileSize = 0;
  for (size_t limit : kInfoHeadBytes) {
    if ((r = ReadHead(file, limit, head, fileSize)) != kSuccess) return r;
    if (int64_t(head.size()) == fileSize) break;
    PictureInfo fromHead;
    int format = DetectFormat(head, fileio::ExtensionOf(path));
    if (format != kFormatUnknown && ReadPictureInfo(head, fromHead, format) == kSuccess) {
      *info = ToFileInfo(fromHead, fileSize);
      return kSuccess;
    }
  }
  file.Close();
  // A header our decoders cannot read from the head alone (or a format the system codecs
  // read): the whole file, as for loading.
  std::string bytes;
  if (head.size() == size_t(fileSize)) {
    bytes = std::move(head);
  } else if ((r = ReadFile(path, bytes)) != kSuccess) {
    return r;
  }
  Picture picture;
  r = DecodeBytes(bytes, path, picture, {}, true);
  if (r != kSuccess) return r;
  *info = ToFileInfo(picture.info, int64_t(bytes.size()));
  return kSuccess;
}

int L_SaveBitmap(const std::string& path, const ImgBitmap* bitmap, int format, int bitsPerPixel, int qualityFactor,
                 int /*flags*/) {
  if (path.empty()) return kInvalidParameter;
  std::string bytes;
  int r = Encode(bitmap, format, bitsPerPixel, qualityFactor, bytes);
  if (r != kSuccess) return r;
  return fileio::WriteFileReplacing(path, bytes) == fileio::kOk ? kSuccess : kFileWrite;
}

int L_SaveBitmapMemory(HGLOBAL* memory, const ImgBitmap* bitmap, int format, int bitsPerPixel, int qualityFactor,
                       uint32_t* size) {
  if (!memory) return kInvalidParameter;
  *memory = nullptr;
  if (size) *size = 0;
  std::string bytes;
  int r = Encode(bitmap, format, bitsPerPixel, qualityFactor, bytes);
  if (r != kSuccess) return r;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return kNoMemory;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return kNoMemory;
  }
  std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(block);
  *memory = block;
  if (size) *size = uint32_t(bytes.size());
  return kSuccess;
}

int L_FileConvert(const std::string& source, const std::string& target, int format, int width, int height,
                  int bitsPerPixel, int qualityFactor, ImgFileInfo* info) {
  imglib::BitmapOwner bitmap;
  int r = L_LoadBitmap(source, bitmap.Get(), 0, info);
  if (r != kSuccess) return r;
  if (width > 0 && height > 0 && (width != bitmap->width || height != bitmap->height)) {
    r = L_SizeBitmap(bitmap.Get(), width, height, kSizeResample);
    if (r != kSuccess) return r;
  }
  return L_SaveBitmap(target, bitmap.Get(), format, bitsPerPixel, qualityFactor);
}

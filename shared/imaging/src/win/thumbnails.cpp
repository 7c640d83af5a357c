// LOADTHUMB and the small picture-handle routines.
#include <memory>
#include <unordered_set>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "win/gdiplus_raii.h"
#include "gif/gif_layer.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/layer_file.h"
#include "imaging/picture_tables.h"
#include "imaging/text_shape.h"
#include "imaging/thumbnails.h"
#include "imglib/codecs.h"
#include "imglib/imglib.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "win/raii.h"
#include "win/wide_text.h"

using namespace win::gdip;

int PIXELFORMATBITS(int pixelFormat) { return (pixelFormat >> 8) & 0xFF; }

std::string GifConversionFile() {
  return GifConversionPath(SKGETTEMPPATH(), SKEXENAME(), uint32_t(GetCurrentProcessId()));
}

int GIFTOBMP(std::string& path) {
  if (path.size() < 4 || SKUCASE(path.substr(path.size() - 4)) != ".GIF") return 0;
  std::string source = path;
  path = GifConversionFile();
  gif::GifLockScope lock;
  // An earlier conversion's picture must not stand in for this one if it fails.
  SKKILLFILE(path);
  int width = 0, height = 0, colours = 0;
  HGLOBAL block = ImgDLLReadRGBFromGIF(source, width, height, colours);
  if (!block) return 0;
  if (const void* pixels = GlobalLock(block)) {
    ImgDLLSaveRGBToBMP(path, pixels, width, height);
    GlobalUnlock(block);
  }
  GlobalFree(block);
  return -1;
}

namespace {

// The display context that bitmaps are made compatible with: the engine's own, kept per
// thread (taking and releasing the screen's costs more than a whole thumbnail's drawing).
struct Screen {
  HDC dc = SKDISPLAYDC();
};

void Fit(int w, int h, int boxW, int boxH, int& fitW, int& fitH) {
  int left, top;
  SKICONISE(w, h, boxW, boxH, left, top, fitW, fitH);
}

int ScreenBytesPerPixel(HDC screen) { return std::max(1, GetDeviceCaps(screen, BITSPIXEL) / 8); }

// JPEG pictures (by extension, or a layered file's picture block) take the fast road: the
// imaging layer decodes them at a reduced size. Whatever it cannot read goes to GDI+.
bool FastRoad(const std::string& path, bool fromLayer) {
  std::string ext = DottedExtension(path);
  return fromLayer || ext == ".JPG" || ext == ".JPEG";
}

// Paints an imaging bitmap into a new screen-compatible memory bitmap.
bool PaintIntoMemory(HDC screen, ImgBitmap* picture, win::MemoryDC& target) {
  int w = picture->width, h = picture->height;
  CapBitmapSize(w, h, ScreenBytesPerPixel(screen), SKOSVERSION());
  if ((w != picture->width || h != picture->height) && L_SizeBitmap(picture, w, h, imglib::kSizeResample) != imglib::kSuccess)
    return false;
  target = win::MemoryDC(screen, picture->width, picture->height);
  if (!target) return false;
  win::Palette palette(L_CreatePaintPalette(target.Get(), picture));
  HPALETTE oldPalette = nullptr;
  if (palette) {
    oldPalette = SelectPalette(target.Get(), palette.Get(), FALSE);
    RealizePalette(target.Get());
  }
  L_PaintDC(target.Get(), picture, nullptr, nullptr, nullptr, nullptr, SRCCOPY);
  if (palette) SelectPalette(target.Get(), oldPalette, FALSE);
  return true;
}

// The GDI+ road: the image drawn into a compatible bitmap of the target size.
bool LoadThroughGdiplus(HDC screen, const std::string& path, bool fit, int boxW, int boxH, int& width, int& height,
                        uint8_t& bits, win::MemoryDC& target) {
  Image owner;
  if (flat::GdipLoadImageFromFile(win::Widen(path).c_str(), owner.Out()) != gp::Ok || !owner) return false;
  gp::GpImage* image = owner.Get();
  UINT w = 0, h = 0;
  flat::GdipGetImageWidth(image, &w);
  flat::GdipGetImageHeight(image, &h);
  width = int(w);
  height = int(h);
  if (width <= 0 || height <= 0) return false;
  gp::PixelFormat format = 0;
  flat::GdipGetImagePixelFormat(image, &format);
  bits = uint8_t(PIXELFORMATBITS(int(format)));
  int tw = width, th = height;
  if (fit) Fit(width, height, boxW, boxH, tw, th);
  CapBitmapSize(tw, th, ScreenBytesPerPixel(screen), SKOSVERSION());
  target = win::MemoryDC(screen, tw, th);
  if (!target) return false;
  Graphics g(target.Get());
  if (!g) return false;
  flat::GdipSetInterpolationMode(g.Get(), gp::InterpolationModeDefault);
  return flat::GdipDrawImageRectI(g.Get(), image, 0, 0, tw, th) == gp::Ok;
}

// The imaging road (and the fast road for JPEG thumbnails).
bool LoadThroughImaging(HDC screen, const std::string& path, bool fit, int boxW, int boxH, bool informationOnly,
                        int& width, int& height, int& colours, uint8_t& bits, win::MemoryDC* target) {
  imglib::BitmapOwner picture;
  ImgFileInfo info;
  if (informationOnly) {
    if (L_FileInfo(path, &info) != imglib::kSuccess) return false;
  } else if (fit) {
    // Only as large as the box needs (a JPEG is decoded at a reduced size), fitted.
    if (L_LoadBitmapFitted(path, picture.Get(), boxW, boxH, &info) != imglib::kSuccess) return false;
  } else if (L_LoadBitmap(path, picture.Get(), 0, &info) != imglib::kSuccess) {
    return false;
  }
  width = info.width;
  height = info.height;
  colours = info.colours;
  bits = uint8_t(info.bitsPerPixel);
  if (informationOnly || !target) return true;
  return PaintIntoMemory(screen, picture.Get(), *target);
}

// Draws the layered objects at full size, then reduces the picture into the top-left
// corner of its own bitmap.
void DrawLayer(win::MemoryDC& target, const std::string& path, int boxW, int boxH) {
  DRAWOVERLAY(target.Get(), path);
  if (boxW <= 0 || boxH <= 0) return;
  BITMAP bm{};
  GetObjectA(target.GetBitmap(), sizeof bm, &bm);
  int fw, fh;
  Fit(bm.bmWidth, bm.bmHeight, boxW, boxH, fw, fh);
  imglib::BitmapOwner copy;
  if (L_CreateBitmap(copy.Get(), bm.bmWidth, bm.bmHeight, 24) != imglib::kSuccess) return;
  HDC lead = L_CreateLeadDC(copy.Get());
  if (!lead) return;
  BitBlt(lead, 0, 0, bm.bmWidth, bm.bmHeight, target.Get(), 0, 0, SRCCOPY);
  L_DeleteLeadDC(lead);
  if (L_SizeBitmap(copy.Get(), fw, fh, imglib::kSizeResample) != imglib::kSuccess) return;
  RECT at{0, 0, fw, fh};
  L_PaintDC(target.Get(), copy.Get(), nullptr, nullptr, &at, nullptr, SRCCOPY);
}

// Whether a picture's layered file exists. Asking for a missing file costs some file
// systems (and Wine on a case-sensitive one) a pass over the whole folder, and a folder of
// photographs is asked once for every picture: the names of the last folder asked are
// listed once and used again while the folder's last-write time stands. That time moves
// with every entry made, removed or renamed in it, except on FAT volumes and within the
// clock tick of a change: a folder there, or changed in the last seconds, is asked
// directly. One list per thread, as the loader runs on several.
class FolderNames {
 public:
  bool Exists(const std::string& path) {
    std::string folder = fileio::FolderOf(path), name = fileio::NameOf(path);
    WIN32_FILE_ATTRIBUTE_DATA folderData{};
    if (folder.empty() || name.empty() || name.find_first_of("*?") != std::string::npos ||
        !GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &folderData))
      return SKEXIST(path) != 0;
    uint64_t written = Ticks(folderData.ftLastWriteTime);
    if (!listed_ || written != written_ || !fileio::EqualsNoCase(folder, folder_)) {
      listed_ = false;
      if (!Listable(folder, written)) return SKEXIST(path) != 0;
      names_.clear();
      for (const fileio::DirEntry& e : fileio::ListDirectory(folder + "*")) names_.insert(Upper(e.name));
      folder_ = folder;
      written_ = written;
      listed_ = true;
    }
    return names_.count(Upper(name)) != 0;
  }

 private:
  static constexpr uint64_t kSettledTicks = 2 * 10000000ull;  // 2 s in 100 ns

  static uint64_t Ticks(FILETIME t) { return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; }
  // Letter case as the file system ignores it in the ANSI code page.
  static std::string Upper(std::string s) {
    if (!s.empty()) CharUpperBuffA(s.data(), DWORD(s.size()));
    return s;
  }
  static bool Listable(const std::string& folder, uint64_t written) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    if (Ticks(now) < written + kSettledTicks) return false;
    char root[MAX_PATH] = {}, system[MAX_PATH + 1] = {};
    if (GetVolumePathNameA(folder.c_str(), root, MAX_PATH) &&
        GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, system, sizeof system))
      return std::string(system).find("FAT") == std::string::npos;
    return true;
  }

  std::string folder_;
  uint64_t written_ = 0;
  bool listed_ = false;
  std::unordered_set<std::string> names_;
};

bool LayerFileExists(const std::string& path) {
  thread_local FolderNames names;
  return names.Exists(path);
}

}  // namespace

HBITMAP LOADTHUMB(const std::string& path, int boxWidth, int boxHeight, int& width, int& height, int& colours,
                  uint8_t& bits, int& hasLayer, int useLayerPicture, LayerTest layerTest) {
  bool informationOnly = colours > 0;
  if (informationOnly) colours = 0;
  width = height = 0;
  bits = 0;
  std::string layerPath = layer::LayerPathFor(path);
  hasLayer = (!layerPath.empty() && LayerFileExists(layerPath)) ? 1 : 0;
  // Only a readable layered file counts: a damaged one is neither drawn nor shown.
  layer::Trailer trailer;
  std::vector<layer::Object> objects;
  bool pending = hasLayer && (layerTest == LayerTest::kExistence || layer::ReadFile(layerPath, trailer, objects));
  Screen screen;
  std::string picture = path;
  bool gdiplus = !informationOnly && ExtensionInList(path, kGdiplusThumbnailList);
  bool fromLayer = false;
  if (pending && useLayerPicture != 0 && trailer.pictureLength > 0) {
    picture = layerPath;  // its picture block is a JPEG at offset 0
    gdiplus = !informationOnly;  // information never makes a bitmap
    pending = false;
    fromLayer = true;
  }
  // The layered file's picture is reduced: the information is the picture's own.
  auto fromTrailer = [&] {
    width = trailer.width;
    height = trailer.height;
    colours = trailer.colours;
    bits = trailer.bitsPerPixel;
  };
  bool fit = boxWidth > 0 && boxHeight > 0 && !pending;
  win::MemoryDC target;
  bool loaded = false;
  if (gdiplus) {
    // JPEG pictures take the fast road: decoded at the smallest size that still fills the
    // box, instead of all their pixels through GDI+.
    if (fit && FastRoad(picture, fromLayer)) {
      int c = 0;
      loaded = LoadThroughImaging(screen.dc, picture, fit, boxWidth, boxHeight, false, width, height, c, bits, &target);
      if (!loaded) target.Reset();
    }
    if (!loaded) loaded = LoadThroughGdiplus(screen.dc, picture, fit, boxWidth, boxHeight, width, height, bits, target);
    if (loaded && fromLayer) fromTrailer();
    if (!loaded) target.Reset();
  }
  if (!loaded) {
    // The GIF conversion and the load of its file stay together under the program's GIF
    // lock, so that another thread's conversion cannot replace the file in between.
    gif::GifLockScope lock;
    std::string source = picture;
    bool converted = GIFTOBMP(source) != 0;
    loaded = LoadThroughImaging(screen.dc, source, fit, boxWidth, boxHeight, informationOnly, width, height, colours,
                                bits, informationOnly ? nullptr : &target);
    if (loaded && converted) bits = 8;
    if (!loaded) {
      width = height = 0;
      bits = 0;
      return nullptr;
    }
    if (fromLayer) fromTrailer();
    if (informationOnly) return nullptr;
  }
  if (pending && target.Get()) DrawLayer(target, path, boxWidth, boxHeight);
  return target.ReleaseBitmap();
}

PictureHandle LOADGDIPPICTURE(const std::string& path, int& width, int& height, int& kind) {
  int kindOnEntry = kind;
  if (path.empty() || !SKEXIST(path) || fileio::NameOf(path).find('.') == std::string::npos) return nullptr;
  kind = ExtensionPosition(path, kGdiplusPictureList);
  if (kind == 0) return nullptr;
  int version = kindOnEntry == -1 ? 500 : SKOSVERSION();
  if (kind == 1 && version < 500) {
    HBITMAP bitmap = SKLOADBITMAPFILE(path, width, height);
    if (!bitmap) return nullptr;
    if (kindOnEntry == 1) return bitmap;  // kind stays 1: a GDI bitmap
    gp::GpBitmap* image = BITMAPFROMHBITMAP(bitmap);
    SKDELETEBITMAP(bitmap);
    if (!image) return nullptr;
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(image, &w);
    flat::GdipGetImageHeight(image, &h);
    width = int(w);
    height = int(h);
    kind = -1;
    return image;
  }
  width = height = 0;
  gp::GpImage* image = nullptr;
  if (flat::GdipLoadImageFromFile(win::Widen(path).c_str(), &image) != gp::Ok || !image) return nullptr;
  UINT w = 0, h = 0;
  flat::GdipGetImageWidth(image, &w);
  flat::GdipGetImageHeight(image, &h);
  width = int(w);
  height = int(h);
  if (version >= 500) kind = -kind;
  return image;
}

void DRAWPICTURE(HDC dc, PictureHandle picture, int x, int y, int width, int height, int kind, int interpolation) {
  if (!dc || !picture) return;
  if (kind == 1) {
    win::CompatibleDC mem(dc);
    win::SelectObj selected(mem, static_cast<HBITMAP>(picture));
    BITMAP bm{};
    GetObjectA(static_cast<HBITMAP>(picture), sizeof bm, &bm);
    if (GetStretchBltMode(dc) != HALFTONE) SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, x, y, width, height, mem, 0, 0, bm.bmWidth, std::abs(bm.bmHeight), SRCCOPY);
    return;
  }
  Graphics g(dc);
  if (!g) return;
  flat::GdipSetInterpolationMode(g.Get(), gp::InterpolationMode(interpolation));
  flat::GdipDrawImageRectI(g.Get(), static_cast<gp::GpImage*>(picture), x, y, width, height);
}

void FREEGDIPIMAGE(PictureHandle& picture, int kind) {
  if (picture) {
    if (kind == 1)
      SKDELETEBITMAP(static_cast<HBITMAP>(picture));
    else
      flat::GdipDisposeImage(static_cast<gp::GpImage*>(picture));
  }
  picture = nullptr;
}

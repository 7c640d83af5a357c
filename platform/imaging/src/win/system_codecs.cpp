#include "system_codecs.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "imglib/status.h"
#include "memory_stream.h"

namespace imglib::system {

namespace {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

// The layer starts GDI+ for itself once; it stays up until the process ends, so that
// programs that never start GDI+ can still load PNG and TIFF pictures.
bool StartGdiplus() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    gp::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    started = gp::GdiplusStartup(&token, &input, nullptr) == gp::Ok;
  });
  return started;
}

struct ImageOwner {
  gp::GpImage* image = nullptr;
  ~ImageOwner() {
    if (image) flat::GdipDisposeImage(image);
  }
};

bool EncoderFor(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0, size = 0;
  if (flat::GdipGetImageEncodersSize(&count, &size) != gp::Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<gp::ImageCodecInfo*>(buffer.data());
  if (flat::GdipGetImageEncoders(count, size, codecs) != gp::Ok) return false;
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, mime) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

}  // namespace

int Decode(std::string_view bytes, Picture& out, bool infoOnly) {
  if (!StartGdiplus()) return kUnsupported;
  IStream* stream = NewBoundedStream(bytes);
  if (!stream) return kNoMemory;
  int result = kUnsupported;
  {
    ImageOwner source;
    if (flat::GdipLoadImageFromStream(stream, &source.image) == gp::Ok && source.image) {
      UINT w = 0, h = 0;
      gp::PixelFormat format = 0;
      gp::REAL dpiX = 0, dpiY = 0;
      flat::GdipGetImageWidth(source.image, &w);
      flat::GdipGetImageHeight(source.image, &h);
      flat::GdipGetImagePixelFormat(source.image, &format);
      flat::GdipGetImageHorizontalResolution(source.image, &dpiX);
      flat::GdipGetImageVerticalResolution(source.image, &dpiY);
      GUID raw{};
      flat::GdipGetImageRawFormat(source.image, &raw);
      out.info = {};
      out.info.width = int(w);
      out.info.height = int(h);
      out.info.bitsPerPixel = int((format >> 8) & 0xFF);
      if (out.info.bitsPerPixel == 0 || out.info.bitsPerPixel > 32) out.info.bitsPerPixel = 24;
      if (out.info.bitsPerPixel == 32) out.info.bitsPerPixel = 24;  // alpha is not kept
      out.info.colours = ColoursForDepth(out.info.bitsPerPixel);
      out.info.xDpi = int(dpiX + 0.5f);
      out.info.yDpi = int(dpiY + 0.5f);
      if (IsEqualGUID(raw, gp::ImageFormatPNG)) out.info.format = kFormatPng;
      else if (IsEqualGUID(raw, gp::ImageFormatTIFF)) out.info.format = kFormatTif;
      else if (IsEqualGUID(raw, gp::ImageFormatWMF)) out.info.format = kFormatWmf;
      else if (IsEqualGUID(raw, gp::ImageFormatEMF)) out.info.format = kFormatEmf;
      else if (IsEqualGUID(raw, gp::ImageFormatIcon)) out.info.format = kFormatIco;
      else if (IsEqualGUID(raw, gp::ImageFormatJPEG)) out.info.format = kFormatJpeg;
      else if (IsEqualGUID(raw, gp::ImageFormatGIF)) out.info.format = kFormatGif;
      else if (IsEqualGUID(raw, gp::ImageFormatBMP)) out.info.format = kFormatBmp;
      if (w == 0 || h == 0) {
        result = kFileCorrupt;
      } else if (infoOnly) {
        result = kSuccess;
      } else if (!out.pixels.Allocate(int(w), int(h))) {
        result = kNoMemory;
      } else {
        // Draw onto white, into our own pixels.
        gp::GpBitmap* target = nullptr;
        result = kFailure;
        if (flat::GdipCreateBitmapFromScan0(int(w), int(h), int(out.pixels.Stride()), PixelFormat24bppRGB,
                                            out.pixels.Data(), &target) == gp::Ok) {
          gp::GpGraphics* g = nullptr;
          if (flat::GdipGetImageGraphicsContext(target, &g) == gp::Ok) {
            flat::GdipGraphicsClear(g, 0xFFFFFFFF);
            if (flat::GdipDrawImageRectI(g, source.image, 0, 0, int(w), int(h)) == gp::Ok) result = kSuccess;
            flat::GdipDeleteGraphics(g);
          }
          flat::GdipDisposeImage(target);
        }
        if (result != kSuccess) out.pixels.Clear();
      }
    }
  }
  stream->Release();
  return result;
}

bool CanEncode(int format) { return format == kFormatPng || format == kFormatTif; }

int Encode(const Raster& pixels, int format, std::string& out) {
  out.clear();
  if (!CanEncode(format)) return kUnsupported;
  if (pixels.Empty()) return kInvalidParameter;
  if (!StartGdiplus()) return kUnsupported;
  CLSID clsid;
  if (!EncoderFor(format == kFormatPng ? L"image/png" : L"image/tiff", clsid)) return kUnsupported;
  gp::GpBitmap* bitmap = nullptr;
  // GDI+ only reads the pixels while it saves.
  if (flat::GdipCreateBitmapFromScan0(pixels.Width(), pixels.Height(), int(pixels.Stride()), PixelFormat24bppRGB,
                                      const_cast<uint8_t*>(pixels.Data()), &bitmap) != gp::Ok)
    return kNoMemory;
  IStream* stream = nullptr;
  int result = kFailure;
  if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
    if (flat::GdipSaveImageToStream(bitmap, stream, &clsid, nullptr) == gp::Ok) {
      HGLOBAL block = nullptr;
      STATSTG stat{};
      if (SUCCEEDED(GetHGlobalFromStream(stream, &block)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
        const void* p = GlobalLock(block);
        if (p) {
          out.assign(static_cast<const char*>(p), size_t(stat.cbSize.QuadPart));
          GlobalUnlock(block);
          result = kSuccess;
        }
      }
    }
    stream->Release();
  }
  flat::GdipDisposeImage(bitmap);
  return result;
}

}  // namespace imglib::system

// GDI+ start and stop, codec lookup and saving by extension.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"
#include "win/gdiplus_session.h"
#include "win/wide_text.h"

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

ULONG_PTR GDIPSTART() { return win::StartGdiplus(); }

void GDIPSTOP(ULONG_PTR token) { win::StopGdiplus(token); }

std::string WIDETOANSI(const wchar_t* text) { return text ? win::Narrow(text) : std::string(); }

namespace {

int FindCodec(bool encoders, const std::string& mimeType, CLSID& clsid) {
  UINT count = 0, size = 0;
  gp::Status s = encoders ? flat::GdipGetImageEncodersSize(&count, &size) : flat::GdipGetImageDecodersSize(&count, &size);
  if (s != gp::Ok || size == 0) return -1;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<gp::ImageCodecInfo*>(buffer.data());
  s = encoders ? flat::GdipGetImageEncoders(count, size, codecs) : flat::GdipGetImageDecoders(count, size, codecs);
  if (s != gp::Ok) return -1;
  for (UINT i = 0; i < count; ++i)
    if (WIDETOANSI(codecs[i].MimeType) == mimeType) {  // byte for byte: case matters
      clsid = codecs[i].Clsid;
      return int(i) + 1;
    }
  return 0;
}

}  // namespace

int GETENCODERCLSID(const std::string& mimeType, CLSID& clsid) { return FindCodec(true, mimeType, clsid); }
int GETDECODERCLSID(const std::string& mimeType, CLSID& clsid) { return FindCodec(false, mimeType, clsid); }

void ENCODERPARAMGUID(int category, GUID& guid) {
  static const GUID* const kCategories[] = {&gp::EncoderCompression,    &gp::EncoderColorDepth,
                                            &gp::EncoderScanMethod,     &gp::EncoderVersion,
                                            &gp::EncoderRenderMethod,   &gp::EncoderQuality,
                                            &gp::EncoderTransformation, &gp::EncoderLuminanceTable,
                                            &gp::EncoderChrominanceTable, &gp::EncoderSaveFlag};
  guid = (category >= 0 && category < 10) ? *kCategories[category] : GUID{};
}

void FRAMEDIMENSIONGUID(int dimension, GUID& guid) {
  // The import library lacks the resolution dimension's GUID.
  static const GUID kResolution = {0x84236f7b, 0x3bd3, 0x428f, {0x8d, 0xab, 0x4e, 0xa1, 0x43, 0x9c, 0xa3, 0x15}};
  static const GUID* const kDimensions[] = {&gp::FrameDimensionTime, &kResolution, &gp::FrameDimensionPage};
  guid = (dimension >= 0 && dimension < 3) ? *kDimensions[dimension] : GUID{};
}

int SAVEIMAGEBYEXT(const std::string& path, gp::GpImage* image) {
  if (path.empty()) return -1;
  if (!ExtensionInList(path, kGdiplusPictureList)) return 0;
  std::string mime = SaveMimeType(DottedExtension(path).substr(1));
  if (mime.empty()) return 0;  // ".DIB": nothing to save under
  CLSID clsid{};
  // Without an encoder (GDI+ writes no EMF, WMF or ICO) the save fails, and says so.
  if (GETENCODERCLSID(mime, clsid) <= 0) return kGdiplusNoEncoder;
  if (!image) return gp::InvalidParameter;
  return int(flat::GdipSaveImageToFile(image, win::Widen(path).c_str(), &clsid, nullptr));
}

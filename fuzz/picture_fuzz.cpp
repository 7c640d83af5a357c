// Pictures of every format the imaging layer decodes itself, told by their content; every
// input is also read as each format without a signature (Targa, MacPaint, GEM, PICT). JPEG has its own
// target (jpeg_fuzz), so that its scaled decodes get the time.
#include "fuzz_input.h"
#include "imglib/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  int format = imglib::DetectFormat(bytes);
  if (format == imglib::kFormatJpeg) return 0;
  imglib::PictureInfo info;
  imglib::ReadPictureInfo(bytes, info);
  imglib::Picture picture;
  imglib::DecodePicture(bytes, picture);
  // The formats without a signature are whatever the name says.
  for (int byName : {imglib::kFormatTga, imglib::kFormatMac, imglib::kFormatImg, imglib::kFormatPct}) {
    imglib::ReadPictureInfo(bytes, info, byName);
    imglib::DecodePicture(bytes, picture, byName);
  }
  int previewFormat = 0;
  std::string_view preview = imglib::EpsPreview(bytes, previewFormat);
  imglib::CheckTiff(preview);
  imglib::CheckTiff(bytes);
  imglib::IconPngEntry(bytes);
  return 0;
}

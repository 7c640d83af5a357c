#include "imaging/layer_writer.h"

#include "imglib/imglib.h"

bool WRITELAYERFILE(const std::string& picturePath, HDC picture, int width, int height,
                    const std::vector<layer::Object>& objects, int thumbnailSide) {
  imglib::Raster pixels;
  if (!objects.empty() && picture && width > 0 && height > 0) {
    imglib::BitmapOwner copy;
    if (L_CreateBitmap(copy.Get(), width, height, 24) == imglib::kSuccess) {
      if (HDC lead = L_CreateLeadDC(copy.Get())) {
        BitBlt(lead, 0, 0, width, height, picture, 0, 0, SRCCOPY);
        L_DeleteLeadDC(lead);
        imglib::ToRaster(*copy, pixels);
      }
    }
  }
  // Without pixels (no objects, or the copy failed) this deletes the old file only.
  return layer::WriteFile(picturePath, pixels, objects, thumbnailSide);
}

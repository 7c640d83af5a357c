// The picture loader of the media browser, the picture browser and the slide show maker
// with pictures whose headers point far past their end: every route (GDI+ by extension,
// the imaging layer, information only, the picture handles) answers "no picture".
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

#include "hostile_pictures.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/thumbnails.h"
#include "temp_dir.h"
#include "win/raii.h"

namespace {

TEST(ThumbnailsOfDamagedPictures, PicturesPointingPastTheirEndGiveNoPicture) {
  ULONG_PTR token = GDIPSTART();
  TempDir dir;
  // ".DIB", ".TIF" and ".TIFF" go to GDI+ first; ".BMP" to the imaging layer.
  for (std::string name : {"far.bmp", "far.dib", "far.tif", "far.tiff"}) {
    SCOPED_TRACE(name);
    std::string path = dir.Write(name, name[4] == 'b' || name[4] == 'd' ? hostile::BmpWithFarPixels()
                                                                          : hostile::TiffWithFarDirectory());
    for (int colours : {0, 5}) {
      int width = -1, height = -1, wanted = colours, hasLayer = 0;
      uint8_t bits = 99;
      win::Bitmap thumb(LOADTHUMB(path, 96, 96, width, height, wanted, bits, hasLayer, 0));
      EXPECT_FALSE(thumb) << colours;
      if (colours == 0) {
        EXPECT_EQ(width, 0);
        EXPECT_EQ(bits, 0);
      }
    }
    int width = 0, height = 0, kind = 0;
    PictureHandle picture = LOADGDIPPICTURE(path, width, height, kind);
    EXPECT_EQ(picture, nullptr);
    FREEGDIPIMAGE(picture, kind);
  }
  GDIPSTOP(token);
}

}  // namespace

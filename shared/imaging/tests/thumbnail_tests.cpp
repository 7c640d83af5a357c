#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "drawing_support.h"
#include "fileio/file.h"
#include "gif_writer.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/layer_file.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
#include "temp_dir.h"
#include "win/raii.h"

namespace {
#include "data/jpeg_reference.inc"

class Thumbnails : public ::testing::Test {
 protected:
  void SetUp() override { token_ = GDIPSTART(); }
  void TearDown() override { GDIPSTOP(token_); }
  ULONG_PTR token_ = 0;
};

// Left half red, right half blue.
imglib::Raster Halves(int w, int h) {
  imglib::Raster r;
  r.Allocate(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) x < w / 2 ? r.Set(x, y, 255, 0, 0) : r.Set(x, y, 0, 0, 255);
  return r;
}

std::string Save(TempDir& dir, const std::string& name, const imglib::Raster& r, int format) {
  imglib::BitmapOwner b;
  imglib::FromRaster(r, b.Get());
  EXPECT_EQ(L_SaveBitmap(dir.File(name), b.Get(), format, 24, 2), imglib::kSuccess) << name;
  return dir.File(name);
}

std::string SaveGif(TempDir& dir, const std::string& name, int w, int h) {
  giftest::Frame f;
  f.width = w;
  f.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) f.indices.push_back(x < w / 2 ? 1 : 3);
  return dir.Write(name, giftest::WriteGif(w, h, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}, 0, {f}));
}

struct Thumb {
  win::Bitmap bitmap;
  int width = 0, height = 0, colours = 0, hasLayer = 0;
  uint8_t bits = 0;
  int bitmapWidth = 0, bitmapHeight = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[size_t(y) * size_t(bitmapWidth) + size_t(x)]; }
};

void Load(Thumb& t, const std::string& path, int box, int colours = 0, int useLayer = 0) {
  t.colours = colours;
  t.bitmap.Reset(LOADTHUMB(path, box, box, t.width, t.height, t.colours, t.bits, t.hasLayer, useLayer));
  if (t.bitmap) t.pixels = BitmapPixels(t.bitmap.Get(), t.bitmapWidth, t.bitmapHeight);
}

}  // namespace

TEST_F(Thumbnails, EveryKindOfPictureAtItsFittedSize) {
  TempDir dir;
  imglib::Raster halves = Halves(200, 100);
  struct Case {
    std::string path;
    int expectedBits;
  } cases[] = {
      {Save(dir, "a.jpg", halves, imglib::kFormatJpeg), 24}, {Save(dir, "a.png", halves, imglib::kFormatPng), 24},
      {Save(dir, "a.bmp", halves, imglib::kFormatBmp), 24},  {Save(dir, "a.tif", halves, imglib::kFormatTif), 24},
      {Save(dir, "a.pcx", halves, imglib::kFormatPcx), 24},  {Save(dir, "a.tga", halves, imglib::kFormatTga), 24},
      {SaveGif(dir, "a.gif", 200, 100), 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Thumb t;
    Load(t, c.path, 80);
    ASSERT_TRUE(t.bitmap);
    EXPECT_EQ(t.width, 200);
    EXPECT_EQ(t.height, 100);
    EXPECT_EQ(t.bitmapWidth, 80);
    EXPECT_EQ(t.bitmapHeight, 40);
    EXPECT_EQ(t.hasLayer, 0);
    EXPECT_EQ(int(t.bits), c.expectedBits);
    EXPECT_TRUE(Near(t.At(10, 20), 0xFF0000, 40)) << std::hex << t.At(10, 20);
    EXPECT_TRUE(Near(t.At(70, 20), 0x0000FF, 40)) << std::hex << t.At(70, 20);
  }
  // An icon, no larger than the box: never enlarged.
  Thumb icon;
  Load(icon, Save(dir, "a.ico", Halves(32, 32), imglib::kFormatIco), 80);
  ASSERT_TRUE(icon.bitmap);
  EXPECT_EQ(icon.bitmapWidth, 32);
  EXPECT_TRUE(Near(icon.At(4, 4), 0xFF0000, 8));
  // No box: the full size.
  Thumb full;
  Load(full, dir.File("a.pcx"), 0);
  EXPECT_EQ(full.bitmapWidth, 200);
}

TEST_F(Thumbnails, InformationOnlyAndFailures) {
  TempDir dir;
  std::string pcx = Save(dir, "b.pcx", Halves(120, 60), imglib::kFormatPcx);
  Thumb info;
  Load(info, pcx, 80, 5);
  EXPECT_FALSE(info.bitmap);
  EXPECT_EQ(info.width, 120);
  EXPECT_EQ(info.height, 60);
  EXPECT_EQ(info.colours, 16777216);
  EXPECT_EQ(info.bits, 24);
  Thumb gifInfo;
  Load(gifInfo, SaveGif(dir, "b.gif", 30, 20), 80, 5);
  EXPECT_FALSE(gifInfo.bitmap);
  EXPECT_EQ(gifInfo.width, 30);
  EXPECT_EQ(gifInfo.bits, 8);
  // A ".jpg" that GDI+ cannot read goes to the imaging layer, which knows its content.
  fileio::CopyFileTo(pcx, dir.File("really.jpg"));
  Thumb fallback;
  Load(fallback, dir.File("really.jpg"), 80);
  ASSERT_TRUE(fallback.bitmap);
  EXPECT_EQ(fallback.width, 120);
  Thumb missing;
  Load(missing, dir.File("missing.png"), 80);
  EXPECT_FALSE(missing.bitmap);
  EXPECT_EQ(missing.width, 0);
  EXPECT_EQ(missing.bits, 0);
}

// Information only: never a bitmap, whatever the picture, the box, its layered file and
// the choice of the layered picture; the information is that of the picture.
TEST_F(Thumbnails, InformationModeNeverReturnsABitmap) {
  TempDir dir;
  imglib::Raster halves = Halves(120, 60);
  std::vector<std::string> pictures = {Save(dir, "i.jpg", halves, imglib::kFormatJpeg),
                                       Save(dir, "i.png", halves, imglib::kFormatPng),
                                       Save(dir, "i.pcx", halves, imglib::kFormatPcx), SaveGif(dir, "i.gif", 120, 60)};
  layer::Object box;
  box.kind = layer::kRectangle;
  box.style = 2;
  box.points = {{0, 0}, {20, 20}};
  box.colour = 0xFF00FF00;
  for (bool layered : {false, true}) {
    for (const std::string& path : pictures) {
      if (layered) {
        ASSERT_TRUE(layer::WriteFile(path, halves, {box}, 40));
      }
      for (int boxSide : {0, 80})
        for (int useLayer : {0, 1}) {
          SCOPED_TRACE(path + (layered ? " layered" : "") + " box " + std::to_string(boxSide) + " useLayer " +
                       std::to_string(useLayer));
          Thumb t;
          Load(t, path, boxSide, 5, useLayer);
          EXPECT_FALSE(t.bitmap);
          EXPECT_EQ(t.width, 120);
          EXPECT_EQ(t.height, 60);
          EXPECT_EQ(t.hasLayer, layered ? 1 : 0);
          EXPECT_GT(t.bits, 0);
        }
    }
  }
}

// A JPEG whose Exif thumbnail (put in by exiftool) is another picture shows its own
// picture, also when the thumbnail would cover the box.
TEST_F(Thumbnails, AJpegShowsItsPictureNotItsExifThumbnail) {
  TempDir dir;
  std::string path = dir.Write("camera.jpg", std::string(reinterpret_cast<const char*>(k_exif_jpg), sizeof k_exif_jpg));
  for (int box : {160, 80}) {
    Thumb t;
    Load(t, path, box);
    ASSERT_TRUE(t.bitmap);
    EXPECT_EQ(t.width, 320);
    EXPECT_EQ(t.bitmapWidth, box);
    // Red with a white disc in the middle; the thumbnail is blue all over.
    EXPECT_TRUE(Near(t.At(2, box * 3 / 8), 0xE03020, 40)) << std::hex << t.At(2, box * 3 / 8);
    EXPECT_TRUE(Near(t.At(box / 2, box * 3 / 8), 0xFFFFFF, 20)) << std::hex << t.At(box / 2, box * 3 / 8);
  }
}

TEST_F(Thumbnails, LayeredObjectsOverThePicture) {
  TempDir dir;
  imglib::Raster white;
  white.Allocate(200, 100);
  white.Fill(255, 255, 255);
  std::string path = Save(dir, "l.bmp", white, imglib::kFormatBmp);
  layer::Object box;
  box.kind = layer::kRectangle;
  box.style = 2;
  box.points = {{100, 0}, {200, 100}};  // the right half, in full-size pixels
  box.colour = 0xFF00FF00;
  // The layered file's picture block is a different picture (black), to tell them apart.
  imglib::Raster black;
  black.Allocate(200, 100);
  ASSERT_TRUE(layer::WriteFile(path, black, {box}, 50));

  Thumb drawn;
  Load(drawn, path, 80);
  ASSERT_TRUE(drawn.bitmap);
  EXPECT_EQ(drawn.hasLayer, 1);
  EXPECT_EQ(drawn.bitmapWidth, 200);  // the full size: the thumbnail is in its top-left corner
  EXPECT_EQ(drawn.bitmapHeight, 100);
  EXPECT_TRUE(Near(drawn.At(10, 20), 0xFFFFFF, 10));
  EXPECT_TRUE(Near(drawn.At(70, 20), 0x00FF00, 10));   // the object, reduced with the picture
  EXPECT_TRUE(Near(drawn.At(150, 20), 0x00FF00, 10));  // the full-size drawing outside the corner

  Thumb fromLayer;
  Load(fromLayer, path, 80, 0, 1);
  ASSERT_TRUE(fromLayer.bitmap);
  EXPECT_EQ(fromLayer.width, 200);   // from the trailer
  EXPECT_EQ(fromLayer.height, 100);
  EXPECT_EQ(fromLayer.bits, 24);
  EXPECT_EQ(fromLayer.bitmapWidth, 50);  // the stored JPEG fitted into the box
  EXPECT_TRUE(Near(fromLayer.At(10, 10), 0x000000, 10));

  // A layered file of 284 bytes or less is no picture source and draws nothing.
  dir.Write("l.qmf", std::string(284, ' ').replace(281, 3, "QMF"));
  Thumb small;
  Load(small, path, 80, 0, 1);
  ASSERT_TRUE(small.bitmap);
  EXPECT_EQ(small.hasLayer, 1);
  EXPECT_EQ(small.bitmapWidth, 80);
  EXPECT_TRUE(Near(small.At(70, 20), 0xFFFFFF, 10));
}

// The picture browser's loader: an existing layered file counts unread, so its objects are
// drawn over the full picture and its JPEG is never shown; a damaged one draws nothing but
// still takes the full-size road.
TEST_F(Thumbnails, LayeredFileByItsExistenceOnly) {
  TempDir dir;
  imglib::Raster white;
  white.Allocate(200, 100);
  white.Fill(255, 255, 255);
  std::string path = Save(dir, "e.bmp", white, imglib::kFormatBmp);
  layer::Object box;
  box.kind = layer::kRectangle;
  box.style = 2;
  box.points = {{100, 0}, {200, 100}};
  box.colour = 0xFF00FF00;
  imglib::Raster black;
  black.Allocate(200, 100);
  ASSERT_TRUE(layer::WriteFile(path, black, {box}, 50));
  auto load = [&path](Thumb& t, int useLayer) {
    t.bitmap.Reset(LOADTHUMB(path, 80, 80, t.width, t.height, t.colours, t.bits, t.hasLayer, useLayer,
                             LayerTest::kExistence));
    if (t.bitmap) t.pixels = BitmapPixels(t.bitmap.Get(), t.bitmapWidth, t.bitmapHeight);
  };
  Thumb drawn;
  load(drawn, 1);
  ASSERT_TRUE(drawn.bitmap);
  EXPECT_EQ(drawn.hasLayer, 1);
  EXPECT_EQ(drawn.width, 200);
  EXPECT_EQ(drawn.bitmapWidth, 200);
  EXPECT_TRUE(Near(drawn.At(10, 20), 0xFFFFFF, 10));  // the picture, not the stored JPEG
  EXPECT_TRUE(Near(drawn.At(70, 20), 0x00FF00, 10));
  dir.Write("e.qmf", "damaged");
  Thumb damaged;
  load(damaged, 0);
  ASSERT_TRUE(damaged.bitmap);
  EXPECT_EQ(damaged.hasLayer, 1);
  EXPECT_EQ(damaged.bitmapWidth, 200);
  EXPECT_TRUE(Near(damaged.At(10, 20), 0xFFFFFF, 10));
  EXPECT_TRUE(Near(damaged.At(70, 20), 0xFFFFFF, 10));
}

// Whether a layered file exists is taken from one listing of a folder that has not
// changed for a while; a file made or removed there (which moves the folder's time) is
// seen at the next picture, however the folder's time lies.
TEST_F(Thumbnails, LayeredFilesMadeOrRemovedAreSeenAtOnce) {
  TempDir dir;
  imglib::Raster white;
  white.Allocate(40, 20);
  white.Fill(255, 255, 255);
  std::string a = Save(dir, "a.bmp", white, imglib::kFormatBmp), b = Save(dir, "b.bmp", white, imglib::kFormatBmp);
  dir.Write("A.QMF", "objects");
  // The folder's last-write time set back, so that its listing is used again.
  auto settle = [&dir](int minutesAgo) {
    win::Handle folder(CreateFileA(dir.Path().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(folder);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= uint64_t(minutesAgo) * 60 * 10000000;
    FILETIME past{t.LowPart, t.HighPart};
    EXPECT_TRUE(SetFileTime(folder.Get(), nullptr, nullptr, &past));
  };
  auto layered = [](const std::string& path) {
    Thumb t;
    t.colours = 1;  // information only
    LOADTHUMB(path, 0, 0, t.width, t.height, t.colours, t.bits, t.hasLayer, 0, LayerTest::kExistence);
    EXPECT_EQ(t.width, 40) << path;
    return t.hasLayer;
  };
  settle(10);
  EXPECT_EQ(layered(a), 1);  // in another letter case
  EXPECT_EQ(layered(b), 0);
  EXPECT_EQ(layered(a), 1);
  dir.Write("b.qmf", "objects");
  EXPECT_EQ(layered(b), 1);  // the folder just changed
  settle(5);
  EXPECT_EQ(layered(b), 1);
  ASSERT_EQ(fileio::RemoveFile(a.substr(0, a.size() - 3) + "qmf"), fileio::kOk);
  EXPECT_EQ(layered(a), 0);
  settle(3);
  EXPECT_EQ(layered(a), 0);
  EXPECT_EQ(layered(b), 1);
}

TEST_F(Thumbnails, GifConversion) {
  TempDir dir;
  std::string gif = SaveGif(dir, "c.GIF", 40, 20);
  std::string path = gif;
  EXPECT_EQ(GIFTOBMP(path), -1);
  EXPECT_EQ(path, GifConversionFile());
  EXPECT_NE(path.find("CONV" + std::to_string(GetCurrentProcessId()) + ".G2B"), std::string::npos);
  ImgFileInfo info;
  ASSERT_EQ(L_FileInfo(path, &info), imglib::kSuccess);
  EXPECT_EQ(info.width, 40);
  // A damaged GIF: 0, and the previous conversion is not left to be shown instead.
  std::string bad = dir.Write("bad.gif", "GIF89a broken");
  EXPECT_EQ(GIFTOBMP(bad), 0);
  EXPECT_EQ(bad, GifConversionFile());
  EXPECT_FALSE(fileio::Exists(bad));
  Thumb t;
  Load(t, dir.File("bad.gif"), 80);
  EXPECT_FALSE(t.bitmap);
  // Other pictures are left alone.
  std::string other = dir.File("x.png");
  EXPECT_EQ(GIFTOBMP(other), 0);
  EXPECT_EQ(other, dir.File("x.png"));
}

TEST_F(Thumbnails, PictureHandles) {
  TempDir dir;
  std::string png = Save(dir, "h.png", Halves(40, 20), imglib::kFormatPng);
  int w = 0, h = 0, kind = 0;
  PictureHandle p = LOADGDIPPICTURE(png, w, h, kind);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 20);
  EXPECT_EQ(kind, -6);  // PNG is entry 6, negated from version 500 on
  Canvas c(80, 40);
  DRAWPICTURE(c.dc(), p, 0, 0, 80, 40, kind, 5);
  EXPECT_TRUE(Near(c.At(10, 20), 0xFF0000, 8));
  EXPECT_TRUE(Near(c.At(70, 20), 0x0000FF, 8));
  FREEGDIPIMAGE(p, kind);
  EXPECT_EQ(p, nullptr);
  kind = 0;
  EXPECT_EQ(LOADGDIPPICTURE(Save(dir, "h.pcx", Halves(4, 4), imglib::kFormatPcx), w, h, kind), nullptr);
  EXPECT_EQ(LOADGDIPPICTURE(dir.File("none.png"), w, h, kind), nullptr);
  EXPECT_EQ(PIXELFORMATBITS(PixelFormat24bppRGB), 24);
  EXPECT_EQ(PIXELFORMATBITS(PixelFormat8bppIndexed), 8);
  EXPECT_EQ(PIXELFORMATBITS(PixelFormat32bppARGB), 32);
}

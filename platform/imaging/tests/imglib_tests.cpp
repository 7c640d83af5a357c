#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "fileio/file.h"
#include "data/icon_fixture.inc"
#include "hostile_pictures.h"
#include "imglib/codecs.h"
#include "imglib/imglib.h"
#include "imglib/imglib_twain.h"
#include "imglib/jpeg.h"
#include "memory_stream.h"
#include "system_codecs.h"
#include "temp_dir.h"
#include "test_pictures.h"
#include "win/gdiplus_session.h"
#include "win/raii.h"

using namespace imglib;
using testpics::Compare;
using testpics::PixelAt;

namespace {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

std::string WriteRaster(TempDir& dir, const std::string& name, const Raster& r, int format, int bits = 24,
                        int qf = 0) {
  std::string path = dir.File(name);
  BitmapOwner b;
  EXPECT_EQ(FromRaster(r, b.Get()), kSuccess);
  EXPECT_EQ(L_SaveBitmap(path, b.Get(), format, bits, qf), kSuccess) << name;
  return path;
}

Raster LoadRaster(const std::string& path, ImgFileInfo* info = nullptr) {
  BitmapOwner b;
  Raster r;
  EXPECT_EQ(L_LoadBitmap(path, b.Get(), 0, info), kSuccess) << path;
  ToRaster(*b, r);
  return r;
}

// Saves a picture with the system's GDI+ encoder for a MIME type.
std::string SaveWithGdiplus(const Raster& r, const wchar_t* mime, const std::string& path) {
  UINT count = 0, size = 0;
  flat::GdipGetImageEncodersSize(&count, &size);
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<gp::ImageCodecInfo*>(buffer.data());
  flat::GdipGetImageEncoders(count, size, codecs);
  CLSID clsid{};
  for (UINT i = 0; i < count; ++i)
    if (wcscmp(codecs[i].MimeType, mime) == 0) clsid = codecs[i].Clsid;
  gp::GpBitmap* bitmap = nullptr;
  flat::GdipCreateBitmapFromScan0(r.Width(), r.Height(), int(r.Stride()), PixelFormat24bppRGB,
                                  const_cast<uint8_t*>(r.Data()), &bitmap);
  std::wstring wide(path.begin(), path.end());
  EXPECT_EQ(flat::GdipSaveImageToFile(bitmap, wide.c_str(), &clsid, nullptr), gp::Ok);
  flat::GdipDisposeImage(bitmap);
  return path;
}

Raster LoadWithGdiplus(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  gp::GpBitmap* bitmap = nullptr;
  Raster r;
  if (flat::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) != gp::Ok) return r;
  UINT w = 0, h = 0;
  flat::GdipGetImageWidth(bitmap, &w);
  flat::GdipGetImageHeight(bitmap, &h);
  r.Allocate(int(w), int(h));
  gp::BitmapData data{};
  gp::GpRect rect(0, 0, int(w), int(h));
  data.Width = w;
  data.Height = h;
  data.Stride = int(r.Stride());
  data.PixelFormat = PixelFormat24bppRGB;
  data.Scan0 = r.Data();
  flat::GdipBitmapLockBits(bitmap, &rect, gp::ImageLockModeRead | gp::ImageLockModeUserInputBuf, PixelFormat24bppRGB,
                           &data);
  flat::GdipBitmapUnlockBits(bitmap, &data);
  flat::GdipDisposeImage(bitmap);
  return r;
}

}  // namespace

TEST(ImagingLayer, SavesAndLoadsEveryWritableFormat) {
  TempDir dir;
  Raster photo = testpics::Photo(45, 31);
  struct Case {
    const char* name;
    int format;
    int maxDifference;
  } cases[] = {{"a.bmp", kFormatBmp, 0}, {"a.pcx", kFormatPcx, 0}, {"a.tga", kFormatTga, 0},
               {"a.ras", kFormatRas, 0}, {"a.psd", kFormatPsd, 0}, {"a.png", kFormatPng, 0},
               {"a.tif", kFormatTif, 0}, {"a.jpg", kFormatJpeg, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.format == kFormatTif) {
      // TIFF is read through the system codecs; it is written there too.
      win::GdiplusSession session = win::StartGdiplusSession();
      SaveWithGdiplus(photo, L"image/tiff", dir.File(c.name));
    } else {
      WriteRaster(dir, c.name, photo, c.format, 24, 2);
    }
    ImgFileInfo info;
    Raster back = LoadRaster(dir.File(c.name), &info);
    EXPECT_EQ(info.format, c.format);
    EXPECT_EQ(info.width, 45);
    EXPECT_EQ(info.height, 31);
    EXPECT_LE(Compare(back, photo).maximum, c.maxDifference);
    ImgFileInfo only;
    ASSERT_EQ(L_FileInfo(dir.File(c.name), &only), kSuccess);
    EXPECT_EQ(only.width, 45);
    EXPECT_EQ(only.fileSize, fileio::FileSize(dir.File(c.name)));
  }
  // Icons and cursors of at most 32 x 32, and PostScript for printers.
  Raster icon = testpics::Flat(32, 32, 6);
  EXPECT_EQ(Compare(LoadRaster(WriteRaster(dir, "a.ico", icon, kFormatIco)), icon).maximum, 0);
  EXPECT_EQ(Compare(LoadRaster(WriteRaster(dir, "a.cur", icon, kFormatCur)), icon).maximum, 0);
}

// What the suite writes as encapsulated PostScript it opens again: through the preview the
// file carries, at the depth it was written.
TEST(ImagingLayer, EpsFilesComeBackThroughTheirPreview) {
  TempDir dir;
  Raster flat = testpics::Flat(45, 31, 7), photo = testpics::Photo(45, 31);
  ImgFileInfo info;
  Raster back = LoadRaster(WriteRaster(dir, "flat.eps", flat, kFormatEps, 8), &info);
  EXPECT_EQ(info.format, kFormatEps);
  EXPECT_EQ(Compare(back, flat).maximum, 0);
  EXPECT_EQ(Compare(LoadRaster(WriteRaster(dir, "photo.eps", photo, kFormatEps, 24)), photo).maximum, 0);
  // At 8 bits the photograph has the colours of its palette: close, not equal.
  EXPECT_GT(Compare(LoadRaster(WriteRaster(dir, "photo8.eps", photo, kFormatEps, 8)), photo).psnr, 25);
  ImgFileInfo only;
  ASSERT_EQ(L_FileInfo(dir.File("photo.eps"), &only), kSuccess);
  EXPECT_EQ(only.width, 45);
  EXPECT_EQ(only.height, 31);
  EXPECT_EQ(only.format, kFormatEps);
  // A thumbnail of it.
  BitmapOwner thumb;
  ASSERT_EQ(L_LoadBitmapFitted(dir.File("photo.eps"), thumb.Get(), 20, 20), kSuccess);
  EXPECT_EQ(thumb->width, 20);
}

// An icon shows its largest picture also when that one is PNG-coded (as in most icons made
// today), not the small bitmap that comes first.
TEST(ImagingLayer, AnIconShowsItsPngCodedLargestPicture) {
  TempDir dir;
  std::string path = dir.Write("app.ico", std::string(reinterpret_cast<const char*>(k_png256_ico), sizeof k_png256_ico));
  ImgFileInfo info;
  Raster r = LoadRaster(path, &info);
  ASSERT_EQ(r.Width(), 256);
  ASSERT_EQ(r.Height(), 256);
  EXPECT_EQ(info.format, kFormatIco);
  EXPECT_EQ(PixelAt(r, 10, 10), 0x0000FFu);
  EXPECT_EQ(PixelAt(r, 200, 250), 0xFF8000u);
  ImgFileInfo only;
  ASSERT_EQ(L_FileInfo(path, &only), kSuccess);
  EXPECT_EQ(only.width, 256);
  EXPECT_EQ(only.height, 256);
  EXPECT_EQ(only.format, kFormatIco);
  BitmapOwner thumb;
  ASSERT_EQ(L_LoadBitmapFitted(path, thumb.Get(), 64, 64), kSuccess);
  EXPECT_EQ(thumb->width, 64);
  Raster small;
  ASSERT_TRUE(ToRaster(*thumb, small));
  EXPECT_EQ(PixelAt(small, 5, 5), 0x0000FFu);
  EXPECT_EQ(PixelAt(small, 60, 60), 0xFF8000u);
  // A PNG picture whose data the system codecs cannot read: the best bitmap shows.
  std::string icon = dir.Read("app.ico");
  size_t data = icon.find("IDAT");
  ASSERT_NE(data, std::string::npos);
  for (size_t i = data + 4; i < icon.size() && i < data + 40; ++i) icon[i] = char(0x5A);
  ImgFileInfo damagedInfo;
  Raster damaged = LoadRaster(dir.Write("damaged.ico", icon), &damagedInfo);
  EXPECT_EQ(damaged.Width(), 48);
  EXPECT_EQ(PixelAt(damaged, 20, 20), 0x00C800u);
}

TEST(ImagingLayer, QualityFactorRunsFromFinestToSmallest) {
  TempDir dir;
  Raster photo = testpics::Photo(320, 200);
  int64_t previous = 0;
  double previousPsnr = 100;
  for (int qf : {2, 10, 25, 60, 120}) {
    std::string path = WriteRaster(dir, "q" + std::to_string(qf) + ".jpg", photo, kFormatJpeg, 24, qf);
    int64_t size = fileio::FileSize(path);
    double psnr = Compare(LoadRaster(path), photo).psnr;
    if (previous) {
      EXPECT_LT(size, previous) << "factor " << qf;
      EXPECT_LT(psnr, previousPsnr) << "factor " << qf;
    }
    previous = size;
    previousPsnr = psnr;
  }
}

// Our decoder against the system's on pictures that GDI+ encoded: at least as close to
// the original as GDI+'s own decoding, and reduced decodings keep the colours.
TEST(ImagingLayer, DecodesJpegsWrittenByGdiplus) {
  win::GdiplusSession session = win::StartGdiplusSession();
  TempDir dir;
  for (auto [w, h] : {std::pair{64, 48}, std::pair{333, 217}, std::pair{17, 9}}) {
    Raster photo = testpics::Photo(w, h);
    std::string path = SaveWithGdiplus(photo, L"image/jpeg", dir.File("g.jpg"));
    Raster theirs = LoadWithGdiplus(path);
    std::string bytes = dir.Read("g.jpg");
    Picture ours;
    ASSERT_EQ(DecodeJpeg(bytes, ours), kSuccess);
    ASSERT_EQ(ours.pixels.Width(), w);
    EXPECT_GT(Compare(ours.pixels, photo).psnr, Compare(theirs, photo).psnr - 1.0) << w;
    EXPECT_LT(Compare(ours.pixels, theirs).mean, 8.0) << w;
    Picture half;
    DecodeOptions o;
    o.minWidth = (w + 1) / 2;
    o.minHeight = (h + 1) / 2;
    ASSERT_EQ(DecodeJpeg(bytes, half, o), kSuccess);
    EXPECT_EQ(half.pixels.Width(), (w + 1) / 2);
    if (w >= 64) {
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(testpics::MeanChannel(half.pixels, c), testpics::MeanChannel(ours.pixels, c), 2.0);
    }
  }
}

TEST(ImagingLayer, ReducedLoadingForThumbnails) {
  TempDir dir;
  Raster photo = testpics::Photo(1200, 800);
  std::string path = WriteRaster(dir, "big.jpg", photo, kFormatJpeg, 24, 10);
  BitmapOwner b;
  ImgFileInfo info;
  ASSERT_EQ(L_LoadBitmapReduced(path, b.Get(), 160, 107, &info), kSuccess);
  EXPECT_EQ(b->width, 300);  // 1/4: the smallest scale that still covers 160 x 107
  EXPECT_EQ(b->height, 200);
  EXPECT_EQ(info.width, 1200);
  EXPECT_EQ(info.height, 800);
  // Other formats come at full size.
  BitmapOwner p;
  ASSERT_EQ(L_LoadBitmapReduced(WriteRaster(dir, "big.pcx", testpics::Photo(300, 200), kFormatPcx), p.Get(), 10, 10),
            kSuccess);
  EXPECT_EQ(p->width, 300);
}

// The metafiles that the layer writes come back through the system codecs (GDI+) with
// their size, orientation and colours.
TEST(ImagingLayer, MetafilesComeBackThroughTheSystemCodecs) {
  TempDir dir;
  // Four quadrants, so that a turn or a swap of colours shows; their middles are checked,
  // since a metafile player may place the edges a pixel apart.
  Raster quadrants;
  quadrants.Allocate(41, 27);
  for (int y = 0; y < 27; ++y)
    for (int x = 0; x < 41; ++x) {
      bool right = x >= 20, bottom = y >= 13;
      if (!right && !bottom) quadrants.Set(x, y, 220, 30, 30);
      else if (right && !bottom) quadrants.Set(x, y, 30, 200, 40);
      else if (!right) quadrants.Set(x, y, 20, 40, 210);
      else quadrants.Set(x, y, 0, 0, 0);
    }
  for (int format : {int(kFormatEmf), int(kFormatWmf)}) {
    SCOPED_TRACE(format);
    std::string path = WriteRaster(dir, format == kFormatEmf ? "m.emf" : "m.wmf", quadrants, format);
    BitmapOwner b;
    ImgFileInfo info;
    ASSERT_EQ(L_LoadBitmap(path, b.Get(), 24, &info), kSuccess);
    EXPECT_EQ(info.format, format);
    ASSERT_EQ(b->width, 41);
    ASSERT_EQ(b->height, 27);
    Raster back;
    ASSERT_TRUE(ToRaster(*b, back));
    for (auto [x, y] : {std::pair{10, 6}, std::pair{30, 6}, std::pair{10, 20}, std::pair{30, 20}})
      EXPECT_EQ(testpics::PixelAt(back, x, y), testpics::PixelAt(quadrants, x, y)) << x << "," << y;
  }
  BitmapOwner tooLarge;
  ASSERT_EQ(L_CreateBitmap(tooLarge.Get(), 40000, 1, 24), kSuccess);
  EXPECT_EQ(L_SaveBitmap(dir.File("wide.wmf"), tooLarge.Get(), kFormatWmf, 24, 0), kInvalidParameter);
}

TEST(ImagingLayer, UnsupportedFormatsAndMissingFiles) {
  TempDir dir;
  BitmapOwner b;
  ASSERT_EQ(L_CreateBitmap(b.Get(), 10, 10, 24), kSuccess);
  for (int format : {int(kFormatCmp), int(kFormatPcd), 85, 999})
    EXPECT_EQ(L_SaveBitmap(dir.File("x.out"), b.Get(), format, 24, 0), kUnsupported) << format;
  EXPECT_FALSE(fileio::Exists(dir.File("x.out")));
  BitmapOwner l;
  EXPECT_EQ(L_LoadBitmap(dir.File("missing.bmp"), l.Get(), 0), kFileNotFound);
  EXPECT_EQ(L_LoadBitmap(dir.Write("x.pcd", "not really a Photo CD file"), l.Get(), 0), kUnsupported);
  EXPECT_EQ(L_LoadBitmap(dir.Write("x.fpx", "not really a FlashPix file"), l.Get(), 0), kNotAPicture);
  // A PICT file of nothing but junk is no picture.
  EXPECT_EQ(L_LoadBitmap(dir.Write("x.pct", std::string(600, 'x')), l.Get(), 0), kNotAPicture);
  EXPECT_EQ(L_LoadBitmap(dir.Write("x.dat", "plain text"), l.Get(), 0), kNotAPicture);
  EXPECT_EQ(l->dib, nullptr);
  EXPECT_EQ(L_SaveBitmap("", b.Get(), kFormatBmp, 24, 0), kInvalidParameter);
  ImgFileInfo info;
  EXPECT_EQ(L_FileInfo(dir.File("missing.jpg"), &info), kFileNotFound);
}

// A header pointing far past the end of the file is a damaged picture: every way in
// answers a failure, and no reader (ours or the system's) looks past the file.
TEST(ImagingLayer, OffsetsFarPastTheEndAreRefused) {
  TempDir dir;
  struct Case {
    std::string name, bytes;
  };
  for (const Case& c : {Case{"far.bmp", hostile::BmpWithFarPixels()}, Case{"far.tif", hostile::TiffWithFarDirectory()},
                        Case{"far.dib", hostile::BmpWithFarPixels()}, Case{"far.tiff", hostile::TiffWithFarDirectory()}}) {
    std::string path = dir.Write(c.name, c.bytes);
    BitmapOwner b;
    EXPECT_LT(L_LoadBitmap(path, b.Get(), 0), 0) << c.name;
    EXPECT_EQ(b->dib, nullptr) << c.name;
    EXPECT_LT(L_LoadBitmap(path, b.Get(), 24), 0) << c.name;
    EXPECT_LT(L_LoadBitmapReduced(path, b.Get(), 80, 60), 0) << c.name;
    EXPECT_LT(L_LoadBitmapFitted(path, b.Get(), 80, 60), 0) << c.name;
    EXPECT_LT(L_FileConvert(path, dir.File("out.bmp"), kFormatBmp, 0, 0, 24, 0), 0) << c.name;
    EXPECT_FALSE(fileio::Exists(dir.File("out.bmp"))) << c.name;
    // The header alone: the BMP's size is readable, its pixels are not; a TIFF without a
    // directory says nothing.
    ImgFileInfo info;
    int r = L_FileInfo(path, &info);
    if (c.bytes[0] == 'B') {
      EXPECT_EQ(r, kSuccess) << c.name;
      EXPECT_EQ(info.width, 4) << c.name;
    } else {
      EXPECT_LT(r, 0) << c.name;
    }
    // Handed to the system codecs directly (the PNG and TIFF route).
    Picture p;
    EXPECT_NE(DecodePicture(c.bytes, p), kSuccess) << c.name;
  }
}

// The system codecs get the bytes through a stream that never reads past them, whatever
// offset a damaged header makes the codec seek to.
TEST(ImagingLayer, TheSystemCodecsReadNothingPastTheBytes) {
  for (const std::string& bytes : {hostile::BmpWithFarPixels(), hostile::TiffWithFarDirectory()}) {
    Picture p;
    EXPECT_NE(system::Decode(bytes, p, false), kSuccess);
    EXPECT_TRUE(p.pixels.Empty());
  }
  IStream* stream = system::NewBoundedStream("0123456789");
  ASSERT_NE(stream, nullptr);
  char buffer[16] = {};
  ULONG got = 99;
  LARGE_INTEGER to{};
  ULARGE_INTEGER at{};
  to.QuadPart = 4;
  ASSERT_EQ(stream->Seek(to, STREAM_SEEK_SET, &at), S_OK);
  EXPECT_EQ(stream->Read(buffer, 16, &got), S_FALSE);
  EXPECT_EQ(got, 6u);
  EXPECT_EQ(std::string(buffer, got), "456789");
  to.QuadPart = 0x7FFFFFF0;
  ASSERT_EQ(stream->Seek(to, STREAM_SEEK_SET, &at), S_OK);
  EXPECT_EQ(at.QuadPart, 0x7FFFFFF0u);
  got = 99;
  EXPECT_EQ(stream->Read(buffer, 16, &got), S_FALSE);
  EXPECT_EQ(got, 0u);
  to.QuadPart = -0x7FFFFFF8;  // before the start
  EXPECT_NE(stream->Seek(to, STREAM_SEEK_CUR, &at), S_OK);
  // A clone reads from where the stream stood, on its own.
  to.QuadPart = -3;
  ASSERT_EQ(stream->Seek(to, STREAM_SEEK_END, &at), S_OK);
  IStream* clone = nullptr;
  ASSERT_EQ(stream->Clone(&clone), S_OK);
  stream->Release();
  EXPECT_EQ(clone->Read(buffer, 2, &got), S_OK);
  EXPECT_EQ(std::string(buffer, got), "78");
  STATSTG stat{};
  ASSERT_EQ(clone->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 10u);
  EXPECT_EQ(clone->Write("x", 1, &got), STG_E_ACCESSDENIED);
  clone->Release();
}

// A file's information comes from its head: a folder of large photographs is listed without
// reading their pixels. A header that lies deeper falls back to the whole file.
TEST(ImagingLayer, FileInformationReadsTheHeadOnly) {
  TempDir dir;
  Raster noise;
  noise.Allocate(1200, 900);
  uint32_t seed = 7;
  for (int y = 0; y < 900; ++y)
    for (int x = 0; x < 1200; ++x) {
      seed = seed * 1664525u + 1013904223u;
      noise.Set(x, y, uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8));
    }
  std::string jpeg;
  ASSERT_EQ(EncodePicture(noise, kFormatJpeg, 24, 2, jpeg), kSuccess);
  ASSERT_GT(jpeg.size(), 600u * 1024u);
  std::string path = dir.Write("big.jpg", jpeg);
  ImgFileInfo info;
  ASSERT_EQ(L_FileInfo(path, &info), kSuccess);
  EXPECT_EQ(info.width, 1200);
  EXPECT_EQ(info.height, 900);
  EXPECT_EQ(info.format, kFormatJpeg);
  EXPECT_EQ(info.fileSize, int64_t(jpeg.size()));
  // The same picture followed by a sparse tail up to 1 TiB: no memory holds the whole file
  // (byte-range locks would say the same on Windows, but Wine does not hold reads to them).
  {
    fileio::File grow;
    ASSERT_EQ(grow.Open(path, fileio::Access::ReadWrite), fileio::kOk);
    ASSERT_EQ(grow.Truncate(int64_t(1) << 40), fileio::kOk);
  }
  ImgFileInfo huge;
  ASSERT_EQ(L_FileInfo(path, &huge), kSuccess);
  EXPECT_EQ(huge.width, 1200);
  EXPECT_EQ(huge.height, 900);
  EXPECT_EQ(huge.fileSize, int64_t(1) << 40);
  fileio::RemoveFile(path);
  // 320 KiB of application blocks before the frame header: read from the whole file.
  std::string padded = jpeg.substr(0, 2);
  for (int i = 0; i < 5; ++i) {
    padded += "\xFF\xEF";
    padded += char(0xFA);
    padded += char(0x00);
    padded += std::string(0xFA00 - 2, 'p');
  }
  padded += jpeg.substr(2);
  ImgFileInfo deep;
  ASSERT_EQ(L_FileInfo(dir.Write("deep.jpg", padded), &deep), kSuccess);
  EXPECT_EQ(deep.width, 1200);
  EXPECT_EQ(deep.fileSize, int64_t(padded.size()));
}

TEST(ImagingLayer, DrawingIntoAndPaintingBitmaps) {
  BitmapOwner b;
  ASSERT_EQ(L_CreateBitmap(b.Get(), 40, 30, 24), kSuccess);
  HDC dc = L_CreateLeadDC(b.Get());
  ASSERT_NE(dc, nullptr);
  RECT top{0, 0, 40, 10};
  FillRect(dc, &top, win::Brush(CreateSolidBrush(RGB(255, 0, 0))).Get());
  ASSERT_EQ(L_DeleteLeadDC(dc), kSuccess);
  Raster r;
  ASSERT_TRUE(ToRaster(*b, r));
  EXPECT_EQ(PixelAt(r, 5, 5), 0xFF0000u);
  EXPECT_EQ(PixelAt(r, 5, 20), 0x000000u);

  // Painting the top half of the bitmap into another context, stretched twice as wide.
  win::MemoryDC mem(win::WindowDC(nullptr), 100, 100);
  RECT all{0, 0, 100, 100};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT source{0, 0, 40, 15}, destination{10, 10, 90, 25};
  ASSERT_EQ(L_PaintDC(mem, b.Get(), &source, nullptr, &destination, nullptr, SRCCOPY), kSuccess);
  EXPECT_EQ(GetPixel(mem, 50, 12), RGB(255, 0, 0));  // source row 1: red
  EXPECT_EQ(GetPixel(mem, 50, 23), RGB(0, 0, 0));    // source row 13: black
  EXPECT_EQ(GetPixel(mem, 5, 5), RGB(255, 255, 255));
  RECT clip{0, 0, 50, 100};
  ASSERT_EQ(L_PaintDC(mem, b.Get(), nullptr, nullptr, nullptr, &clip, SRCCOPY), kSuccess);
  EXPECT_EQ(GetPixel(mem, 2, 2), RGB(255, 0, 0));
  win::Palette palette(L_CreatePaintPalette(mem, b.Get()));  // only on palette displays
}

TEST(ImagingLayer, TransformsOnHandles) {
  BitmapOwner b;
  Raster q = testpics::Flat(6, 4, 16);
  ASSERT_EQ(FromRaster(q, b.Get()), kSuccess);
  unsigned topLeft = PixelAt(q, 0, 0), bottomLeft = PixelAt(q, 0, 3), topRight = PixelAt(q, 5, 0);
  Raster r;
  ASSERT_EQ(L_FlipBitmap(b.Get()), kSuccess);
  ToRaster(*b, r);
  EXPECT_EQ(PixelAt(r, 0, 0), bottomLeft);
  ASSERT_EQ(L_FlipBitmap(b.Get()), kSuccess);
  ASSERT_EQ(L_ReverseBitmap(b.Get()), kSuccess);
  ToRaster(*b, r);
  EXPECT_EQ(PixelAt(r, 0, 0), topRight);
  ASSERT_EQ(L_ReverseBitmap(b.Get()), kSuccess);
  ASSERT_EQ(L_RotateBitmap(b.Get(), 9000, kRotateResize, RGB(0, 0, 0)), kSuccess);
  EXPECT_EQ(b->width, 4);
  EXPECT_EQ(b->height, 6);
  ToRaster(*b, r);
  EXPECT_EQ(PixelAt(r, 3, 0), topLeft);  // clockwise: the top left goes to the top right
  ASSERT_EQ(L_RotateBitmap(b.Get(), -9000, kRotateResize, RGB(0, 0, 0)), kSuccess);
  ToRaster(*b, r);
  EXPECT_EQ(Compare(r, q).maximum, 0);
  ASSERT_EQ(L_SizeBitmap(b.Get(), 12, 8, kSizeNearest), kSuccess);
  EXPECT_EQ(b->width, 12);
  EXPECT_EQ(L_SizeBitmap(b.Get(), 0, 8, kSizeResample), kInvalidParameter);
  int colours = 0;
  ASSERT_EQ(L_GetBitmapColorCount(b.Get(), &colours), kSuccess);
  EXPECT_EQ(colours, CountColours(q));
}

TEST(ImagingLayer, SavingToMemoryAndConverting) {
  TempDir dir;
  BitmapOwner b;
  ASSERT_EQ(FromRaster(testpics::Photo(50, 40), b.Get()), kSuccess);
  HGLOBAL memory = nullptr;
  uint32_t size = 0;
  ASSERT_EQ(L_SaveBitmapMemory(&memory, b.Get(), kFormatJpeg, 24, 2, &size), kSuccess);
  ASSERT_NE(memory, nullptr);
  EXPECT_GE(GlobalSize(memory), size);
  const char* p = static_cast<const char*>(GlobalLock(memory));
  JpegHeader h;
  EXPECT_EQ(ReadJpegHeader(std::string_view(p, size), h), kSuccess);
  EXPECT_EQ(h.width, 50);
  GlobalUnlock(memory);
  GlobalFree(memory);
  EXPECT_EQ(L_SaveBitmapMemory(&memory, b.Get(), kFormatCmp, 24, -1, &size), kUnsupported);
  EXPECT_EQ(memory, nullptr);

  std::string source = WriteRaster(dir, "s.bmp", testpics::Photo(50, 40), kFormatBmp);
  ImgFileInfo info;
  ASSERT_EQ(L_FileConvert(source, dir.File("t.pcx"), kFormatPcx, 25, 20, 24, 0, &info), kSuccess);
  EXPECT_EQ(info.width, 50);
  ImgFileInfo converted;
  ASSERT_EQ(L_FileInfo(dir.File("t.pcx"), &converted), kSuccess);
  EXPECT_EQ(converted.format, kFormatPcx);
  EXPECT_EQ(converted.width, 25);
  // A picture loaded at a lower depth is reduced to that many colours.
  BitmapOwner eight;
  ASSERT_EQ(L_LoadBitmap(source, eight.Get(), 4), kSuccess);
  EXPECT_EQ(eight->bitsPerPixel, 4);
  int colours = 0;
  L_GetBitmapColorCount(eight.Get(), &colours);
  EXPECT_LE(colours, 16);
}

// The test prefix has no scanner: no source means no scanning, and an acquisition hands
// no page to its callback.
TEST(ImagingLayer, WithoutATwainSourceNothingIsScanned) {
  EXPECT_EQ(L_IsTwainAvailable(nullptr), 0);
  int pages = 0;
  ImgBitmap bitmap;
  auto count = [](ImgBitmap* b, void* data) {
    ++*static_cast<int*>(data);
    L_FreeBitmap(b);
    return int(imglib::kSuccess);
  };
  EXPECT_NE(L_TwainAcquireExt(nullptr, &bitmap, 11, count, &pages), imglib::kSuccess);
  EXPECT_EQ(pages, 0);
  EXPECT_EQ(L_TwainCloseSession(nullptr), imglib::kSuccess);
  // Closing twice, or without a session, is harmless.
  EXPECT_EQ(L_TwainCloseSession(nullptr), imglib::kSuccess);
}

#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "drawing_support.h"
#include "fileio/file.h"
#include "imaging/gdiplus_helpers.h"
#include "temp_dir.h"

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

namespace {

class Gdiplus : public ::testing::Test {
 protected:
  void SetUp() override { token_ = GDIPSTART(); ASSERT_NE(token_, 0u); }
  void TearDown() override { GDIPSTOP(token_); }
  ULONG_PTR token_ = 0;
};

gp::GpBitmap* RedBitmap(int w, int h) {
  gp::GpBitmap* b = nullptr;
  flat::GdipCreateBitmapFromScan0(w, h, 0, PixelFormat24bppRGB, nullptr, &b);
  gp::GpGraphics* g = nullptr;
  flat::GdipGetImageGraphicsContext(b, &g);
  flat::GdipGraphicsClear(g, 0xFFFF0000);
  flat::GdipDeleteGraphics(g);
  return b;
}

std::string RegistryDefault(const std::string& key) {
  char buffer[512] = {};
  LONG size = sizeof buffer;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buffer, &size) != ERROR_SUCCESS) return "<none>";
  return buffer;
}

}  // namespace

TEST_F(Gdiplus, CodecsAreFoundByExactMimeType) {
  CLSID clsid{};
  EXPECT_GT(GETENCODERCLSID("image/jpeg", clsid), 0);
  EXPECT_GT(GETENCODERCLSID("image/png", clsid), 0);
  EXPECT_EQ(GETENCODERCLSID("IMAGE/JPEG", clsid), 0);
  EXPECT_EQ(GETENCODERCLSID("image/x-emf", clsid), 0);
  EXPECT_GT(GETDECODERCLSID("image/gif", clsid), 0);
  EXPECT_EQ(WIDETOANSI(L"image/tiff"), "image/tiff");
  EXPECT_EQ(WIDETOANSI(nullptr), "");
  GUID guid;
  ENCODERPARAMGUID(5, guid);
  EXPECT_TRUE(IsEqualGUID(guid, gp::EncoderQuality));
  FRAMEDIMENSIONGUID(2, guid);
  EXPECT_TRUE(IsEqualGUID(guid, gp::FrameDimensionPage));
  ENCODERPARAMGUID(42, guid);
  EXPECT_TRUE(IsEqualGUID(guid, GUID{}));
}

TEST_F(Gdiplus, SavingByExtension) {
  TempDir dir;
  gp::GpBitmap* image = RedBitmap(8, 8);
  EXPECT_EQ(SAVEIMAGEBYEXT(dir.File("a.jpeg"), image), 0);
  EXPECT_EQ(dir.Read("a.jpeg").substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(SAVEIMAGEBYEXT(dir.File("a.PNG"), image), 0);
  EXPECT_EQ(dir.Read("a.PNG").substr(1, 3), "PNG");
  // Nothing saved, as the table says.
  EXPECT_EQ(SAVEIMAGEBYEXT(dir.File("a.dib"), image), 0);
  EXPECT_EQ(SAVEIMAGEBYEXT(dir.File("noext"), image), 0);
  EXPECT_EQ(SAVEIMAGEBYEXT(dir.File("a.pcx"), image), 0);
  EXPECT_EQ(SAVEIMAGEBYEXT("", image), -1);
  // No encoder: reported as a failure, not as success.
  for (const char* name : {"a.emf", "a.wmf", "a.ico"}) {
    EXPECT_EQ(SAVEIMAGEBYEXT(dir.File(name), image), kGdiplusNoEncoder) << name;
    EXPECT_FALSE(fileio::Exists(dir.File(name)));
  }
  EXPECT_FALSE(fileio::Exists(dir.File("a.dib")));
  flat::GdipDisposeImage(image);
}

TEST_F(Gdiplus, DrawingWrappers) {
  Canvas c(100, 100);
  EXPECT_EQ(FILLRECTSOLID(nullptr, 0, 0, 5, 5, 0xFF000000), -1);
  EXPECT_EQ(FILLRECTSOLID(c.dc(), 10, 10, 20, 10, 0xFF00FF00), 0);
  EXPECT_EQ(c.At(15, 15), 0x00FF00u);
  EXPECT_EQ(c.At(35, 15), 0xFFFFFFu);
  EXPECT_EQ(FILLELLIPSESOLID(c.dc(), 50, 50, 40, 40, 0xFF0000FF), 0);
  EXPECT_EQ(c.At(70, 70), 0x0000FFu);
  EXPECT_EQ(c.At(51, 51), 0xFFFFFFu);  // outside the ellipse, inside its box
  gp::GpPen* slot = reinterpret_cast<gp::GpPen*>(0x1234);  // its value on entry is not used
  EXPECT_EQ(DRAWRECTFRAME(c.dc(), slot, 5, 60, 30, 30, 0xFFFF0000, 1), 0);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(c.At(5, 70), 0xFF0000u);
  EXPECT_EQ(c.At(20, 75), 0xFFFFFFu);
  EXPECT_EQ(FILLPIESOLID(c.dc(), 60, 0, 40, 40, 0xFF000000, 0, 90), 0);
  EXPECT_EQ(c.At(85, 25), 0x000000u);  // the lower-right quarter
  EXPECT_EQ(c.At(70, 10), 0xFFFFFFu);
  c.Clear();
  EXPECT_EQ(FILLELLIPSEHATCH(c.dc(), 0, 0, 60, 60, 0xFF000000, 0xFFFF0000, 0), 0);
  int black = 0, red = 0;
  for (int y = 20; y < 40; ++y)
    for (int x = 20; x < 40; ++x) {
      if (c.At(x, y) == 0) ++black;
      if (c.At(x, y) == 0xFF0000) ++red;
    }
  EXPECT_GT(black, 0);
  EXPECT_GT(red, 0);

  // An image drawn half transparent over white gives a lighter colour.
  c.Clear();
  gp::GpBitmap* image = RedBitmap(10, 10);
  gp::GpImageAttributes* attributes = nullptr;
  ASSERT_EQ(ALPHAATTRIBUTES(128, attributes), 0);
  RECT destination{0, 0, 10, 10}, source{0, 0, 10, 10};
  EXPECT_EQ(DRAWIMAGEPART(c.dc(), image, destination, source, 0, attributes), 0);
  EXPECT_EQ(attributes, nullptr);  // disposed
  EXPECT_TRUE(Near(c.At(5, 5), 0xFF7F7F, 3));
  EXPECT_EQ(DRAWIMAGEAT(c.dc(), image, 50, 50), 0);
  EXPECT_EQ(c.At(55, 55), 0xFF0000u);
  flat::GdipDisposeImage(image);
}

// A text with a caller's brush, wrapped in its layout box; a hatched pie in both colours,
// only within its quarter.
TEST_F(Gdiplus, BrushTextAndHatchedPies) {
  Canvas c(120, 120);
  ArialFont arial(20);
  ASSERT_TRUE(arial.Get());
  gp::GpFont* font = arial.Get();
  gp::GpSolidFill* red = nullptr;
  flat::GdipCreateSolidFill(0xFFFF0000, &red);
  gp::GpBrush* brush = reinterpret_cast<gp::GpBrush*>(red);
  EXPECT_EQ(DRAWSTRINGBRUSH(nullptr, "HH", font, 0, 0, 50, 50, brush), -1);
  EXPECT_EQ(DRAWSTRINGBRUSH(c.dc(), "HHH HHH", font, 10.f, 10.f, 50.f, 60.f, brush), 0);
  auto redIn = [&](int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (Canvas::Red(c.At(x, y)) > 200 && Canvas::Green(c.At(x, y)) < 60) ++n;
    return n;
  };
  EXPECT_GT(redIn(10, 10, 60, 32), 30);  // the first word
  EXPECT_GT(redIn(10, 32, 60, 70), 30);  // the second, wrapped below it
  EXPECT_EQ(c.Marked(60, 0, 120, 120), 0);
  flat::GdipDeleteBrush(brush);

  // Horizontal hatch, black on blue, the quarter from 0 to 90 degrees: lower right.
  c.Clear();
  EXPECT_EQ(FILLPIEHATCH(nullptr, 0, 0, 10, 10, 0xFF000000, 0xFF0000FF, 0, 0, 90), -1);
  EXPECT_EQ(FILLPIEHATCH(c.dc(), 10, 10, 100, 100, 0xFF000000, 0xFF0000FF, 0, 0.f, 90.f), 0);
  int black = 0, blue = 0;
  for (int y = 64; y < 100; ++y)
    for (int x = 64; x < 100; ++x) {
      if (c.At(x, y) == 0x000000u) ++black;
      if (c.At(x, y) == 0x0000FFu) ++blue;
    }
  EXPECT_GT(black, 20);
  EXPECT_GT(blue, 200);
  EXPECT_GT(black + blue, 36 * 36 * 9 / 10);
  EXPECT_EQ(c.Marked(0, 0, 120, 58), 0);  // nothing above the centre
  EXPECT_EQ(c.Marked(0, 0, 58, 120), 0);  // nor left of it
}

TEST_F(Gdiplus, PensBrushesTextAndRotation) {
  Canvas c(120, 120);
  gp::GpPen* pen = nullptr;
  flat::GdipCreatePen1(0xFF000000, 3, gp::UnitPixel, &pen);
  EXPECT_EQ(DRAWLINEPEN(c.dc(), pen, 10, 60, 110, 60), 0);
  EXPECT_EQ(c.At(60, 60), 0x000000u);
  EXPECT_EQ(DRAWELLIPSEPEN(c.dc(), pen, 10, 10, 40, 40), 0);
  EXPECT_EQ(c.At(30, 30), 0xFFFFFFu);
  EXPECT_GT(c.Marked(28, 8, 33, 13), 0);
  flat::GdipDeletePen(pen);
  gp::GpSolidFill* brush = nullptr;
  flat::GdipCreateSolidFill(0xFF00FF00, &brush);
  EXPECT_EQ(FILLRECTBRUSH(c.dc(), brush, 70.f, 10.f, 20.f, 20.f), 0);
  EXPECT_EQ(c.At(80, 20), 0x00FF00u);
  EXPECT_EQ(FILLELLIPSEBRUSH(c.dc(), brush, 60.f, 80.f, 40.f, 30.f), 0);
  EXPECT_EQ(c.At(80, 95), 0x00FF00u);
  flat::GdipDeleteBrush(brush);

  c.Clear();
  ArialFont arial(28);
  ASSERT_TRUE(arial.Get());
  gp::GpFont* font = arial.Get();
  EXPECT_EQ(DRAWSHADOWTEXT(c.dc(), "HH", 10, 10, 0xFFFF0000, 4, font, 3), 0);
  int red = 0, grey = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x) {
      unsigned p = c.At(x, y);
      if (Canvas::Red(p) > 200 && Canvas::Green(p) < 60) ++red;
      if (Canvas::Red(p) > 100 && Canvas::Red(p) < 150 && Canvas::Green(p) > 100 && Canvas::Green(p) < 150) ++grey;
    }
  EXPECT_GT(red, 30);
  EXPECT_GT(grey, 10);
  c.Clear();
  EXPECT_EQ(DRAWTEXTBOX(c.dc(), "HHHHHHHHHHHH", 10, 70, 40, 40, 0xFF000000, 4, font, nullptr), 0);
  EXPECT_EQ(c.Marked(60, 60, 120, 120), 0);  // kept inside its box
  EXPECT_GT(c.Marked(10, 70, 50, 110), 0);

  // A wide red bar turned by 90 degrees about the origin stands upright left of it.
  c.Clear();
  gp::GpBitmap* bar = RedBitmap(40, 10);
  EXPECT_EQ(DRAWIMAGEROTATED(c.dc(), bar, 0, -50, 40, 10, 90.0f, 0), 0);
  EXPECT_EQ(c.At(45, 20), 0xFF0000u);
  EXPECT_EQ(c.At(20, 45), 0xFFFFFFu);
  flat::GdipDisposeImage(bar);
}

TEST_F(Gdiplus, MemoryContextsAndBitmaps) {
  Canvas c(60, 60);
  FILLRECTSOLID(c.dc(), 0, 0, 20, 20, 0xFF0000FF);
  HBITMAP copy = DCTOBITMAP(c.dc(), 0, 0, 20, 20);
  ASSERT_NE(copy, nullptr);
  gp::GpBitmap* asImage = BITMAPFROMHBITMAP(copy);
  ASSERT_NE(asImage, nullptr);
  flat::GdipDisposeImage(asImage);

  HDC context = nullptr, memory = nullptr;
  DWORD rop = 0;
  EXPECT_EQ(CREATEMEMDC(c.dc(), context, copy, memory, rop, 1), -1);
  EXPECT_EQ(rop, DWORD(SRCCOPY));
  EXPECT_EQ(context, c.dc());
  ASSERT_NE(memory, nullptr);
  DELETEMEMDC(1, nullptr, context, memory);

  BLITANDFREE(c.dc(), copy, 30, 30, 20, 20, SRCCOPY, 1, 1);  // keep
  EXPECT_EQ(c.At(40, 40), 0x0000FFu);
  EXPECT_NE(copy, nullptr);
  BLITANDFREE(c.dc(), copy, 0, 40, 10, 10, SRCCOPY, 0, 1);
  EXPECT_EQ(copy, nullptr);  // deleted, and the variable says so
  EXPECT_EQ(c.At(5, 45), 0x0000FFu);
  HBITMAP none = nullptr;
  BLITANDFREE(c.dc(), none, 0, 0, 10, 10, SRCCOPY, 0, 1);  // nothing for no bitmap
}

TEST(ShellServices, RecycleAndImageLists) {
  TempDir dir;
  EXPECT_EQ(RECYCLEFILE(dir.File("missing.txt"), 0), 2);
  std::string path = dir.Write("gone.txt", "x");
  EXPECT_EQ(RECYCLEFILE(path, 0), 0);
  EXPECT_FALSE(fileio::Exists(path));

  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  EXPECT_EQ(IMAGELISTADDICON(list, icon), 0);
  EXPECT_EQ(IMAGELISTADDICON(list, icon), 1);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  ImageList_Destroy(list);
}

TEST(ShellServices, RegisteringFileTypes) {
  std::string ext = ".suitetest" + std::to_string(GetCurrentProcessId());
  std::string type = "SuiteTestType" + std::to_string(GetCurrentProcessId());
  EXPECT_EQ(REGISTERFILETYPE(ext + "," + type + ",@path@Kelmor.EXE,Suite test files"), 0);
  EXPECT_EQ(RegistryDefault(ext), type);
  EXPECT_EQ(RegistryDefault(type), "Suite test files");
  std::string command = RegistryDefault(type + "\\shell\\open\\command");
  EXPECT_TRUE(command.ends_with("\\kelmor.exe %1")) << command;
  EXPECT_EQ(command.find('@'), std::string::npos);
  EXPECT_EQ(command.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);  // lower-cased
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ext.c_str());
  RegDeleteTreeA(HKEY_CLASSES_ROOT, type.c_str());
  // Three fields: nothing is written, and the caller hears of it.
  EXPECT_EQ(REGISTERFILETYPE(ext + "," + type + ",x.exe"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegistryDefault(ext), "<none>");
}

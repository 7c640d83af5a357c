// What we write, read by the readers people use: Ghostscript renders our EPS files, Pillow
// reads their TIFF previews and our 1-bit PCX files. Native only; each check is skipped
// where its reader is absent (scripts/setup.sh installs them).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "imglib/byte_io.h"
#include "imglib/codecs.h"
#include "temp_dir.h"
#include "test_pictures.h"

using namespace imglib;

namespace {

#ifdef _WIN32
bool Have(const char*) { return false; }
#else
bool Have(const char* check) { return std::system(check) == 0; }
#endif

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// A binary PPM (P6, 8 bits) as a picture; empty when it is not one. Comment lines may
// stand between the header's numbers (Ghostscript writes one).
Raster FromPpm(const std::string& ppm) {
  size_t at = 0;
  auto number = [&]() {
    while (at < ppm.size() && (std::isspace(uint8_t(ppm[at])) || ppm[at] == '#')) {
      if (ppm[at] == '#') at = ppm.find('\n', at);
      if (at == std::string::npos) return -1;
      ++at;
    }
    int value = 0, digits = 0;
    for (; at < ppm.size() && std::isdigit(uint8_t(ppm[at])) && digits < 9; ++at, ++digits) value = value * 10 + (ppm[at] - '0');
    return digits ? value : -1;
  };
  if (ppm.compare(0, 2, "P6") != 0) return Raster{};
  at = 2;
  int width = number(), height = number(), maximum = number();
  if (width <= 0 || height <= 0 || maximum != 255) return Raster{};
  size_t start = at + 1;  // one white space after the maximum
  if (ppm.size() < start + size_t(width) * size_t(height) * 3) return Raster{};
  return testpics::FromRgb(reinterpret_cast<const unsigned char*>(ppm.data()) + start, width, height);
}

// Pillow's reading of a file, as raw RGB of the picture's size.
Raster PillowReads(TempDir& dir, const std::string& file, int width, int height) {
  std::string rgb = dir.File("pillow.rgb");
  std::remove(rgb.c_str());
  std::string script = "import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                       "open(sys.argv[2], 'wb').write(im.convert('RGB').tobytes())";
  EXPECT_TRUE(RunQuietly("/usr/bin/python3 -c \"" + script + "\" " + file + " " + rgb)) << file;
  std::string bytes = dir.Read("pillow.rgb");
  if (bytes.size() != size_t(width) * size_t(height) * 3) return Raster{};
  return testpics::FromRgb(reinterpret_cast<const unsigned char*>(bytes.data()), width, height);
}

std::string Encode(const Raster& r, int format, int bits) {
  std::string out;
  EXPECT_EQ(EncodePicture(r, format, bits, 0, out), kSuccess);
  return out;
}

// Dark red and yellow in a pattern; dark ones where mask says so.
Raster TwoColours(int width, int height, bool mostlyDark) {
  Raster r;
  r.Allocate(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool dark = ((x + 2 * y) % 5 < 2) != mostlyDark;
      if (dark) {
        r.Set(x, y, 128, 0, 0);
      } else {
        r.Set(x, y, 255, 255, 0);
      }
    }
  return r;
}

// The picture in black (its dark colour) and white (its light one).
Raster BlackAndWhite(const Raster& r) {
  Raster out;
  out.Allocate(r.Width(), r.Height());
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      uint8_t v = testpics::PixelAt(r, x, y) == 0x800000u ? 0 : 255;
      out.Set(x, y, v, v, v);
    }
  return out;
}

}  // namespace

TEST(OutsideReaders, GhostscriptRendersOurEpsAndPillowReadsItsPreview) {
  if (!Have("test -x /usr/bin/gs")) GTEST_SKIP() << "Ghostscript is not installed";
  TempDir dir;
  Raster flat = testpics::Flat(40, 30, 6), photo = testpics::Photo(40, 30);
  for (int bits : {8, 24}) {
    SCOPED_TRACE(bits);
    const Raster& picture = bits == 8 ? flat : photo;
    std::string eps = Encode(picture, kFormatEps, bits);
    std::string file = dir.Write("ours.eps", eps);
    std::string out = dir.File("gs.ppm");
    std::remove(out.c_str());
    // At 72 dots per inch a point of the bounding box is a pixel.
    ASSERT_TRUE(RunQuietly("/usr/bin/gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -r72 -sDEVICE=ppmraw -sOutputFile=" + out +
                    " " + file));
    Raster rendered = FromPpm(dir.Read("gs.ppm"));
    ASSERT_EQ(rendered.Width(), 40);
    ASSERT_EQ(rendered.Height(), 30);
    EXPECT_EQ(testpics::Compare(rendered, picture).maximum, 0);

    if (!Have("/usr/bin/python3 -c 'import PIL' 2>/dev/null")) continue;
    int format = 0;
    std::string preview(EpsPreview(eps, format));
    ASSERT_EQ(format, kFormatTif);
    Raster read = PillowReads(dir, dir.Write("preview.tif", preview), 40, 30);
    EXPECT_EQ(testpics::Compare(read, picture).maximum, 0);
  }
}

// Readers show a 1-bit PCX in black (a clear bit) and white (a set bit) whatever its
// header's palette says: the header says the same, and Pillow, like our reader, shows the
// picture's dark colour black and its light one white. (ImageMagick 6 reads every 1-bit
// PCX the other way round, its own too, so it is no judge here.)
TEST(OutsideReaders, OneBitPcxIsBlackAndWhiteAsPillowReadsIt) {
  if (!Have("/usr/bin/python3 -c 'import PIL' 2>/dev/null")) GTEST_SKIP() << "Pillow is not installed";
  TempDir dir;
  for (bool mostlyDark : {false, true}) {
    SCOPED_TRACE(mostlyDark);
    Raster picture = TwoColours(37, 11, mostlyDark), expected = BlackAndWhite(picture);
    std::string pcx = Encode(picture, kFormatPcx, 1);
    ASSERT_GE(pcx.size(), 128u);
    EXPECT_EQ(pcx.substr(16, 6), std::string("\0\0\0\xFF\xFF\xFF", 6));
    Picture ours;
    ASSERT_EQ(DecodePicture(pcx, ours), kSuccess);
    EXPECT_EQ(testpics::Compare(ours.pixels, expected).maximum, 0);
    std::string file = dir.Write("ours.pcx", pcx);
    EXPECT_EQ(testpics::Compare(PillowReads(dir, file, 37, 11), expected).maximum, 0);
  }
}

// Our GIF reader on files that ImageMagick and Pillow wrote: interlaced rows, small palettes
// (short LZW codes), several frames, a transparent index (which shows the background
// colour). Each tool's own reading of its file is the reference, pixel for pixel. Native only; skipped where a tool is absent
// (scripts/setup.sh installs both).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "imglib/codecs.h"
#include "temp_dir.h"
#include "test_pictures.h"

using namespace imglib;

namespace {

#ifdef _WIN32
constexpr bool kHaveMagick = false;
constexpr bool kHavePillow = false;
#else
const bool kHaveMagick = std::system("test -x /usr/bin/convert") == 0;
const bool kHavePillow = std::system("/usr/bin/python3 -c 'import PIL.GifImagePlugin' 2>/dev/null") == 0;
#endif

class GifFromTools : public ::testing::Test {
 protected:
  // Our reading of the tool's GIF against the tool's own RGB reading of its first frame.
  void ExpectSameAsTool(const std::string& gif, const std::string& rgb, int w, int h, const std::string& what) {
    std::string bytes = dir_.Read(gif);
    ASSERT_FALSE(bytes.empty()) << what;
    Picture ours;
    ASSERT_EQ(DecodePicture(bytes, ours, DetectFormat(bytes, "gif")), kSuccess) << what;
    EXPECT_EQ(ours.info.format, kFormatGif) << what;
    std::string reference = dir_.Read(rgb);
    ASSERT_EQ(reference.size(), size_t(w) * size_t(h) * 3) << what;
    Raster expected = testpics::FromRgb(reinterpret_cast<const unsigned char*>(reference.data()), w, h);
    EXPECT_EQ(testpics::Compare(ours.pixels, expected).maximum, 0) << what;
  }
  std::string Source(const Raster& picture) { return dir_.Write("source.ppm", testpics::Ppm(picture)); }
  TempDir dir_;
};

bool Magick(const std::string& arguments) {
  std::string command = "/usr/bin/convert " + arguments + " 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

TEST_F(GifFromTools, ImageMagickFiles) {
  if (!kHaveMagick) GTEST_SKIP() << "ImageMagick is not installed";
  const int w = 53, h = 37;
  std::string source = Source(testpics::Photo(w, h));
  std::string gif = dir_.File("magick.gif"), rgb = dir_.File("magick.rgb");
  struct Case {
    const char* what;
    std::string options;
  } cases[] = {
      {"256 colours", ""},
      {"interlaced", "-interlace GIF"},
      {"2 colours", "-colors 2"},
      {"4 colours interlaced", "-colors 4 -interlace GIF"},
      {"16 colours", "-colors 16"},
      {"transparent colour", "-colors 8 -transparent-color white -fuzz 30% -transparent white"},
  };
  for (const Case& c : cases) {
    std::remove(gif.c_str());
    std::remove(rgb.c_str());
    ASSERT_TRUE(Magick(source + " " + c.options + " gif:" + gif)) << c.what;
    // The palette colour behind a transparent index, as our reader gives it.
    ASSERT_TRUE(Magick("gif:" + gif + "[0] -alpha off -depth 8 rgb:" + rgb)) << c.what;
    ExpectSameAsTool("magick.gif", "magick.rgb", w, h, c.what);
  }
  // Three frames: the first is the picture.
  std::string second = dir_.Write("second.ppm", testpics::Ppm(testpics::Flat(w, h, 5)));
  std::remove(gif.c_str());
  std::remove(rgb.c_str());
  ASSERT_TRUE(Magick(source + " " + second + " " + source + " -delay 10 gif:" + gif));
  ASSERT_TRUE(Magick("gif:" + gif + "[0] -alpha off -depth 8 rgb:" + rgb));
  ExpectSameAsTool("magick.gif", "magick.rgb", w, h, "animation");
}

TEST_F(GifFromTools, PillowFiles) {
  if (!kHavePillow) GTEST_SKIP() << "python3-pil is not installed";
  const int w = 41, h = 29;
  std::string source = Source(testpics::Photo(w, h));
  // Writes pillow-N.gif and pillow-N.rgb (its own reading of the first frame) for each way.
  std::string script = dir_.Write("pillow.py",
                                  "import sys\n"
                                  "from PIL import Image\n"
                                  "src = Image.open(sys.argv[1]).convert('RGB')\n"
                                  "out = sys.argv[2]\n"
                                  "def p(n): return src.convert('P', palette=Image.ADAPTIVE, colors=n)\n"
                                  "ways = [\n"
                                  "  (p(256), {}),\n"
                                  "  (p(256), {'interlace': True}),\n"
                                  "  (p(2), {'optimize': True}),\n"
                                  "  (p(4), {'interlace': True}),\n"
                                  "  (p(16), {'optimize': False}),\n"
                                  "  (p(8), {'transparency': 3}),\n"
                                  "  (p(64), {'save_all': True, 'duration': 50, 'loop': 0,\n"
                                  "           'append_images': [p(4), src.convert('L').convert('P')]}),\n"
                                  "]\n"
                                  "for i, (im, opts) in enumerate(ways):\n"
                                  "  name = '%s/pillow-%d' % (out, i)\n"
                                  "  im.save(name + '.gif', 'GIF', **opts)\n"
                                  "  back = Image.open(name + '.gif')\n"
                                  "  back.seek(0)\n"
                                  "  pal = back.getpalette()\n"
                                  "  t = back.info.get('transparency')\n"
                                  "  bg = back.info.get('background', 0)\n"
                                  "  rgb = bytearray()\n"
                                  "  for i in back.tobytes():\n"
                                  "    i = bg if i == t else i\n"
                                  "    rgb += bytes(pal[i * 3:i * 3 + 3])\n"
                                  "  open(name + '.rgb', 'wb').write(rgb)\n"
                                  "print(len(ways))\n");
  std::string command = "/usr/bin/python3 " + script + " " + source + " " + dir_.File("") + " > " +
                        dir_.File("count.txt") + " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir_.Read("count.txt");
  int count = std::atoi(dir_.Read("count.txt").c_str());
  ASSERT_EQ(count, 7) << dir_.Read("count.txt");
  const char* what[] = {"256 colours", "interlaced", "2 colours optimised", "4 colours interlaced",
                        "16 colours", "transparent index", "animation"};
  for (int i = 0; i < count; ++i) {
    std::string name = "pillow-" + std::to_string(i);
    ExpectSameAsTool(name + ".gif", name + ".rgb", w, h, what[i]);
  }
}

}  // namespace

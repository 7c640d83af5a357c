// Our compound files and FlashPix pictures read by established tools: olefile (the
// structure: names, classes, every stream's bytes) and Pillow's FlashPix reader (the
// pixels). Native only; skipped where they are absent (scripts/setup.sh installs them).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <vector>
#include <string>

#include "imglib/codecs.h"
#include "imglib/compound_file.h"
#include "temp_dir.h"
#include "test_pictures.h"

using namespace imglib;

namespace {

#ifdef _WIN32
constexpr bool kHaveTools = false;
#else
const bool kHaveTools = std::system("/usr/bin/python3 -c 'import olefile, PIL.FpxImagePlugin' 2>/dev/null") == 0;
#endif

class PythonReaders : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kHaveTools) GTEST_SKIP() << "python3-olefile or python3-pil is not installed";
  }
  // Runs a script with the file as its argument; what it printed.
  std::string Run(const std::string& script, const std::string& file) {
    std::string py = dir_.Write("script.py", script);
    std::string output = dir_.File("output.txt");
    std::remove(output.c_str());
    std::string command = "/usr/bin/python3 " + py + " " + file + " > " + output + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << dir_.Read("output.txt");
    return dir_.Read("output.txt");
  }
  // The RGB bytes Pillow reads from our FlashPix file of the picture.
  Raster PillowReads(const Raster& picture) {
    std::string bytes;
    EXPECT_EQ(EncodePicture(picture, kFormatFpx, 24, 0, bytes), kSuccess);
    std::string file = dir_.Write("ours.fpx", bytes);
    Run("import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\nim.load()\n"
        "open(sys.argv[1] + '.rgb', 'wb').write(im.convert('RGB').tobytes())\n",
        file);
    std::string rgb = dir_.Read("ours.fpx.rgb");
    if (rgb.size() != size_t(picture.Width()) * size_t(picture.Height()) * 3) return Raster{};
    return testpics::FromRgb(reinterpret_cast<const unsigned char*>(rgb.data()), picture.Width(), picture.Height());
  }
  TempDir dir_;
};

std::string Hex(const ClassId& id) {
  char text[40];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", id[3], id[2],
                id[1], id[0], id[5], id[4], id[7], id[6], id[8], id[9], id[10], id[11], id[12], id[13], id[14], id[15]);
  return text;
}

unsigned ByteSum(const std::string& s) {
  unsigned sum = 0;
  for (char c : s) sum += uint8_t(c);
  return sum;
}

}  // namespace

TEST_F(PythonReaders, OlefileSeesEveryStreamAndClass) {
  const ClassId rootClass = MakeClassId(0x56616700, 0xC154, 0x11CE, {0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B});
  const ClassId storageClass = MakeClassId(0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16});
  CompoundFileWriter w(rootClass);
  std::vector<std::pair<std::string, std::string>> expected;  // lower-cased path, line
  auto add = [&](int parent, const std::string& path, const std::string& name, size_t size) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = char(i * 7 + size);
    ASSERT_GE(w.AddStream(parent, name, data), 0);
    std::string key = path + name;
    for (char& c : key) c = char(tolower(uint8_t(c)));
    std::string shown = path + (name[0] == '\005' ? "\\5" + name.substr(1) : name);
    expected.push_back({key, shown + " " + std::to_string(size) + " " + std::to_string(ByteSum(data))});
  };
  add(CompoundFileWriter::kRoot, "", "\005Props", 300);
  add(CompoundFileWriter::kRoot, "", "Empty", 0);
  add(CompoundFileWriter::kRoot, "", "Large", 300000);
  int store = w.AddStorage(CompoundFileWriter::kRoot, "Store", storageClass);
  for (int i = 0; i < 12; ++i) add(store, "Store/", "Part " + std::to_string(i), size_t(i) * 1000 + 1);
  std::string bytes;
  ASSERT_EQ(w.Build(bytes), kSuccess);
  std::string file = dir_.Write("ours.cfb", bytes);
  std::string listing = Run(
      "import sys, olefile\n"
      "ole = olefile.OleFileIO(sys.argv[1])\n"
      "print(ole.root.clsid, ole.getclsid('Store'))\n"
      "for path in sorted(ole.listdir(), key=lambda p: '/'.join(p).lower()):\n"
      "    data = ole.openstream(path).read()\n"
      "    print('/'.join(path).replace('\\x05', '\\\\5'), len(data), sum(data))\n",
      file);
  // Both sides sorted by the lower-cased path.
  std::sort(expected.begin(), expected.end());
  std::string wanted = Hex(rootClass) + " " + Hex(storageClass) + "\n";
  for (const auto& entry : expected) wanted += entry.second + "\n";
  EXPECT_EQ(listing, wanted);
}

TEST_F(PythonReaders, PillowReadsOurFlashPixPixels) {
  // Whole tiles come out exactly, colour and grey.
  Raster photo = testpics::Photo(128, 192);
  EXPECT_EQ(testpics::Compare(PillowReads(photo), photo).maximum, 0);
  Raster grey = testpics::Photo(64, 130);
  for (int y = 0; y < grey.Height(); ++y)
    for (int x = 0; x < grey.Width(); ++x) {
      uint8_t* p = grey.Row(y) + size_t(x) * 3;
      p[0] = p[1] = p[2];
    }
  EXPECT_EQ(testpics::Compare(PillowReads(grey), grey).maximum, 0);
  // Tiles cut by the bottom edge too. Pillow takes a tile cut by the right edge as packed
  // to the picture's width, where the format keeps every tile 64 pixels wide, so only the
  // columns of whole tiles are compared there.
  Raster wide = testpics::Photo(200, 130);
  Raster read = PillowReads(wide);
  ASSERT_EQ(read.Width(), 200);
  for (int y = 0; y < 130; ++y)
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.Row(y)), 192 * 3),
              std::string(reinterpret_cast<const char*>(wide.Row(y)), 192 * 3))
        << y;
}

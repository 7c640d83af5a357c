#include <gtest/gtest.h>

#include "fileio/file.h"
#include "imaging/layer_file.h"
#include "imglib/jpeg.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

using layer::Object;

namespace {

Object Text(const std::string& text, int x = 5, int y = 6) {
  Object o;
  o.kind = layer::kText;
  o.text = text;
  o.font = "Arial";
  o.size = 20;
  o.colour = 0xFFFF0000;
  o.x = x;
  o.y = y;
  return o;
}

Object Rectangle() {
  Object o;
  o.kind = layer::kRectangle;
  o.style = 2;
  o.points = {{10, 10}, {50, 30}};
  o.size = 3;
  o.colour = 0xFF0000FF;
  return o;
}

imglib::Raster Picture(int w, int h) {
  imglib::Raster r;
  r.Allocate(w, h);
  r.Fill(10, 200, 30);
  return r;
}

}  // namespace

TEST(LayerFile, TrailerLayout) {
  layer::Trailer t;
  t.name = "photo.jpg";
  t.width = 3000;
  t.height = -2;
  t.colours = 70000;
  t.pictureLength = 0x01020304;
  std::string bytes = layer::EncodeTrailer(t);
  ASSERT_EQ(bytes.size(), 284u);
  EXPECT_EQ(bytes.substr(0, 9), "photo.jpg");
  EXPECT_EQ(bytes.substr(9, 251), std::string(251, ' '));  // padded with blanks
  EXPECT_EQ(uint8_t(bytes[260]), 0xB8);                     // 3000 little-endian
  EXPECT_EQ(uint8_t(bytes[261]), 0x0B);
  EXPECT_EQ(uint8_t(bytes[264]), 0xFE);                     // -2
  EXPECT_EQ(uint8_t(bytes[267]), 0xFF);
  EXPECT_EQ(uint8_t(bytes[272]), 24);
  EXPECT_EQ(uint8_t(bytes[273]), 0x04);                     // P, not aligned
  EXPECT_EQ(uint8_t(bytes[276]), 0x01);
  EXPECT_EQ(bytes.substr(277), "0100QMF");
  layer::Trailer back;
  ASSERT_TRUE(layer::DecodeTrailer(bytes, back));
  EXPECT_EQ(back.name, "photo.jpg");
  EXPECT_EQ(back.height, -2);
  EXPECT_EQ(back.pictureLength, 0x01020304);
  // A 300-byte name is cut to 260.
  t.name = std::string(300, 'n');
  bytes = layer::EncodeTrailer(t);
  EXPECT_EQ(bytes.substr(0, 260), std::string(260, 'n'));
  EXPECT_EQ(bytes[260], char(0xB8));
  // A lower-case ending is no trailer.
  bytes.replace(281, 3, "qmf");
  EXPECT_FALSE(layer::DecodeTrailer(bytes, back));
}

TEST(LayerFile, ObjectLines) {
  Object t = Text("  a|b  ");
  t.colour = 0xFF000000;  // opaque black
  t.shadow = -3;
  t.visible = 0;
  t.reserved1 = "keep|me";
  std::string line = layer::EncodeObject(t);
  EXPECT_EQ(line, std::string("1|1|3|a\x18" "b|keep\x18me|Arial|20|0|-16777216|-3|5|6|0|0|0|1|0|"));
  Object back = layer::DecodeObject(line);
  EXPECT_EQ(back.text, "a|b");
  EXPECT_EQ(back.colour, 0xFF000000u);
  EXPECT_EQ(back.shadow, -3);
  EXPECT_EQ(back.visible, 0);
  EXPECT_EQ(back.reserved1, "keep|me");

  std::string shape = layer::EncodeObject(Rectangle());
  EXPECT_EQ(shape, "3|2|2|10,10,50,30|||3|0|-16776961|0|0|0|0|0|1|1|0|");
  Object s = layer::DecodeObject(shape);
  ASSERT_EQ(s.points.size(), 2u);
  EXPECT_EQ(s.points[1], (layer::Point{50, 30}));

  // A line break inside a text stays inside its line.
  Object two = Text("one\r\ntwo");
  line = layer::EncodeObject(two);
  EXPECT_EQ(line.find('\r'), std::string::npos);
  EXPECT_EQ(layer::DecodeObject(line).text, "one\ntwo");
}

TEST(LayerFile, DamagedLinesStayInsideTheRecord) {
  // Missing fields read as 0 or empty.
  Object o = layer::DecodeObject("3|1|2|1,2,3,4");
  EXPECT_EQ(o.points.size(), 2u);
  EXPECT_EQ(o.visible, 0);
  EXPECT_EQ(o.font, "");
  // A count beyond the values present, or beyond 256 points, is cut.
  o = layer::DecodeObject("6|1|9999|1,2,3,4,5");
  EXPECT_EQ(o.points.size(), 2u);
  std::string many;
  for (int i = 0; i < 400; ++i) many += (i ? "," : "") + std::to_string(i) + ",1";
  o = layer::DecodeObject("6|1|400|" + many);
  EXPECT_EQ(o.points.size(), 256u);
  // A text longer than the record is cut to 1024 bytes, and to its count.
  o = layer::DecodeObject("1|1|5000|" + std::string(3000, 'x'));
  EXPECT_EQ(o.text.size(), 1024u);
  o = layer::DecodeObject("1|1|2|abcdef");
  EXPECT_EQ(o.text, "ab");
  o = layer::DecodeObject("1|1|0|abcdef");
  EXPECT_EQ(o.text, "");
  o = layer::DecodeObject("1|1|-5|abc");
  EXPECT_EQ(o.text, "");
  // Values beyond 16 bits are held at the limit; junk reads as 0.
  o = layer::DecodeObject("2|1|2|99999,-99999,x,7");
  EXPECT_EQ(o.points[0], (layer::Point{32767, -32768}));
  EXPECT_EQ(o.points[1], (layer::Point{0, 7}));
  EXPECT_EQ(layer::EncodeObject(Text(std::string(2000, 'y'))).substr(0, 9), "1|1|1024|");
}

TEST(LayerFile, ATextCutWhereBlanksStandIsSavedTheSameTwice) {
  // Cut at the record's limit, blanks and zero bytes once ended a saved field, and the
  // picture tool's next save of the same object wrote another line.
  Object o = Text(std::string(1020, 'z') + std::string(10, ' ') + "tail");
  o.reserved2 = std::string(1000, 'r') + std::string(30, '\0') + "end";
  std::string once = layer::EncodeObject(o);
  EXPECT_EQ(once.substr(0, 9), "1|1|1020|");
  Object back = layer::DecodeObject(once);
  EXPECT_EQ(back.text, std::string(1020, 'z'));
  EXPECT_EQ(back.reserved2, std::string(1000, 'r'));
  EXPECT_EQ(layer::EncodeObject(back), once);
}

TEST(LayerFile, WholeFilesByTheReadingRule) {
  std::string jpeg = "\xFF\xD8 picture \xFF\xD9";
  layer::Trailer t;
  t.name = "x.jpg";
  std::string file = layer::BuildFile(jpeg, {Text("hi"), Rectangle()}, t);
  layer::Contents c;
  ASSERT_TRUE(layer::ParseFile(file, c));
  EXPECT_EQ(c.picture, jpeg);
  EXPECT_EQ(c.trailer.pictureLength, int32_t(jpeg.size()));
  ASSERT_EQ(c.objects.size(), 2u);
  EXPECT_EQ(c.objects[0].text, "hi");
  EXPECT_EQ(c.objects[1].kind, layer::kRectangle);
  // The int32 at size - 11 is P.
  EXPECT_EQ(uint8_t(file[file.size() - 11]), jpeg.size());

  // No objects: an empty block.
  ASSERT_TRUE(layer::ParseFile(layer::BuildFile(jpeg, {}, t), c));
  EXPECT_TRUE(c.objects.empty());
  // Too short, wrong ending, P outside the file: no layered file.
  EXPECT_FALSE(layer::ParseFile("QMF", c));
  EXPECT_FALSE(layer::ParseFile(std::string(100, 'x') + "QMF", c));
  std::string lower = file;
  lower.replace(lower.size() - 3, 3, "qmf");
  EXPECT_FALSE(layer::ParseFile(lower, c));
  for (int32_t p : {-1, int32_t(file.size()), 0x7FFFFFFF, int32_t(file.size() - 283)}) {
    std::string bad = file;
    for (int i = 0; i < 4; ++i) bad[bad.size() - 11 + size_t(i)] = char(uint8_t(uint32_t(p) >> (8 * i)));
    EXPECT_FALSE(layer::ParseFile(bad, c)) << p;
  }
  // P right before the trailer: no room for objects.
  std::string tight = file;
  int32_t p = int32_t(file.size() - 284);
  for (int i = 0; i < 4; ++i) tight[tight.size() - 11 + size_t(i)] = char(uint8_t(uint32_t(p) >> (8 * i)));
  ASSERT_TRUE(layer::ParseFile(tight, c));
  EXPECT_TRUE(c.objects.empty());
}

TEST(LayerFile, WritingRule) {
  TempDir dir;
  std::string picture = dir.File("photo.jpg");
  std::string side = dir.File("photo.qmf");
  ASSERT_TRUE(layer::WriteFile(picture, Picture(400, 200), {Text("a|b"), Rectangle()}, 160));
  std::string bytes = dir.Read("photo.qmf");
  layer::Contents c;
  ASSERT_TRUE(layer::ParseFile(bytes, c));
  EXPECT_EQ(c.trailer.name, "photo.jpg");
  EXPECT_EQ(c.trailer.width, 400);
  EXPECT_EQ(c.trailer.height, 200);
  EXPECT_EQ(c.trailer.colours, 1);
  EXPECT_EQ(c.trailer.bitsPerPixel, 24);
  imglib::JpegHeader h;
  ASSERT_EQ(imglib::ReadJpegHeader(c.picture, h), imglib::kSuccess);
  EXPECT_EQ(h.width, 160);  // reduced into the thumbnail square
  EXPECT_EQ(h.height, 80);
  EXPECT_NE(bytes.find("1|1|3|a\x18" "b|"), std::string::npos);
  // The reader with the skin engine's file calls sees the same.
  layer::Trailer t;
  std::vector<Object> objects;
  ASSERT_TRUE(layer::ReadFile(side, t, objects));
  EXPECT_EQ(objects.size(), 2u);
  EXPECT_EQ(layer::LayerPathFor(picture), side);
  EXPECT_EQ(layer::LayerPathFor(side), side);

  // Saving again without objects deletes the file and writes none.
  EXPECT_FALSE(layer::WriteFile(picture, Picture(400, 200), {}, 160));
  EXPECT_FALSE(fileio::Exists(side));
  // Saving C:\my.pics\scan never touches C:\my.qmf.
  std::string unrelated = dir.Write("my.qmf", "keep");
  fileio::MakeDirectories(dir.File("my.pics"));
  ASSERT_TRUE(layer::WriteFile(dir.File("my.pics/scan"), Picture(50, 50), {Text("x")}, 160));
  EXPECT_EQ(dir.Read("my.qmf"), "keep");
  EXPECT_TRUE(fileio::Exists(dir.File("my.pics/scan.qmf")));
  // An empty path deletes nothing (not ".qmf" in the current folder).
  EXPECT_FALSE(layer::WriteFile("", Picture(50, 50), {Text("x")}, 160));
}

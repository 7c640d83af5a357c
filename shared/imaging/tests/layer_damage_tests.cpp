// Damaged layered files: nothing is read outside the file, no count or text outgrows the
// object record, and every line that the reader hands on can be planned for drawing.
#include <gtest/gtest.h>

#include "damage.h"
#include "imaging/layer_file.h"
#include "imaging/shape_plan.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

TEST(LayerDamage, DamagedFilesAndLines) {
  layer::Object text;
  text.kind = layer::kText;
  text.text = "hello|world";
  text.font = "Arial";
  layer::Object curve;
  curve.kind = layer::kCurve;
  curve.style = 3;
  curve.points = {{1, 2}, {30, -4}, {15, 25}, {-5, 9}};
  layer::Trailer t;
  t.name = "pic.jpg";
  std::string good = layer::BuildFile("\xFF\xD8 fake jpeg \xFF\xD9", {text, curve, text}, t);
  int accepted = 0, refused = 0;
  damage::ForEachDamagedCopy(good, 3000, 17, [&](const std::string& bytes) {
    layer::Contents c;
    if (!layer::ParseFile(bytes, c)) {
      ++refused;
      return;
    }
    ++accepted;
    ASSERT_LE(c.picture.size(), bytes.size());
    for (const layer::Object& o : c.objects) {
      ASSERT_LE(o.text.size(), layer::kMaxTextBytes);
      ASSERT_LE(o.points.size(), layer::kMaxPoints);
      ASSERT_LE(o.font.size(), layer::kMaxFontBytes);
      shapes::PlanShape(o.x, o.y, o.points, o.colour, o.shadow, o.size, uint32_t(o.kind) + 65536u * uint32_t(o.style));
      layer::EncodeObject(o);
    }
  });
  EXPECT_GT(accepted, 0);
  EXPECT_GT(refused, 0);
  // Object lines alone, as wild as they come.
  damage::ForEachDamagedCopy(layer::EncodeObject(curve), 3000, 5, [](const std::string& line) {
    layer::Object o = layer::DecodeObject(line);
    ASSERT_LE(o.points.size(), layer::kMaxPoints);
    std::string buffer = shapes::PointBuffer(o.points);
    shapes::PointsFromBuffer(buffer, 100000);
  });
}

// Positions and shadows at the ends of 32 bits, as a damaged or hostile file may hold them:
// planning adds them to the points and offsets without overflowing (the native build's
// sanitizer checks that), and the shapes land where the sums say.
TEST(LayerDamage, PositionsAtTheLimitsOf32Bits) {
  std::string lines;
  for (int kind = layer::kEllipse; kind <= layer::kPolyline; ++kind)
    for (const char* at : {"2147483647|2147483647", "-2147483648|-2147483648", "99999999999|-99999999999"})
      for (const char* shadow : {"-2147483648", "2147483647"})
        lines += std::to_string(kind) + "|2|3|-32768,32767,32767,-32768,0,0||Arial|1|0|-1|" + shadow + "|" + at +
                 "|10|10|1|1|0|\r\n";
  layer::Trailer trailer;
  trailer.pictureLength = 4;
  layer::Contents c;
  ASSERT_TRUE(layer::ParseFile(std::string("JPEG") + lines + layer::EncodeTrailer(trailer), c));
  ASSERT_EQ(c.objects.size(), 30u);
  for (const layer::Object& o : c.objects) {
    auto passes =
        shapes::PlanShape(o.x, o.y, o.points, o.colour, o.shadow, o.size, uint32_t(o.kind) + 65536u * uint32_t(o.style));
    ASSERT_EQ(passes.size(), 2u) << o.kind;
    auto left = [&](const shapes::Pass& p) { return double(o.kind <= layer::kRectangle ? p.left : p.points[0].x); };
    // Every shape's leftmost point is at x - 32768; floats keep 24 bits of it.
    EXPECT_NEAR(left(passes[1]), double(o.x) - 32768, 512.0) << o.kind;
    EXPECT_NEAR(left(passes[0]) - left(passes[1]), double(o.shadow), 512.0) << o.kind;
  }
}

TEST(LayerDamage, TheFileReaderStaysInsideCutFiles) {
  TempDir dir;
  layer::Object text;
  text.kind = layer::kText;
  text.text = "abc";
  std::string good = layer::BuildFile("JPEGDATA", {text}, {});
  std::string path = dir.File("x.qmf");
  for (size_t n = 0; n <= good.size(); ++n) {
    dir.Write("x.qmf", good.substr(0, n));
    layer::Trailer t;
    std::vector<layer::Object> objects;
    bool ok = layer::ReadFile(path, t, objects);
    EXPECT_EQ(ok, n == good.size()) << n;  // a cut file no longer ends in "QMF"
  }
  // The last three bytes kept, the rest cut: too short for a trailer.
  dir.Write("x.qmf", "xxQMF");
  layer::Trailer t;
  std::vector<layer::Object> objects;
  EXPECT_FALSE(layer::ReadFile(path, t, objects));
}

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

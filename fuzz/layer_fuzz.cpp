// The layered picture file (".qmf"): parsed from memory and read through the skin engine's
// file calls as the renderers read it, each object planned as DRAWOVERLAY plans it, and
// every object line saved again as the picture tool saves it (a second save must change
// nothing, or each save would lose a little more).
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "imaging/layer_file.h"
#include "imaging/shape_plan.h"

namespace {

void Plan(const layer::Object& o) {
  if (o.kind < layer::kEllipse || o.kind > layer::kPolyline || o.points.empty()) return;
  shapes::PlanShape(o.x, o.y, shapes::PointsFromBuffer(shapes::PointBuffer(o.points), int(o.points.size())), o.colour,
                    o.shadow, o.size, uint32_t(o.kind) + 65536u * uint32_t(o.style));
}

void SaveTwice(const layer::Object& o) {
  std::string once = layer::EncodeObject(o);
  std::string twice = layer::EncodeObject(layer::DecodeObject(once));
  if (once != twice) {
    std::fprintf(stderr, "an object line changes when it is saved again:\n%s\n%s\n", once.c_str(), twice.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  layer::Contents contents;
  if (layer::ParseFile(bytes, contents)) {
    layer::EncodeTrailer(contents.trailer);
    for (const layer::Object& o : contents.objects) {
      Plan(o);
      SaveTwice(o);
    }
  }
  layer::Trailer trailer;
  std::vector<layer::Object> objects;
  layer::ReadFile(fuzz::WriteInput("picture.qmf", bytes), trailer, objects);
  // A line on its own, as the picture tool reads one.
  SaveTwice(layer::DecodeObject(bytes.substr(0, bytes.find("\r\n"))));
  return 0;
}

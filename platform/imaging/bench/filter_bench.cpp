// Times every filter on a picture of 3000 x 2000 pixels (a photograph's size), one core:
//   filter_bench [width height]
// Point filters (one table or one pass) should take under 50 ms, the 3 x 3 filters under
// 150 ms, and average, median, mosaic and oilify at their largest value under 2 s.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "imglib/filters.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace imglib;

Raster Photo(int w, int h) {
  Raster p;
  p.Allocate(w, h);
  std::mt19937 random(1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int noise = int(random() % 32);
      p.Set(x, y, uint8_t((x * 255 / w + noise) & 255), uint8_t((y * 255 / h + noise) & 255), uint8_t((x + y) & 255));
    }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  int w = argc > 2 ? std::atoi(argv[1]) : 3000, h = argc > 2 ? std::atoi(argv[2]) : 2000;
  const Raster source = Photo(w, h);
  if (source.Empty()) return 1;
  struct Case {
    const char* name;
    const char* goal;
    std::function<bool(Raster&)> run;
  };
  std::vector<Case> cases = {
      {"contrast 500", "50 ms", [](Raster& r) { return ChangeContrast(r, 500); }},
      {"intensity 300", "50 ms", [](Raster& r) { return ChangeIntensity(r, 300); }},
      {"hue 120", "50 ms", [](Raster& r) { return ChangeHue(r, 120); }},
      {"saturation 300", "50 ms", [](Raster& r) { return ChangeSaturation(r, 300); }},
      {"gamma 200", "50 ms", [](Raster& r) { return GammaCorrect(r, 200); }},
      {"invert", "50 ms", [](Raster& r) { return Invert(r); }},
      {"grey scale", "50 ms", [](Raster& r) { return GreyScale(r); }},
      {"histogram contrast 500", "50 ms", [](Raster& r) { return HistoContrast(r, 500); }},
      {"histogram equalise", "50 ms", [](Raster& r) { return HistoEqualize(r); }},
      {"stretch intensity", "50 ms", [](Raster& r) { return StretchIntensity(r); }},
      {"solarise 128", "50 ms", [](Raster& r) { return Solarize(r, 128); }},
      {"posterise 4", "50 ms", [](Raster& r) { return Posterize(r, 4); }},
      {"sharpen 700", "150 ms", [](Raster& r) { return Sharpen(r, 700); }},
      {"emboss 500", "150 ms", [](Raster& r) { return Emboss(r, kNorthWest, 500); }},
      {"median 3", "150 ms", [](Raster& r) { return MedianFilter(r, 3); }},
      {"mosaic 100", "2 s", [](Raster& r) { return Mosaic(r, 100); }},
      {"average 100", "2 s", [](Raster& r) { return AverageFilter(r, 100); }},
      {"median 100", "2 s", [](Raster& r) { return MedianFilter(r, 100); }},
      {"oilify 10", "2 s", [](Raster& r) { return Oilify(r, 10); }},
      {"auto-trim 70", "-", [](Raster& r) { return AutoTrim(r, 70); }},
  };
  std::printf("%d x %d pixels\n", w, h);
  for (const Case& c : cases) {
    Raster picture = source;
    auto start = Clock::now();
    bool ok = c.run(picture);
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%-24s %9.1f ms  (goal %s)%s\n", c.name, ms, c.goal, ok ? "" : "  FAILED");
  }
  return 0;
}

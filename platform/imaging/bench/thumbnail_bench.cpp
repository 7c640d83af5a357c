// Thumbnails per second: LOADTHUMB over a folder of 100 photographs of 3000 x 2000
// pixels, fitted into 160 x 160, on one thread. The photographs are made here (once; a
// folder that already holds them is reused): smooth light, shapes and fine grain, coded
// as camera JPEGs (4:2:0, quality 92, about 1.5 MB each). A second set carries Exif
// thumbnails, as camera files do; the loader never shows them, so both sets should
// come out alike.
//
// --box N fits into N x N instead: 600 makes the loader decode at 1/4, 1000 at 1/2.
//
// Usage: thumbnail_bench [folder] [--count N] [--passes N] [--grain N] [--box N]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"

#include "imaging/thumbnails.h"
#include "imglib/byte_io.h"
#include "imglib/jpeg.h"
#include "imglib/transforms.h"
#include "win/raii.h"

namespace {

constexpr int kWidth = 3000, kHeight = 2000, kQualityFactor = 8;
int gBox = 160;
int gGrain = 4;  // the film grain's amplitude: more grain, larger files

// A photograph-like picture: light falling across a scene, a few soft shapes, fine grain.
imglib::Raster MakePhoto(int index) {
  std::mt19937 rng(uint32_t(index) * 2654435761u + 1);
  imglib::Raster r;
  r.Allocate(kWidth, kHeight);
  double sx = 0.3 + (rng() % 100) / 200.0, sy = 0.2 + (rng() % 100) / 250.0;
  int base[3] = {int(rng() % 120) + 40, int(rng() % 120) + 40, int(rng() % 120) + 40};
  struct Disc {
    double x, y, r;
    int c[3];
  } discs[6];
  for (Disc& d : discs) d = {double(rng() % kWidth), double(rng() % kHeight), 100.0 + rng() % 500,
                             {int(rng() % 256), int(rng() % 256), int(rng() % 256)}};
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = r.Row(y);
    for (int x = 0; x < kWidth; ++x) {
      double light = 0.6 + 0.4 * std::sin(x * 0.0021 * sx + y * 0.0017 * sy);
      int c[3];
      for (int k = 0; k < 3; ++k) c[k] = int(base[k] * light + 40 * std::sin((x + k * 300) * 0.004) * sy);
      for (const Disc& d : discs) {
        double dx = x - d.x, dy = y - d.y;
        if (dx * dx + dy * dy < d.r * d.r)
          for (int k = 0; k < 3; ++k) c[k] = (c[k] + d.c[k] * 3) / 4 + int((dx + dy) * 0.02);
      }
      int grain = int(rng() % uint32_t(2 * gGrain + 1)) - gGrain;
      for (int k = 0; k < 3; ++k) row[x * 3 + 2 - k] = uint8_t(std::clamp(c[k] + grain, 0, 255));
    }
  }
  return r;
}

// An Exif block holding a thumbnail, as cameras write it after the start marker.
std::string ExifWithThumbnail(const std::string& thumbnail) {
  std::string tiff;
  imglib::ByteWriter w(tiff);
  w.Text("II");
  w.U16LE(42);
  w.U32LE(8);
  w.U16LE(0);
  w.U32LE(14);
  w.U16LE(2);
  w.U16LE(0x0201);
  w.U16LE(4);
  w.U32LE(1);
  w.U32LE(44);
  w.U16LE(0x0202);
  w.U16LE(4);
  w.U32LE(1);
  w.U32LE(uint32_t(thumbnail.size()));
  w.U32LE(0);
  std::string payload = std::string("Exif\0\0", 6) + tiff + thumbnail;
  std::string segment = "\xFF\xE1";
  segment.push_back(char((payload.size() + 2) >> 8));
  segment.push_back(char((payload.size() + 2) & 255));
  return segment + payload;
}

std::string PhotoPath(const std::string& folder, int index) {
  char name[32];
  std::snprintf(name, sizeof name, "photo%03d.jpg", index);
  return folder + name;
}

// Makes the missing photographs of both sets, on all cores.
void MakePhotos(const std::string& plain, const std::string& exif, int count) {
  std::vector<int> missing;
  for (int i = 0; i < count; ++i)
    if (!fileio::Exists(PhotoPath(plain, i)) || !fileio::Exists(PhotoPath(exif, i))) missing.push_back(i);
  if (missing.empty()) return;
  std::printf("making %zu photographs of %d x %d ...\n", missing.size(), kWidth, kHeight);
  std::atomic<size_t> next{0};
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t)
    workers.emplace_back([&] {
      for (size_t k; (k = next++) < missing.size();) {
        int i = missing[k];
        imglib::Raster photo = MakePhoto(i), small;
        std::string jpeg, thumb;
        imglib::EncodeJpeg(photo, kQualityFactor, false, jpeg);
        imglib::Resize(photo, 160, 107, imglib::kSizeResample, small);
        imglib::EncodeJpeg(small, 20, false, thumb);
        fileio::WriteFileReplacing(PhotoPath(plain, i), jpeg);
        fileio::WriteFileReplacing(PhotoPath(exif, i), jpeg.substr(0, 2) + ExifWithThumbnail(thumb) + jpeg.substr(2));
      }
    });
  for (auto& w : workers) w.join();
}

// The decoding alone, from bytes already in memory: how much of a thumbnail's time it takes.
double DecodeOnly(const std::string& folder, int count) {
  std::vector<std::string> files(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) fileio::ReadWholeFile(PhotoPath(folder, i), files[size_t(i)]);
  auto start = std::chrono::steady_clock::now();
  for (const std::string& bytes : files) {
    imglib::Picture p;
    imglib::DecodeOptions o;
    o.minWidth = gBox;
    o.minHeight = gBox;
    o.fitBox = true;
    imglib::DecodeJpeg(bytes, p, o);
  }
  return count / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// For comparison: GDI+ decoding every pixel and drawing the picture reduced, the way a
// loader without reduced decoding works.
double WithGdiplus(const std::string& folder, int count) {
  win::MemoryDC mem(win::WindowDC(nullptr), 160, 107);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    void* image = nullptr;
    int w = 0, h = 0, kind = 0;
    image = LOADGDIPPICTURE(PhotoPath(folder, i), w, h, kind);
    DRAWPICTURE(mem, image, 0, 0, 160, 107, kind, 0);
    FREEGDIPIMAGE(image, kind);
  }
  double rate = count / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return rate;
}

// One pass of LOADTHUMB over the folder; thumbnails per second.
double Pass(const std::string& folder, int count, int& wrong) {
  int fitWidth = 0, fitHeight = 0;
  imglib::FitIntoBox(kWidth, kHeight, gBox, gBox, fitWidth, fitHeight);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    int w = 0, h = 0, colours = 0, hasLayer = 0;
    uint8_t bits = 0;
    win::Bitmap thumb(LOADTHUMB(PhotoPath(folder, i), gBox, gBox, w, h, colours, bits, hasLayer, 0));
    BITMAP bm{};
    if (!thumb || !GetObjectA(thumb.Get(), sizeof bm, &bm) || bm.bmWidth != fitWidth || bm.bmHeight != fitHeight ||
        w != kWidth)
      ++wrong;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return count / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = fileio::TempFolder() + "thumbbench\\";
  int count = 100, passes = 3;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--count" && i + 1 < argc) count = std::max(1, std::atoi(argv[++i]));
    else if (a == "--passes" && i + 1 < argc) passes = std::max(1, std::atoi(argv[++i]));
    else if (a == "--grain" && i + 1 < argc) gGrain = std::clamp(std::atoi(argv[++i]), 0, 60);
    else if (a == "--box" && i + 1 < argc) gBox = std::clamp(std::atoi(argv[++i]), 8, kWidth);
    else folder = fileio::WithTrailingSeparator(a);
  }
  std::string plain = folder + "plain\\", exif = folder + "exif\\";
  fileio::MakeDirectories(plain);
  fileio::MakeDirectories(exif);
  MakePhotos(plain, exif, count);
  int64_t bytes = 0;
  for (int i = 0; i < count; ++i) bytes += fileio::FileSize(PhotoPath(plain, i));
  std::printf("%d photographs of %d x %d, %.2f MB on average, fitted into %d x %d, one thread\n", count, kWidth,
              kHeight, bytes / 1e6 / count, gBox, gBox);
  ULONG_PTR gdiplus = GDIPSTART();
  int wrong = 0;
  for (const auto& [name, path] : {std::pair{"without Exif thumbnails (scaled decoding)", plain},
                                   std::pair{"with Exif thumbnails", exif}}) {
    for (int p = 1; p <= passes; ++p)
      std::printf("%-42s pass %d: %6.1f thumbnails/s\n", name, p, Pass(path, count, wrong));
    std::printf("%-42s decoding alone: %6.1f pictures/s\n", name, DecodeOnly(path, count));
  }
  std::printf("%-42s %6.1f pictures/s (10 pictures)\n", "for comparison: GDI+ decoding every pixel",
              WithGdiplus(plain, std::min(count, 10)));
  GDIPSTOP(gdiplus);
  if (wrong) std::printf("%d thumbnails had the wrong size\n", wrong);
  return wrong ? 1 : 0;
}

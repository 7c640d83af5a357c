#include "bench_photos.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>

#include "fileio/file.h"
#include "imglib/jpeg.h"
#include "imglib/raster.h"

namespace hessam_bench {
namespace {

// What a camera writes before the picture: an Exif block with an empty directory.
const std::string kExif = std::string("\xFF\xE1\x00\x16", 4) + std::string("Exif\0\0II*\0\x08\0\0\0\0\0\0\0\0\0", 20);

imglib::Raster Scene(int index) {
  imglib::Raster r;
  r.Allocate(kPhotoWidth, kPhotoHeight);
  uint32_t seed = uint32_t(index) * 747796405u + 2891336453u;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  double tilt = 0.0008 + (next() % 100) * 0.00001, sky = 90 + next() % 80;
  int hue[3] = {int(next() % 90) + 60, int(next() % 90) + 60, int(next() % 90) + 60};
  struct Shape {
    int x, y, radius, shade;
  } shapes[5];
  for (Shape& s : shapes)
    s = {int(next() % kPhotoWidth), int(next() % kPhotoHeight), 80 + int(next() % 400), int(next() % 160) - 80};
  for (int y = 0; y < kPhotoHeight; ++y) {
    uint8_t* row = r.Row(y);
    double horizon = y < kPhotoHeight * 0.45 ? sky : 0;
    for (int x = 0; x < kPhotoWidth; ++x) {
      double light = 0.55 + 0.45 * std::cos((x * tilt + y * 0.0011) * 3.0);
      int shade = 0;
      for (const Shape& s : shapes) {
        int dx = x - s.x, dy = y - s.y;
        if (dx * dx + dy * dy < s.radius * s.radius) shade += s.shade;
      }
      int noise = int(next() % 13) - 6;
      for (int k = 0; k < 3; ++k) {
        int v = int(hue[k] * light + horizon * (k == 2 ? 0.8 : 0.4)) + shade + noise;
        row[x * 3 + k] = uint8_t(std::clamp(v, 0, 255));
      }
    }
  }
  return r;
}

std::string PhotoName(const std::string& folder, int index) {
  char name[32];
  std::snprintf(name, sizeof name, "photo%04d.jpg", index);
  return folder + name;
}

}  // namespace

std::string CameraJpeg(int index) {
  std::string jpeg;
  imglib::EncodeJpeg(Scene(index), 8, false, jpeg);
  return jpeg.substr(0, 2) + kExif + jpeg.substr(2);
}

std::vector<std::string> MakePhotoFolder(const std::string& folder, int count, int distinct) {
  fileio::MakeDirectories(folder);
  distinct = std::clamp(distinct, 1, std::max(1, count));
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) paths.push_back(PhotoName(folder, i));
  std::vector<int> missing;
  for (int i = 0; i < distinct; ++i)
    if (!fileio::Exists(paths[size_t(i)])) missing.push_back(i);
  if (!missing.empty()) {
    std::printf("making %zu photographs of %d x %d ...\n", missing.size(), kPhotoWidth, kPhotoHeight);
    std::fflush(stdout);
  }
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t)
    workers.emplace_back([&] {
      for (size_t k; (k = next++) < missing.size();)
        fileio::WriteFileReplacing(paths[size_t(missing[k])], CameraJpeg(missing[k]));
    });
  for (std::thread& w : workers) w.join();
  for (int i = distinct; i < count; ++i)
    if (!fileio::Exists(paths[size_t(i)])) fileio::CopyFileTo(paths[size_t(i % distinct)], paths[size_t(i)]);
  return paths;
}

}  // namespace hessam_bench

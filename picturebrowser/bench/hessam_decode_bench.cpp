// The picture browser's JPEG decoding, natively or under Wine: the photographs of its
// benchmark decoded at the reduced size that a thumbnail needs and fitted into the box,
// as the picture loader does: the tiles of a 4 x 4 tiled show on a 1280 x 1024 screen and
// the cells of the picture strip.
//
// Usage: hessam_decode_bench [--pictures N] [folder]
// Natively from an optimised build (the native preset's sanitizers slow it down many times):
//   cmake -S . -B build/native-release -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_TESTS=OFF
//   cmake --build build/native-release --target hessam_decode_bench
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_photos.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imglib/codecs.h"
#include "imglib/transforms.h"

namespace {

using Clock = std::chrono::steady_clock;

// Thumbnails per second of the photographs fitted into a box.
double Rate(const std::vector<std::string>& files, int boxWidth, int boxHeight) {
  auto start = Clock::now();
  int made = 0;
  for (const std::string& bytes : files) {
    imglib::DecodeOptions options;
    options.minWidth = boxWidth;
    options.minHeight = boxHeight;
    options.fitBox = true;
    imglib::Picture picture;
    if (imglib::DecodePicture(bytes, picture, imglib::kFormatJpeg, options) != imglib::kSuccess) continue;
    int w = 0, h = 0;
    imglib::FitIntoBox(picture.info.width, picture.info.height, boxWidth, boxHeight, w, h);
    imglib::Raster fitted;
    if (imglib::Resize(picture.pixels, w, h, imglib::kSizeResample, fitted)) ++made;
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return made / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int pictures = 100;
  std::string folder = fileio::TempFolder() + "hessam_bench_photos/";
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--pictures" && i + 1 < argc) pictures = std::max(1, std::atoi(argv[++i]));
    else folder = fileio::WithTrailingSeparator(a);
  }
  std::vector<std::string> paths = hessam_bench::MakePhotoFolder(folder, pictures, 25);
  std::vector<std::string> files;
  for (const std::string& p : paths) {
    std::string bytes;
    if (fileio::ReadWholeFile(p, bytes) == fileio::kOk) files.push_back(std::move(bytes));
  }
  if (files.empty()) return 1;
  std::printf("%zu photographs of %d x %d (%.1f MB on average)\n", files.size(), hessam_bench::kPhotoWidth,
              hessam_bench::kPhotoHeight, double(fileio::FileSize(paths[0])) / 1e6);
  std::printf("tiles of a 4 x 4 show on 1280 x 1024 (320 x 256): %.1f per second\n", Rate(files, 320, 256));
  std::printf("cells of the picture strip (200 x 128): %.1f per second\n", Rate(files, 200, 128));
  return 0;
}

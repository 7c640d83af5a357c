#include "test_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace testpics {

imglib::Raster Photo(int width, int height) {
  imglib::Raster r;
  r.Allocate(width, height);
  double cx = width * 0.3, cy = height * 0.45, radius = std::min(width, height) * 0.25;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int red = 40 + 180 * x / std::max(1, width - 1), green = 60 + 120 * y / std::max(1, height - 1),
          blue = 200 - 150 * (x + y) / std::max(1, width + height - 2);
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius) red = 220, green = 30, blue = 30;
      if (x > width * 0.6 && x < width * 0.9 && y > height * 0.1 && y < height * 0.5) red = 30, green = 170, blue = 60;
      if (std::abs(x * height - y * width) < width) red = green = blue = 255;
      r.Set(x, y, uint8_t(red), uint8_t(green), uint8_t(blue));
    }
  return r;
}

imglib::Raster Flat(int width, int height, int colours) {
  static const uint8_t kColours[16][3] = {{0, 0, 0},     {255, 255, 255}, {255, 0, 0},   {0, 255, 0},
                                          {0, 0, 255},   {255, 255, 0},   {0, 255, 255}, {255, 0, 255},
                                          {128, 128, 128}, {128, 0, 0},   {0, 128, 0},   {0, 0, 128},
                                          {128, 128, 0}, {0, 128, 128},   {128, 0, 128}, {192, 192, 192}};
  imglib::Raster r;
  r.Allocate(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int i = ((x / 3) + (y / 2) * 5) % colours;
      if (i < 16)
        r.Set(x, y, kColours[i][0], kColours[i][1], kColours[i][2]);
      else
        r.Set(x, y, uint8_t(i * 37), uint8_t(i * 91 + 7), uint8_t(i * 53 + 11));
    }
  return r;
}

imglib::Raster FromRgb(const unsigned char* rgb, int width, int height) {
  imglib::Raster r;
  r.Allocate(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = rgb + (size_t(y) * size_t(width) + size_t(x)) * 3;
      r.Set(x, y, p[0], p[1], p[2]);
    }
  return r;
}

Difference Compare(const imglib::Raster& a, const imglib::Raster& b) {
  Difference d;
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty()) {
    d.maximum = 999;
    return d;
  }
  double sum = 0, squares = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width() * 3; ++x) {
      int diff = std::abs(int(a.Row(y)[x]) - int(b.Row(y)[x]));
      d.maximum = std::max(d.maximum, diff);
      sum += diff;
      squares += double(diff) * diff;
    }
  double n = double(a.Width()) * a.Height() * 3;
  d.mean = sum / n;
  d.psnr = squares == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / (squares / n));
  return d;
}

double MeanSignedDifference(const imglib::Raster& a, const imglib::Raster& b, int channel) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) sum += int(a.Row(y)[x * 3 + channel]) - int(b.Row(y)[x * 3 + channel]);
  return sum / (double(a.Width()) * a.Height());
}

imglib::Raster AreaAverage(const imglib::Raster& r, int scale) {
  int w = (r.Width() + scale - 1) / scale, h = (r.Height() + scale - 1) / scale;
  imglib::Raster out;
  out.Allocate(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int ch = 0; ch < 3; ++ch) {
        int sum = 0, n = 0;
        for (int yy = y * scale; yy < std::min(r.Height(), (y + 1) * scale); ++yy)
          for (int xx = x * scale; xx < std::min(r.Width(), (x + 1) * scale); ++xx, ++n) sum += r.Row(yy)[xx * 3 + ch];
        out.Row(y)[x * 3 + ch] = uint8_t((sum + n / 2) / n);
      }
  return out;
}

unsigned PixelAt(const imglib::Raster& r, int x, int y) {
  const uint8_t* p = r.Row(y) + size_t(x) * 3;
  return unsigned(p[2]) << 16 | unsigned(p[1]) << 8 | p[0];
}

double MeanChannel(const imglib::Raster& r, int channel) {
  double sum = 0;
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) sum += r.Row(y)[x * 3 + channel];
  return sum / (double(r.Width()) * r.Height());
}

std::string Ppm(const imglib::Raster& r) {
  std::string out = "P6\n" + std::to_string(r.Width()) + " " + std::to_string(r.Height()) + "\n255\n";
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      const uint8_t* p = r.Row(y) + size_t(x) * 3;
      out += char(p[2]);
      out += char(p[1]);
      out += char(p[0]);
    }
  return out;
}

}  // namespace testpics

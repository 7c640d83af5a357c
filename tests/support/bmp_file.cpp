#include "bmp_file.h"

#include "fileio/file.h"
#include "fileio/paths.h"

std::string BmpBytes(int width, int height, const std::vector<unsigned char>& bgr) {
  if (width <= 0 || height <= 0 || bgr.size() < size_t(width) * size_t(height) * 3) return {};
  const size_t row = size_t(width) * 3;
  const size_t stride = (row + 3) & ~size_t(3);
  const uint32_t imageSize = uint32_t(stride * size_t(height));
  std::string file;
  file.reserve(54 + imageSize);
  auto put16 = [&file](uint32_t v) {
    for (int i = 0; i < 2; ++i) file += char((v >> (8 * i)) & 255);
  };
  auto put32 = [&file](uint32_t v) {
    for (int i = 0; i < 4; ++i) file += char((v >> (8 * i)) & 255);
  };
  file += "BM";
  put32(14 + 40 + imageSize);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(uint32_t(width));
  put32(uint32_t(height));
  put16(1);
  put16(24);
  put32(0);  // no compression
  put32(imageSize);
  put32(2835);  // 72 dots per inch
  put32(2835);
  put32(0);
  put32(0);
  for (int y = height - 1; y >= 0; --y) {  // BMP rows go bottom-up
    file.append(reinterpret_cast<const char*>(&bgr[size_t(y) * row]), row);
    file.append(stride - row, '\0');
  }
  return file;
}

bool WriteBmp(const std::string& path, int width, int height, const std::vector<unsigned char>& bgr) {
  std::string bytes = BmpBytes(width, height, bgr);
  if (bytes.empty()) return false;
  std::string folder = fileio::FolderOf(path);
  if (!folder.empty()) fileio::MakeDirectories(folder);
  return fileio::WriteFileReplacing(path, bytes) == fileio::kOk;
}

bool WriteBmp(const std::string& path, int width, int height, uint8_t red, uint8_t green, uint8_t blue) {
  if (width <= 0 || height <= 0) return false;
  std::vector<unsigned char> bgr;
  bgr.reserve(size_t(width) * size_t(height) * 3);
  for (size_t i = 0; i < size_t(width) * size_t(height); ++i) bgr.insert(bgr.end(), {blue, green, red});
  return WriteBmp(path, width, height, bgr);
}

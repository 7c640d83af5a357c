#include "kelmor/transform_rules.h"

#include <cmath>

#include "fileio/paths.h"
#include "imglib/status.h"
#include "skin/sk_text.h"

namespace kelmor {

bool IsTransformCommand(int command) { return command >= kTransformFlip && command <= kTransformResize; }

int TransformRotation(int command) {
  if (command == kTransformRotateLeft) return -9000;
  if (command == kTransformRotateRight) return 9000;
  return 0;
}

int TransformLoadDepth(int command) { return command == kTransformResize ? 24 : 0; }

bool ResizeTarget(int pictureWidth, int pictureHeight, const SizeChoice& choice, int& width, int& height) {
  width = height = 0;
  if (pictureWidth <= 0 || pictureHeight <= 0 || choice.width <= 0 || choice.height <= 0) return false;
  if (!choice.keepProportions) {
    width = choice.width;
    height = choice.height;
    return true;
  }
  double factor = double(choice.width) / pictureWidth;
  if (choice.height < pictureHeight * factor) factor = double(choice.height) / pictureHeight;
  width = std::max(1L, std::lround(pictureWidth * factor));
  height = std::max(1L, std::lround(pictureHeight * factor));
  return true;
}

TransformSave TransformSaveRule(const std::string& path, int loadedFormat, int loadedBitsPerPixel) {
  TransformSave save;
  std::string name = fileio::NameOf(path);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return save;
  save.possible = true;
  std::string framed = SKUCASE(name.substr(dot)) + ".";
  if (framed == ".JPG." || framed == ".JPEG.") {
    save.format = imglib::kFormatJpeg;
    save.bitsPerPixel = 24;
    save.qualityFactor = 25;
  } else if (framed == ".CMP.") {
    save.format = imglib::kFormatCmp;
    save.bitsPerPixel = loadedBitsPerPixel;
    save.qualityFactor = -1;
  } else {
    save.format = loadedFormat;
    save.bitsPerPixel = loadedBitsPerPixel;
    save.qualityFactor = 0;
  }
  return save;
}

std::string TransformBatch::PathAt(size_t position) const {
  return position < names.size() ? folder + names[position] : std::string();
}

TransformStepWords EncodeTransformStep(int command, size_t position, size_t count) {
  TransformStepWords words;
  words.wParam = (uint32_t(command) & 0xFFFF) | (uint32_t(position & 0xFFFF) << 16);
  words.lParam = position + 1 < count ? int64_t(count - position - 1) : 0;
  return words;
}

size_t TransformStepPosition(int64_t following, size_t count) {
  if (count == 0 || following < 0 || uint64_t(following) >= count) return count;
  return count - 1 - size_t(following);
}

}  // namespace kelmor

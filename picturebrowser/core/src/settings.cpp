#include "hessam/settings.h"

#include <algorithm>
#include <cstdint>

namespace hessam {
namespace {

int Int16At(std::string_view bytes, size_t offset) {
  auto b0 = uint8_t(bytes[offset]), b1 = uint8_t(bytes[offset + 1]);
  return int16_t(uint16_t(b0 | (b1 << 8)));
}

void PutInt16(std::string& out, int value) {
  auto v = uint16_t(int16_t(std::clamp(value, -32768, 32767)));
  out += char(v & 0xFF);
  out += char(v >> 8);
}

}  // namespace

BrowserSettings DefaultSettings(int screenWidth, int screenHeight, const std::string& windowsFolder) {
  BrowserSettings s;
  s.left = std::max(0, (screenWidth - kDefaultWidth) / 2);
  s.top = std::max(0, (screenHeight - kDefaultHeight) / 2);
  s.folder = windowsFolder;
  return s;
}

void DecodeSettings(std::string_view bytes, BrowserSettings& settings) {
  if (bytes.empty()) return;
  BrowserSettings read = settings;
  int values[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < 4; ++i)
    if (bytes.size() >= 2 * i + 2) values[i] = Int16At(bytes, 2 * i);
  read.left = std::max(0, values[0]);
  read.top = std::max(0, values[1]);
  if (values[2] < 1 || values[3] < 1) {
    read.width = kDefaultWidth;
    read.height = kDefaultHeight;
  } else {
    read.width = values[2];
    read.height = values[3];
  }
  if (bytes.size() > kSettingsFixedBytes) read.folder = std::string(bytes.substr(kSettingsFixedBytes));
  settings = read;
}

std::string EncodeSettings(const BrowserSettings& settings) {
  std::string out;
  PutInt16(out, settings.left);
  PutInt16(out, settings.top);
  PutInt16(out, settings.width);
  PutInt16(out, settings.height);
  out += settings.folder;
  return out;
}

}  // namespace hessam

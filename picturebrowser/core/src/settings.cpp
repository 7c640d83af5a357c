#include "hessam/settings.h"

#include <algorithm>
#include <cstdint>

#include "imaging/int16_record.h"

namespace hessam {

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
    if (bytes.size() >= 2 * i + 2) values[i] = RecordInt16At(bytes, 2 * i);
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
  PutRecordInt16(out, settings.left);
  PutRecordInt16(out, settings.top);
  PutRecordInt16(out, settings.width);
  PutRecordInt16(out, settings.height);
  out += settings.folder;
  return out;
}

}  // namespace hessam

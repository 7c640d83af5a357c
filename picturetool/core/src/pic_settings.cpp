#include "bravik/pic_settings.h"

#include <algorithm>
#include <cstdint>

#include "imaging/int16_record.h"

namespace bravik {

PicSettingsRecord DefaultPicSettings(int screenWidth, int screenHeight, const std::string& windowsFolder) {
  PicSettingsRecord r;
  r.width = 600;
  r.height = 400;
  r.left = std::max(0, (screenWidth - 600) / 2);
  r.top = std::max(0, (screenHeight - 400) / 2);
  r.folder = windowsFolder;
  return r;
}

bool DecodePicSettings(std::string_view bytes, int minWidth, int minHeight, PicSettingsRecord& record) {
  if (bytes.size() < kSettingsFixedBytes) return false;
  PicSettingsRecord r;
  r.left = std::max(0, RecordInt16At(bytes, 0));
  r.top = std::max(0, RecordInt16At(bytes, 2));
  r.width = std::max(minWidth, RecordInt16At(bytes, 4));
  r.height = std::max(minHeight, RecordInt16At(bytes, 6));
  std::string_view rest = bytes.substr(kSettingsFixedBytes);
  // The writer always ends the record with "#" and the two zoom values.
  if (rest.size() >= 5 && rest[rest.size() - 5] == '#') {
    r.zoomLeft = RecordInt16At(rest, rest.size() - 4);
    r.zoomTop = RecordInt16At(rest, rest.size() - 2);
    rest = rest.substr(0, rest.size() - 5);
  }
  size_t bar = rest.find('|');
  if (bar != std::string_view::npos) {
    std::string_view filter = rest.substr(bar + 1);
    // A filter never holds "#": one here starts a zoom part that was cut short.
    filter = filter.substr(0, filter.find('#'));
    r.saveFilter = std::string(filter);
    rest = rest.substr(0, bar);
  }
  r.folder = std::string(rest);
  record = r;
  return true;
}

std::string EncodePicSettings(const PicSettingsRecord& record) {
  std::string out;
  PutRecordInt16(out, record.left);
  PutRecordInt16(out, record.top);
  PutRecordInt16(out, record.width);
  PutRecordInt16(out, record.height);
  out += record.folder;
  out += '|';
  out += record.saveFilter;
  out += '#';
  PutRecordInt16(out, record.zoomLeft);
  PutRecordInt16(out, record.zoomTop);
  return out;
}

std::string PicSettingsPath(const std::string& tempFolder, const std::string& programName) {
  return tempFolder + programName + ".cfg";
}

}  // namespace bravik

// The picture tool's settings record: the temporary folder + program name + ".cfg", one
// record without line end: left, top, width and height of the main window as int16
// little-endian values, the current folder, "|", the save filter, "#" and the zoom box's
// left and top as two int16 values. Portable.
#pragma once
#include <string>
#include <string_view>

namespace bravik {

struct PicSettingsRecord {
  int left = 0;
  int top = 0;
  int width = 600;
  int height = 400;
  std::string folder;      // the folder of the last opened picture
  std::string saveFilter;  // "*" + the upper-cased extension of the last opened picture
  int zoomLeft = 0;
  int zoomTop = 0;
};

// The bytes of the fixed part: four int16 values.
constexpr size_t kSettingsFixedBytes = 8;

// What a missing, empty or cut file gives: 600 x 400 centred on the screen (never at a
// negative position), the zoom box at 0, 0, the Windows folder, no save filter.
PicSettingsRecord DefaultPicSettings(int screenWidth, int screenHeight, const std::string& windowsFolder);

// Reads a record. False (record unchanged) when the bytes are shorter than the fixed
// part. Position at least 0, size at least the skin's minimum. The zoom box position is
// the "#" and the four bytes that end the record, so that a "#" in the folder name (or a
// zoom value that happens to be the byte "#") is read correctly; a record without them
// keeps the zoom box at 0, 0. The save filter is what follows the first "|".
bool DecodePicSettings(std::string_view bytes, int minWidth, int minHeight, PicSettingsRecord& record);
// The record's bytes. Values outside the int16 range are clamped to it.
std::string EncodePicSettings(const PicSettingsRecord& record);

// The settings file's path: temporary folder (with its final "\") + program name + ".cfg".
std::string PicSettingsPath(const std::string& tempFolder, const std::string& programName);

}  // namespace bravik

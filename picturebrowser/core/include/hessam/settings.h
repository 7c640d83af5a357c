// The picture browser's settings file: the temporary folder + the program name + ".cfg",
// one binary record without line end: the main window's left, top, width and height as
// int16 little-endian values, then the last folder to the end of the file. Portable.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace hessam {

inline constexpr int kDefaultWidth = 808;
inline constexpr int kDefaultHeight = 608;
// The bytes of the four int16 values.
inline constexpr size_t kSettingsFixedBytes = 8;

struct BrowserSettings {
  int left = 0;
  int top = 0;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  std::string folder;
};

// Without a readable file: 808 x 608 centred on the screen (never at a negative place), the
// Windows folder.
BrowserSettings DefaultSettings(int screenWidth, int screenHeight, const std::string& windowsFolder);

// Reads a record over the defaults. Left and top are at least 0. A file cut inside the
// four values keeps what it holds of them; a width or height below 1 (a short or damaged
// file) gives the default size, and an empty folder the default folder, so that the window
// never opens without a size nor the scan without a folder. An empty file changes nothing.
void DecodeSettings(std::string_view bytes, BrowserSettings& settings);
// The record's bytes; values outside the int16 range are clamped to it.
std::string EncodeSettings(const BrowserSettings& settings);

}  // namespace hessam

// The maintenance tool's settings file "<temporary folder><program>.cfg": the main
// window's left, top, width and height as four 16-bit little-endian numbers.
#pragma once
#include <string>
#include <string_view>

namespace narwen {

struct WindowPlace {
  int left = 0, top = 0, width = 480, height = 200;
};

inline constexpr int kMinWidth = 240;
inline constexpr int kMinHeight = 120;

// The window's place: the file's when it holds all four numbers, else centred on the
// screen; never smaller than the minimum nor larger than the screen, and moved back
// onto the screen.
WindowPlace ParseToolSettings(std::string_view bytes, int screenWidth, int screenHeight);
std::string FormatToolSettings(const WindowPlace& place);

}  // namespace narwen

// The media browser's command line: a drive-arrival restart, a skin file to start with, or
// a list of file names that the browser hands to its partner program without opening a
// window. Portable.
#pragma once
#include <string>
#include <string_view>

namespace kelmor {

// The argument with which the browser restarts itself after a drive arrived.
inline constexpr const char* kUsbDetectedArgument = "USBDETECTED";

struct BrowserCommandLine {
  bool startByDrive = false;  // "USBDETECTED": no start-up hint
  std::string skinFile;       // a ".sks" file to start the skin engine with; "" for the default
  std::string fileList;       // file names joined by "|"; not empty: hand them over and end
};

// Reads the whole command line: lower-cased and trimmed, then "usbdetected" (any letter
// case), a text ending in ".sks", or file names (PrepareFileNames).
BrowserCommandLine ParseBrowserCommandLine(std::string_view commandLine);

// Turns a lower-cased command line of file names into a "|" list in three passes:
// 1. blanks inside double quotes are protected and the quotes removed; when the text holds
//    no quote (any more), every blank is protected. An unpaired quote protects the rest of
//    the line, which is one name, and ends the pass.
// 2. unprotected blanks separate names ("|"); protected ones become blanks again.
// 3. a blank followed by a drive ("x:\") separates names as well.
// Empty names (from repeated blanks) are left out.
std::string PrepareFileNames(std::string_view text);

}  // namespace kelmor

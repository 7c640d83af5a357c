// Values that the media browser's start-up and clean-up derive from its UI entries and its
// own path. Portable.
#pragma once
#include <string>

namespace kelmor {

// The thumbnail size in pixels: UI entry 16 as a number, kept between 50 and 200.
int ThumbnailSize(const std::string& uiEntry16);
// The working folder before it is created: UI entry 21 with "@path@" (any case) replaced by the
// program folder, without a trailing "\".
std::string WorkingFolderText(const std::string& uiEntry21, const std::string& programFolder);
// The temporary conversion picture that the browser deletes when it ends: the temporary
// folder + the first three letters of the program name, upper-cased, + "CONV.G2B".
std::string ConversionPicture(const std::string& tempFolder, const std::string& programName);

// What happens after the message loop: restart state 2 (a drive arrived) starts the
// browser again with "USBDETECTED", -1 starts it again without argument.
struct RestartPlan {
  bool restart = false;
  std::string argument;
};
RestartPlan PlanRestart(int restartState);

}  // namespace kelmor

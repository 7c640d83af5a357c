#include "kelmor/startup_values.h"

#include <algorithm>

#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "kelmor/cmdline.h"
#include "skin/sk_text.h"

namespace kelmor {

int ThumbnailSize(const std::string& uiEntry16) {
  return std::clamp(fileio::LeadingNumber(uiEntry16), 50, 200);
}

std::string WorkingFolderText(const std::string& uiEntry21, const std::string& programFolder) {
  return fileio::WithoutTrailingSeparator(fileio::ExpandPathMacros(uiEntry21, {.programFolder = programFolder}));
}

std::string ConversionPicture(const std::string& tempFolder, const std::string& programName) {
  return fileio::WithTrailingSeparator(tempFolder) + SKUCASE(programName.substr(0, 3)) + "CONV.G2B";
}

RestartPlan PlanRestart(int restartState) {
  RestartPlan plan;
  if (restartState == 2) {
    plan.restart = true;
    plan.argument = kUsbDetectedArgument;
  } else if (restartState == -1) {
    plan.restart = true;
  }
  return plan;
}

}  // namespace kelmor

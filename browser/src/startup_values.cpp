#include "startup_values.h"

#include <algorithm>
#include <cstdlib>

#include "cmdline.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

int ThumbnailSize(const std::string& uiEntry16) {
  long v = std::strtol(fileio::Trim(uiEntry16).c_str(), nullptr, 10);
  return int(std::min(200L, std::max(50L, v)));
}

std::string WorkingFolderText(const std::string& uiEntry21, const std::string& programFolder) {
  std::string text = uiEntry21;
  const std::string macro = "@path@";
  size_t pos = 0;
  while ((pos = text.find(macro, pos)) != std::string::npos) {
    text.replace(pos, macro.size(), programFolder);
    pos += programFolder.size();
  }
  return fileio::WithoutTrailingSeparator(text);
}

std::string MissingUiFileMessage(const std::string& uiFile) { return uiFile + " missing !"; }

std::string MissingUiFileTitle(const std::string& programFileName) {
  return programFileName.substr(0, programFileName.find('.'));
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

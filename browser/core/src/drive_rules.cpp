#include "kelmor/drive_rules.h"

#include "skin/sk_text.h"

namespace kelmor {

char DriveFromUnitMask(uint32_t unitMask) {
  for (int i = 25; i >= 0; --i)
    if (unitMask & (uint32_t(1) << i)) return char('A' + i);
  return 0;
}

bool FolderOnDrive(const std::string& folder, char drive) {
  if (!drive || folder.size() < 2 || folder[1] != ':') return false;
  return SKUCASE(folder.substr(0, 1))[0] == SKUCASE(std::string(1, drive))[0];
}

std::string DriveRoot(char drive) { return std::string(1, drive) + ":\\"; }

std::string DriveArrivalQuestion(const std::string& uiEntry76, char drive) {
  std::string out;
  for (char c : uiEntry76) {
    if (c == '@') out += std::string(1, drive) + ":";
    else out += c;
  }
  return out;
}

DriveRemovalPlan PlanDriveRemoval(char drive, const std::string& currentFolder) {
  DriveRemovalPlan plan;
  if (FolderOnDrive(currentFolder, drive)) {
    plan.currentFolderGone = true;
    plan.remember = currentFolder;
  }
  return plan;
}

DriveArrivalPlan PlanDriveArrival(char drive, bool cdrom, const std::string& currentFolder,
                                  const std::string& remembered,
                                  const std::function<bool(const std::string&)>& folderExists) {
  DriveArrivalPlan plan;
  if (currentFolder.empty() && !remembered.empty() && FolderOnDrive(remembered, drive)) {
    plan.action = DriveArrivalAction::RestoreFolder;
    plan.folder = folderExists(remembered) ? remembered : DriveRoot(drive);
    plan.forgetRemembered = true;
    return plan;
  }
  plan.forgetRemembered = !cdrom && !remembered.empty();
  plan.action = cdrom ? DriveArrivalAction::RebuildTree : DriveArrivalAction::AskToShow;
  return plan;
}

}  // namespace kelmor

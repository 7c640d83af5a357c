// What the media browser does when a drive arrives or goes: which drive a device message
// names, and the plan for the current folder, the remembered folder and the folder tree.
// Portable: the window procedure carries the plan out.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace kelmor {

// The drive of a volume's unit mask: the highest letter set (bit 0 = A); 0 when none is.
char DriveFromUnitMask(uint32_t unitMask);
// Whether a folder lies on a drive ("e:\pics\" on 'E').
bool FolderOnDrive(const std::string& folder, char drive);
// The root of a drive: "E:\".
std::string DriveRoot(char drive);
// The question asked when a drive arrives: UI entry 76 with "@" replaced by the drive and ":".
std::string DriveArrivalQuestion(const std::string& uiEntry76, char drive);

struct DriveRemovalPlan {
  bool currentFolderGone = false;  // the current folder was on the drive: empty the list
  std::string remember;            // the folder to bring back when the drive returns ("" none)
};
DriveRemovalPlan PlanDriveRemoval(char drive, const std::string& currentFolder);

enum class DriveArrivalAction {
  RestoreFolder,  // the remembered drive is back: show its folder again, no question
  RebuildTree,    // a CD: the tree shows it, the current folder stays
  AskToShow,      // any other drive: ask whether to show it (yes restarts the browser on it)
};

struct DriveArrivalPlan {
  DriveArrivalAction action = DriveArrivalAction::AskToShow;
  std::string folder;             // RestoreFolder: the folder to show
  bool forgetRemembered = false;  // the remembered folder is cleared
};

// remembered: the folder kept when its drive went ("" none). The remembered folder comes
// back only when its own drive arrives while no folder is shown; it is tested before any
// other drive's arrival clears it. A remembered folder that no longer exists gives the
// drive's root.
DriveArrivalPlan PlanDriveArrival(char drive, bool cdrom, const std::string& currentFolder,
                                  const std::string& remembered,
                                  const std::function<bool(const std::string&)>& folderExists);

}  // namespace kelmor

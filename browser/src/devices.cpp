#include "devices.h"

#include <dbt.h>

#include "boxes.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "folders.h"
#include "imaging/copydata.h"
#include "kelmor/drive_rules.h"
#include "skin/sk_text.h"
#include "state.h"

namespace kelmor {

namespace {

void DriveRemoved(char drive) {
  BrowserState& b = App();
  DriveRemovalPlan plan = PlanDriveRemoval(drive, b.currentFolder);
  if (plan.currentFolderGone) {
    b.rememberedFolder = plan.remember;
    b.currentFolder.clear();
    RebuildFolderTree();
    ClearFileList();
  } else {
    RebuildFolderTree();
  }
}

void DriveArrived(char drive) {
  BrowserState& b = App();
  std::string root = DriveRoot(drive);
  bool cdrom = GetDriveTypeA(root.c_str()) == DRIVE_CDROM;
  DriveArrivalPlan plan = PlanDriveArrival(drive, cdrom, b.currentFolder, b.rememberedFolder, [](const std::string& f) {
    DWORD a = GetFileAttributesA(fileio::WithoutTrailingSeparator(f).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  });
  if (plan.forgetRemembered) b.rememberedFolder.clear();
  switch (plan.action) {
    case DriveArrivalAction::RestoreFolder:
      RebuildFolderTree();
      GoToFolder(plan.folder, true);
      break;
    case DriveArrivalAction::RebuildTree:
      RebuildFolderTree();
      break;
    case DriveArrivalAction::AskToShow:
      if (QUESTIONBOX(DriveArrivalQuestion(Ui(76), drive), Ui(29)) == 1) {
        // The browser starts again on the drive ("USBDETECTED") once it has closed.
        b.currentFolder = SKLCASE(root);
        b.restartState = kRestartAfterDrive;
        SENDCOPYDATA(b.frame, kCodeClose, "");
      } else {
        RebuildFolderTree();
      }
      break;
  }
}

}  // namespace

void OnDeviceChange(WPARAM event, LPARAM data) {
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return;
  auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
    return;
  char drive = DriveFromUnitMask(reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data)->dbcv_unitmask);
  if (!drive) return;
  if (event == DBT_DEVICEREMOVECOMPLETE) DriveRemoved(drive);
  else DriveArrived(drive);
  MessageBeep(UINT(-1));
}

}  // namespace kelmor

#include "closing.h"

#include <windows.h>

#include "fileio/file.h"
#include "grilton/source_dialog.h"
#include "imaging/gdiplus_helpers.h"
#include "pictures.h"
#include "recording.h"
#include "scan.h"
#include "settings.h"
#include "state.h"

namespace grilton {

void OnSysClose() {
  Grilton& a = App();
  if (a.frame) ShowWindow(a.frame, SW_HIDE);
  WriteSettings();
  PostQuitMessage(0);
}

void OnDestroy() {
  Grilton& a = App();
  AbandonRecording();
  a.clip.Free();
  DiscardWorkFiles();
  // The work folder was checked at start: never a root nor a system or program folder.
  if (!a.place.workFolder.empty())
    for (const fileio::DirEntry& e : fileio::ListDirectory(a.place.workFolder + "*.*"))
      if (!e.directory) RECYCLEFILE(a.place.workFolder + e.name, 0);
  KillSourceDialogTimer();
  if (a.zoomHolder && IsWindow(a.zoomHolder)) DestroyWindow(a.zoomHolder);
  a.zoomHolder = nullptr;
  PostQuitMessage(0);
}

}  // namespace grilton

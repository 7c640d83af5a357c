#include "settings.h"

#include <windows.h>

#include "bravik/pic_settings.h"
#include "fileio/file.h"
#include "skin/skin.h"
#include "state.h"

namespace bravik {

void PICSETTINGS(int mode) {
  ToolState& t = App();
  std::string path = PicSettingsPath(SKGETTEMPPATH(), t.programName);
  if (mode == 0) {
    std::string bytes;
    PicSettingsRecord r = DefaultPicSettings(t.screenWidth, t.screenHeight, SKWINDIR());
    if (fileio::ReadWholeFile(path, bytes) == fileio::kOk) DecodePicSettings(bytes, SKXMINI(), SKYMINI(), r);
    t.currentFolder = r.folder;
    t.saveFilter = r.saveFilter;
    t.zoomLeft = r.zoomLeft;
    t.zoomTop = r.zoomTop;
    // The window's place waits in the settings values until the window exists.
    t.settingsPlace = RECT{r.left, r.top, r.left + r.width, r.top + r.height};
    return;
  }
  PicSettingsRecord r;
  RECT place = t.settingsPlace;
  if (t.frame && IsWindow(t.frame) && !IsIconic(t.frame)) GetWindowRect(t.frame, &place);
  r.left = place.left;
  r.top = place.top;
  r.width = place.right - place.left;
  r.height = place.bottom - place.top;
  r.folder = t.currentFolder;
  r.saveFilter = t.saveFilter;
  if (t.zoomBox && IsWindow(t.zoomBox)) {
    RECT box;
    GetWindowRect(t.zoomBox, &box);
    t.zoomLeft = box.left;
    t.zoomTop = box.top;
  }
  r.zoomLeft = t.zoomLeft;
  r.zoomTop = t.zoomTop;
  // Written beside the old file and then in its place: a failed write keeps the old one.
  fileio::WriteFileReplacing(path, EncodePicSettings(r));
}

}  // namespace bravik

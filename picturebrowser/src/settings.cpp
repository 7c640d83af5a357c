#include "settings.h"

#include <windows.h>

#include "fileio/file.h"
#include "hessam/settings.h"
#include "skin/skin.h"
#include "state.h"

namespace hessam {

std::string SettingsPath() { return SKGETTEMPPATH() + App().programName + ".cfg"; }

void PICTURESETTINGS(int& left, int& top, int& width, int& height, uint8_t write) {
  BrowserState& b = App();
  if (write) {
    fileio::WriteFileReplacing(SettingsPath(), EncodeSettings({left, top, width, height, b.currentFolder}));
    return;
  }
  BrowserSettings s = DefaultSettings(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SKWINDIR());
  std::string bytes;
  if (fileio::ReadWholeFile(SettingsPath(), bytes) == fileio::kOk) DecodeSettings(bytes, s);
  left = s.left;
  top = s.top;
  width = s.width;
  height = s.height;
  b.currentFolder = s.folder;
}

}  // namespace hessam

#include "settings.h"

#include <windows.h>

#include "fileio/fields.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"

namespace grilton {

void ReadSettings() {
  Grilton& a = App();
  a.settingsPath = SKGETTEMPPATH() + a.programName + ".cfg";
  ArchiveSettings defaults =
      DefaultSettings(a.screenWidth, a.screenHeight, SKWINDIR(), fileio::LeadingNumber(Ui(71)));
  std::string text;
  fileio::ReadWholeFile(a.settingsPath, text);
  a.settings = ParseSettingsLine(text, defaults);
}

void WriteSettings() {
  Grilton& a = App();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (a.frame && GetWindowPlacement(a.frame, &placement)) {
    const RECT& r = placement.rcNormalPosition;
    a.settings.left = r.left;
    a.settings.top = r.top;
    a.settings.width = r.right - r.left;
    a.settings.height = r.bottom - r.top;
  }
  fileio::WriteFileReplacing(a.settingsPath, FormatSettingsLine(a.settings));
}

}  // namespace grilton

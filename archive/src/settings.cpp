#include "settings.h"

#include <windows.h>

#include "fileio/fields.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "skin/skin.h"
#include "state.h"
#include "win/window_place.h"

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
  win::TakeNormalPlace(a.frame, a.settings);
  fileio::WriteFileReplacing(a.settingsPath, FormatSettingsLine(a.settings));
}

}  // namespace grilton

// The settings file of the picture tool, over the core's record (bravik/pic_settings.h).
#pragma once
namespace bravik {

// Writes the settings record from the windows' places (mode 1) or reads it (mode 0).
void PICSETTINGS(int mode);

}  // namespace bravik

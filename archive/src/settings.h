// The settings file: temporary folder + program name + ".cfg", one line of eight fields.
#pragma once

namespace grilton {

// Reads the settings at start (a missing or empty file gives the defaults).
void ReadSettings();
// Rewrites the file whole with the window's place and the values in use.
void WriteSettings();

}  // namespace grilton

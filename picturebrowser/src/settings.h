// PICTURESETTINGS: the picture browser's settings file.
#pragma once
#include <cstdint>
#include <string>

namespace hessam {

// The settings file: the temporary folder + the program's base name + ".cfg".
std::string SettingsPath();
// write 0 reads the place of the main window into the arguments and the last folder into
// the current folder (the defaults without a readable file); write 1 writes them.
void PICTURESETTINGS(int& left, int& top, int& width, int& height, uint8_t write);

}  // namespace hessam

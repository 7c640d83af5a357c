// BROWSERSETTINGS: reading and writing the media browser's settings and favourites.
#pragma once
#include <string>

namespace kelmor {

// The settings file and the favourites file of this program.
std::string SettingsPath();
std::string FavouritesPath();

// mode 0 reads the settings into the arguments (defaults when the file is missing, unreadable
// or empty; limits applied), mode 1 writes the favourites box and then the arguments. The
// start-up hint flag and the side-file markers option are read and written in the
// program's state.
void BROWSERSETTINGS(int& left, int& top, int& width, int& height, std::string& folder, std::string& filter,
                     int& option809, int mode);

}  // namespace kelmor

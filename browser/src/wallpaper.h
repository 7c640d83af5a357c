// Command 110: the first selected picture becomes the desktop wallpaper.
#pragma once
#include <string>

namespace kelmor {

// The wallpaper file: the program folder + "KELMORWLP.BMP".
std::string WallpaperFile();
// Makes the picture the size of the screen, saves it as the wallpaper file and sets it as
// the desktop wallpaper; 0 on success, else an imaging status or a Windows error number.
int MakeWallpaper(const std::string& picture);
void WallpaperCommand();

}  // namespace kelmor

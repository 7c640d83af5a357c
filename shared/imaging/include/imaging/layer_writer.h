// The picture tool's writer of layered picture files, from a device context that holds
// the working picture. Windows only; the file's encoding is layer_file.h's.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "imaging/layer_file.h"

// Follows the writing rule: the old layered file of picturePath is deleted; with objects,
// the picture (width x height pixels of the context from its top-left corner) is copied,
// reduced into a square of thumbnailSide and written with the object lines and the
// trailer. True when a file was written.
bool WRITELAYERFILE(const std::string& picturePath, HDC picture, int width, int height,
                    const std::vector<layer::Object>& objects, int thumbnailSide);

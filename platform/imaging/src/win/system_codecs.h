// Pictures that the system's GDI+ codecs read and write: PNG, TIFF, metafiles, icons
// with PNG pictures and whatever our own decoders refuse. Internal, Windows only.
#pragma once
#include <string>
#include <string_view>

#include "imglib/raster.h"

namespace imglib::system {

// Decodes through GDI+; transparent parts become white. infoOnly skips the pixels.
int Decode(std::string_view bytes, Picture& out, bool infoOnly);
// Encodes PNG or TIFF through GDI+.
int Encode(const Raster& pixels, int format, std::string& out);
bool CanEncode(int format);

}  // namespace imglib::system

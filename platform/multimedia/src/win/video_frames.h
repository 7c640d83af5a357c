// Frames of a video file read through Video for Windows (the AVI file calls), and a packed
// device-independent bitmap put on the clipboard. Windows only.
#pragma once
#include <cstdint>
#include <string>

namespace mm {

// The frame shown at the position (milliseconds, clamped to the stream) as a packed DIB:
// its header, colour table and pixels. False when the file has no video stream or the
// frame cannot be decoded.
bool ReadVideoFrame(const std::string& file, int32_t position, std::string& dib);
// The packed DIB as the clipboard's only content (CF_DIB).
bool PutDibOnClipboard(const std::string& dib);

}  // namespace mm

// The recording display's arithmetic: the points of the trace drawn from the capture
// copy, the styles and the colour ramp. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace grilton {

// The copy of the last captured buffer the display draws from.
inline constexpr size_t kCaptureCopyBytes = 1024;
inline constexpr int kDisplayStyles = 6;

struct TracePoint {
  int x = 0;
  int y = 0;
};

// One point per pixel column, at most as many as the copy holds 16-bit samples (the
// copy is never read past its end) and never more than 1024: sample i read as a signed
// 16-bit number, offset by 32767 for 16-bit recordings (0 for 8-bit ones), taken as an
// unsigned 16-bit value and scaled to the height: y = height - value / (65535 / height).
std::vector<TracePoint> TracePoints(const uint8_t* capture, size_t bytes, int bitsPerSample, int width, int height);

// A click while recording: the left button lowers the style (below 1: 6), the right
// raises it (above 6: 1). Styles below 1 draw as 1.
int NextDisplayStyle(int style, bool raise);
int DrawnStyle(int style, bool recording);

// The colour of a height (0 = top): a ramp from red at the top through yellow and green
// to blue at the bottom, as 0x00BBGGRR.
uint32_t RampColour(int y, int height);
// An ARGB colour with its alpha byte replaced.
uint32_t WithAlpha(uint32_t argb, uint8_t alpha);

}  // namespace grilton

// pellox.dll: the slide transition effects plug-in. Its one export, "skEffect", plays one
// of its effects on a device context on the imaging layer's frame loop, calling the
// caller's status callback between frames.
#include <windows.h>

#include "imglib/imglib_effects.h"
#include "pellox/pellox_effects.h"

namespace {

// How many automatic choices this process has played: each plays the next effect.
int gAutomaticTurn = 0;

}  // namespace

// The target device context; the target rectangle (left, top, width, height); the picture
// as a device-dependent bitmap; 0; the status callback; step (percent of the way a frame
// goes, 0 for the plug-in's own); time (milliseconds a frame lasts at least); the effect.
// Answers 1 when the last frame was painted, else the callback's stop value or a failure.
extern "C" int WINAPI skEffect(HDC dc, int left, int top, int width, int height, HBITMAP picture, int /*reserved*/,
                               STATUSCALLBACK callback, int step, int time, int effect) {
  imglib::Raster to;
  if (!dc || width <= 0 || height <= 0 || !imglib::RasterFromBitmapHandle(picture, width, height, to))
    return imglib::kInvalidParameter;
  int chosen = effect == pellox::kAutomatic ? pellox::AutomaticEffect(gAutomaticTurn++) : effect;
  imglib::TransitionPace pace;
  pace.frames = pellox::FramesForStep(step);
  pace.frameMs = DWORD(time > 0 ? time : 0);
  pace.callback = callback;
  RECT area{left, top, left + width, top + height};
  return imglib::PaintTransition(
      dc, area, to,
      [chosen](const imglib::Raster& from, const imglib::Raster& target, int frame, int frames, imglib::Raster& out) {
        return pellox::ComposePluginFrame(from, target, chosen, frame, frames, out);
      },
      pace);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// The effect painter: a bitmap painted into a device context with a transition effect
// (imglib/transitions.h), frame by frame over what the context shows, and the status
// callback that long imaging calls report their progress to. Windows only.
#pragma once
#include <windows.h>

#include <functional>

#include "imglib/imglib.h"
#include "imglib/transitions.h"

// Called between the steps of a long call with the percentage done. kSuccess (1) lets
// the call go on; any value below 1 (kUserAbort, -100) stops it, and the call answers
// that value.
using STATUSCALLBACK = int(CALLBACK*)(int percentComplete, void* userData);

// Installs the status callback of the process (null: none); the previous one and its
// data go into oldCallback and oldUserData when given. Main thread only.
int L_SetStatusCallBack(STATUSCALLBACK callback, void* userData, STATUSCALLBACK* oldCallback, void** oldUserData);
// The installed status callback; null when none is installed, which is also when no call
// that reports its progress runs (the callers install one only around such a call).
STATUSCALLBACK L_GetStatusCallBack(void** userData = nullptr);

// Paints the bitmap stretched over the destination rectangle (the bitmap's size at 0, 0
// for null) with an effect of imglib::TransitionEffect, starting from what the rectangle
// shows now. The frames (imglib::kTransitionFrames of them; grain above 1 skips to every
// grain-th) are painted one after the other; between two frames the status callback is
// called and delay milliseconds pass. An effect the painter does not know paints the
// bitmap plainly. Answers kSuccess when the last frame was painted, or the callback's
// stop value.
int L_EfxPaintBitmap(HDC dc, const ImgBitmap* bitmap, const RECT* destination, int effect, int grain, int delay);

namespace imglib {

// A frame of a transition: false when it cannot be made (the painter then stops).
using FrameComposer = std::function<bool(const Raster& from, const Raster& to, int frame, int frames, Raster& out)>;

// How a transition runs: its frames, every step-th of them painted, at least frameMs
// milliseconds each, and the callback called between two frames (null: none).
struct TransitionPace {
  int frames = kTransitionFrames;
  int step = 1;
  DWORD frameMs = 0;
  STATUSCALLBACK callback = nullptr;
  void* userData = nullptr;
};

// The frame loop of every transition painter (this layer's and the effects plug-in's):
// reads what the area of dc shows, then paints compose's frames 1 to frames of the way
// to `to` (the area's size) there. Answers kSuccess, the callback's stop value, or a
// failure when the area cannot be read.
int PaintTransition(HDC dc, const RECT& area, const Raster& to, const FrameComposer& compose,
                    const TransitionPace& pace);

// The picture of a bitmap handle (a device-dependent bitmap or a DIB section) resampled
// to width x height; false when it cannot be read.
bool RasterFromBitmapHandle(HBITMAP bitmap, int width, int height, Raster& out);

}  // namespace imglib

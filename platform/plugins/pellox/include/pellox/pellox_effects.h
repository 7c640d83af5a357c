// The effects plug-in's own transitions: what its effect numbers show frame by frame.
// Portable; pellox.dll runs them on the imaging layer's frame loop.
#pragma once
#include "imglib/raster.h"

namespace pellox {

enum PluginEffect : int {
  kLight = -1,     // the automatic choice of a slow machine: a plain wipe
  kAutomatic = 0,  // one of the effects below, in turn
  kSpin = 1,       // the new picture turns in from the centre as it grows
  kPageTurn = 2,   // the old picture is turned away like a page from the bottom right
  kRipple = 3,     // the new picture fades in through waves that calm down
  kShatter = 4,    // the old picture breaks into pieces that fall away
};
inline constexpr int kLastEffect = kShatter;

// The frames of a transition whose every frame goes step percent of the way (0: 5).
int FramesForStep(int step);
// The effect that an automatic choice plays, given how many were played before.
int AutomaticEffect(int turn);

// Frame `frame` of `frames` from `from` to `to` (one size) into out: `from` at 0, `to` at
// frames. An effect number the plug-in does not know shows `to` from frame 1 on. False
// for empty pictures of different sizes.
bool ComposePluginFrame(const imglib::Raster& from, const imglib::Raster& to, int effect, int frame, int frames,
                        imglib::Raster& out);

}  // namespace pellox

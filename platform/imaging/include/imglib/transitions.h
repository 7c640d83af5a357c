// The transition effects of the effect painter: how a picture gives way to the next one,
// frame by frame. The effect numbers are the layer's own; the slide show maker's effect
// lists are ordered so that their entries carry these numbers. Portable.
#pragma once
#include "imglib/raster.h"

namespace imglib {

enum TransitionEffect : int {
  kWipeFromLeft = 2000, kWipeFromRight, kWipeFromTop, kWipeFromBottom,
  kPushLeft = 3000, kPushRight, kPushUp, kPushDown,
  kSlideFromLeft = 4000, kSlideFromRight, kSlideFromTop, kSlideFromBottom,
  kBlindsHorizontal = 5000, kBlindsVertical,
  kDoorsOpenSideways = 6000, kDoorsOpenUpDown, kDoorsCloseSideways, kDoorsCloseUpDown,
  kBoxOut = 7000, kBoxIn,
  kCircleOut = 8000, kCircleIn,
  kDiamondOut = 9000, kDiamondIn,
  kCheckersAcross = 10000, kCheckersDown,
  kDissolve = 11000, kCoarseDissolve,
  kFadeThroughBlack = 12000, kFadeThroughWhite, kCrossFade,
  kRollFromLeft = 13000, kRollFromTop,
  kSpiralIn = 14000, kSpiralOut,
  kStripesFromLeft = 15000, kStripesFromTop,
  kZoomIn = 16000, kZoomOut,
};

// Every effect the composer knows, in number order.
const int* TransitionEffects(int& count);
bool IsTransitionEffect(int effect);

// The frames of one transition as the painter runs it.
constexpr int kTransitionFrames = 32;

// Frame `frame` of `frames` of the transition from `from` to `to` (two pictures of one
// size) into out: frame 0 (and below) is `from`, frame `frames` (and beyond) is `to`. An
// effect the composer does not know shows `from` at frame 0 and `to` from frame 1 on.
// False when the pictures are empty or differ in size, or frames is below 1.
bool ComposeTransitionFrame(const Raster& from, const Raster& to, int effect, int frame, int frames, Raster& out);

// out = from + (to - from) x weight / 256 in every byte (weight 0 to 256); the sizes match.
void BlendPictures(const Raster& from, const Raster& to, int weight, Raster& out);
// A well-spread number from 0 to 65535 for a pair of co-ordinates: the order in which a
// dissolve reveals its pixels or blocks.
uint32_t DissolveRank(uint32_t x, uint32_t y);

}  // namespace imglib

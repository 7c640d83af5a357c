#include "hessam/zoom.h"

#include <algorithm>

namespace hessam {
namespace {

// Steps an offset within [limit, 0]; true when it moved.
bool Step(int& offset, int by, int limit) {
  int next = std::clamp(offset + by, std::min(limit, 0), 0);
  if (next == offset) return false;
  offset = next;
  return true;
}

bool Set(int& offset, int value) {
  if (offset == value) return false;
  offset = value;
  return true;
}

}  // namespace

ZoomView NaturalZoomView(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
  ZoomView v;
  v.screenWidth = screenWidth;
  v.screenHeight = screenHeight;
  v.pictureWidth = pictureWidth;
  v.pictureHeight = pictureHeight;
  v.wider = pictureWidth > screenWidth;
  v.higher = pictureHeight > screenHeight;
  v.minX = screenWidth - pictureWidth;
  v.minY = screenHeight - pictureHeight;
  v.offsetX = std::max(0, (screenWidth - pictureWidth) / 2);
  v.offsetY = std::max(0, (screenHeight - pictureHeight) / 2);
  return v;
}

ZoomView FittedZoomView(int screenWidth, int screenHeight) {
  ZoomView v;
  v.screenWidth = v.pictureWidth = screenWidth;
  v.screenHeight = v.pictureHeight = screenHeight;
  return v;
}

ZoomKeyResult ZoomKey(ZoomView& v, int key) {
  bool moved = false;
  switch (key) {
    case kKeyHome: moved = v.wider && Set(v.offsetX, 0); break;
    case kKeyEnd: moved = v.wider && Set(v.offsetX, v.minX); break;
    case kKeyPageUp: moved = v.higher && Set(v.offsetY, 0); break;
    case kKeyPageDown: moved = v.higher && Set(v.offsetY, v.minY); break;
    case kKeyLeft: moved = v.wider && Step(v.offsetX, kZoomStep, v.minX); break;
    case kKeyRight: moved = v.wider && Step(v.offsetX, -kZoomStep, v.minX); break;
    case kKeyUp: moved = v.higher && Step(v.offsetY, kZoomStep, v.minY); break;
    case kKeyDown: moved = v.higher && Step(v.offsetY, -kZoomStep, v.minY); break;
    default: return ZoomKeyResult::kClose;
  }
  return moved ? ZoomKeyResult::kMoved : ZoomKeyResult::kUnchanged;
}

bool ZoomEdgeScroll(ZoomView& v, int x, int y) {
  bool moved = false;
  if (v.wider) {
    if (x > v.screenWidth - 10) moved = Step(v.offsetX, -kZoomStep, v.minX) || moved;
    else if (x < 10) moved = Step(v.offsetX, kZoomStep, v.minX) || moved;
  }
  if (v.higher) {
    if (y > v.screenHeight - 11) moved = Step(v.offsetY, -kZoomStep, v.minY) || moved;
    else if (y < 10) moved = Step(v.offsetY, kZoomStep, v.minY) || moved;
  }
  return moved;
}

}  // namespace hessam

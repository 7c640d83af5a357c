// The zoom view: one picture over the screen, at its natural size scrolled by the keys and
// by the pointer at the screen's edges, or fitted into the screen. Portable.
#pragma once

namespace hessam {

// Virtual-key codes the zoom view takes.
enum ZoomKeyCode : int {
  kKeyPageUp = 0x21,
  kKeyPageDown = 0x22,
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
};

// The step of the keys and of the edge scrolling, in pixels.
inline constexpr int kZoomStep = 4;

struct ZoomView {
  int screenWidth = 0;
  int screenHeight = 0;
  int pictureWidth = 0;
  int pictureHeight = 0;
  // Whether the picture is wider (higher) than the screen: only then does it scroll that way.
  bool wider = false;
  bool higher = false;
  // The scroll offsets: where the picture's left (top) edge lies, from 0 down to the lower
  // limit (screen size - picture size) in a direction it scrolls; in a direction it does
  // not, the place that centres it on the screen.
  int offsetX = 0;
  int offsetY = 0;
  int minX = 0;
  int minY = 0;

  // The zoom window on the screen: as large as the picture, at most the screen, centred in
  // a direction the picture does not fill.
  int WindowX() const { return wider ? 0 : offsetX; }
  int WindowY() const { return higher ? 0 : offsetY; }
  int WindowWidth() const { return wider ? screenWidth : pictureWidth; }
  int WindowHeight() const { return higher ? screenHeight : pictureHeight; }
  // Where the picture is drawn inside the zoom window.
  int DrawX() const { return wider ? offsetX : 0; }
  int DrawY() const { return higher ? offsetY : 0; }
};

// A picture at its natural size: centred where it is smaller than the screen, at its left
// (top) edge where it is larger.
ZoomView NaturalZoomView(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);
// A picture fitted into the screen: the window covers the screen and nothing scrolls.
ZoomView FittedZoomView(int screenWidth, int screenHeight);

enum class ZoomKeyResult { kUnchanged, kMoved, kClose };
// A key while the zoom view shows: Home/End and Page Up/Page Down go to the ends, the
// arrows step; a key for a direction that does not scroll changes nothing; any other key
// closes the view.
ZoomKeyResult ZoomKey(ZoomView& view, int key);
// The pointer at (x, y) of the screen: within 10 pixels of an edge the picture scrolls by
// a step towards that edge. True when an offset changed.
bool ZoomEdgeScroll(ZoomView& view, int x, int y);

}  // namespace hessam

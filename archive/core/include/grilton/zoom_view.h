// The enlarged view's scrolling: which part of a picture larger than the view shows.
// Portable.
#pragma once

namespace grilton {

struct ZoomOffset {
  int x = 0;
  int y = 0;
};

// Keys that scroll the view (their virtual-key numbers); any other key closes it.
enum class ZoomKey { Left, Right, Up, Down, PageUp, PageDown, Home, End, Other };
ZoomKey ZoomKeyOf(int virtualKey);

// The offset after a key: arrows move by a tenth of the view, page keys by a view, home
// and end go to the top left and the bottom right. Always within 0 .. picture - view
// (0 when the picture fits).
ZoomOffset ScrollZoom(ZoomOffset offset, ZoomKey key, int pictureWidth, int pictureHeight, int viewWidth,
                      int viewHeight);
// The offset that the mouse at (x, y) in the view shows: the picture moves under it in
// proportion, so that the view's edges show the picture's edges.
ZoomOffset ZoomAtMouse(int x, int y, int pictureWidth, int pictureHeight, int viewWidth, int viewHeight);

}  // namespace grilton

#include "grilton/zoom_view.h"

#include <algorithm>

namespace grilton {

namespace {

int Clamp(int value, int picture, int view) { return std::clamp(value, 0, std::max(0, picture - view)); }

}  // namespace

ZoomKey ZoomKeyOf(int virtualKey) {
  switch (virtualKey) {
    case 0x25: return ZoomKey::Left;
    case 0x27: return ZoomKey::Right;
    case 0x26: return ZoomKey::Up;
    case 0x28: return ZoomKey::Down;
    case 0x21: return ZoomKey::PageUp;
    case 0x22: return ZoomKey::PageDown;
    case 0x24: return ZoomKey::Home;
    case 0x23: return ZoomKey::End;
    default: return ZoomKey::Other;
  }
}

ZoomOffset ScrollZoom(ZoomOffset o, ZoomKey key, int pictureWidth, int pictureHeight, int viewWidth,
                      int viewHeight) {
  const int stepX = std::max(1, viewWidth / 10), stepY = std::max(1, viewHeight / 10);
  switch (key) {
    case ZoomKey::Left: o.x -= stepX; break;
    case ZoomKey::Right: o.x += stepX; break;
    case ZoomKey::Up: o.y -= stepY; break;
    case ZoomKey::Down: o.y += stepY; break;
    case ZoomKey::PageUp: o.y -= viewHeight; break;
    case ZoomKey::PageDown: o.y += viewHeight; break;
    case ZoomKey::Home: o = {0, 0}; break;
    case ZoomKey::End: o = {pictureWidth, pictureHeight}; break;
    case ZoomKey::Other: break;
  }
  return {Clamp(o.x, pictureWidth, viewWidth), Clamp(o.y, pictureHeight, viewHeight)};
}

ZoomOffset ZoomAtMouse(int x, int y, int pictureWidth, int pictureHeight, int viewWidth, int viewHeight) {
  auto along = [](int at, int picture, int view) {
    if (picture <= view || view <= 1) return 0;
    long long spare = picture - view;
    return Clamp(int(spare * std::clamp(at, 0, view - 1) / (view - 1)), picture, view);
  };
  return {along(x, pictureWidth, viewWidth), along(y, pictureHeight, viewHeight)};
}

}  // namespace grilton

// A rectangle of the shared boxes' portable layouts: position and size in pixels.
#pragma once

struct BoxRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

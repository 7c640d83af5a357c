// The square window of the area filters. Internal, portable.
#pragma once
#include <algorithm>

namespace imglib {

// A window of n pixels reaches (n - 1) / 2 back and n / 2 forward, so that an odd window
// is centred and an even one leans forward.
struct Window {
  explicit Window(int size) : back((size - 1) / 2), forward(size / 2) {}
  int back;
  int forward;
  // Edges repeat their outer pixels.
  static int Clamp(int i, int size) { return std::clamp(i, 0, size - 1); }
};

}  // namespace imglib

// Times one transition frame of every effect at 1024 x 768: composed from the two pictures
// and painted into a device context, as the effect painter does for each frame.
//   transition_bench [width height]
// The goal is under 10 ms a frame for every effect.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "imglib/imglib_effects.h"
#include "win/raii.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace imglib;

Raster Photo(int w, int h, unsigned seed) {
  Raster p;
  p.Allocate(w, h);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int noise = int(random() % 32);
      p.Set(x, y, uint8_t((x * 255 / w + noise) & 255), uint8_t((y * 255 / h + noise) & 255), uint8_t((x + y) & 255));
    }
  return p;
}

// Paints the frame as the painter does.
void Paint(HDC dc, const Raster& frame) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = frame.Width();
  info.bmiHeader.biHeight = -frame.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  SetDIBitsToDevice(dc, 0, 0, DWORD(frame.Width()), DWORD(frame.Height()), 0, 0, 0, UINT(frame.Height()),
                    frame.Data(), &info, DIB_RGB_COLORS);
  GdiFlush();
}

}  // namespace

int main(int argc, char** argv) {
  int w = argc > 2 ? std::atoi(argv[1]) : 1024, h = argc > 2 ? std::atoi(argv[2]) : 768;
  const Raster from = Photo(w, h, 1), to = Photo(w, h, 2);
  if (from.Empty()) return 1;
  win::WindowDC screen(nullptr);
  win::MemoryDC target(screen, w, h);
  if (!target) return 1;
  int count = 0;
  const int* effects = TransitionEffects(count);
  double worst = 0;
  int worstEffect = 0;
  Raster frame;
  for (int i = 0; i < count; ++i) {
    // Every frame of a whole transition; the mean per frame is reported.
    auto start = Clock::now();
    for (int k = 1; k <= kTransitionFrames; ++k) {
      ComposeTransitionFrame(from, to, effects[i], k, kTransitionFrames, frame);
      Paint(target, frame);
    }
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kTransitionFrames;
    std::printf("effect %5d  %6.2f ms a frame\n", effects[i], ms);
    if (ms > worst) worst = ms, worstEffect = effects[i];
  }
  std::printf("slowest: effect %d, %.2f ms a frame (goal: under 10 ms) at %d x %d\n", worstEffect, worst, w, h);
  return worst < 10 ? 0 : 2;
}

// The marquee of the audio panel (class "MARQUEE"): the current title in raised letters on
// a see-through strip above the pane, moving to the left two pixels a player tick, round
// and round. The title's casing and the ring move are portable; the window is Windows only.
#pragma once
#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace jorvel {

// The title as the marquee shows it: trimmed, words parted by one blank, each word lower
// case with a capital first letter, and a capital second letter too when the word begins
// with "'" or "(".
std::string MarqueeTitle(const std::string& text);

// One step of the ring: every row of a 32-bit picture moves one pixel to the left, its
// first pixel coming round to the end. stride: pixels from one row to the next.
void RingStepLeft(uint32_t* pixels, int width, int height, int stride);

#ifdef _WIN32
// Pixels the strip moves for each WM_TIMER it is sent.
constexpr int kMarqueeStepsPerTick = 2;
// The strip's transparency (0 invisible, 255 opaque).
constexpr int kMarqueeAlpha = 160;

// The strip for a pane: at the pane's screen position plus x, y, the size of element (the
// pane's marquee element; 140 x 16 when it is null), owned by the pane, layered. The
// element stays the caller's. Null on failure.
HWND MARQUEEWIN(HWND pane, HBITMAP element, int x, int y);
// Its window procedure: WM_SETTEXT sets the title, each WM_TIMER moves it, WM_MOVE puts
// the strip back at the owner's position plus its offsets, WM_USER answers the bitmap
// that holds the drawn title (a DIB section of 32-bit pixels, the strip's own).
LRESULT CALLBACK MARQUEEPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#endif

}  // namespace jorvel

// The modal loop of a program's own box (a window of its own class): the owner is disabled
// while the box lives, the box gets keyboard navigation through IsDialogMessageA, and the
// owner comes back and is activated when the box ends.
#pragma once
#include <windows.h>

#include <functional>

struct SkModalLoop {
  HWND box = nullptr;
  HWND owner = nullptr;                        // disabled meanwhile; may be null
  HWND focus = nullptr;                        // the control that starts with the focus
  std::function<bool()> done;                  // the box has its answer
  std::function<void(int)> finish;             // ends the box with an answer (0: none)
  // Optional: sees each message for the box first; true when it consumed it.
  std::function<bool(const MSG&)> key;
  // Optional: false when Escape must not end the box now (an open drop-down list).
  std::function<bool()> escapeEnds;
};

// Shows the box, disables the owner and pumps messages until done() (or the box is gone).
// Escape in the box ends it with finish(0); a quit request ends it with finish(0) and is
// posted again for the caller's loop. finish() is called at most once by the loop.
void SkRunModal(const SkModalLoop& loop);

// The answer that a WM_COMMAND gives a box with a row of push buttons whose ids run from
// firstButtonId: the button's number (1 for the first), defaultButton for Enter, 0 for
// Escape; -1 when the command is not one of these.
int SkButtonRowAnswer(WPARAM wParam, LPARAM lParam, int firstButtonId, int buttonCount, int defaultButton);

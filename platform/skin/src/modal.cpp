#include "skin/sk_modal.h"

void SkRunModal(const SkModalLoop& loop) {
  HWND box = loop.box;
  if (loop.owner) EnableWindow(loop.owner, FALSE);
  ShowWindow(box, SW_SHOW);
  SetForegroundWindow(box);
  if (loop.focus) SetFocus(loop.focus);
  bool finished = false;
  auto finish = [&](int result) {
    if (finished) return;
    finished = true;
    // The owner comes back before the box goes, so that it gets the activation.
    if (loop.owner) EnableWindow(loop.owner, TRUE);
    loop.finish(result);
  };
  MSG msg;
  while (!loop.done() && IsWindow(box)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the box goes, and the quit goes on to the caller's loop.
      PostQuitMessage(int(msg.wParam));
      finish(0);
      break;
    }
    if (got == -1) break;
    bool inBox = msg.hwnd == box || IsChild(box, msg.hwnd);
    if (inBox && loop.key && loop.key(msg)) continue;
    if (inBox && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (!loop.escapeEnds || loop.escapeEnds())) {
      finish(0);
      continue;
    }
    if (IsDialogMessageA(box, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(box) && !loop.done()) finish(0);
  if (loop.owner) {
    EnableWindow(loop.owner, TRUE);
    SetActiveWindow(loop.owner);
  }
}

int SkButtonRowAnswer(WPARAM wParam, LPARAM lParam, int firstButtonId, int buttonCount, int defaultButton) {
  if (LOWORD(wParam) == IDCANCEL) return 0;
  if (LOWORD(wParam) == IDOK && lParam == 0) return defaultButton;
  if (HIWORD(wParam) == BN_CLICKED) {
    int number = int(LOWORD(wParam)) - firstButtonId + 1;
    if (number >= 1 && number <= buttonCount) return number;
  }
  return -1;
}

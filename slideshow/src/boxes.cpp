// The slide show maker's message boxes and its wait box.
#include "boxes.h"

#include "skin/sk_boxes.h"
#include "skin/sk_draw.h"
#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "state.h"

namespace dunmere {

namespace {

int SkinnedBox(HICON icon, const std::string& message, const std::string& buttons) {
  HWND owner = App().frame && IsWindow(App().frame) ? App().frame : nullptr;
  return SKMSGBOX(owner, SKCAPTIONFONT(), Ui(1), message, buttons, SkBoxStyle::Skinned(icon, kSkBoxQuestion));
}

constexpr int kEscapeHotKeyId = 0x1B;
bool gEscapeHotKey = false;

void RegisterEscape(bool on) {
  HWND frame = App().frame;
  if (!frame) return;
  if (on) RegisterHotKey(frame, kEscapeHotKeyId, 0, VK_ESCAPE);
  else UnregisterHotKey(frame, kEscapeHotKeyId);
}

// Esc during long work: ask whether to stop. The focus goes back where it was.
int AskToStop() {
  HWND focus = GetFocus();
  MessageBeep(MB_ICONEXCLAMATION);
  // The box's own Esc must reach the box.
  if (gEscapeHotKey) RegisterEscape(false);
  int answer = SKMSGBOX(App().frame, SKCAPTIONFONT(), Ui(46), Ui(47), Ui(70),
                        SkBoxStyle::Question(LoadIcon(nullptr, IDI_EXCLAMATION)));
  if (gEscapeHotKey) RegisterEscape(true);
  if (App().frame) UpdateWindow(App().frame);
  if (focus && IsWindow(focus)) SetFocus(focus);
  return answer == 1 ? -1 : 0;
}

}  // namespace

int MESSAGEBOX(const std::string& message, const std::string& buttons) {
  return SkinnedBox(LoadIcon(nullptr, IDI_EXCLAMATION), message, buttons);
}

int PROGRAMBOX(const std::string& message, const std::string& buttons) {
  return SkinnedBox(App().icon, message, buttons);
}

BuildBoxStyle ProgramBuildBoxStyle() {
  BuildBoxStyle style;
  style.icon = App().icon;
  style.textColour = SKGETSYSCOLOR(kSkinText);
  style.secondColour = SKGETSYSCOLOR(kSkinTextShadow);
  style.layout = 6;
  style.flag = 0;
  style.textStyle = kTextRaised;
  return style;
}

int WAITBOX(int flag) {
  State& s = App();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (flag) SKCURSORWAIT();
    if (msg.message == WM_QUIT) {
      // The program is ending: the loop that waits for the quit gets it after the work.
      PostQuitMessage(int(msg.wParam));
      return -1;
    }
    bool closing = msg.message == WM_CLOSE || (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE);
    if (closing) {
      PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      return -1;
    }
    if (msg.message == WM_RBUTTONDOWN && msg.hwnd == s.slideList && SKOSVERSION() < 400) {
      PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      return -2;
    }
    bool escape = (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) ||
                  (msg.message == WM_HOTKEY && msg.wParam == kEscapeHotKeyId);
    if (escape) {
      if (AskToStop() != 0) return -1;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

EscapeHotKey::EscapeHotKey() {
  if (gEscapeHotKey) return;
  RegisterEscape(true);
  gEscapeHotKey = owns_ = true;
}

EscapeHotKey::~EscapeHotKey() {
  if (!owns_) return;
  RegisterEscape(false);
  gEscapeHotKey = false;
}

bool WaitWithBox(DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (WAITBOX(0) != 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace dunmere

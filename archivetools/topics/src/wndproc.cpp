#include "wndproc.h"

#include "closing.h"
#include "commands.h"
#include "editing.h"
#include "form.h"
#include "imaging/copydata.h"
#include "lumbric/command_ids.h"
#include "mainwindow.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "state.h"
#include "imaging/program_start.h"

namespace lumbric {

namespace {

constexpr int kEditSetFocus = 0x100;  // EN_SETFOCUS
constexpr int kComboSetFocus = 3;     // CBN_SETFOCUS

// The focus notifications of the form's fields tell which field has the focus.
void NoteFocus(int id, int notification) {
  Lumbric& a = App();
  int field = id - kFieldIdBase;
  if (field >= 1 && field <= int(a.fields.size()) && (notification == kEditSetFocus || notification == kComboSetFocus))
    a.focusField = field;
}

LRESULT OnCopyData(WPARAM wParam, LPARAM lParam) {
  std::string text;
  if (GETCOPYDATA(text, wParam, lParam) == kCodeClose) OnSysClose();
  return 1;
}

}  // namespace

LRESULT CALLBACK WNDPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  Lumbric& a = App();
  if (window == a.frame && startup::IsCloseRequest(message, wParam)) {
    OnSysClose();
    return 0;
  }
  switch (message) {
    case kMsgBuildForm:
      if (window == a.frame && wParam == kBuildFormParameter) {
        BuildForm();
        return 1;
      }
      break;
    case kMsgKeyEntered:
      // Enter in the key field (the keyboard hook names the field; a caller may name its id).
      if (lParam == kFieldIdBase + 1 || (lParam && reinterpret_cast<HWND>(lParam) == FieldControl(1))) {
        GoToTypedKey();
        return 0;
      }
      break;
    case WM_PAINT:
      if (window == a.clientHolder) {
        PaintHolder(window);
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == a.clientHolder) LayoutForm();
      break;
    case WM_COPYDATA:
      return OnCopyData(wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_F1) {
        PostMessageA(a.frame, WM_COMMAND, kCmdHelp, 0);
        return 0;
      }
      break;
    case WM_COMMAND:
      NoteFocus(LOWORD(wParam), HIWORD(wParam));
      OnCommand(int(short(LOWORD(wParam))), HIWORD(wParam));
      return 0;
    case WM_DESTROY:
      if (window == a.frame) OnDestroy();
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace lumbric

// The name the topic editor exports (lumbric.def).
extern "C" LRESULT CALLBACK LumbricWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return lumbric::WNDPROC(window, message, wParam, lParam);
}

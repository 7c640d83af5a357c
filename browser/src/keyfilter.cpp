#include "keyfilter.h"

#include "kelmor/keyrules.h"
#include "state.h"
#include "wndproc.h"

namespace kelmor {

namespace {

KeyMessage Kind(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return KeyMessage::KeyDown;
    case WM_SYSKEYDOWN: return KeyMessage::SysKeyDown;
    case WM_LBUTTONDBLCLK: return KeyMessage::LeftDoubleClick;
    case WM_LBUTTONDOWN: return KeyMessage::LeftDown;
    case WM_RBUTTONDOWN: return KeyMessage::RightDown;
    case WM_COMMAND: return KeyMessage::Command;
    default: return KeyMessage::Other;
  }
}

}  // namespace

int KEYFILTER(HWND frame, MSG& msg) {
  BrowserState& b = App();
  KeyFacts facts;
  facts.message = Kind(msg.message);
  if (facts.message == KeyMessage::Other) return 0;
  HWND list = nullptr;
  if (msg.hwnd && msg.hwnd == b.fileList) facts.window = KeyWindow::FileList;
  else if (msg.hwnd && msg.hwnd == b.collectionList) facts.window = KeyWindow::CollectionList;
  if (facts.window != KeyWindow::Other) {
    list = msg.hwnd;
    facts.count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
    facts.selected = int(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    facts.current = int(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
  }
  facts.key = int(msg.wParam);
  facts.control = GetKeyState(VK_CONTROL) < 0;
  facts.rightFlag = b.rightButtonFlag;

  KeyDecision d = DecideKey(facts);
  if (d.clearRightFlag) b.rightButtonFlag = false;
  if (d.postCommand) PostMessageA(frame, WM_COMMAND, WPARAM(d.postCommand), 0);
  switch (d.action) {
    case KeyAction::SelectAll:
      SendMessageA(list, LB_SETSEL, TRUE, -1);
      break;
    case KeyAction::DeselectAll:
      SendMessageA(list, LB_SETSEL, FALSE, -1);
      break;
    case KeyAction::OpenFileEntry:
      WNDPROC(list, WM_COMMAND, kAddButton, 0);
      break;
    case KeyAction::RemoveCollectionEntry: {
      WNDPROC(list, WM_COMMAND, kRemoveButton, 0);
      int entry = EntryAfterRemoval(facts.count, facts.current);
      if (entry >= 0) SendMessageA(list, LB_SETSEL, TRUE, entry);
      break;
    }
    case KeyAction::ListPopup:
      WNDPROC(list, WM_RBUTTONDOWN, 0, 0);
      break;
    case KeyAction::ForwardSysKey:
      WNDPROC(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      break;
    case KeyAction::None:
      break;
  }
  if (d.setRightFlag) b.rightButtonFlag = true;
  return d.consumed ? 1 : 0;
}

}  // namespace kelmor

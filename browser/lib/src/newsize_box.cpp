// The size box "NEWSIZEBOX": keep-proportions, width and height, and the buttons cancel and
// accept. Enter in a field moves to accept, Escape to cancel, so that a typed size is
// never taken by a slip of the key.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "box_window.h"
#include "controls/buildbox_layout.h"
#include "controls/modal_box.h"
#include "kelmor/modal_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_text.h"
#include "skin/skin.h"

namespace kelmor {

namespace {

enum SizeControl : int { kKeepCheck = 20, kWidthField = 21, kHeightField = 22 };
constexpr int kIconSize = 32, kIconTop = 7, kLeft = 8, kFieldsLeft = 48, kFieldWidth = 80, kRowHeight = 22;
constexpr int kMaxDigits = 255;

struct SizeBox {
  HWND owner = nullptr;
  NewSizeTexts texts;
  std::vector<std::string> captions;
  std::vector<HWND> buttons;
  HWND keep = nullptr;
  HWND width = nullptr;
  HWND height = nullptr;
  win::Brush brush;
};

HWND Label(HWND box, const std::string& text, int x, int y, int width) {
  HWND label = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, x, y + 3, width, 16, box,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  if (label) SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), TRUE);
  return label;
}

void Create(HWND box, SizeBox& b) {
  int32_t width = 0, height = 0, result = 0, keep = 0;
  std::string text;
  NEWSIZEPARAMS(width, height, text, result, keep, 0);
  int labelWidth = 0, h = 0;
  for (const auto* label : {&b.texts.widthLabel, &b.texts.heightLabel}) {
    int w = 0;
    SKGETTEXTEXTENT(SKDEFAULTFONT(), *label, w, h);
    labelWidth = std::max(labelWidth, w + 8);
  }
  int keepWidth = 0;
  SKGETTEXTEXTENT(SKDEFAULTFONT(), b.texts.keepLabel, keepWidth, h);
  keepWidth += GetSystemMetrics(SM_CXMENUCHECK) + 12;
  int y = kIconTop;
  b.keep = SKCHECKBUTTON(box, b.texts.keepLabel, kFieldsLeft, y, keepWidth, 20, kKeepCheck);
  SKSETCHECK(b.keep, keep ? 1 : 0);
  y += kRowHeight + 4;
  Label(box, b.texts.widthLabel, kFieldsLeft, y, labelWidth);
  b.width = SKINPUT(box, std::to_string(width), kFieldsLeft + labelWidth, y, kFieldWidth, 20, kWidthField, kMaxDigits);
  y += kRowHeight + 4;
  Label(box, b.texts.heightLabel, kFieldsLeft, y, labelWidth);
  b.height = SKINPUT(box, std::to_string(height), kFieldsLeft + labelWidth, y, kFieldWidth, 20, kHeightField,
                     kMaxDigits);
  y += kRowHeight + 10;
  SKSETKEYBOARDHOOK(b.width, box);
  SKSETKEYBOARDHOOK(b.height, box);

  ButtonRowMeasures m = boxes::MeasureButtons(b.captions);
  int clientWidth = std::max({ButtonRowWidth(m, 4) + 2 * kLeft, kFieldsLeft + keepWidth + kLeft,
                              kFieldsLeft + labelWidth + kFieldWidth + kLeft});
  ButtonRow row = LayoutButtonRow(m, clientWidth, y, 4, kLeft);
  b.buttons = boxes::MakeButtons(box, b.captions, row);
  int clientHeight = y + (row.buttons.empty() ? 0 : row.buttons.front().height) + kLeft;
  boxes::PlaceBox(box, b.owner, clientWidth, clientHeight);
}

int FieldNumber(HWND field) { return std::atoi(SkGetCtlText(field).c_str()); }

void Command(HWND box, SizeBox& b, int id) {
  if (id == IDOK) {
    // Enter on a button presses it; elsewhere it goes to accept.
    HWND focus = GetFocus();
    for (HWND button : b.buttons)
      if (button == focus) {
        Command(box, b, GetDlgCtrlID(button));
        return;
      }
    if (b.buttons.size() > 1) SetFocus(b.buttons[1]);
    return;
  }
  int32_t keep = SKGETCHECK(b.keep) ? 1 : 0, width = 0, height = 0, result = 0;
  switch (ButtonAnswer(id, int(b.buttons.size()))) {
    case 1:
      result = 1;
      break;
    case 2:
      result = 2;
      width = FieldNumber(b.width);
      height = FieldNumber(b.height);
      break;
    default:
      return;
  }
  std::string text;
  NEWSIZEPARAMS(width, height, text, result, keep, 1);
  PostMessageA(box, WM_CLOSE, 0, 0);
}

void PaintIcon(HWND box, const SizeBox& b) {
  if (!b.texts.icon) return;
  win::WindowDC dc(box);
  DrawIconEx(dc, kLeft, kIconTop, b.texts.icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
}

LRESULT CALLBACK SizeProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(box, message, wParam, lParam)) return answer;
  SizeBox* b = controls::ModalBoxStore<SizeBox>(box, message, lParam);
  if (!b) return SkDefaultProc(box, message, wParam, lParam);
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      Create(box, *b);
      return 0;
    case WM_PAINT:
      boxes::CommonBoxMessage(box, message, wParam, lParam, b->brush, result);
      PaintIcon(box, *b);
      return 0;
    case kSkMsgFieldEnter:
      if (b->buttons.size() > 1) SetFocus(b->buttons[1]);
      return 0;
    case kSkMsgFieldEscape:
      if (!b->buttons.empty()) SetFocus(b->buttons[0]);
      return 0;
    case WM_COMMAND:
      Command(box, *b, LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      SKFREEKEYBOARDHOOK(box);
      break;
    default:
      if (boxes::CommonBoxMessage(box, message, wParam, lParam, b->brush, result)) return result;
      break;
  }
  return SkDefaultProc(box, message, wParam, lParam);
}

}  // namespace

int RUNNEWSIZEBOX(HWND owner, const NewSizeTexts& texts, int& width, int& height, int& keep) {
  int32_t w = width, h = height, result = 0, k = keep;
  std::string text;
  NEWSIZEPARAMS(w, h, text, result, k, 1);
  SizeBox b;
  b.owner = owner;
  b.texts = texts;
  b.captions = SplitBoxItems(texts.buttons);
  controls::ModalBoxSetup setup;
  setup.className = kNewSizeClass;
  setup.procedure = SizeProc;
  setup.owner = owner;
  setup.caption = SKCRUNCH(texts.caption, "&");
  setup.store = &b;
  setup.focus = [&b](HWND) { return b.width; };
  // Escape anywhere in the box goes to cancel rather than closing it.
  setup.key = [&b](const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE || b.buttons.empty()) return false;
    SetFocus(b.buttons[0]);
    return true;
  };
  if (!controls::RunModalBox(setup)) return 0;
  NEWSIZEPARAMS(w, h, text, result, k, 0);
  if (result == 0) return 0;
  width = w;
  height = h;
  keep = k;
  return result;
}

}  // namespace kelmor

#include "box_window.h"

#include <algorithm>

#include "controls/modal_box.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/skin.h"
#include "skin/skin_theme.h"

namespace kelmor::boxes {

namespace {

void PaintBackground(HWND box) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(box, &ps);
  RECT client;
  GetClientRect(box, &client);
  if (HBITMAP tile = SKCTLBACK()) SKTILEBLT(dc, 0, 0, client.right, client.bottom, tile);
  else SKFILLRECT(dc, 0, 0, client.right, client.bottom, SKGETSYSCOLOR(kSkinControlBack));
  EndPaint(box, &ps);
}

}  // namespace

ButtonRowMeasures MeasureButtons(const std::vector<std::string>& captions) {
  ButtonRowMeasures m;
  int w = 0, h = 0;
  for (const auto& caption : captions) {
    SKGETTEXTEXTENT(SKCAPTIONFONT(), caption, w, h);
    m.captionWidths.push_back(w);
    m.captionHeight = std::max(m.captionHeight, h);
  }
  int space = 0, height = 0;
  SKSPACECHARTOPIXEL(SKCAPTIONFONT(), space, height);
  if (space > 0) m.spaceWidth = space;
  return m;
}

std::vector<HWND> MakeButtons(HWND box, const std::vector<std::string>& captions, const ButtonRow& row) {
  std::vector<HWND> buttons;
  for (size_t i = 0; i < captions.size() && i < row.buttons.size(); ++i) {
    const BoxRect& r = row.buttons[i];
    buttons.push_back(SKBUT3D(box, captions[i], r.x, r.y, r.width, r.height, kBoxFirstButtonId + int(i)));
  }
  return buttons;
}

void PlaceBox(HWND box, HWND centreOn, int clientWidth, int clientHeight) {
  int width = clientWidth + SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  int height = clientHeight + SKGETSYSTEMMETRICS(kSkinCaptionHeight) + SKGETSYSTEMMETRICS(kSkinBottomBorder);
  SetWindowPos(box, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SKCENTERWIND(box, centreOn);
  RECT r;
  GetWindowRect(box, &r);
  SKPOPUPCONTAINER(box, "", r.left, r.top, width, height,
                   reinterpret_cast<::WNDPROC>(GetWindowLongPtrA(box, GWLP_WNDPROC)));
}

HWND MakeListCombo(HWND box, int boxWidth) {
  HWND combo = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_SIMPLE | CBS_SORT |
                                   CBS_AUTOHSCROLL | CBS_HASSTRINGS,
                               4, 4, boxWidth - 8, kBoxMainHeight, box, reinterpret_cast<HMENU>(INT_PTR(kBoxMainId)),
                               GetModuleHandleA(nullptr), nullptr);
  if (combo) SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), TRUE);
  return combo;
}

HWND CoverEditField(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!combo || !GetComboBoxInfo(combo, &info) || !info.hwndItem) return nullptr;
  RECT edit;
  GetClientRect(info.hwndItem, &edit);
  ShowWindow(info.hwndItem, SW_HIDE);
  HWND text = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 2, 2, edit.right + 2, 16,
                              combo, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (text) SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(SKDEFAULTFONT()), TRUE);
  return text;
}

std::string ComboSelection(HWND combo) {
  LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
  if (length <= 0) return {};
  std::string text(size_t(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(strlen(text.c_str()));
  return text;
}

void AnswerBox(HWND box, int result, const std::string& text, TextStore store) {
  std::string t = text;
  int32_t r = result, v = 0;
  store(t, r, v, 1);
  PostMessageA(box, WM_CLOSE, 0, 0);
}

bool CommonBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam, win::Brush& brush, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      PaintBackground(box);
      result = 0;
      return true;
    case WM_DRAWITEM:
      result = SKDRAWITEM(lParam);
      return result != 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, SKGETSYSCOLOR(kSkinControlText));
      SetBkColor(dc, SKGETSYSCOLOR(kSkinControlBack));
      if (!brush) brush.Reset(CreateSolidBrush(SKGETSYSCOLOR(kSkinControlBack)));
      result = reinterpret_cast<LRESULT>(brush.Get());
      return true;
    }
    case WM_CTLCOLORBTN:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return true;
    case WM_CLOSE:
      controls::EndModalBox(box);
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace kelmor::boxes

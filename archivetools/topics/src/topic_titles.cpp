#include "topic_titles.h"

#include <algorithm>
#include <vector>

#include "lumbric/command_ids.h"
#include "lumbric/work_folder.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_modal.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "skin/skin_theme.h"
#include "state.h"
#include "win/window_class.h"

namespace lumbric {

namespace {

constexpr int kRowHeight = 26;
constexpr int kFieldWidth = 300;
constexpr int kFieldHeight = 22;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 23;
constexpr int kTitleLength = 40;

// The window's parameters and answer, between TOPICTITLEBOX and the window.
struct TitleStore {
  std::vector<std::string> titles;
  std::string answer;
  int result = 0;
  bool done = false;
};
TitleStore& Store() {
  static TitleStore store;
  return store;
}

std::string RowLabel(size_t row) {
  std::string n = std::to_string(row + 1);
  return n.size() < 2 ? "0" + n : n;
}

int LabelWidth(size_t rows) {
  int widest = 0;
  for (size_t i = 0; i < rows; ++i) {
    int w = 0, h = 0;
    SKGETTEXTEXTENT(SKCAPTIONFONT(), RowLabel(i), w, h);
    widest = std::max(widest, w);
  }
  return widest + 8;
}

void Create(HWND window) {
  TitleStore& s = Store();
  const int label = LabelWidth(s.titles.size());
  for (size_t i = 0; i < s.titles.size(); ++i) {
    const int y = kMargin + int(i) * kRowHeight;
    HWND w = CreateWindowExA(0, "STATIC", RowLabel(i).c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, kMargin, y + 3,
                             label, kFieldHeight - 4, window, nullptr, App().instance, nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(SKCAPTIONFONT()), FALSE);
    SKSETCOLOR(w, SKGETSYSCOLOR(kSkinControlBack), SKGETSYSCOLOR(kSkinControlText));
    HWND field = SKINPUT(window, s.titles[i], kMargin + label, y, kFieldWidth, kFieldHeight,
                         kTitleFieldBase + int(i) + 1, kTitleLength);
    SetWindowLongPtrA(field, GWL_STYLE, GetWindowLongPtrA(field, GWL_STYLE) | WS_TABSTOP);
  }
  const int y = kMargin + int(s.titles.size()) * kRowHeight + 6;
  const int right = kMargin + label + kFieldWidth;
  SKBUT3D(window, Ui(88).empty() ? "OK" : Ui(88), right - 2 * kButtonWidth - 8, y, kButtonWidth,
          kButtonHeight, kTitleConfirm);
  SKBUT3D(window, Ui(89).empty() ? "Cancel" : Ui(89), right - kButtonWidth, y, kButtonWidth, kButtonHeight,
          kTitleCancel);
}

void Confirm(HWND window) {
  TitleStore& s = Store();
  std::vector<std::string> typed;
  for (size_t i = 0; i < s.titles.size(); ++i)
    typed.push_back(SkGetCtlText(GetDlgItem(window, kTitleFieldBase + int(i) + 1)));
  s.answer = ConfirmedTitles(typed, Ui(59));
  s.result = 1;
  DestroyWindow(window);
}

}  // namespace

int TOPICTITLEBOX(HWND owner, const std::string& caption, std::string& titles) {
  TitleStore& s = Store();
  s = {};
  SKSPLITS(titles, "|", s.titles);
  if (s.titles.empty()) return 0;
  if (!win::RegisterClassOnce({.name = kTopicTitleClass, .procedure = TOPICTITLEPROC, .instance = App().instance}))
    return 0;
  const int clientWidth = 2 * kMargin + LabelWidth(s.titles.size()) + kFieldWidth;
  const int clientHeight = 2 * kMargin + int(s.titles.size()) * kRowHeight + 6 + kButtonHeight;
  const int width = clientWidth + SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  const int height = clientHeight + SKGETSYSTEMMETRICS(kSkinCaptionHeight) + SKGETSYSTEMMETRICS(kSkinBottomBorder);
  HWND box = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kTopicTitleClass, caption.c_str(),
                             WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, owner, nullptr, App().instance, nullptr);
  if (!box) return 0;
  SKCENTERWIND(box, nullptr);
  RECT r;
  GetWindowRect(box, &r);
  SKPOPUPCONTAINER(box, caption, r.left, r.top, width, height, TOPICTITLEPROC);
  SkModalLoop loop;
  loop.box = box;
  loop.owner = owner;
  loop.focus = GetDlgItem(box, kTitleFieldBase + 1);
  loop.done = [] { return Store().done; };
  loop.finish = [box](int) {
    if (IsWindow(box)) DestroyWindow(box);
  };
  SkRunModal(loop);
  if (s.result == 1) titles = s.answer;
  return s.result;
}

LRESULT CALLBACK TOPICTITLEPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  switch (message) {
    case WM_CREATE:
      Create(window);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      SKTILEBLT(dc, 0, 0, client.right, client.bottom, SKCTLBACK());
      EndPaint(window, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kTitleConfirm) {
        Confirm(window);
        return 0;
      }
      if (LOWORD(wParam) == kTitleCancel || LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(window);
        return 0;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY: {
      HWND owner = GetWindow(window, GW_OWNER);
      if (owner) {
        EnableWindow(owner, TRUE);
        ShowWindow(owner, SW_SHOW);
        SetActiveWindow(owner);
      }
      SKFREEOBJECTCOLOR(window);
      Store().done = true;
      return 0;
    }
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

}  // namespace lumbric

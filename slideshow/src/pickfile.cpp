// The pick-file window "SSPICKFILE": the files of a folder with one extension in a combo
// box, a label and a row of buttons. Modal like the general box: it disables its owner and
// runs its own loop until a button or the close button ends it.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "boxes.h"
#include "dunmere/ui_rules.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "skin/sk_boxes.h"
#include "skin/sk_controls.h"
#include "skin/sk_draw.h"
#include "skin/sk_modal.h"
#include "skin/skin.h"
#include "win/window_class.h"

namespace dunmere {

namespace {

constexpr const char* kPickFileClass = "SSPICKFILE";
constexpr int kComboId = 1;
constexpr int kFirstButtonId = 100;
constexpr int kMargin = 8;
constexpr int kCloseOnly = 1;

struct PickBox {
  HWND owner = nullptr;
  HWND combo = nullptr;
  std::vector<HWND> buttons;
  std::string name;
  int result = 0;
  bool done = false;
};

PickBox* BoxOf(HWND w) { return reinterpret_cast<PickBox*>(GetWindowLongPtrA(w, GWLP_USERDATA)); }

void Finish(HWND window, PickBox& b, int result) {
  if (b.done) return;
  b.name = fileio::Trim(SkGetCtlText(b.combo));
  b.result = result;
  b.done = true;
  if (b.owner) EnableWindow(b.owner, TRUE);
  DestroyWindow(window);
}

LRESULT CALLBACK PickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = SKGETMESSAGE(window, message, wParam, lParam)) return answer;
  PickBox* b = BoxOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_COMMAND:
      if (!b) break;
      if (int answer = SkButtonRowAnswer(wParam, lParam, kFirstButtonId, int(b->buttons.size()), 1);
          answer >= 0) {
        Finish(window, *b, answer);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (b) Finish(window, *b, 0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return SkDefaultProc(window, message, wParam, lParam);
}

bool RegisterPickClass() { return win::RegisterClassOnce({.name = kPickFileClass, .procedure = PickProc}); }

std::vector<std::string> FileNames(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& e : fileio::ListDirectory(fileio::WithTrailingSeparator(folder) + "*" + extension))
    if (!e.directory) names.push_back(e.name);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  });
  return names;
}

}  // namespace

int PICKFILEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& name,
                const std::string& folder, const std::string& extension, const std::string& presetName, int saveMode) {
  if (!RegisterPickClass()) return 0;
  PickBox b;
  b.owner = owner && IsWindow(owner) ? owner : nullptr;
  std::vector<std::string> captions;
  SKSPLITS(buttons.empty() ? std::string("OK") : buttons, "|", captions);
  std::vector<std::string> names = FileNames(folder, extension);

  HFONT font = SKCAPTIONFONT();
  int unit = 0, lineHeight = 0;
  SKGETTEXTEXTENT(font, "W", unit, lineHeight);
  int buttonHeight = lineHeight + 10;
  std::vector<int> widths;
  int rowWidth = 0;
  for (const auto& c : captions) {
    int w = 0, h = 0;
    SKGETTEXTEXTENT(font, c, w, h);
    widths.push_back(std::max(w + 2 * unit, 6 * unit));
    rowWidth += widths.back() + kMargin;
  }
  int labelWidth = 0, labelHeight = 0;
  SKGETTEXTEXTENT(SKDEFAULTFONT(), folder.empty() ? " " : folder, labelWidth, labelHeight);
  int clientWidth = std::max({rowWidth + kMargin, 40 * unit, std::min(labelWidth + 2 * kMargin, 80 * unit)});
  int comboY = kMargin + labelHeight + 4;
  int comboHeight = lineHeight + 8;
  int buttonY = comboY + comboHeight + kMargin;
  int clientHeight = buttonY + buttonHeight + kMargin;
  int width = clientWidth + SKGETSYSTEMMETRICS(kSkinLeftBorder) + SKGETSYSTEMMETRICS(kSkinRightBorder);
  int height = clientHeight + SKGETSYSTEMMETRICS(kSkinCaptionHeight) + SKGETSYSTEMMETRICS(kSkinBottomBorder);

  int oldStyle = SkWindowStyle();
  SKWINDOWSTYLE(kCloseOnly);
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kPickFileClass, caption.c_str(),
                                WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, width, height, b.owner, nullptr,
                                GetModuleHandleA(nullptr), &b);
  SKWINDOWSTYLE(oldStyle);
  if (!window) return 0;
  SKCENTERWIND(window, b.owner);

  HWND label = CreateWindowExA(0, "STATIC", folder.c_str(), WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS | SS_NOPREFIX,
                               kMargin, kMargin, clientWidth - 2 * kMargin, labelHeight, window, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, WPARAM(SKDEFAULTFONT()), FALSE);
  DWORD comboStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                     (saveMode ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  b.combo = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "", comboStyle, kMargin, comboY, clientWidth - 2 * kMargin,
                            comboHeight + 160, window, reinterpret_cast<HMENU>(INT_PTR(kComboId)),
                            GetModuleHandleA(nullptr), nullptr);
  SendMessageA(b.combo, WM_SETFONT, WPARAM(SKDEFAULTFONT()), FALSE);
  for (const auto& n : names) SendMessageA(b.combo, CB_ADDSTRING, 0, LPARAM(n.c_str()));
  LRESULT preset = SendMessageA(b.combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(presetName.c_str()));
  if (preset == CB_ERR && !presetName.empty()) {
    // The preset without its extension names one of the files.
    preset = SendMessageA(b.combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM((presetName + extension).c_str()));
  }
  if (preset != CB_ERR) SendMessageA(b.combo, CB_SETCURSEL, WPARAM(preset), 0);
  else if (saveMode) SetWindowTextA(b.combo, presetName.c_str());
  else if (!names.empty()) SendMessageA(b.combo, CB_SETCURSEL, 0, 0);

  int x = kMargin;
  for (size_t i = 0; i < captions.size(); ++i) {
    b.buttons.push_back(SKBUT3D(window, captions[i], x, buttonY, widths[i], buttonHeight, kFirstButtonId + int(i)));
    x += widths[i] + kMargin;
  }

  SkModalLoop loop;
  loop.box = window;
  loop.owner = b.owner;
  loop.focus = b.combo;
  loop.done = [&b] { return b.done; };
  loop.finish = [window, &b](int result) { Finish(window, b, result); };
  // Escape first closes an open drop-down list.
  loop.escapeEnds = [&b] { return !SendMessageA(b.combo, CB_GETDROPPEDSTATE, 0, 0); };
  SkRunModal(loop);
  name = b.name;
  return b.result;
}

}  // namespace dunmere
